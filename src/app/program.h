// The program: what start-up establishes and every form shares. Built by the entry point over a
// set of ports; holds the program-wide state and the forms in their creation order.
#pragma once

#include "app/ports.h"
#include "config/config_file.h"
#include "grid/on_screen_caption.h"
#include "grid/preview_rectangle.h"

#include <memory>
#include <string>
#include <vector>

namespace cellaro {

class Form;
class TrayForm;
class WorkingWindow;

// Program-wide flags that several forms read and write.
struct ProgramFlags {
    bool settingsOpen = false;         // the settings window or the window manager list is open
    bool oneShot = false;              // the working window closes after its one command
    bool skipKillConfirmation = false; // "Do not show this message again." (optAutohideagain)
    bool fullScreen = false;           // the working window shows the full-screen grid
    bool fullScreenReady = true;       // the working window's activation steps may run
    bool closing = false;              // the working window is closing: the fade does nothing
    int fadeCounter = 220;
    bool gridMenuRequest = false; // a tray full-screen item asked for the board's menu
};

class Program {
public:
    // Start-up: fixes the program path and directory, then creates every form once, in order.
    explicit Program(const Ports& ports);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    Program(Program&&) = delete;
    Program& operator=(Program&&) = delete;
    ~Program();

    [[nodiscard]] const Ports& ports() const { return ports_; }
    [[nodiscard]] const std::string& programPath() const { return programPath_; }
    // With its trailing separator.
    [[nodiscard]] const std::string& programDirectory() const { return programDirectory_; }
    [[nodiscard]] ProgramFlags& flags() { return flags_; }
    [[nodiscard]] const ProgramFlags& flags() const { return flags_; }

    // The configuration file, read afresh from the program directory.
    [[nodiscard]] ConfigFile openConfig() const;
    // Writes the file back; on failure shows the system's error text in a message box and returns
    // false, so the caller skips the rest of its operation.
    bool saveConfig(ConfigFile& config);
    // The application's error report: a message box with the text.
    void reportError(const std::string& text);

    [[nodiscard]] TrayForm& trayForm() { return *trayForm_; }
    [[nodiscard]] WorkingWindow& workingWindow() { return *workingWindow_; }
    [[nodiscard]] PreviewRectangle& previewRectangle() { return *previewRectangle_; }
    [[nodiscard]] Form& windowList() { return *windowList_; }
    [[nodiscard]] Form& settingsWindow() { return *settingsWindow_; }
    [[nodiscard]] Form& aboutWindow() { return *aboutWindow_; }
    [[nodiscard]] Form& screenGrab() { return *screenGrab_; }
    [[nodiscard]] Form& navigationMenu() { return *navigationMenu_; }
    [[nodiscard]] OnScreenCaption& onScreenCaption() { return *onScreenCaption_; }
    [[nodiscard]] Form& infoWindow() { return *infoWindow_; }
    // All forms, in creation order.
    [[nodiscard]] std::vector<Form*> forms() const;

    // Ends the program once the current message is handled.
    void quit();
    [[nodiscard]] bool quitting() const { return quitting_; }

private:
    const Ports ports_;
    std::string programPath_;
    std::string programDirectory_;
    ProgramFlags flags_;
    bool quitting_ = false;

    std::unique_ptr<TrayForm> trayForm_;
    std::unique_ptr<WorkingWindow> workingWindow_;
    std::unique_ptr<PreviewRectangle> previewRectangle_;
    std::unique_ptr<Form> windowList_;
    std::unique_ptr<Form> settingsWindow_;
    std::unique_ptr<Form> aboutWindow_;
    std::unique_ptr<Form> screenGrab_;
    std::unique_ptr<Form> navigationMenu_;
    std::unique_ptr<OnScreenCaption> onScreenCaption_;
    std::unique_ptr<Form> infoWindow_;
};

} // namespace cellaro
