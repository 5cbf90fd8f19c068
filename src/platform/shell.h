// The shell port: the tray icon with its popup menu, documents and programs, window arrangements
// and message boxes.
#pragma once

#include "core/geometry.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cellaro {

// One entry of a popup menu. Items with an id of 0 and no submenu do nothing when chosen.
struct MenuItem {
    std::string name;    // the item's name, for tests and diagnostics
    std::string caption; // UTF-8; a tab separates the right-aligned shortcut column
    int id = 0;
    bool separator = false;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    std::vector<MenuItem> submenu;
};

class TrayIconEvents {
public:
    TrayIconEvents() = default;
    TrayIconEvents(const TrayIconEvents&) = delete;
    TrayIconEvents& operator=(const TrayIconEvents&) = delete;
    TrayIconEvents(TrayIconEvents&&) = delete;
    TrayIconEvents& operator=(TrayIconEvents&&) = delete;
    virtual ~TrayIconEvents() = default;

    virtual void onTrayLeftClick() = 0;
    virtual void onTrayRightClick(Point cursor) = 0;
};

// The notification-area icon. It keeps itself present: an add that fails because the shell is not
// ready is retried, and the icon is added again when the shell restarts (TaskbarCreated).
class TrayIcon {
public:
    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    TrayIcon(TrayIcon&&) = delete;
    TrayIcon& operator=(TrayIcon&&) = delete;
    virtual ~TrayIcon() = default; // removes the icon

    // The hint text; the caller keeps it within the system's limit of 127 characters.
    virtual void setHint(const std::string& utf8) = 0;
    // A notification balloon from the icon, with the information icon: shown once, and gone by
    // itself or at a click. Asked for while the icon is not in the notification area yet, it shows
    // as soon as the icon is there. The system keeps at most 63 characters of the title and 255 of
    // the text.
    virtual void showBalloon(const std::string& title, const std::string& text) = 0;
    [[nodiscard]] virtual bool present() const = 0;
    virtual void remove() = 0;
};

enum class MessageBoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageBoxIcon { None, Information, Warning, Error, Question };
enum class MessageBoxResult { Ok, Cancel, Yes, No };
// The button a message box starts on (the one Enter chooses).
enum class MessageBoxDefault { First, Second };

// The kill confirmation's answer: "Kill process" (Yes), "Cancel" or Esc (No), the close box
// (Neither), and the state of its box "Do not show this message again." when it closed.
// The colour chooser's state: the colour it shows and its sixteen custom colours.
struct ColourChoice {
    static constexpr std::size_t kCustomColourCount = 16;
    Colour colour{0};
    std::array<Colour, kCustomColourCount> customColours{};
};

enum class KillAnswer { Yes, No, Neither };
struct KillConfirmation {
    KillAnswer answer = KillAnswer::Neither;
    bool dontAskAgain = false;
};

class Shell {
public:
    Shell() = default;
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;
    Shell(Shell&&) = delete;
    Shell& operator=(Shell&&) = delete;
    virtual ~Shell() = default;

    // Adds the program's icon to the notification area with this hint; events arrive on the
    // user-interface thread.
    virtual std::unique_ptr<TrayIcon> createTrayIcon(const std::string& hint, TrayIconEvents& events) = 0;
    // Shows a popup menu at the screen point and returns the id of the chosen item, or nothing
    // when the user dismissed it (clicked elsewhere, Escape).
    virtual std::optional<int> trackPopupMenu(const std::vector<MenuItem>& items, Point at) = 0;

    // Opens a document or folder with its default verb (ShellExecute "open").
    virtual bool openDocument(const std::string& path) = 0;
    // Starts a program (a new process), without arguments.
    virtual bool startProgram(const std::string& path) = 0;
    // Opens the folder that holds the file in the shell's file browser, with the file selected.
    // An empty path does nothing; failures are ignored.
    virtual void openFolderAndSelect(const std::string& path) = 0;
    virtual bool cascadeWindows() = 0;
    virtual bool tileWindows(bool vertical) = 0;

    virtual MessageBoxResult messageBox(const std::string& text, const std::string& caption,
                                        MessageBoxButtons buttons, MessageBoxIcon icon) = 0;
    // A question that stops the whole desktop until answered: the system's question sound, then a
    // message box as above, modal to the system, starting on the given button.
    virtual MessageBoxResult ask(const std::string& text, const std::string& caption,
                                 MessageBoxButtons buttons, MessageBoxIcon icon,
                                 MessageBoxDefault defaultButton) = 0;

    // The system's sound for a message box of that icon, on its own.
    virtual void beep(MessageBoxIcon sound) = 0;

    // The system's colour chooser in its full form, starting on the choice's colour with its custom
    // colours. True when the user confirmed it: the choice then holds the chosen colour. The custom
    // colours the user defined are kept in the choice either way.
    virtual bool chooseColour(ColourChoice& choice) = 0;

    // The kill confirmation: a modal dialog, topmost and brought to the front, with the warning
    // icon, this text and caption, the buttons "Kill process" (the default) and "Cancel", a line
    // across it and the box "Do not show this message again.", unticked. Returns once it closed.
    virtual KillConfirmation confirmKill(const std::string& text, const std::string& caption) = 0;
};

} // namespace cellaro
