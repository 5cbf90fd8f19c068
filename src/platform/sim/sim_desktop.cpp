// The simulated desktop: window manager behaviour in memory, and the log of the program's requests.
#include "platform/sim/sim_desktop.h"

#include "core/ascii.h"

#include <algorithm>
#include <sstream>
#include <utility>

namespace cellaro::sim {

namespace {

// State bits that the system reports in a window's styles.
constexpr std::uint32_t kMinimizedStyle = 0x20000000U; // WS_MINIMIZE
constexpr std::uint32_t kMaximizedStyle = 0x01000000U; // WS_MAXIMIZE

long long overlapArea(const Rect& a, const Rect& b) {
    const int width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    if (width <= 0 || height <= 0) {
        return 0;
    }
    return static_cast<long long>(width) * height;
}

const char* kindName(CallKind kind) {
    switch (kind) {
    case CallKind::Move:
        return "Move";
    case CallKind::Show:
        return "Show";
    case CallKind::SetZOrder:
        return "SetZOrder";
    case CallKind::SetForeground:
        return "SetForeground";
    case CallKind::SetOpacity:
        return "SetOpacity";
    case CallKind::RequestClose:
        return "RequestClose";
    case CallKind::BigIcon:
        return "BigIcon";
    case CallKind::FileIcon:
        return "FileIcon";
    }
    return "?";
}

const char* showName(ShowCommand command) {
    switch (command) {
    case ShowCommand::Hide:
        return "Hide";
    case ShowCommand::ShowNormal:
        return "ShowNormal";
    case ShowCommand::ShowMinimized:
        return "ShowMinimized";
    case ShowCommand::ShowMaximized:
        return "ShowMaximized";
    case ShowCommand::ShowNoActivate:
        return "ShowNoActivate";
    case ShowCommand::Show:
        return "Show";
    case ShowCommand::Minimize:
        return "Minimize";
    case ShowCommand::ShowMinNoActive:
        return "ShowMinNoActive";
    case ShowCommand::Restore:
        return "Restore";
    }
    return "?";
}

const char* zOrderName(ZOrder where) {
    switch (where) {
    case ZOrder::Top:
        return "Top";
    case ZOrder::Bottom:
        return "Bottom";
    case ZOrder::Topmost:
        return "Topmost";
    case ZOrder::NoTopmost:
        return "NoTopmost";
    }
    return "?";
}

const char* outcomeName(CallOutcome outcome) {
    switch (outcome) {
    case CallOutcome::Done:
        return "done";
    case CallOutcome::Posted:
        return "posted";
    case CallOutcome::Pending:
        return "pending";
    case CallOutcome::TimedOut:
        return "timed out";
    case CallOutcome::Failed:
        return "failed";
    }
    return "?";
}

} // namespace

std::string describe(const Call& call) {
    std::ostringstream text;
    text << kindName(call.kind) << " 0x" << std::hex << call.window.value << std::dec;
    switch (call.kind) {
    case CallKind::Move:
        text << " to (" << call.bounds.left << ',' << call.bounds.top << ")-(" << call.bounds.right << ','
             << call.bounds.bottom << ')' << (call.repaint ? " repaint" : "");
        break;
    case CallKind::Show:
        text << ' ' << showName(call.show);
        break;
    case CallKind::SetZOrder:
        text << ' ' << zOrderName(call.zOrder);
        break;
    case CallKind::SetOpacity:
        if (call.alpha) {
            text << " alpha " << static_cast<int>(*call.alpha);
        } else {
            text << " opaque";
        }
        break;
    case CallKind::FileIcon:
        text << " \"" << call.path << "\" size " << call.size;
        break;
    case CallKind::BigIcon:
        text << " size " << call.size;
        break;
    case CallKind::SetForeground:
    case CallKind::RequestClose:
        break;
    }
    text << ": " << outcomeName(call.outcome);
    return text.str();
}

// ----- Monitors -----

std::size_t SimDesktop::addMonitor(const Monitor& monitor) {
    monitors_.push_back(monitor);
    return monitors_.size() - 1;
}

Monitor SimDesktop::makeMonitor(int left, int top, int width, int height, int taskBarHeight, bool primary) {
    const Rect bounds = Rect::fromBounds(left, top, width, height);
    Rect workArea = bounds;
    workArea.bottom -= std::clamp(taskBarHeight, 0, height);
    return Monitor{bounds, workArea, primary};
}

bool SimDesktop::replaceMonitor(std::size_t index, const Monitor& monitor) {
    if (index >= monitors_.size()) {
        return false;
    }
    monitors_[index] = monitor;
    return true;
}

bool SimDesktop::removeMonitor(std::size_t index) {
    if (index >= monitors_.size()) {
        return false;
    }
    monitors_.erase(monitors_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void SimDesktop::setMonitors(std::vector<Monitor> monitors) {
    monitors_ = std::move(monitors);
}

// ----- Driving windows -----

WindowId SimDesktop::createWindow(const WindowOptions& options) {
    const WindowId id{nextId_};
    nextId_ += 2; // handles are even-spaced on the real system; any growth would do
    Window window;
    window.options = options;
    window.normal = options.bounds;
    window.rect = options.bounds;
    if (options.opacity) {
        window.options.extendedStyles |= exstyle::kLayered;
    }
    if (options.hung) {
        window.hungSinceMs = now() - kHungFlagAfterMs; // hung since long ago
    }
    windows_.emplace(id.value, std::move(window));
    raise(id);
    Window& created = windows_.at(id.value);
    if (options.state == ShowState::Minimized) {
        minimize(created);
    } else if (options.state == ShowState::Maximized) {
        maximize(created);
    }
    return id;
}

bool SimDesktop::destroyWindow(WindowId window) {
    if (find(window) == nullptr) {
        return false;
    }
    passForeground(window);
    removeFromZOrder(window);
    std::erase_if(posted_, [window](const Call& call) { return call.window == window; });
    windows_.erase(window.value);
    destroyed_.insert(window.value);
    return true;
}

bool SimDesktop::activate(WindowId window) {
    if (!window) {
        foreground_ = kNoWindow;
        return true;
    }
    Window* found = find(window);
    if (found == nullptr) {
        return false;
    }
    bringToForeground(window, *found);
    return true;
}

bool SimDesktop::place(WindowId window, const Rect& bounds) {
    Window* found = find(window);
    if (found == nullptr) {
        return false;
    }
    applyMove(*found, bounds);
    return true;
}

bool SimDesktop::setTitle(WindowId window, const std::string& title) {
    Window* found = find(window);
    if (found == nullptr) {
        return false;
    }
    found->options.title = title;
    return true;
}

bool SimDesktop::setCloaked(WindowId window, bool cloaked) {
    Window* found = find(window);
    if (found == nullptr) {
        return false;
    }
    found->options.cloaked = cloaked;
    return true;
}

bool SimDesktop::setVisible(WindowId window, bool visible) {
    Window* found = find(window);
    if (found == nullptr) {
        return false;
    }
    found->options.visible = visible;
    if (!visible) {
        passForeground(window);
    }
    return true;
}

bool SimDesktop::restyle(WindowId window, std::uint32_t extendedStyles, std::optional<std::uint8_t> opacity) {
    Window* found = find(window);
    if (found == nullptr) {
        return false;
    }
    const std::uint32_t before = found->options.extendedStyles;
    std::uint32_t after = extendedStyles & ~exstyle::kLayered;
    if (opacity) {
        after |= exstyle::kLayered;
    }
    found->options.extendedStyles = after;
    found->options.opacity = opacity;
    if (((before ^ after) & exstyle::kTopmost) != 0) {
        raise(window);
    }
    return true;
}

bool SimDesktop::setAcceptsClose(WindowId window, bool accepts) {
    Window* found = find(window);
    if (found == nullptr) {
        return false;
    }
    found->options.acceptsClose = accepts;
    return true;
}

bool SimDesktop::setBigIcon(WindowId window, std::optional<Colour> colour) {
    Window* found = find(window);
    if (found == nullptr) {
        return false;
    }
    found->options.bigIcon = colour;
    return true;
}

bool SimDesktop::setProcess(WindowId window, std::uint32_t processId, const std::string& executablePath) {
    Window* found = find(window);
    if (found == nullptr) {
        return false;
    }
    found->options.processId = processId;
    found->options.executablePath = executablePath;
    return true;
}

bool SimDesktop::setHung(WindowId window, bool hung) {
    Window* found = find(window);
    if (found == nullptr) {
        return false;
    }
    if (hung && !found->options.hung) {
        found->hungSinceMs = now();
    }
    found->options.hung = hung;
    if (!hung) {
        // The window's thread runs again and works through what was posted to it, in order.
        runPosted(window);
    }
    return true;
}

bool SimDesktop::setAnswerDelay(WindowId window, int delayMs) {
    Window* found = find(window);
    if (found == nullptr) {
        return false;
    }
    found->options.answerDelayMs = delayMs;
    return true;
}

std::size_t SimDesktop::runOtherThreads() {
    return runPosted(kNoWindow);
}

void SimDesktop::setFileIcon(const std::string& path, std::optional<Colour> colour) {
    if (colour) {
        fileIcons_[ascii::lowered(path)] = *colour;
    } else {
        fileIcons_.erase(ascii::lowered(path));
    }
}

// ----- Inspection -----

std::size_t SimDesktop::callCount(CallKind kind) const {
    return static_cast<std::size_t>(
        std::count_if(calls_.begin(), calls_.end(), [kind](const Call& call) { return call.kind == kind; }));
}

std::size_t SimDesktop::callCount(CallKind kind, WindowId window) const {
    return static_cast<std::size_t>(
        std::count_if(calls_.begin(), calls_.end(), [kind, window](const Call& call) {
            return call.kind == kind && call.window == window;
        }));
}

std::size_t SimDesktop::timedOutCount() const {
    return static_cast<std::size_t>(std::count_if(calls_.begin(), calls_.end(), [](const Call& call) {
        return call.outcome == CallOutcome::TimedOut;
    }));
}

std::size_t SimDesktop::pendingCount(WindowId window) const {
    return static_cast<std::size_t>(std::count_if(
        posted_.begin(), posted_.end(), [window](const Call& call) { return call.window == window; }));
}

bool SimDesktop::isTopmost(WindowId window) const {
    return (extendedStyles(window) & exstyle::kTopmost) != 0;
}

bool SimDesktop::isMinimized(WindowId window) const {
    const Window* found = find(window);
    return found != nullptr && found->state == ShowState::Minimized;
}

bool SimDesktop::isMaximized(WindowId window) const {
    const Window* found = find(window);
    return found != nullptr && found->state == ShowState::Maximized;
}

// ----- Queries of the port -----

WindowId SimDesktop::findWindowByTitle(const std::string& title) const {
    for (const WindowId id : zOrder_) {
        if (windows_.at(id.value).options.title == title) {
            return id;
        }
    }
    return kNoWindow;
}

std::string SimDesktop::title(WindowId window) const {
    const Window* found = find(window);
    return found == nullptr ? std::string{} : found->options.title;
}

std::string SimDesktop::className(WindowId window) const {
    const Window* found = find(window);
    return found == nullptr ? std::string{} : found->options.className;
}

bool SimDesktop::isVisible(WindowId window) const {
    const Window* found = find(window);
    return found != nullptr && found->options.visible;
}

bool SimDesktop::isCloaked(WindowId window) const {
    const Window* found = find(window);
    return found != nullptr && found->options.cloaked;
}

bool SimDesktop::isHung(WindowId window) const {
    const Window* found = find(window);
    return found != nullptr && found->options.hung &&
           (!clock_ || now() - found->hungSinceMs >= kHungFlagAfterMs);
}

std::optional<WindowPlacement> SimDesktop::placement(WindowId window) const {
    const Window* found = find(window);
    if (found == nullptr) {
        return std::nullopt;
    }
    return WindowPlacement{found->state, found->normal};
}

std::optional<Rect> SimDesktop::windowRect(WindowId window) const {
    const Window* found = find(window);
    if (found == nullptr) {
        return std::nullopt;
    }
    return found->rect;
}

std::optional<Rect> SimDesktop::visibleFrameRect(WindowId window) const {
    const Window* found = find(window);
    if (found == nullptr) {
        return std::nullopt;
    }
    const Rect& rect = found->rect;
    switch (found->state) {
    case ShowState::Minimized:
        return rect; // parked: no borders are measured
    case ShowState::Maximized: {
        const int overhang = maximizedOverhang(*found);
        return Rect{rect.left + overhang, rect.top + overhang, rect.right - overhang, rect.bottom - overhang};
    }
    case ShowState::Normal:
        break;
    }
    const FrameInsets& insets = found->options.invisibleBorders;
    return Rect{rect.left + insets.left, rect.top + insets.top, rect.right - insets.right,
                rect.bottom - insets.bottom};
}

std::uint32_t SimDesktop::styles(WindowId window) const {
    const Window* found = find(window);
    if (found == nullptr) {
        return 0;
    }
    std::uint32_t bits = found->options.styles & ~(style::kVisible | kMinimizedStyle | kMaximizedStyle);
    if (found->options.visible) {
        bits |= style::kVisible;
    }
    if (found->state == ShowState::Minimized) {
        bits |= kMinimizedStyle;
    } else if (found->state == ShowState::Maximized) {
        bits |= kMaximizedStyle;
    }
    return bits;
}

std::uint32_t SimDesktop::extendedStyles(WindowId window) const {
    const Window* found = find(window);
    return found == nullptr ? 0 : found->options.extendedStyles;
}

std::optional<std::uint8_t> SimDesktop::opacity(WindowId window) const {
    const Window* found = find(window);
    if (found == nullptr || (found->options.extendedStyles & exstyle::kLayered) == 0) {
        return std::nullopt;
    }
    return found->options.opacity;
}

std::uint32_t SimDesktop::processId(WindowId window) const {
    const Window* found = find(window);
    return found == nullptr ? 0 : found->options.processId;
}

std::string SimDesktop::executablePath(WindowId window) const {
    const Window* found = find(window);
    return found == nullptr ? std::string{} : found->options.executablePath;
}

// ----- Requests of the port -----

bool SimDesktop::move(WindowId window, const Rect& bounds, bool repaint) {
    Call call{.kind = CallKind::Move, .window = window, .bounds = bounds, .repaint = repaint};
    carryOutOrPost(call);
    record(call);
    return call.outcome != CallOutcome::Failed;
}

bool SimDesktop::show(WindowId window, ShowCommand command) {
    Call call{.kind = CallKind::Show, .window = window, .show = command};
    carryOutOrPost(call);
    record(call);
    return call.outcome != CallOutcome::Failed;
}

bool SimDesktop::setZOrder(WindowId window, ZOrder where) {
    Call call{.kind = CallKind::SetZOrder, .window = window, .zOrder = where};
    Window* found = find(window);
    if (found == nullptr) {
        call.outcome = CallOutcome::Failed;
        record(call);
        return false;
    }
    std::uint32_t& ex = found->options.extendedStyles;
    switch (where) {
    case ZOrder::Top:
        raise(window);
        break;
    case ZOrder::Bottom:
        // As on the system: a topmost window sent to the bottom loses its topmost status.
        ex &= ~exstyle::kTopmost;
        lower(window);
        break;
    case ZOrder::Topmost:
        ex |= exstyle::kTopmost;
        raise(window);
        break;
    case ZOrder::NoTopmost:
        if ((ex & exstyle::kTopmost) != 0) {
            ex &= ~exstyle::kTopmost;
            raise(window); // to the top of the non-topmost band
        }
        break;
    }
    record(call);
    return true;
}

bool SimDesktop::setForeground(WindowId window) {
    Call call{.kind = CallKind::SetForeground, .window = window};
    Window* found = find(window);
    if (found == nullptr) {
        call.outcome = CallOutcome::Failed;
    } else {
        bringToForeground(window, *found);
    }
    record(call);
    return call.outcome != CallOutcome::Failed;
}

bool SimDesktop::setOpacity(WindowId window, std::optional<std::uint8_t> alpha) {
    Call call{.kind = CallKind::SetOpacity, .window = window, .alpha = alpha};
    Window* found = find(window);
    const bool layered = found != nullptr && (found->options.extendedStyles & exstyle::kLayered) != 0;
    if (found == nullptr) {
        call.outcome = CallOutcome::Failed;
    } else if (found->options.hung && !found->options.programThread && layered != alpha.has_value()) {
        // The style change sends the window messages and waits for its answer, bounded.
        call.outcome = CallOutcome::TimedOut;
    } else if (alpha) {
        found->options.extendedStyles |= exstyle::kLayered;
        found->options.opacity = alpha;
    } else {
        found->options.extendedStyles &= ~exstyle::kLayered;
        found->options.opacity.reset();
    }
    record(call);
    return call.outcome == CallOutcome::Done;
}

bool SimDesktop::requestClose(WindowId window) {
    Call call{.kind = CallKind::RequestClose, .window = window};
    const Window* found = find(window);
    if (found == nullptr) {
        call.outcome = CallOutcome::Failed;
    } else if (found->options.hung) {
        call.outcome = CallOutcome::TimedOut;
    } else if (found->options.acceptsClose) {
        destroyWindow(window);
    }
    record(call);
    return call.outcome == CallOutcome::Done;
}

std::optional<Bitmap> SimDesktop::bigIcon(WindowId window, int size, Colour background) const {
    Call call{.kind = CallKind::BigIcon, .window = window, .size = size};
    const Window* found = find(window);
    std::optional<Bitmap> icon;
    if (found != nullptr && found->options.hung) {
        call.outcome = CallOutcome::TimedOut;
    } else if (found == nullptr || size <= 0 || !found->options.bigIcon) {
        call.outcome = CallOutcome::Failed;
    } else {
        icon = drawIcon(size, *found->options.bigIcon, background);
    }
    record(call);
    return icon;
}

std::optional<Bitmap> SimDesktop::fileIcon(const std::string& path, int size, Colour background) const {
    Call call{.kind = CallKind::FileIcon, .path = path, .size = size};
    const auto found = fileIcons_.find(ascii::lowered(path));
    std::optional<Bitmap> icon;
    if (found == fileIcons_.end() || size <= 0) {
        call.outcome = CallOutcome::Failed;
    } else {
        icon = drawIcon(size, found->second, background);
    }
    record(call);
    return icon;
}

// ----- Window manager behaviour -----

const SimDesktop::Window* SimDesktop::find(WindowId window) const {
    const auto found = windows_.find(window.value);
    return found == windows_.end() ? nullptr : &found->second;
}

SimDesktop::Window* SimDesktop::find(WindowId window) {
    const auto found = windows_.find(window.value);
    return found == windows_.end() ? nullptr : &found->second;
}

void SimDesktop::record(Call call) const {
    calls_.push_back(std::move(call));
}

void SimDesktop::carryOutOrPost(Call& call) {
    Window* found = find(call.window);
    if (found == nullptr) {
        call.outcome = CallOutcome::Failed;
    } else if (found->options.programThread) {
        call.outcome = CallOutcome::Done;
        carryOut(call.window, *found, call);
    } else {
        call.outcome = found->options.hung ? CallOutcome::Pending : CallOutcome::Posted;
        call.postedAtMs = now();
        posted_.push_back(call);
    }
}

void SimDesktop::carryOut(WindowId id, Window& window, const Call& call) {
    if (call.kind == CallKind::Move) {
        applyMove(window, call.bounds);
    } else if (call.kind == CallKind::Show) {
        applyShow(id, window, call.show);
    }
}

std::size_t SimDesktop::runPosted(WindowId only) {
    // Carrying out a request never posts another, so one pass over what is posted now does; the
    // requests that wait go back in their order.
    std::deque<Call> queue = std::exchange(posted_, {});
    std::size_t carried = 0;
    std::set<std::uintptr_t> waiting; // windows with a request held back: the later ones wait too
    for (const Call& call : queue) {
        Window* window = find(call.window);
        const bool due = window != nullptr && now() - call.postedAtMs >= window->options.answerDelayMs;
        const bool runs = window != nullptr && !waiting.contains(call.window.value) &&
                          (only ? call.window == only : !window->options.hung && due);
        if (!runs) {
            waiting.insert(call.window.value);
            posted_.push_back(call);
            continue;
        }
        carryOut(call.window, *window, call);
        ++carried;
    }
    return carried;
}

void SimDesktop::applyMove(Window& window, const Rect& bounds) {
    switch (window.state) {
    case ShowState::Normal:
        window.rect = bounds;
        window.normal = bounds;
        break;
    case ShowState::Maximized:
        window.rect = bounds; // still flagged maximised; the normal position is kept
        break;
    case ShowState::Minimized:
        break; // stays parked; the normal position is kept
    }
}

void SimDesktop::applyShow(WindowId id, Window& window, ShowCommand command) {
    if (command == ShowCommand::Hide) {
        window.options.visible = false;
        passForeground(id);
        return;
    }
    window.options.visible = true;
    switch (command) {
    case ShowCommand::Hide:
        break;
    case ShowCommand::ShowNormal:
        restoreNormal(window);
        raise(id);
        foreground_ = id;
        break;
    case ShowCommand::ShowMinimized:
        minimize(window);
        foreground_ = id; // activated although minimised
        break;
    case ShowCommand::ShowMaximized:
        maximize(window);
        raise(id);
        foreground_ = id;
        break;
    case ShowCommand::ShowNoActivate:
        restoreNormal(window);
        break;
    case ShowCommand::Show:
        raise(id);
        foreground_ = id;
        break;
    case ShowCommand::Minimize:
    case ShowCommand::ShowMinNoActive:
        minimize(window);
        passForeground(id);
        break;
    case ShowCommand::Restore:
        if (window.state == ShowState::Minimized && window.restoreToMaximized) {
            maximize(window);
        } else {
            restoreNormal(window);
        }
        raise(id);
        foreground_ = id;
        break;
    }
}

void SimDesktop::minimize(Window& window) {
    if (window.state != ShowState::Minimized) {
        window.restoreToMaximized = window.state == ShowState::Maximized;
    }
    window.state = ShowState::Minimized;
    window.rect = kMinimizedRect;
}

void SimDesktop::maximize(Window& window) const {
    window.rect = maximizedRect(window);
    window.state = ShowState::Maximized;
    window.restoreToMaximized = false;
}

void SimDesktop::restoreNormal(Window& window) {
    window.state = ShowState::Normal;
    window.rect = window.normal;
    window.restoreToMaximized = false;
}

void SimDesktop::bringToForeground(WindowId id, Window& window) {
    if (window.state == ShowState::Minimized) {
        if (window.restoreToMaximized) {
            maximize(window);
        } else {
            restoreNormal(window);
        }
    }
    raise(id);
    foreground_ = id;
}

void SimDesktop::raise(WindowId id) {
    removeFromZOrder(id);
    const bool topmost = (windows_.at(id.value).options.extendedStyles & exstyle::kTopmost) != 0;
    auto position = zOrder_.begin();
    if (!topmost) {
        position = std::find_if(zOrder_.begin(), zOrder_.end(), [this](WindowId other) {
            return (windows_.at(other.value).options.extendedStyles & exstyle::kTopmost) == 0;
        });
    }
    zOrder_.insert(position, id);
}

void SimDesktop::lower(WindowId id) {
    removeFromZOrder(id);
    zOrder_.push_back(id);
}

void SimDesktop::removeFromZOrder(WindowId id) {
    std::erase(zOrder_, id);
}

void SimDesktop::passForeground(WindowId leaving) {
    if (foreground_ != leaving) {
        return;
    }
    foreground_ = kNoWindow;
    for (const WindowId id : zOrder_) {
        const Window& window = windows_.at(id.value);
        if (id != leaving && window.options.visible && !window.options.cloaked &&
            window.state != ShowState::Minimized) {
            foreground_ = id;
            return;
        }
    }
}

const Monitor* SimDesktop::monitorFor(const Rect& rect) const {
    const Point centre{rect.left + (rect.width() / 2), rect.top + (rect.height() / 2)};
    for (const Monitor& monitor : monitors_) {
        if (monitor.bounds.contains(centre)) {
            return &monitor;
        }
    }
    const Monitor* best = nullptr;
    long long bestArea = 0;
    for (const Monitor& monitor : monitors_) {
        const long long area = overlapArea(monitor.bounds, rect);
        if (area > bestArea) {
            best = &monitor;
            bestArea = area;
        }
    }
    if (best != nullptr) {
        return best;
    }
    for (const Monitor& monitor : monitors_) {
        if (monitor.primary) {
            return &monitor;
        }
    }
    return monitors_.empty() ? nullptr : &monitors_.front();
}

Rect SimDesktop::maximizedRect(const Window& window) const {
    // The monitor the window stands on now; a minimised window counts where it will be restored.
    const Rect& where = window.state == ShowState::Minimized ? window.normal : window.rect;
    const Monitor* monitor = monitorFor(where);
    if (monitor == nullptr) {
        return where;
    }
    const int overhang = maximizedOverhang(window);
    const Rect& work = monitor->workArea;
    return Rect{work.left - overhang, work.top - overhang, work.right + overhang, work.bottom + overhang};
}

int SimDesktop::maximizedOverhang(const Window& window) {
    if (window.options.maximizedOverhang) {
        return *window.options.maximizedOverhang;
    }
    const FrameInsets& borders = window.options.invisibleBorders;
    const int widest = std::max({borders.left, borders.top, borders.right, borders.bottom});
    // The invisible part of the frame and its one visible pixel both go over the edges.
    return widest > 0 ? widest + 1 : 0;
}

Bitmap SimDesktop::drawIcon(int size, Colour icon, Colour background) {
    // The icon's picture is a square of its colour with a margin of the background around it, so
    // that a test can tell both colours apart.
    Bitmap picture(size, size, background);
    const int margin = size / 8;
    picture.fill(Rect{margin, margin, size - margin, size - margin}, icon);
    return picture;
}

bool SimDesktop::paintOnScreen(const Bitmap& picture, Point at, Colour transparent) {
    screenPaints_.push_back(ScreenPaint{at, picture, transparent});
    return true;
}

} // namespace cellaro::sim
