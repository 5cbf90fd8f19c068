// The retained widget tree from which every form is built: each widget holds its state (bounds,
// visibility, caption, hint, tag, colours) and raises events; hit-testing and event routing are
// platform-neutral, and painting goes through a Canvas.
#pragma once

#include "core/geometry.h"
#include "pixels/canvas.h"
#include "platform/form_host.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cellaro {

class Form;

class Widget {
public:
    explicit Widget(std::string name);
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;
    Widget(Widget&&) = delete;
    Widget& operator=(Widget&&) = delete;
    virtual ~Widget();

    // Creates a child, owned by this widget, painted above the earlier children.
    template <typename T, typename... Args> T& add(Args&&... args) {
        auto child = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *child;
        adopt(std::move(child));
        return ref;
    }

    [[nodiscard]] const std::string& name() const { return name_; }
    [[nodiscard]] Widget* parent() const { return parent_; }
    [[nodiscard]] const std::vector<std::unique_ptr<Widget>>& children() const { return children_; }
    // The widget of this name in the subtree (this one included), or null.
    [[nodiscard]] Widget* find(std::string_view name);
    // Typed lookup: the widget of this name when it is a T, or null.
    template <typename T> [[nodiscard]] T* findAs(std::string_view name) {
        return dynamic_cast<T*>(find(name));
    }
    [[nodiscard]] const Widget* find(std::string_view name) const;
    // The form whose tree holds this widget, or null while detached.
    [[nodiscard]] Form* form() const;
    // Destroys a child and its subtree. The form forgets it first (hover, capture), and while the
    // form is routing an event the objects live on until the event has been handled, so a handler
    // may remove the row its own button sits on. A widget that is not a child is left alone.
    void removeChild(Widget& child);
    // Moves a child with its subtree under another widget (above its children), keeping its
    // bounds; false when it is not a child of this one or the new parent lies in its subtree.
    bool moveChild(Widget& child, Widget& newParent);
    void clearChildren();
    // Whether the other widget is this one or lies in its subtree.
    [[nodiscard]] bool contains(const Widget& other) const;

    // Bounds relative to the parent's client area.
    [[nodiscard]] const Rect& bounds() const { return bounds_; }
    void setBounds(const Rect& bounds);
    // Bounds in the form's client coordinates.
    [[nodiscard]] Rect formBounds() const;
    [[nodiscard]] bool visible() const { return visible_; }
    void setVisible(bool visible);
    // Visible itself and every ancestor visible.
    [[nodiscard]] bool showing() const;
    [[nodiscard]] bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // Enabled itself and every ancestor enabled: only such widgets receive input.
    [[nodiscard]] bool enabledInTree() const;
    [[nodiscard]] const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    [[nodiscard]] const std::string& hint() const { return hint_; }
    void setHint(std::string hint);
    [[nodiscard]] int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    [[nodiscard]] Colour colour() const { return colour_; }
    void setColour(Colour colour);
    [[nodiscard]] const Font& font() const { return font_; }
    void setFont(const Font& font);
    // The colour of the widget's text (black until set).
    [[nodiscard]] Colour fontColour() const { return fontColour_; }
    void setFontColour(Colour colour);

    // The deepest showing widget under a point given in this widget's parent coordinates, or null.
    [[nodiscard]] Widget* hitTest(Point inParent);
    [[nodiscard]] const Widget* hitTest(Point inParent) const;

    // Asks the form to repaint.
    void invalidate() const;

    // Events, raised by the form's routing (points are in this widget's own coordinates).
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    std::function<void(Point, MouseButton)> onMouseDown;
    std::function<void(Point)> onMouseMove;
    std::function<void(Point, MouseButton)> onMouseUp;
    std::function<void()> onMouseEnter;
    std::function<void()> onMouseLeave;
    // The mouse wheel (delta 120 per notch, positive away from the user); true when handled, else
    // the wheel goes on to the parent.
    std::function<bool(Point, int)> onMouseWheel;
    // A key for the focused widget; true when handled.
    std::function<bool(int, KeyModifiers)> onKeyDown;
    // The widget gained or lost the keyboard focus.
    std::function<void()> onFocusEnter;
    std::function<void()> onFocusLeave;

    // Keyboard focus. Widgets that take it (editors, sliders, and the buttons, boxes and links a
    // form makes tab stops) answer true; Tab moves between them in tree order and a click on one
    // focuses it. A tab stop's Enter and Space click it.
    [[nodiscard]] virtual bool acceptsFocus() const { return tabStop_; }
    void setTabStop(bool tabStop) { tabStop_ = tabStop; }
    [[nodiscard]] bool tabStop() const { return tabStop_; }

    // What a screen reader is told of the widget: its role (None: nothing, it is not one a user
    // acts on), its name (the caption, else the hint), its value and whether it is checked.
    [[nodiscard]] virtual AccessibleRole accessibleRole() const { return accessibleRole_; }
    void setAccessibleRole(AccessibleRole role) { accessibleRole_ = role; }
    [[nodiscard]] virtual std::string accessibleName() const {
        if (!accessibleName_.empty()) {
            return accessibleName_;
        }
        return caption().empty() ? hint() : caption();
    }
    void setAccessibleName(std::string name) { accessibleName_ = std::move(name); }
    [[nodiscard]] virtual std::string accessibleValue() const { return {}; }
    [[nodiscard]] virtual bool accessibleChecked() const { return false; }
    // A tab stop shows its focus cue: it has the focus and the keyboard has been used in its window.
    [[nodiscard]] bool showsFocusCue() const;
    // Takes focus now: accepts it, is showing and is enabled in the tree.
    [[nodiscard]] bool canTakeFocus() const;
    [[nodiscard]] bool focused() const;
    // Asks the form for the keyboard focus; true when this widget has it afterwards.
    bool focus();

    // Routing entry points; widgets with their own behaviour (buttons, drag panels, check boxes)
    // override them and call the base to raise the events.
    virtual void mouseDown(Point at, MouseButton button);
    virtual void mouseMove(Point at);
    virtual void mouseUp(Point at, MouseButton button);
    virtual void mouseEnter();
    virtual void mouseLeave();
    virtual void doubleClick(Point at, MouseButton button);
    // The wheel turned over this widget or one of its children that left it unhandled: true when
    // it was handled here. The base raises onMouseWheel.
    virtual bool mouseWheel(Point at, int delta);
    // A click: left button down and up over the same enabled widget.
    virtual void click();
    // A key went down while this widget has the keyboard focus: true when it was used here, else
    // the form's own key handling gets it. The base raises onKeyDown.
    virtual bool keyDown(int virtualKey, KeyModifiers modifiers);
    // Widgets that answer false (buttons, check boxes) get the second press of a double click as
    // an ordinary press, so a quick double click on them counts as two clicks.
    [[nodiscard]] virtual bool acceptsDoubleClicks() const { return true; }

    // Paints this widget's own content in its own coordinates (0, 0 is its top-left corner).
    virtual void paint(Canvas& canvas) const;

protected:
    // Called after setBounds changed the size (pages follow their notebook, for example).
    virtual void resized() {}
    // The keyboard focus came to this widget or left it; the base repaints and raises
    // onFocusEnter / onFocusLeave.
    virtual void focusEnter();
    virtual void focusLeave();
    // The system's focus rectangle: a dotted outline just inside the area.
    static void paintFocusRectangle(Canvas& canvas, const Rect& area, Colour colour);

private:
    friend class Form;
    void adopt(std::unique_ptr<Widget> child);

    std::string name_;
    Widget* parent_ = nullptr;
    Form* form_ = nullptr; // set on the root by its form
    std::vector<std::unique_ptr<Widget>> children_;
    Rect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = false;
    AccessibleRole accessibleRole_ = AccessibleRole::None;
    std::string accessibleName_;
    std::string caption_;
    std::string hint_;
    int tag_ = 0;
    Colour colour_ = Colour::rgb(0xF0, 0xF0, 0xF0);
    Font font_;
    Colour fontColour_{};
};

} // namespace cellaro
