// The kill confirmation as a small modal dialog window of the adapter's own: the warning icon, the
// text, "Kill process" (the default) and "Cancel", a line across the dialog and the box "Do not show
// this message again." below it, laid out in device-independent pixels and scaled for the dots per
// inch of the monitor it shows on. Esc answers Cancel, Enter the default button, Tab moves between
// the controls; the close box answers neither.
#pragma once

#include "platform/shell.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_message_window.h"

#include <windows.h>

#include <string>

namespace cellaro::win32 {

class KillDialog final : public MessageWindow {
public:
    // The window's height, the line's top and the check box's place, at 96 dots per inch.
    static constexpr int kHeight = 240;
    static constexpr int kLineTop = 155;
    static constexpr int kLineLeft = -20;
    static constexpr int kLineExtra = 100; // the line is this much wider than the dialog
    static constexpr int kCheckLeft = 8;
    static constexpr int kCheckTop = 180;
    static constexpr int kCheckExtra = 30; // the box is as wide as its text plus this

    KillDialog(HINSTANCE instance, const DpiQueries& dpi);
    KillDialog(const KillDialog&) = delete;
    KillDialog& operator=(const KillDialog&) = delete;
    KillDialog(KillDialog&&) = delete;
    KillDialog& operator=(KillDialog&&) = delete;
    ~KillDialog() override;

    // Shows the dialog and runs its modal loop (other windows' messages still go through) until it
    // is answered or closed. A WM_QUIT met meanwhile is posted again and answers neither.
    KillConfirmation show(const std::string& text, const std::string& caption);

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void layOut(const std::wstring& text);
    [[nodiscard]] int scaled(int dips) const { return ::MulDiv(dips, dpi_, kBaseDpiValue); }
    HWND addControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, RECT bounds);
    void answer(KillAnswer answer);

    static constexpr int kBaseDpiValue = 96;

    HINSTANCE instance_;
    const DpiQueries& dpiQueries_;
    ATOM windowClass_ = 0;
    int dpi_ = kBaseDpiValue;
    ScopedGdiObject font_;
    HWND killButton_ = nullptr;
    HWND checkBox_ = nullptr;
    RECT iconBounds_{};
    bool answered_ = false;
    KillConfirmation result_;
};

} // namespace cellaro::win32
