// The desktop port over the Windows API: monitors and other programs' top-level windows.
#pragma once

#include "platform/desktop.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_handles.h"

#include <windows.h>

#include <list>
#include <memory>

namespace cellaro::win32 {

class Win32Desktop final : public Desktop {
public:
    Win32Desktop();
    ~Win32Desktop() override = default;

    [[nodiscard]] std::vector<Monitor> monitors() const override;

    [[nodiscard]] WindowId foregroundWindow() const override;
    [[nodiscard]] WindowId desktopWindow() const override;
    [[nodiscard]] std::vector<WindowId> topLevelWindows() const override;
    [[nodiscard]] WindowId findWindowByTitle(const std::string& title) const override;

    [[nodiscard]] bool exists(WindowId window) const override;
    [[nodiscard]] std::string title(WindowId window) const override;
    [[nodiscard]] std::string className(WindowId window) const override;
    [[nodiscard]] bool isVisible(WindowId window) const override;
    [[nodiscard]] bool isCloaked(WindowId window) const override;
    [[nodiscard]] bool isHung(WindowId window) const override;
    [[nodiscard]] std::optional<WindowPlacement> placement(WindowId window) const override;
    [[nodiscard]] std::optional<Rect> windowRect(WindowId window) const override;
    [[nodiscard]] std::optional<Rect> visibleFrameRect(WindowId window) const override;
    [[nodiscard]] std::uint32_t styles(WindowId window) const override;
    [[nodiscard]] std::uint32_t extendedStyles(WindowId window) const override;
    [[nodiscard]] std::optional<std::uint8_t> opacity(WindowId window) const override;
    [[nodiscard]] std::uint32_t processId(WindowId window) const override;
    [[nodiscard]] std::string executablePath(WindowId window) const override;

    bool move(WindowId window, const Rect& bounds, bool repaint) override;
    bool show(WindowId window, ShowCommand command) override;
    bool setZOrder(WindowId window, ZOrder where) override;
    bool setForeground(WindowId window) override;
    bool setOpacity(WindowId window, std::optional<std::uint8_t> alpha) override;
    bool requestClose(WindowId window) override;
    [[nodiscard]] std::optional<Bitmap> bigIcon(WindowId window, int size, Colour background) const override;
    bool paintOnScreen(const Bitmap& picture, Point at, Colour transparent) override;
    [[nodiscard]] std::optional<Bitmap> fileIcon(const std::string& path, int size,
                                                 Colour background) const override;

private:
    // A close request sent to another thread's window, answered when that window has handled it.
    struct PendingClose {
        Win32Desktop* owner;
        bool answered = false;
        bool abandoned = false;
    };
    // SendMessageCallback's callback: runs on this thread while it takes its messages.
    static void CALLBACK closeHandled(HWND window, UINT message, ULONG_PTR data, LRESULT result);
    // Waits, taking this thread's messages, until the request is answered, the window is gone, or it
    // stops answering; false when it was abandoned.
    bool waitForClose(HWND window, PendingClose& request);

    using DwmGetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

    // DwmGetWindowAttribute, false when the compositor is absent (no dwmapi.dll, as under Wine) or
    // refuses.
    bool compositorAttribute(HWND window, DWORD attribute, void* value, DWORD size) const;

    ScopedLibrary dwmLibrary_;
    DwmGetWindowAttributeFunction dwmGetWindowAttribute_ = nullptr;
    DpiQueries dpi_;

    // The monitor layout last read, and when (GetTickCount64; 0 before the first reading).
    static constexpr ULONGLONG kMonitorReuseMs = 1000;
    mutable std::vector<Monitor> monitors_;
    mutable ULONGLONG monitorsReadAt_ = 0;
    // Close requests still in flight, kept until the window answers (an abandoned one too).
    std::list<std::unique_ptr<PendingClose>> pendingCloses_;
};

// Conversions between the program's geometry and the system's, exposed for the adapter's forms.
[[nodiscard]] inline Rect toRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}
[[nodiscard]] inline HWND toHandle(WindowId window) {
    return reinterpret_cast<HWND>(window.value);
}
[[nodiscard]] inline WindowId toWindowId(HWND window) {
    return WindowId{reinterpret_cast<std::uintptr_t>(window)};
}

} // namespace cellaro::win32
