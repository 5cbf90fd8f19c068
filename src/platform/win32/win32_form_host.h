// The form-host port over the Windows API: one borderless top-level window per form, painted double
// buffered through a GDI canvas, with a tooltip control for its hints.
#pragma once

#include "platform/form_host.h"
#include "platform/win32/win32_accessible.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_gdi_canvas.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_message_window.h"

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace cellaro::win32 {

class Win32FormHost;

// A form's window. The handle lives as long as this object unless the system destroys the window
// first, after which every call does nothing. A window must not be destroyed from inside one of its
// own events. Screen readers read the form's items through its client area's accessible object.
class Win32NativeWindow final : public NativeWindow, public MessageWindow, public AccessibleWindow {
public:
    Win32NativeWindow(Win32FormHost& host, const NativeWindowStyle& style, NativeWindowEvents& events);
    ~Win32NativeWindow() override;

    [[nodiscard]] WindowId id() const override;
    [[nodiscard]] Rect bounds() const override;
    [[nodiscard]] int dpi() const override;
    void setBounds(const Rect& bounds) override;
    [[nodiscard]] bool visible() const override;
    void show(bool activate) override;
    void hide() override;
    void setAlpha(std::optional<std::uint8_t> alpha) override;
    void setRoundedCorners(Size corners) override;
    void setTopmost(bool topmost) override;
    void setTitle(const std::string& title) override;
    void invalidate() override;
    void update() override;
    void setMouseCapture(bool captured) override;
    void refreshHint() override;
    void focusMoved(int item) override;

    [[nodiscard]] HWND tooltip() const { return tooltip_; }

    // AccessibleWindow
    [[nodiscard]] std::vector<AccessibleItem> accessibleItems() const override;
    void requestClick(int item, const AccessibleItem& seen) override;
    // The form's window with this handle, once it is ready for questions, when the caller is on its
    // thread; otherwise null.
    static AccessibleWindow* accessibleFromHandle(HWND window);

private:
    // A click asked for by assistive technology, made from the message queue.
    struct ClickRequest {
        int item = -1;
        std::string name;
        AccessibleRole role = AccessibleRole::None;
    };

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void windowDestroyed() override;
    LRESULT handleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleNotify(NMHDR& header);
    void paint(HDC target, const RECT& area);
    void createTooltip();
    // Gives the tooltip the system's hint font and the wrap width at the window's scale.
    void scaleTooltip();
    // Hides the shown hint and restarts the tooltip's delay, so a changed hint appears afresh.
    void restartHint();
    void relayToTooltip(UINT message, WPARAM wParam, LPARAM lParam);
    void updateRegion(bool force);
    void runClickRequest();

    Win32FormHost& host_;
    NativeWindowEvents& events_;
    HWND tooltip_ = nullptr;
    ScopedGdiObject hintFont_; // the tooltip's font at the window's scale
    Size corners_;
    bool noActivate_ = false; // never takes the focus, neither when shown nor when clicked
    Size regionSize_;         // client size the current region was made for
    bool trackingLeave_ = false;
    // The form used the last key pressed with Alt: the character message that follows it is
    // swallowed too, or the system would beep for a menu key that no menu has.
    bool swallowSysChar_ = false;
    std::string shownHint_;   // the hint under the pointer at the last mouse move
    std::wstring hintBuffer_; // what the tooltip reads after TTN_GETDISPINFOW
    // The form is complete (it has its window) from the end of the constructor on: only then may it
    // be asked for its items.
    bool accessibleReady_ = false;
    std::optional<ClickRequest> clickRequest_; // one at a time: a newer request replaces it
};

// Creates the forms' windows on the user-interface thread and keeps what they share: the window
// class, the fonts and the hint appearance. It must outlive every window it created.
class Win32FormHost final : public FormHost {
public:
    Win32FormHost();
    ~Win32FormHost() override;

    std::unique_ptr<NativeWindow> createWindow(const NativeWindowStyle& style,
                                               NativeWindowEvents& events) override;
    [[nodiscard]] Point cursorPosition() const override;
    void setHintStyle(const HintStyle& style) override;
    // Measured on the screen's device context with the fonts the windows paint with, taking the
    // font's height as it stands: forms ask in device-independent pixels, so this answers as at 96
    // dots per inch, whatever the scale of the monitors.
    [[nodiscard]] Size measureText(std::string_view utf8, const Font& font) override;
    void quit(int exitCode) override;

    [[nodiscard]] GdiFontCache& fonts() { return fonts_; }
    [[nodiscard]] const DpiQueries& dpi() const { return dpi_; }
    [[nodiscard]] HINSTANCE instance() const { return instance_; }
    [[nodiscard]] static const wchar_t* windowClassName();

private:
    friend class Win32NativeWindow;
    using SetWindowThemeFunction = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);

    void attach(Win32NativeWindow& window);
    void detach(const Win32NativeWindow& window);
    // Gives a new window's tooltip the current appearance, if the program set one.
    void styleTooltip(Win32NativeWindow& window);

    HINSTANCE instance_;
    // The accessible objects go out through COM, which the thread needs (apartment threaded).
    bool comInitialised_ = false;
    ATOM windowClass_ = 0;
    GdiFontCache fonts_;
    DpiQueries dpi_;
    std::optional<HintStyle> hintStyle_;
    ScopedLibrary themeLibrary_;
    SetWindowThemeFunction setWindowTheme_ = nullptr;
    std::vector<Win32NativeWindow*> windows_;
};

} // namespace cellaro::win32
