// The shell port over the Windows API: the notification-area icon, popup menus, documents and
// programs, window arrangements and message boxes.
#pragma once

#include "platform/shell.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_message_window.h"

#include <windows.h>

#include <shellapi.h>

#include <map>
#include <optional>
#include <string>
#include <utility>

namespace cellaro::win32 {

class Win32Shell;

// One icon in the notification area, kept present until it is removed: a failed add is retried
// every second, and the icon is added again when the shell restarts.
class Win32TrayIcon final : public TrayIcon {
public:
    Win32TrayIcon(Win32Shell& shell, UINT iconId, const std::string& hint, TrayIconEvents& events);
    ~Win32TrayIcon() override;

    void setHint(const std::string& utf8) override;
    void showBalloon(const std::string& title, const std::string& text) override;
    [[nodiscard]] bool present() const override { return present_; }
    void remove() override;

    // Called by the shell's window.
    void addToShell();
    void handleCallback(UINT mouseMessage);
    // The notification area's scale changed: the icon is drawn again for it.
    void rescale();
    // The shell goes first: the icon is taken out of the notification area and forgets the shell.
    void shellClosing();

private:
    [[nodiscard]] NOTIFYICONDATAW iconData() const;
    // Draws the icon at the small-icon size of the notification area's scale, unless it has it.
    void drawForScale();
    void startRetry();
    void stopRetry();
    // Shows the balloon that waits, once the icon is in the notification area (NIF_INFO).
    void flushBalloon();
    // Tells the program to show its menu at the pointer.
    void openMenu();

    Win32Shell* shell_;
    UINT iconId_;
    TrayIconEvents& events_;
    std::wstring tip_;
    // A balloon asked for that has not shown yet: its title and text, cut to the system's limits.
    std::optional<std::pair<std::wstring, std::wstring>> pendingBalloon_;
    ScopedIcon ownIcon_; // the application icon drawn at the small-icon size
    int iconSize_ = 0;   // the size it was drawn at
    HICON icon_ = nullptr;
    bool wanted_ = true;
    bool present_ = false;
    bool retrying_ = false;
    bool leftPressed_ = false;
    // Where the right-button gesture that opened the menu stands: its release, and the
    // WM_CONTEXTMENU some shells send after it, belong to it and open nothing.
    enum class RightGesture { None, Pressed, Released };
    RightGesture rightGesture_ = RightGesture::None;
};

// Owns a hidden top-level window (not a message-only one: the shell's "TaskbarCreated" broadcast
// reaches top-level windows only) that receives the tray icons' messages and owns the popup menus.
// It must be created on the user-interface thread, whose message loop then serves it, and must
// outlive the tray icons it created.
class Win32Shell final : public Shell, public MessageWindow {
public:
    Win32Shell();
    ~Win32Shell() override;

    std::unique_ptr<TrayIcon> createTrayIcon(const std::string& hint, TrayIconEvents& events) override;
    std::optional<int> trackPopupMenu(const std::vector<MenuItem>& items, Point at) override;

    bool openDocument(const std::string& path) override;
    bool startProgram(const std::string& path) override;
    void openFolderAndSelect(const std::string& path) override;
    bool cascadeWindows() override;
    bool tileWindows(bool vertical) override;

    MessageBoxResult messageBox(const std::string& text, const std::string& caption,
                                MessageBoxButtons buttons, MessageBoxIcon icon) override;
    MessageBoxResult ask(const std::string& text, const std::string& caption, MessageBoxButtons buttons,
                         MessageBoxIcon icon, MessageBoxDefault defaultButton) override;
    void beep(MessageBoxIcon sound) override;
    bool chooseColour(ColourChoice& choice) override;
    KillConfirmation confirmKill(const std::string& text, const std::string& caption) override;

    // The message the tray icons report their mouse messages with.
    static constexpr UINT kTrayCallbackMessage = WM_APP + 1;

private:
    friend class Win32TrayIcon;

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void forget(UINT iconId);

    HINSTANCE instance_;
    DpiQueries dpi_;
    ATOM windowClass_ = 0;
    UINT taskbarCreated_ = 0;
    bool comInitialised_ = false;
    std::map<UINT, Win32TrayIcon*> icons_;
    UINT nextIconId_ = 1;
};

// The text cut to at most maxUnits UTF-16 code units without splitting a surrogate pair.
[[nodiscard]] std::wstring cutUtf16(std::wstring_view text, std::size_t maxUnits);

} // namespace cellaro::win32
