// The desktop port: monitors and the top-level windows of every application, as the program sees
// and moves them. Implemented over the Windows API (platform/win32) and by a simulated desktop
// (platform/sim) on which the whole program runs in tests.
#pragma once

#include "core/geometry.h"
#include "core/monitors.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cellaro {

class Bitmap;

// The show state that a window's placement reports.
enum class ShowState { Normal, Minimized, Maximized };

struct WindowPlacement {
    ShowState state = ShowState::Normal;
    Rect normal; // the restored ("normal") position, kept while minimised or maximised
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

// Show requests, named after the system's show commands they map to.
enum class ShowCommand {
    Hide,            // SW_HIDE
    ShowNormal,      // SW_SHOWNORMAL: activate, restore if minimised or maximised
    ShowMinimized,   // SW_SHOWMINIMIZED: activate and minimise
    ShowMaximized,   // SW_SHOWMAXIMIZED: activate and maximise
    ShowNoActivate,  // SW_SHOWNOACTIVATE: restore to the normal position without activating
    Show,            // SW_SHOW: make visible in the current state
    Minimize,        // SW_MINIMIZE: minimise and activate the next window
    ShowMinNoActive, // SW_SHOWMINNOACTIVE
    Restore,         // SW_RESTORE
};

// Where a z-order request puts a window.
enum class ZOrder { Top, Bottom, Topmost, NoTopmost };

// Style bits as the system defines them; only the ones the program tests.
namespace style {
inline constexpr std::uint32_t kMaximizeBox = 0x00010000U;
inline constexpr std::uint32_t kMinimizeBox = 0x00020000U;
inline constexpr std::uint32_t kThickFrame = 0x00040000U;
inline constexpr std::uint32_t kSysMenu = 0x00080000U;
inline constexpr std::uint32_t kCaption = 0x00C00000U;
inline constexpr std::uint32_t kVisible = 0x10000000U;
inline constexpr std::uint32_t kChild = 0x40000000U;
inline constexpr std::uint32_t kPopup = 0x80000000U;
} // namespace style

namespace exstyle {
inline constexpr std::uint32_t kTopmost = 0x00000008U;
inline constexpr std::uint32_t kToolWindow = 0x00000080U;
inline constexpr std::uint32_t kAppWindow = 0x00040000U;
inline constexpr std::uint32_t kLayered = 0x00080000U;
inline constexpr std::uint32_t kNoActivate = 0x08000000U;
} // namespace exstyle

// Every query answers for a window that has gone away with an empty or neutral value, and every
// request on it returns false: the program treats a vanished window as a silent no-op. Requests
// that need an answer from the window's own thread (close, icon) are bounded in time, so a hung
// window never stalls the caller.
class Desktop {
public:
    Desktop() = default;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;
    Desktop(Desktop&&) = delete;
    Desktop& operator=(Desktop&&) = delete;
    virtual ~Desktop() = default;

    // Monitors in the system's enumeration order.
    [[nodiscard]] virtual std::vector<Monitor> monitors() const = 0;

    [[nodiscard]] virtual WindowId foregroundWindow() const = 0;
    // The desktop window itself (the root of all top-level windows), which is the foreground window
    // while no application's window is.
    [[nodiscard]] virtual WindowId desktopWindow() const = 0;
    // Top-level windows, topmost first (z-order).
    [[nodiscard]] virtual std::vector<WindowId> topLevelWindows() const = 0;
    // The first top-level window whose title is exactly this text, or no window.
    [[nodiscard]] virtual WindowId findWindowByTitle(const std::string& title) const = 0;

    [[nodiscard]] virtual bool exists(WindowId window) const = 0;
    [[nodiscard]] virtual std::string title(WindowId window) const = 0; // UTF-8
    [[nodiscard]] virtual std::string className(WindowId window) const = 0;
    [[nodiscard]] virtual bool isVisible(WindowId window) const = 0;
    // Hidden by the system's compositor although the visible style bit is set.
    [[nodiscard]] virtual bool isCloaked(WindowId window) const = 0;
    [[nodiscard]] virtual bool isHung(WindowId window) const = 0;
    [[nodiscard]] virtual std::optional<WindowPlacement> placement(WindowId window) const = 0;
    // The window rectangle, including any invisible resize borders.
    [[nodiscard]] virtual std::optional<Rect> windowRect(WindowId window) const = 0;
    // What the user sees of the window; equals the window rectangle where the system draws no
    // invisible borders.
    [[nodiscard]] virtual std::optional<Rect> visibleFrameRect(WindowId window) const = 0;
    [[nodiscard]] virtual std::uint32_t styles(WindowId window) const = 0;
    [[nodiscard]] virtual std::uint32_t extendedStyles(WindowId window) const = 0;
    // The layered-window alpha, or nothing when the window is not layered with an alpha.
    [[nodiscard]] virtual std::optional<std::uint8_t> opacity(WindowId window) const = 0;
    [[nodiscard]] virtual std::uint32_t processId(WindowId window) const = 0;
    // Full path of the executable of the window's process, or empty when it can't be read.
    [[nodiscard]] virtual std::string executablePath(WindowId window) const = 0;

    virtual bool move(WindowId window, const Rect& bounds, bool repaint) = 0;
    virtual bool show(WindowId window, ShowCommand command) = 0;
    virtual bool setZOrder(WindowId window, ZOrder where) = 0;
    // Makes the window the foreground window, restoring it if minimised, with the thread-input
    // attachment and foreground-lock lifting that the system requires.
    virtual bool setForeground(WindowId window) = 0;
    // Makes the window layered with this alpha; nothing (std::nullopt) removes the layering. Never
    // waits long on another program's window: where the change needs the window's thread and it
    // does not answer within a short time, nothing changes and false is returned.
    virtual bool setOpacity(WindowId window, std::optional<std::uint8_t> alpha) = 0;
    // Asks the window to close (WM_CLOSE) and waits while the window handles the request, the
    // program's messages still running meanwhile; never waits on a window that does not answer.
    virtual bool requestClose(WindowId window) = 0;
    // The window's big icon (or its class icon) drawn at size x size over the background colour;
    // nothing when the window has none or does not answer in time.
    [[nodiscard]] virtual std::optional<Bitmap> bigIcon(WindowId window, int size,
                                                        Colour background) const = 0;
    // The first icon of an executable file drawn the same way.
    [[nodiscard]] virtual std::optional<Bitmap> fileIcon(const std::string& path, int size,
                                                         Colour background) const = 0;
    // Paints the picture straight onto the screen with its top-left corner at a screen point,
    // leaving out the pixels of the transparent colour. The next repaint of the windows there
    // wipes it. False when the screen can't be drawn on.
    virtual bool paintOnScreen(const Bitmap& picture, Point at, Colour transparent) = 0;
};

} // namespace cellaro
