// The widget tree: state, lookup, hit-testing and the default event raising.
#include "widgets/widget.h"

#include "widgets/form.h"

#include <algorithm>
#include <utility>

namespace cellaro {

Widget::Widget(std::string name) : name_(std::move(name)) {}

Widget::~Widget() = default;

void Widget::adopt(std::unique_ptr<Widget> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
    invalidate();
}

Widget* Widget::find(std::string_view name) {
    if (name_ == name) {
        return this;
    }
    for (const auto& child : children_) {
        if (Widget* found = child->find(name)) {
            return found;
        }
    }
    return nullptr;
}

const Widget* Widget::find(std::string_view name) const {
    if (name_ == name) {
        return this;
    }
    for (const auto& child : children_) {
        if (const Widget* found = std::as_const(*child).find(name)) {
            return found;
        }
    }
    return nullptr;
}

Form* Widget::form() const {
    const Widget* widget = this;
    while (widget->parent_ != nullptr) {
        widget = widget->parent_;
    }
    return widget->form_;
}

bool Widget::contains(const Widget& other) const {
    for (const Widget* widget = &other; widget != nullptr; widget = widget->parent_) {
        if (widget == this) {
            return true;
        }
    }
    return false;
}

bool Widget::moveChild(Widget& child, Widget& newParent) {
    const auto position =
        std::find_if(children_.begin(), children_.end(),
                     [&child](const std::unique_ptr<Widget>& held) { return held.get() == &child; });
    if (position == children_.end() || child.contains(newParent)) {
        return false;
    }
    invalidate();
    std::unique_ptr<Widget> moved = std::move(*position);
    children_.erase(position);
    moved->parent_ = nullptr;
    newParent.adopt(std::move(moved));
    newParent.invalidate();
    return true;
}

void Widget::removeChild(Widget& child) {
    const auto position =
        std::find_if(children_.begin(), children_.end(),
                     [&child](const std::unique_ptr<Widget>& held) { return held.get() == &child; });
    if (position == children_.end()) {
        return;
    }
    invalidate();
    std::unique_ptr<Widget> removed = std::move(*position);
    children_.erase(position);
    Form* owner = form();
    removed->parent_ = nullptr;
    if (owner != nullptr) {
        owner->dispose(std::move(removed));
    }
}

void Widget::clearChildren() {
    while (!children_.empty()) {
        removeChild(*children_.back());
    }
}

void Widget::setBounds(const Rect& bounds) {
    if (bounds == bounds_) {
        return;
    }
    invalidate();
    const bool sizeChanged = bounds.width() != bounds_.width() || bounds.height() != bounds_.height();
    bounds_ = bounds;
    if (sizeChanged) {
        resized();
    }
    invalidate();
}

Rect Widget::formBounds() const {
    Rect result = bounds_;
    for (const Widget* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->parent_) {
        result = result.offset(ancestor->bounds_.left, ancestor->bounds_.top);
    }
    return result;
}

void Widget::setVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        invalidate();
    }
}

bool Widget::showing() const {
    for (const Widget* widget = this; widget != nullptr; widget = widget->parent_) {
        if (!widget->visible_) {
            return false;
        }
    }
    return true;
}

void Widget::setEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        invalidate();
    }
}

bool Widget::enabledInTree() const {
    for (const Widget* widget = this; widget != nullptr; widget = widget->parent_) {
        if (!widget->enabled_) {
            return false;
        }
    }
    return true;
}

void Widget::setCaption(std::string caption) {
    if (caption != caption_) {
        caption_ = std::move(caption);
        invalidate();
    }
}

void Widget::setHint(std::string hint) {
    if (hint == hint_) {
        return;
    }
    hint_ = std::move(hint);
    // A hint shown for this widget is out of date: let the host show the new one.
    if (Form* owner = form();
        owner != nullptr && owner->hovered() != nullptr && contains(*owner->hovered())) {
        owner->window().refreshHint();
    }
}

void Widget::setColour(Colour colour) {
    if (colour != colour_) {
        colour_ = colour;
        invalidate();
    }
}

void Widget::setFont(const Font& font) {
    if (!(font == font_)) {
        font_ = font;
        invalidate();
    }
}

void Widget::setFontColour(Colour colour) {
    if (colour != fontColour_) {
        fontColour_ = colour;
        invalidate();
    }
}

Widget* Widget::hitTest(Point inParent) {
    const Widget* hit = std::as_const(*this).hitTest(inParent);
    // The tree is this widget's own: handing out its parts without const is safe.
    return const_cast<Widget*>(hit); // NOLINT(cppcoreguidelines-pro-type-const-cast)
}

const Widget* Widget::hitTest(Point inParent) const {
    if (!visible_ || !bounds_.contains(inParent)) {
        return nullptr;
    }
    const Point local{inParent.x - bounds_.left, inParent.y - bounds_.top};
    // Later children are painted above the earlier ones, so they are hit first.
    for (auto child = children_.rbegin(); child != children_.rend(); ++child) {
        if (const Widget* hit = std::as_const(**child).hitTest(local)) {
            return hit;
        }
    }
    return this;
}

void Widget::invalidate() const {
    if (Form* owner = form()) {
        owner->invalidate();
    }
}

void Widget::mouseDown(Point at, MouseButton button) {
    if (onMouseDown) {
        onMouseDown(at, button);
    }
}

void Widget::mouseMove(Point at) {
    if (onMouseMove) {
        onMouseMove(at);
    }
}

void Widget::mouseUp(Point at, MouseButton button) {
    if (onMouseUp) {
        onMouseUp(at, button);
    }
}

void Widget::mouseEnter() {
    if (onMouseEnter) {
        onMouseEnter();
    }
}

void Widget::mouseLeave() {
    if (onMouseLeave) {
        onMouseLeave();
    }
}

void Widget::doubleClick(Point /*at*/, MouseButton /*button*/) {
    if (onDoubleClick) {
        onDoubleClick();
    }
}

bool Widget::mouseWheel(Point at, int delta) {
    return onMouseWheel && onMouseWheel(at, delta);
}

void Widget::click() {
    if (onClick) {
        onClick();
    }
}

bool Widget::keyDown(int virtualKey, KeyModifiers modifiers) {
    if (onKeyDown && onKeyDown(virtualKey, modifiers)) {
        return true;
    }
    if (tabStop_ && (virtualKey == vk::kEnter || virtualKey == vk::kSpace) && !modifiers.ctrl &&
        !modifiers.alt && enabledInTree()) {
        click();
        return true;
    }
    return false;
}

bool Widget::showsFocusCue() const {
    const Form* owner = form();
    return focused() && owner != nullptr && owner->keyboardCues();
}

bool Widget::canTakeFocus() const {
    return acceptsFocus() && showing() && enabledInTree();
}

bool Widget::focused() const {
    const Form* owner = form();
    return owner != nullptr && owner->focused() == this;
}

bool Widget::focus() {
    Form* owner = form();
    return owner != nullptr && owner->setFocus(this);
}

void Widget::focusEnter() {
    invalidate();
    if (onFocusEnter) {
        onFocusEnter();
    }
}

void Widget::focusLeave() {
    invalidate();
    if (onFocusLeave) {
        onFocusLeave();
    }
}

void Widget::paintFocusRectangle(Canvas& canvas, const Rect& area, Colour colour) {
    // Every other pixel along each edge, as the system draws it.
    for (int x = area.left; x < area.right; x += 2) {
        canvas.fillRect(Rect{x, area.top, x + 1, area.top + 1}, colour);
        canvas.fillRect(Rect{x, area.bottom - 1, x + 1, area.bottom}, colour);
    }
    for (int y = area.top + 2; y < area.bottom - 1; y += 2) {
        canvas.fillRect(Rect{area.left, y, area.left + 1, y + 1}, colour);
        canvas.fillRect(Rect{area.right - 1, y, area.right, y + 1}, colour);
    }
}

void Widget::paint(Canvas& /*canvas*/) const {}

} // namespace cellaro
