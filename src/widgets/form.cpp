// The form: its native window, input routing to the widget tree, painting and the window-level
// operations.
#include "widgets/form.h"

#include "pixels/scaled_canvas.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace cellaro {

// Counts the events being routed; widgets removed meanwhile are destroyed when the last one ends.
class Form::RoutingScope {
public:
    explicit RoutingScope(Form& form) : form_(form) { ++form_.routingDepth_; }
    RoutingScope(const RoutingScope&) = delete;
    RoutingScope& operator=(const RoutingScope&) = delete;
    RoutingScope(RoutingScope&&) = delete;
    RoutingScope& operator=(RoutingScope&&) = delete;
    ~RoutingScope() {
        if (--form_.routingDepth_ == 0) {
            // Destroying a widget runs no handlers, so nothing can be added to the list meanwhile.
            auto disposed = std::move(form_.disposed_);
            form_.disposed_.clear();
        }
    }

private:
    Form& form_;
};

Form::Form(FormHost& host, std::string name, const NativeWindowStyle& style)
    : host_(host), root_(std::move(name)), alpha_(style.alpha) {
    root_.form_ = this;
    root_.setBounds(Rect::fromBounds(0, 0, style.bounds.width(), style.bounds.height()));
    window_ = host_.createWindow(style, *this);
    // The style's size is in device-independent pixels: a window made on a scaled monitor grows.
    const Scale now = scale();
    if (!now.unscaled()) {
        const Size size = now.physical(Size{style.bounds.width(), style.bounds.height()});
        window_->setBounds(Rect::fromBounds(style.bounds.left, style.bounds.top, size.width, size.height));
    }
}

Form::~Form() {
    // The native window goes first: it must not call into a form that is being taken apart.
    window_.reset();
    hovered_ = nullptr;
    pressed_ = nullptr;
    focused_ = nullptr;
    root_.form_ = nullptr;
}

void Form::setBounds(const Rect& bounds) {
    window_->setBounds(bounds);
}

void Form::setLeft(int left) {
    const Rect now = bounds();
    setBounds(now.offset(left - now.left, 0));
}

void Form::setTop(int top) {
    const Rect now = bounds();
    setBounds(now.offset(0, top - now.top));
}

void Form::setSize(Size size) {
    const Rect now = bounds();
    setBounds(Rect::fromBounds(now.left, now.top, size.width, size.height));
}

void Form::show(bool activate) {
    if (!visible()) {
        keyboardCues_ = false;
        shown();
    }
    window_->show(activate);
}

void Form::hide() {
    window_->hide();
}

void Form::close() {
    if (!closeQuery()) {
        return;
    }
    window_->hide();
    closed();
}

void Form::setAlpha(std::optional<std::uint8_t> alpha) {
    alpha_ = alpha;
    window_->setAlpha(alpha);
}

Widget* Form::widgetAt(Point at) {
    return root_.hitTest(at);
}

void Form::invalidate() {
    if (window_) {
        window_->invalidate();
    }
}

Point Form::toLocal(const Widget& widget, Point formPoint) {
    const Rect area = widget.formBounds();
    return Point{formPoint.x - area.left, formPoint.y - area.top};
}

void Form::focusOnPress(Widget& target) {
    // A press on a part of an editor (its arrow buttons, say) focuses the editor.
    for (Widget* widget = &target; widget != nullptr; widget = widget->parent()) {
        if (widget->acceptsFocus()) {
            setFocus(widget);
            return;
        }
    }
}

void Form::dispose(std::unique_ptr<Widget> subtree) {
    if (focused_ != nullptr && subtree->contains(*focused_)) {
        focused_ = nullptr;
    }
    if (hovered_ != nullptr && subtree->contains(*hovered_)) {
        hovered_ = nullptr;
    }
    if (pressed_ != nullptr && subtree->contains(*pressed_)) {
        pressed_ = nullptr;
        if (window_) {
            window_->setMouseCapture(false);
        }
    }
    if (routingDepth_ > 0) {
        disposed_.push_back(std::move(subtree));
    }
}

void Form::setHovered(Widget* widget) {
    if (widget == hovered_) {
        return;
    }
    Widget* previous = hovered_;
    hovered_ = widget;
    if (previous != nullptr && previous->enabledInTree()) {
        previous->mouseLeave();
    }
    // The leave handler may have moved things about: enter only what is still hovered.
    if (widget != nullptr && hovered_ == widget && widget->enabledInTree()) {
        widget->mouseEnter();
    }
    if (window_) {
        window_->refreshHint();
    }
}

void Form::onPaint(Canvas& physical) {
    ScaledCanvas scaled(physical, scale());
    Canvas& canvas = scale().unscaled() ? physical : static_cast<Canvas&>(scaled);
    const Rect& area = root_.bounds();
    canvas.setOrigin(Point{0, 0});
    canvas.pushClip(Rect::fromBounds(0, 0, area.width(), area.height()));
    canvas.fillRect(Rect::fromBounds(0, 0, area.width(), area.height()), root_.colour());
    canvas.popClip();
    paintTree(canvas, root_, Point{0, 0}, Rect::fromBounds(0, 0, area.width(), area.height()));
    canvas.setOrigin(Point{0, 0});
}

void Form::paintTree(Canvas& canvas, const Widget& widget, Point origin, const Rect& visible) {
    if (!widget.visible()) {
        return;
    }
    // The root's bounds are the client area: its own offset is not applied.
    const Rect& area = widget.bounds();
    const Point own = &widget == &root_ ? origin : Point{origin.x + area.left, origin.y + area.top};
    const Rect placed = Rect::fromBounds(own.x, own.y, area.width(), area.height());
    // A widget wholly outside what its ancestors show paints nothing, and neither do its children:
    // skipping it keeps long scrolled lists cheap to paint.
    if (&widget != &root_ && (placed.right <= visible.left || placed.left >= visible.right ||
                              placed.bottom <= visible.top || placed.top >= visible.bottom)) {
        return;
    }
    const Rect inner{std::max(placed.left, visible.left), std::max(placed.top, visible.top),
                     std::min(placed.right, visible.right), std::min(placed.bottom, visible.bottom)};
    canvas.setOrigin(own);
    canvas.pushClip(Rect::fromBounds(0, 0, area.width(), area.height()));
    widget.paint(canvas);
    for (const auto& child : widget.children()) {
        paintTree(canvas, *child, own, inner);
    }
    canvas.setOrigin(own);
    canvas.popClip();
}

void Form::onMouseDown(Point physicalAt, MouseButton button) {
    const Point at = scale().dip(physicalAt);
    const RoutingScope scope(*this);
    if (pressed_ != nullptr) {
        // Another button while captured: the captured widget gets it, the capture stays.
        pressed_->mouseDown(toLocal(*pressed_, at), button);
        return;
    }
    Widget* target = widgetAt(at);
    setHovered(target);
    if (target == nullptr || !target->enabledInTree()) {
        return; // a disabled widget swallows the press
    }
    if (button == MouseButton::Left) {
        focusOnPress(*target);
    }
    pressed_ = target;
    captureButton_ = button;
    pressIsDoubleClick_ = false;
    window_->setMouseCapture(true);
    target->mouseDown(toLocal(*target, at), button);
}

void Form::onMouseMove(Point physicalAt) {
    const Point at = scale().dip(physicalAt);
    const RoutingScope scope(*this);
    Widget* under = widgetAt(at);
    setHovered(under);
    if (pressed_ != nullptr) {
        pressed_->mouseMove(toLocal(*pressed_, at));
    } else if (under != nullptr && hovered_ == under && under->enabledInTree()) {
        under->mouseMove(toLocal(*under, at));
    }
}

void Form::onMouseUp(Point physicalAt, MouseButton button) {
    const Point at = scale().dip(physicalAt);
    const RoutingScope scope(*this);
    if (pressed_ != nullptr) {
        Widget* target = pressed_;
        if (button != captureButton_) {
            target->mouseUp(toLocal(*target, at), button);
            return;
        }
        pressed_ = nullptr;
        window_->setMouseCapture(false);
        const bool wasDoubleClick = pressIsDoubleClick_;
        pressIsDoubleClick_ = false;
        target->mouseUp(toLocal(*target, at), button);
        // The up handler may have removed, hidden or disabled the widget: then no click.
        Widget* under = widgetAt(at);
        if (button == MouseButton::Left && !wasDoubleClick && under == target && target->enabledInTree()) {
            target->click();
        }
        setHovered(widgetAt(at));
        return;
    }
    Widget* under = widgetAt(at);
    setHovered(under);
    if (under != nullptr && under->enabledInTree()) {
        under->mouseUp(toLocal(*under, at), button);
    }
}

void Form::onDoubleClick(Point physicalAt, MouseButton button) {
    const Point at = scale().dip(physicalAt);
    Widget* target = widgetAt(at);
    if (target != nullptr && target->enabledInTree() && !target->acceptsDoubleClicks()) {
        onMouseDown(physicalAt, button);
        return;
    }
    const RoutingScope scope(*this);
    if (pressed_ != nullptr) {
        return;
    }
    setHovered(target);
    if (target == nullptr || !target->enabledInTree()) {
        return;
    }
    if (button == MouseButton::Left) {
        focusOnPress(*target);
    }
    // The double click stands for the second press: it captures until the release, which is then
    // no click of its own.
    pressed_ = target;
    captureButton_ = button;
    pressIsDoubleClick_ = true;
    window_->setMouseCapture(true);
    target->doubleClick(toLocal(*target, at), button);
}

void Form::onMouseLeave() {
    const RoutingScope scope(*this);
    setHovered(nullptr);
}

Point Form::screenPoint(const Widget& widget, Point at) const {
    const Rect area = widget.formBounds();
    const Point client = scale().physical(Point{area.left + at.x, area.top + at.y});
    const Rect window = bounds();
    return Point{window.left + client.x, window.top + client.y};
}

void Form::onMouseWheel(Point physicalAt, int delta) {
    const Point at = scale().dip(physicalAt);
    const RoutingScope scope(*this);
    // The widget under the pointer has the first say, then each container around it in turn (a
    // row's wheel scrolls the list that holds it). Disabled widgets pass it on.
    for (Widget* widget = widgetAt(at); widget != nullptr; widget = widget->parent()) {
        if (widget->enabledInTree() && widget->mouseWheel(toLocal(*widget, at), delta)) {
            break;
        }
    }
    // Scrolling moved other widgets under the pointer.
    if (pressed_ == nullptr) {
        setHovered(widgetAt(at));
    }
}

bool Form::onKeyDown(int virtualKey, KeyModifiers modifiers) {
    const RoutingScope scope(*this);
    if (!keyboardCues_ && !vk::isModifier(virtualKey)) {
        keyboardCues_ = true;
        if (focused_ != nullptr) {
            focused_->invalidate();
        }
    }
    if (virtualKey == vk::kTab && !modifiers.ctrl && !modifiers.alt && focusNext(modifiers.shift)) {
        return true;
    }
    // A widget hidden or disabled since it took the focus no longer has it.
    if (focused_ != nullptr && !focused_->canTakeFocus()) {
        setFocus(nullptr);
    }
    if (focused_ != nullptr && focused_->keyDown(virtualKey, modifiers)) {
        return true;
    }
    if (modifiers.alt) {
        return false;
    }
    keyDown(virtualKey, modifiers);
    return true;
}

bool Form::setFocus(Widget* widget) {
    if (widget != nullptr && (widget->form() != this || !widget->canTakeFocus())) {
        return false;
    }
    if (widget == focused_) {
        return true;
    }
    const RoutingScope scope(*this);
    Widget* previous = focused_;
    focused_ = widget;
    if (previous != nullptr) {
        previous->focusLeave();
    }
    // The leave handler may have moved the focus on or removed the widget.
    if (widget != nullptr && focused_ == widget) {
        widget->focusEnter();
    }
    if (focused_ == widget) {
        const std::vector<const Widget*> widgets = accessibleWidgets();
        const auto at = std::find(widgets.begin(), widgets.end(), widget);
        window_->focusMoved(at == widgets.end() ? -1 : static_cast<int>(at - widgets.begin()));
    }
    return focused_ == widget;
}

namespace {

// The widgets of the subtree in tree order (a widget before its children).
void collectFocusable(Widget& widget, std::vector<Widget*>& into) {
    if (!widget.visible() || !widget.enabled()) {
        return;
    }
    if (widget.acceptsFocus()) {
        into.push_back(&widget);
    }
    for (const auto& child : widget.children()) {
        collectFocusable(*child, into);
    }
}

} // namespace

bool Form::focusNext(bool backwards) {
    std::vector<Widget*> order;
    collectFocusable(root_, order);
    if (order.empty()) {
        return false;
    }
    const auto at = std::find(order.begin(), order.end(), focused_);
    const auto count = static_cast<std::ptrdiff_t>(order.size());
    std::ptrdiff_t next = 0;
    if (at == order.end()) {
        next = backwards ? count - 1 : 0;
    } else {
        next = ((at - order.begin()) + (backwards ? count - 1 : 1)) % count;
    }
    setFocus(order[static_cast<std::size_t>(next)]);
    return true;
}

void Form::onActivate(bool active) {
    if (active == active_) {
        return;
    }
    active_ = active;
    if (active) {
        if (onActivation) {
            onActivation();
        }
        activated();
    } else {
        deactivated();
    }
}

void Form::onBoundsChanged(const Rect& bounds) {
    const Size size = scale().dip(Size{bounds.width(), bounds.height()});
    root_.setBounds(Rect::fromBounds(0, 0, size.width, size.height));
    moved(bounds);
}

void Form::onCloseRequest() {
    close();
}

void Form::onDpiChanged(int /*dpi*/, const Rect& suggested) {
    window_->setBounds(boundsAtNewScale(suggested));
    onBoundsChanged(window_->bounds());
    scaleChanged();
    invalidate();
}

namespace {

void collectAccessible(const Widget& widget, std::vector<const Widget*>& into) {
    if (!widget.visible()) {
        return;
    }
    if (widget.accessibleRole() != AccessibleRole::None) {
        into.push_back(&widget);
    }
    for (const auto& child : widget.children()) {
        collectAccessible(*child, into);
    }
}

} // namespace

std::vector<const Widget*> Form::accessibleWidgets() const {
    std::vector<const Widget*> widgets;
    collectAccessible(root_, widgets);
    return widgets;
}

std::vector<AccessibleItem> Form::accessibleItems() const {
    std::vector<AccessibleItem> items;
    for (const Widget* widget : accessibleWidgets()) {
        AccessibleItem item;
        item.name = widget->accessibleName();
        item.role = widget->accessibleRole();
        const Rect area = widget->formBounds();
        const Point topLeft = scale().physical(Point{area.left, area.top});
        const Size size = scale().physical(Size{area.width(), area.height()});
        item.bounds = Rect::fromBounds(topLeft.x, topLeft.y, size.width, size.height);
        item.focusable = widget->acceptsFocus();
        item.focused = widget == focused_;
        item.checked = widget->accessibleChecked();
        item.disabled = !widget->enabledInTree();
        item.value = widget->accessibleValue();
        items.push_back(std::move(item));
    }
    return items;
}

std::string Form::hintAt(Point physicalAt) const {
    const Widget* widget = root_.hitTest(scale().dip(physicalAt));
    for (; widget != nullptr; widget = widget->parent()) {
        if (!widget->hint().empty()) {
            return widget->hint();
        }
    }
    return {};
}

} // namespace cellaro
