// The simulated form host: every form window is also a window on the simulated desktop (so the
// program's tracking sees its own windows as it would on Windows), and tests drive the forms with
// the pointer and the keyboard and render them into bitmaps.
#pragma once

#include "pixels/bitmap.h"
#include "pixels/bitmap_canvas.h"
#include "platform/form_host.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_event_loop.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cellaro {}

namespace cellaro::sim {

class SimNativeWindow;

// Behaviour:
// - A window is created on the desktop hidden, with the style's title and bounds, the class name
//   kFormClassName, the host's process id and executable path, the popup style, and the extended
//   styles tool window (or app window), topmost, no-activate and layered (with the alpha) as the
//   style asks. The windows belong to the program's thread (WindowOptions::programThread), so
//   moves and shows of them through the desktop port take effect during the call. Later changes to
//   bounds, visibility, title, topmost and alpha are carried to the desktop through its driving
//   calls, so they don't appear in its call log of the program's requests on other windows.
// - show(activate) of a window that may take the focus makes it the desktop's foreground window;
//   hide() passes the foreground on as the desktop does.
// - Activation: the host remembers which of its windows is active and, whenever the desktop's
//   foreground changes, tells the old one onActivate(false) and the new one (when it is a form
//   window) onActivate(true). It checks after each of its own show and hide calls and at the start
//   of every driving call below; after the test itself changes the desktop's foreground
//   (SimDesktop::activate), call syncActivation() or use activateByUser().
// - Destroying a window (its form goes away) raises no activation events.
class SimFormHost final : public FormHost {
public:
    static constexpr std::uint32_t kDefaultProcessId = 4242;
    static constexpr std::string_view kFormClassName = "CellaroForm";

    SimFormHost(SimDesktop& desktop, SimEventLoop& loop);
    SimFormHost(const SimFormHost&) = delete;
    SimFormHost& operator=(const SimFormHost&) = delete;
    SimFormHost(SimFormHost&&) = delete;
    SimFormHost& operator=(SimFormHost&&) = delete;
    ~SimFormHost() override;

    // ----- Setting up -----

    // The process id and executable path given to windows created from now on.
    void setProcess(std::uint32_t processId, std::string executablePath);
    [[nodiscard]] std::uint32_t processId() const { return processId_; }
    [[nodiscard]] SimDesktop& desktop() { return desktop_; }
    [[nodiscard]] SimEventLoop& loop() { return loop_; }

    // ----- Driving (what the user does) -----

    // Tells the form windows about a change of the desktop's foreground window.
    void syncActivation();
    // The user clicks another window (or, with kNoWindow, the empty desktop).
    bool activateByUser(WindowId window);
    // Where the pointer is, in screen pixels; the pointer helpers below move it too.
    void setCursorPosition(Point screen) { cursor_ = screen; }
    // A left click at a point of the form's client area: pointer moved there, pressed and released.
    void click(NativeWindowEvents& form, Point client);
    // A double click as the system delivers it: down, up, double click, up.
    void doubleClick(NativeWindowEvents& form, Point client);
    // Pointer input at a point of the form's client area (the cursor moves there first). A press
    // on a window that may take the focus activates it first, as a click does.
    void pointerMove(NativeWindowEvents& form, Point client);
    void pointerDown(NativeWindowEvents& form, Point client, MouseButton button = MouseButton::Left);
    void pointerUp(NativeWindowEvents& form, Point client, MouseButton button = MouseButton::Left);
    void pointerDoubleClick(NativeWindowEvents& form, Point client, MouseButton button = MouseButton::Left);
    // The mouse wheel turns by delta (120 a notch, positive away from the user) with the pointer
    // at a point of the form's client area (the cursor moves there first, without a move event).
    void wheel(NativeWindowEvents& form, Point client, int delta);
    // The pointer leaves the form's window.
    void pointerLeave(NativeWindowEvents& form);
    // Moves the cursor to a screen point: the window holding the mouse capture, or else the
    // topmost visible form window under the point, gets the move; a form the pointer left gets
    // onMouseLeave.
    void moveCursor(Point screen);
    // A key pressed with the modifiers held; what the form answered (whether it used the key).
    bool pressKey(NativeWindowEvents& form, int virtualKey, KeyModifiers modifiers = {});
    // The system asks the form to close (Alt+F4, WM_CLOSE).
    void requestClose(NativeWindowEvents& form);

    // Renders the form's client area as it would appear (texts are not rasterised).
    [[nodiscard]] Bitmap paint(NativeWindowEvents& form);
    // Renders the form and returns the texts it drew.
    [[nodiscard]] std::vector<DrawnText> paintTexts(NativeWindowEvents& form);

    // ----- Inspecting -----

    [[nodiscard]] Point cursorPosition() const override { return cursor_; }
    // The hint style last set, if any.
    [[nodiscard]] const std::optional<HintStyle>& hintStyle() const { return hintStyle_; }
    [[nodiscard]] bool quitRequested() const { return exitCode_.has_value(); }
    [[nodiscard]] std::optional<int> exitCode() const { return exitCode_; }
    // The form window that is active now, or no window.
    [[nodiscard]] WindowId activeWindow() const { return active_; }
    // The window that holds the mouse capture, or no window.
    [[nodiscard]] WindowId captureWindow() const { return capture_; }
    [[nodiscard]] std::size_t windowCount() const { return windows_.size(); }
    // Per window (0 for an unknown one): repaint requests, immediate paints, hint refreshes.
    [[nodiscard]] std::size_t invalidateCount(WindowId window) const;
    // The focus events the window gave assistive technology, in order (item indices, -1 for none).
    [[nodiscard]] std::vector<int> focusEvents(WindowId window) const;
    [[nodiscard]] std::size_t updateCount(WindowId window) const;
    [[nodiscard]] std::size_t hintRefreshCount(WindowId window) const;
    [[nodiscard]] Size roundedCorners(WindowId window) const;
    // The hint of the point the pointer last moved to on a form, as the host would show it.
    [[nodiscard]] const std::string& currentHint() const { return currentHint_; }

    // ----- The form-host port -----

    std::unique_ptr<NativeWindow> createWindow(const NativeWindowStyle& style,
                                               NativeWindowEvents& events) override;
    void setHintStyle(const HintStyle& style) override { hintStyle_ = style; }
    // The approximation of canvases without fonts (approximateTextSize).
    [[nodiscard]] Size measureText(std::string_view utf8, const Font& font) override {
        return approximateTextSize(utf8, font);
    }
    void quit(int exitCode) override { exitCode_ = exitCode; }

private:
    friend class SimNativeWindow;

    [[nodiscard]] SimNativeWindow* lookup(WindowId window) const;
    void forget(SimNativeWindow& window);
    void setCapture(WindowId window, bool captured);
    // The host's window of a form's events; every driven form must have a window.
    [[nodiscard]] SimNativeWindow& windowOf(const NativeWindowEvents& form) const;
    void moveCursorTo(NativeWindowEvents& form, Point client);
    void activateOnPress(NativeWindowEvents& form);

    SimDesktop& desktop_;
    SimEventLoop& loop_;
    std::uint32_t processId_ = kDefaultProcessId;
    std::string executablePath_ = "C:\\Program Files\\Cellaro\\cellaro.exe";
    std::map<std::uintptr_t, SimNativeWindow*> windows_;
    WindowId active_;
    WindowId capture_;
    WindowId pointerOver_; // the form window that last got a pointer move
    Point cursor_;
    std::optional<HintStyle> hintStyle_;
    std::optional<int> exitCode_;
    std::string currentHint_;
};

} // namespace cellaro::sim
