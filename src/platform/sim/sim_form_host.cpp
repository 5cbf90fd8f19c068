// The simulated form host and its native windows on the simulated desktop.
#include "platform/sim/sim_form_host.h"

#include <cstdlib>
#include <utility>

namespace cellaro::sim {

// A form's window: a window on the simulated desktop, with the counters tests look at.
class SimNativeWindow final : public NativeWindow {
public:
    SimNativeWindow(SimFormHost& host, const NativeWindowStyle& style, NativeWindowEvents& events)
        : host_(host), events_(events), style_(style), alpha_(style.alpha), topmost_(style.topmost),
          corners_(style.roundedCorners) {
        WindowOptions options;
        options.title = style.title;
        options.className = std::string(SimFormHost::kFormClassName);
        options.processId = host.processId_;
        options.executablePath = host.executablePath_;
        options.styles = style::kPopup;
        options.extendedStyles = extendedStyles();
        options.bounds = style.bounds;
        options.visible = false;
        options.opacity = style.alpha;
        options.programThread = true;
        id_ = host_.desktop_.createWindow(options);
    }
    SimNativeWindow(const SimNativeWindow&) = delete;
    SimNativeWindow& operator=(const SimNativeWindow&) = delete;
    SimNativeWindow(SimNativeWindow&&) = delete;
    SimNativeWindow& operator=(SimNativeWindow&&) = delete;
    ~SimNativeWindow() override {
        host_.forget(*this);
        host_.desktop_.destroyWindow(id_);
    }

    [[nodiscard]] NativeWindowEvents& events() const { return events_; }
    [[nodiscard]] bool mayActivate() const { return !style_.noActivate; }
    [[nodiscard]] std::size_t invalidates() const { return invalidates_; }
    [[nodiscard]] std::size_t updates() const { return updates_; }
    [[nodiscard]] std::size_t hintRefreshes() const { return hintRefreshes_; }
    [[nodiscard]] Size corners() const { return corners_; }

    [[nodiscard]] WindowId id() const override { return id_; }
    [[nodiscard]] Rect bounds() const override {
        return host_.desktop_.windowRect(id_).value_or(style_.bounds);
    }
    [[nodiscard]] int dpi() const override {
        const auto monitors = host_.desktop_.monitors();
        return monitorAt(monitors, monitorIndexOfWindow(bounds(), monitors)).dpi;
    }
    void setBounds(const Rect& bounds) override {
        if (bounds == this->bounds()) {
            return;
        }
        const int before = dpi();
        host_.desktop_.place(id_, bounds);
        events_.onBoundsChanged(this->bounds());
        const int after = dpi();
        if (after != before) {
            // As the system does: the window keeps its top-left corner and takes the new scale's size.
            const Rect now = this->bounds();
            const Scale from{before};
            const Scale to{after};
            const Size size = to.physical(from.dip(Size{now.width(), now.height()}));
            events_.onDpiChanged(after, Rect::fromBounds(now.left, now.top, size.width, size.height));
        }
    }
    [[nodiscard]] bool visible() const override { return host_.desktop_.isVisible(id_); }
    void show(bool activate) override {
        host_.desktop_.setVisible(id_, true);
        if (activate && mayActivate()) {
            host_.desktop_.activate(id_);
        }
        host_.syncActivation();
    }
    void hide() override {
        if (host_.capture_ == id_) {
            host_.capture_ = kNoWindow;
        }
        host_.desktop_.setVisible(id_, false);
        host_.syncActivation();
    }
    void setAlpha(std::optional<std::uint8_t> alpha) override {
        alpha_ = alpha;
        restyle();
    }
    void setRoundedCorners(Size corners) override { corners_ = corners; }
    void setTopmost(bool topmost) override {
        topmost_ = topmost;
        restyle();
        // As SetWindowPos with HWND_TOPMOST: to the front of the topmost windows, even when it was one.
        if (topmost) {
            host_.desktop_.setZOrder(id_, ZOrder::Topmost);
        }
    }
    void setTitle(const std::string& title) override { host_.desktop_.setTitle(id_, title); }
    void invalidate() override { ++invalidates_; }
    void update() override { ++updates_; }
    void setMouseCapture(bool captured) override { host_.setCapture(id_, captured); }
    void refreshHint() override { ++hintRefreshes_; }
    void focusMoved(int item) override { focusEvents_.push_back(item); }
    [[nodiscard]] const std::vector<int>& focusEvents() const { return focusEvents_; }

private:
    [[nodiscard]] std::uint32_t extendedStyles() const {
        std::uint32_t styles = style_.toolWindow ? exstyle::kToolWindow : exstyle::kAppWindow;
        if (topmost_) {
            styles |= exstyle::kTopmost;
        }
        if (style_.noActivate) {
            styles |= exstyle::kNoActivate;
        }
        return styles;
    }
    void restyle() { host_.desktop_.restyle(id_, extendedStyles(), alpha_); }

    SimFormHost& host_;
    NativeWindowEvents& events_;
    NativeWindowStyle style_;
    WindowId id_;
    std::vector<int> focusEvents_;
    std::optional<std::uint8_t> alpha_;
    bool topmost_ = false;
    Size corners_;
    std::size_t invalidates_ = 0;
    std::size_t updates_ = 0;
    std::size_t hintRefreshes_ = 0;
};

SimFormHost::SimFormHost(SimDesktop& desktop, SimEventLoop& loop) : desktop_(desktop), loop_(loop) {}

SimFormHost::~SimFormHost() = default;

void SimFormHost::setProcess(std::uint32_t processId, std::string executablePath) {
    processId_ = processId;
    executablePath_ = std::move(executablePath);
}

std::unique_ptr<NativeWindow> SimFormHost::createWindow(const NativeWindowStyle& style,
                                                        NativeWindowEvents& events) {
    auto window = std::make_unique<SimNativeWindow>(*this, style, events);
    windows_[window->id().value] = window.get();
    return window;
}

SimNativeWindow* SimFormHost::lookup(WindowId window) const {
    const auto found = windows_.find(window.value);
    return found == windows_.end() ? nullptr : found->second;
}

void SimFormHost::forget(SimNativeWindow& window) {
    windows_.erase(window.id().value);
    for (WindowId* held : {&active_, &capture_, &pointerOver_}) {
        if (*held == window.id()) {
            *held = kNoWindow;
        }
    }
}

void SimFormHost::setCapture(WindowId window, bool captured) {
    if (captured) {
        capture_ = window;
    } else if (capture_ == window) {
        capture_ = kNoWindow;
    }
}

void SimFormHost::syncActivation() {
    const WindowId foreground = desktop_.foregroundWindow();
    const WindowId next = lookup(foreground) != nullptr ? foreground : kNoWindow;
    if (next == active_) {
        return;
    }
    SimNativeWindow* previous = lookup(active_);
    // Updated first: the handlers may show or hide windows, which checks again from here.
    active_ = next;
    if (previous != nullptr) {
        previous->events().onActivate(false);
    }
    // Looked up again: a deactivation handler may have moved the foreground or closed the window.
    if (SimNativeWindow* activated = lookup(next); activated != nullptr && active_ == next) {
        activated->events().onActivate(true);
    }
}

bool SimFormHost::activateByUser(WindowId window) {
    const bool done = desktop_.activate(window);
    syncActivation();
    return done;
}

SimNativeWindow& SimFormHost::windowOf(const NativeWindowEvents& form) const {
    for (const auto& [id, window] : windows_) {
        if (&window->events() == &form) {
            return *window;
        }
    }
    std::abort(); // a test drives a form whose window is gone
}

void SimFormHost::moveCursorTo(NativeWindowEvents& form, Point client) {
    const Rect bounds = windowOf(form).bounds();
    cursor_ = Point{bounds.left + client.x, bounds.top + client.y};
}

void SimFormHost::activateOnPress(NativeWindowEvents& form) {
    SimNativeWindow* window = lookup(windowOf(form).id());
    if (window != nullptr && window->mayActivate() && window->visible() &&
        desktop_.foregroundWindow() != windowOf(form).id()) {
        desktop_.activate(windowOf(form).id());
    }
    syncActivation();
}

void SimFormHost::click(NativeWindowEvents& form, Point client) {
    pointerMove(form, client);
    pointerDown(form, client);
    pointerUp(form, client);
}

void SimFormHost::doubleClick(NativeWindowEvents& form, Point client) {
    click(form, client);
    pointerDoubleClick(form, client);
    pointerUp(form, client);
}

void SimFormHost::pointerMove(NativeWindowEvents& form, Point client) {
    syncActivation();
    moveCursorTo(form, client);
    if (pointerOver_ && pointerOver_ != windowOf(form).id()) {
        if (SimNativeWindow* left = lookup(pointerOver_)) {
            left->events().onMouseLeave();
        }
    }
    pointerOver_ = windowOf(form).id();
    currentHint_ = form.hintAt(client);
    form.onMouseMove(client);
}

void SimFormHost::pointerDown(NativeWindowEvents& form, Point client, MouseButton button) {
    activateOnPress(form);
    moveCursorTo(form, client);
    form.onMouseDown(client, button);
}

void SimFormHost::pointerUp(NativeWindowEvents& form, Point client, MouseButton button) {
    syncActivation();
    moveCursorTo(form, client);
    form.onMouseUp(client, button);
}

void SimFormHost::pointerDoubleClick(NativeWindowEvents& form, Point client, MouseButton button) {
    activateOnPress(form);
    moveCursorTo(form, client);
    form.onDoubleClick(client, button);
}

void SimFormHost::wheel(NativeWindowEvents& form, Point client, int delta) {
    syncActivation();
    moveCursorTo(form, client);
    form.onMouseWheel(client, delta);
}

void SimFormHost::pointerLeave(NativeWindowEvents& form) {
    syncActivation();
    if (pointerOver_ == windowOf(form).id()) {
        pointerOver_ = kNoWindow;
    }
    currentHint_.clear();
    form.onMouseLeave();
}

void SimFormHost::moveCursor(Point screen) {
    syncActivation();
    cursor_ = screen;
    SimNativeWindow* target = lookup(capture_);
    if (target == nullptr) {
        for (const WindowId window : desktop_.topLevelWindows()) {
            const auto rect = desktop_.windowRect(window);
            if (desktop_.isVisible(window) && rect && rect->contains(screen)) {
                target = lookup(window); // null when another program's window is on top
                break;
            }
        }
    }
    const WindowId over = target != nullptr ? target->id() : kNoWindow;
    if (pointerOver_ && pointerOver_ != over) {
        if (SimNativeWindow* left = lookup(pointerOver_)) {
            left->events().onMouseLeave();
        }
    }
    pointerOver_ = over;
    if (target == nullptr) {
        currentHint_.clear();
        return;
    }
    const Rect bounds = target->bounds();
    const Point client{screen.x - bounds.left, screen.y - bounds.top};
    currentHint_ = target->events().hintAt(client);
    target->events().onMouseMove(client);
}

bool SimFormHost::pressKey(NativeWindowEvents& form, int virtualKey, KeyModifiers modifiers) {
    syncActivation();
    return form.onKeyDown(virtualKey, modifiers);
}

void SimFormHost::requestClose(NativeWindowEvents& form) {
    syncActivation();
    form.onCloseRequest();
}

Bitmap SimFormHost::paint(NativeWindowEvents& form) {
    const Rect bounds = windowOf(form).bounds();
    Bitmap picture(bounds.width(), bounds.height());
    BitmapCanvas canvas(picture);
    form.onPaint(canvas);
    return picture;
}

std::vector<DrawnText> SimFormHost::paintTexts(NativeWindowEvents& form) {
    const Rect bounds = windowOf(form).bounds();
    Bitmap picture(bounds.width(), bounds.height());
    BitmapCanvas canvas(picture);
    form.onPaint(canvas);
    return canvas.texts();
}

std::size_t SimFormHost::invalidateCount(WindowId window) const {
    const SimNativeWindow* found = lookup(window);
    return found != nullptr ? found->invalidates() : 0;
}

std::vector<int> SimFormHost::focusEvents(WindowId window) const {
    const SimNativeWindow* found = lookup(window);
    return found != nullptr ? found->focusEvents() : std::vector<int>{};
}

std::size_t SimFormHost::updateCount(WindowId window) const {
    const SimNativeWindow* found = lookup(window);
    return found != nullptr ? found->updates() : 0;
}

std::size_t SimFormHost::hintRefreshCount(WindowId window) const {
    const SimNativeWindow* found = lookup(window);
    return found != nullptr ? found->hintRefreshes() : 0;
}

Size SimFormHost::roundedCorners(WindowId window) const {
    const SimNativeWindow* found = lookup(window);
    return found != nullptr ? found->corners() : Size{};
}

} // namespace cellaro::sim
