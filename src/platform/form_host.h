// The form-host port: native top-level windows for the program's own forms. A form describes the
// window it wants and receives its input and paint requests through NativeWindowEvents.
#pragma once

#include "core/geometry.h"
#include "platform/virtual_keys.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cellaro {

class Canvas;
struct Font;

enum class MouseButton { Left, Right, Middle };

// What a screen reader is told a widget is.
enum class AccessibleRole {
    None,
    PushButton,
    CheckBox,
    Slider,
    SpinBox,
    HotKeyField,
    Link,
    ListItem,
    CellGrid,
    Text
};

// One widget of a form that a user acts on, as assistive technology is told of it.
struct AccessibleItem {
    std::string name;
    AccessibleRole role = AccessibleRole::None;
    // In the window's client area, physical pixels.
    Rect bounds;
    bool focusable = false;
    bool focused = false;
    bool checked = false;
    bool disabled = false;
    // The value of a slider, spin box or field, as text.
    std::string value;
};

struct NativeWindowStyle {
    std::string title = "Cellaro";
    Rect bounds;
    bool topmost = false;
    bool toolWindow = true;            // no task-bar button
    bool noActivate = false;           // never takes the focus when shown or clicked
    std::optional<std::uint8_t> alpha; // layered with this opacity; nothing: not layered
    Size roundedCorners;               // corner ellipse of the window region; 0 x 0: rectangular
};

// Implemented by a form; every call comes on the user-interface thread. Points are client pixels.
class NativeWindowEvents {
public:
    NativeWindowEvents() = default;
    NativeWindowEvents(const NativeWindowEvents&) = delete;
    NativeWindowEvents& operator=(const NativeWindowEvents&) = delete;
    NativeWindowEvents(NativeWindowEvents&&) = delete;
    NativeWindowEvents& operator=(NativeWindowEvents&&) = delete;
    virtual ~NativeWindowEvents() = default;

    virtual void onPaint(Canvas& canvas) = 0;
    virtual void onMouseDown(Point at, MouseButton button) = 0;
    virtual void onMouseMove(Point at) = 0;
    virtual void onMouseUp(Point at, MouseButton button) = 0;
    virtual void onDoubleClick(Point at, MouseButton button) = 0;
    virtual void onMouseLeave() = 0;
    // A turn of the mouse wheel over the window: delta in wheel units, 120 to a notch, positive
    // when the wheel turns away from the user.
    virtual void onMouseWheel(Point at, int delta) = 0;
    // A key went down (WM_KEYDOWN, and WM_SYSKEYDOWN for keys pressed with Alt, and F10) with the
    // modifiers held at the time. True when the form used it; a key pressed with Alt that the form
    // leaves is left to the system, so Alt+F4 still closes the window.
    virtual bool onKeyDown(int virtualKey, KeyModifiers modifiers) = 0;
    virtual void onActivate(bool active) = 0;
    // The window moved or was resized (WM_MOVE / WM_SIZE), by the program or the user.
    virtual void onBoundsChanged(const Rect& bounds) = 0;
    // The system or the user asked the window to close (WM_CLOSE, Alt+F4).
    virtual void onCloseRequest() = 0;
    // The window went onto a monitor of another scale (WM_DPICHANGED): the system suggests the
    // physical rectangle the window should take there.
    virtual void onDpiChanged(int dpi, const Rect& suggested) = 0;
    // The hint (tooltip) text for a point, empty for none; the host shows it with its delay.
    [[nodiscard]] virtual std::string hintAt(Point at) const = 0;
    // The form's widgets a user acts on, in tree order, for assistive technology (asked when it
    // asks the window).
    [[nodiscard]] virtual std::vector<AccessibleItem> accessibleItems() const = 0;
};

class NativeWindow {
public:
    NativeWindow() = default;
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;
    NativeWindow(NativeWindow&&) = delete;
    NativeWindow& operator=(NativeWindow&&) = delete;
    virtual ~NativeWindow() = default;

    // The window as the desktop port knows it (its handle on Windows).
    [[nodiscard]] virtual WindowId id() const = 0;
    // In physical screen pixels.
    [[nodiscard]] virtual Rect bounds() const = 0;
    // The dots per inch the window is shown at: its monitor's.
    [[nodiscard]] virtual int dpi() const = 0;
    virtual void setBounds(const Rect& bounds) = 0;
    [[nodiscard]] virtual bool visible() const = 0;
    virtual void show(bool activate) = 0;
    virtual void hide() = 0;
    virtual void setAlpha(std::optional<std::uint8_t> alpha) = 0;
    virtual void setRoundedCorners(Size corners) = 0;
    virtual void setTopmost(bool topmost) = 0;
    virtual void setTitle(const std::string& title) = 0;
    // Schedules a repaint of the whole client area.
    virtual void invalidate() = 0;
    // Paints now (used before blocking waits, so the user sees the new state).
    virtual void update() = 0;
    virtual void setMouseCapture(bool captured) = 0;
    // A changed hint under the pointer: hides the shown hint so the new one can appear.
    virtual void refreshHint() = 0;
    // The keyboard focus moved to the item of accessibleItems() with this index (-1: to none):
    // assistive technology is told.
    virtual void focusMoved(int item) = 0;
};

// Application-wide hint (tooltip) appearance.
struct HintStyle {
    Colour background = Colour::rgb(0xFF, 0xFF, 0xE1);
    int delayMs = 500;
    int displayMs = 5000;
};

class FormHost {
public:
    FormHost() = default;
    FormHost(const FormHost&) = delete;
    FormHost& operator=(const FormHost&) = delete;
    FormHost(FormHost&&) = delete;
    FormHost& operator=(FormHost&&) = delete;
    virtual ~FormHost() = default;

    // Creates the window hidden. The events object must outlive the window.
    virtual std::unique_ptr<NativeWindow> createWindow(const NativeWindowStyle& style,
                                                       NativeWindowEvents& events) = 0;
    [[nodiscard]] virtual Point cursorPosition() const = 0;
    virtual void setHintStyle(const HintStyle& style) = 0;
    // The size of a text in a font as the forms' windows draw it, for forms that size themselves
    // to their text outside painting.
    [[nodiscard]] virtual Size measureText(std::string_view utf8, const Font& font) = 0;
    // Ends the message loop once the current message has been handled.
    virtual void quit(int exitCode) = 0;
};

} // namespace cellaro
