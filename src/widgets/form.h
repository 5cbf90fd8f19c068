// A form: one top-level window of the program with its widget tree. It owns the native window,
// routes the window's input to the widgets, paints them through the canvas, and offers the
// window-level operations (show, close, move, opacity) that the program's forms build on.
#pragma once

#include "core/scale.h"
#include "platform/form_host.h"
#include "widgets/widget.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cellaro {

class Form : public NativeWindowEvents {
public:
    // Creates the native window hidden, with the form's name as the root widget's name.
    Form(FormHost& host, std::string name, const NativeWindowStyle& style);
    ~Form() override;

    [[nodiscard]] const std::string& name() const { return root_.name(); }
    [[nodiscard]] Widget& root() { return root_; }
    [[nodiscard]] const Widget& root() const { return root_; }
    [[nodiscard]] Widget* find(std::string_view name) { return root_.find(name); }
    [[nodiscard]] NativeWindow& window() { return *window_; }
    [[nodiscard]] const NativeWindow& window() const { return *window_; }
    [[nodiscard]] WindowId id() const { return window_->id(); }
    [[nodiscard]] FormHost& host() { return host_; }

    // Window geometry in physical screen pixels; the widget tree is laid out in device-independent
    // pixels and shown at the scale of the window's monitor.
    [[nodiscard]] Rect bounds() const { return window_->bounds(); }
    [[nodiscard]] Scale scale() const { return Scale{window_->dpi()}; }
    void setBounds(const Rect& bounds);
    void setLeft(int left);
    void setTop(int top);
    void setSize(Size size);

    [[nodiscard]] bool visible() const { return window_->visible(); }
    // Shows the window. A hidden form runs shown() first, as the framework's show event runs before
    // the window appears; activation (and activated()) follows from the host. A visible form is
    // only brought forward (and activated when asked).
    void show(bool activate = true);
    // Hides the window without asking closeQuery.
    void hide();
    // Closing a form only hides it: closeQuery() may refuse; otherwise the window is hidden and then
    // closed() runs.
    void close();
    void setAlpha(std::optional<std::uint8_t> alpha);
    [[nodiscard]] std::optional<std::uint8_t> alpha() const { return alpha_; }
    [[nodiscard]] bool active() const { return active_; }

    // The widget under the pointer, the one the button went down on (kept while captured).
    [[nodiscard]] Widget* hovered() const { return hovered_; }
    [[nodiscard]] Widget* pressed() const { return pressed_; }
    // A point of a widget of this form (in the widget's own device-independent pixels) on the
    // screen, in physical pixels.
    [[nodiscard]] Point screenPoint(const Widget& widget, Point at) const;
    // The deepest showing widget under a client point (disabled ones included), or null.
    [[nodiscard]] Widget* widgetAt(Point at);

    // The widget with the keyboard focus, or null. Keys go to it first; what it leaves goes to
    // keyDown. Tab and Shift+Tab move the focus, and a left press on a widget that takes the
    // focus (or on a part of one) gives it the focus.
    [[nodiscard]] Widget* focused() const { return focused_; }
    // Gives the focus to the widget when it can take it (Widget::canTakeFocus), or takes it from
    // every widget with null. True when the widget has the focus afterwards (for null: true).
    bool setFocus(Widget* widget);
    // Moves the focus to the next widget that can take it in tree order (the previous one when
    // backwards), wrapping at the ends; with no focus, to the first (last). False when no widget
    // can take it.
    bool focusNext(bool backwards = false);
    // The focus cue of a button or box shows once the keyboard has been used in the window since
    // it was shown (a click alone leaves no dotted outline behind).
    [[nodiscard]] bool keyboardCues() const { return keyboardCues_; }

    // Repaints; called by widgets whose state changed.
    void invalidate();

    // Called each time the form becomes the active window, before the form's own activated().
    std::function<void()> onActivation;

    // NativeWindowEvents
    void onPaint(Canvas& canvas) override;
    void onMouseDown(Point at, MouseButton button) override;
    void onMouseMove(Point at) override;
    void onMouseUp(Point at, MouseButton button) override;
    void onDoubleClick(Point at, MouseButton button) override;
    void onMouseLeave() override;
    void onMouseWheel(Point at, int delta) override;
    // Tab and Shift+Tab (without Ctrl or Alt) move the focus; other keys go to the focused widget,
    // then, if unused and pressed without Alt, to keyDown.
    bool onKeyDown(int virtualKey, KeyModifiers modifiers) override;
    void onActivate(bool active) override;
    void onBoundsChanged(const Rect& bounds) override;
    void onCloseRequest() override;
    void onDpiChanged(int dpi, const Rect& suggested) override;
    [[nodiscard]] std::string hintAt(Point at) const override;
    [[nodiscard]] std::vector<AccessibleItem> accessibleItems() const override;

protected:
    // Hooks for the program's forms.
    virtual void shown() {}
    virtual bool closeQuery() { return true; }
    virtual void closed() {}
    virtual void activated() {}
    virtual void deactivated() {}
    virtual void moved(const Rect& /*bounds*/) {}
    virtual void keyDown(int /*virtualKey*/, KeyModifiers /*modifiers*/) {}
    // The window is now shown at another scale (it has already taken its new size): pictures made
    // for the old one are made again.
    virtual void scaleChanged() {}
    // The bounds the window takes when it comes onto a monitor of another scale: the system's
    // suggestion (the same size in device-independent pixels). A window that covers a given screen
    // area whatever the scale (a layer over a monitor, the preview of a placement) keeps its own.
    [[nodiscard]] virtual Rect boundsAtNewScale(const Rect& suggested) const { return suggested; }

private:
    friend class Widget;
    // Keeps widgets removed during event routing alive until the routing is over.
    class RoutingScope;

    void setHovered(Widget* widget);
    // The showing widgets that tell assistive technology of themselves, in tree order.
    [[nodiscard]] std::vector<const Widget*> accessibleWidgets() const;
    // A left press on the widget: it, or the nearest ancestor that takes the focus, gets it.
    void focusOnPress(Widget& target);
    // Paints a widget and its children; visible is the part of the client area (in form
    // coordinates) that the widget's ancestors leave showing: children wholly outside it are skipped.
    void paintTree(Canvas& canvas, const Widget& widget, Point origin, const Rect& visible);
    // Called by Widget::removeChild before the subtree goes away.
    void dispose(std::unique_ptr<Widget> subtree);
    static Point toLocal(const Widget& widget, Point formPoint);

    FormHost& host_;
    Widget root_;
    std::unique_ptr<NativeWindow> window_;
    std::optional<std::uint8_t> alpha_;
    Widget* hovered_ = nullptr;
    Widget* pressed_ = nullptr;
    Widget* focused_ = nullptr;
    MouseButton captureButton_ = MouseButton::Left;
    bool pressIsDoubleClick_ = false; // the press was a double click: its release is no click
    bool active_ = false;
    bool keyboardCues_ = false;
    int routingDepth_ = 0;
    std::vector<std::unique_ptr<Widget>> disposed_;
};

} // namespace cellaro
