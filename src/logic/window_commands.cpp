// The window commands on the target window, and tiling.
#include "logic/window_commands.h"

#include "config/settings.h"
#include "core/monitors.h"
#include "logic/command_layout.h"
#include "logic/pin_indicator.h"
#include "logic/target_tracker.h"
#include "logic/window_placer.h"
#include "platform/desktop.h"
#include "platform/display_power.h"

#include <algorithm>
#include <array>
#include <utility>

namespace cellaro {

namespace {

constexpr int kOpaque = 255;

// Titles of windows that tiling leaves alone, compared whole and case-sensitively; a window without
// a title counts as "Empty".
constexpr std::string_view kUntitled = "Empty";
constexpr std::array<std::string_view, 17> kTilingExcludedTitles{"MainForm27182818",
                                                                 "Orbispan Options",
                                                                 "Orbispan",
                                                                 "FAK",
                                                                 "Orbispan - Display",
                                                                 "Start",
                                                                 "StartForm",
                                                                 "Preview-306118",
                                                                 "tVbar-802.40",
                                                                 "TorVane",
                                                                 "Torvane",
                                                                 "Empty",
                                                                 "Tvmgr",
                                                                 "Orbispan - StartForm",
                                                                 "Shell_TrayWnd",
                                                                 "Cellaro",
                                                                 "Program Manager"};

bool excludedFromTiling(const std::string& title) {
    const std::string_view shown = title.empty() ? kUntitled : std::string_view(title);
    return std::ranges::find(kTilingExcludedTitles, shown) != kTilingExcludedTitles.end();
}

} // namespace

WindowCommands::WindowCommands(Services services) : services_(std::move(services)) {}

WindowCommands::~WindowCommands() {
    stopMaximisedMove();
    stopRaise();
}

WindowId WindowCommands::target() const {
    return services_.tracker.target();
}

bool WindowCommands::targetVisible() const {
    const WindowId window = target();
    return window && services_.desktop.isVisible(window);
}

// Akcija1
void WindowCommands::place(Anchor anchor) {
    if (!targetVisible()) {
        return;
    }
    const WindowId window = target();
    services_.placer.saveForUndo(window);
    // What the user sees of the window goes to the anchor; invisible borders hang beyond it.
    const auto frame = services_.desktop.visibleFrameRect(window);
    if (!frame) {
        return;
    }
    const Point at = anchorPosition(anchor, Size{frame->width(), frame->height()},
                                    services_.desktop.monitors(), services_.workingMonitor());
    services_.placer.follow(window, Rect::fromBounds(at.x, at.y, frame->width(), frame->height()));
}

// sbPinClick
void WindowCommands::toggleStayOnTop() {
    if (!targetVisible()) {
        return;
    }
    const WindowId window = target();
    Desktop& desktop = services_.desktop;
    services_.placer.saveForUndo(window);
    const auto rect = desktop.windowRect(window);
    if (!rect) {
        return;
    }
    const auto monitors = desktop.monitors();
    const int dpi = monitorAt(monitors, monitorIndexOfLeftAndWidth(*rect, monitors)).dpi;
    const Point at = pinIndicatorPoint(*rect, dpi);
    if ((desktop.extendedStyles(window) & exstyle::kTopmost) != 0) {
        showPinIndicator(desktop, services_.loop, window, PinPicture::Unpinned, at, dpi);
        desktop.setZOrder(window, ZOrder::NoTopmost);
    } else {
        desktop.setZOrder(window, ZOrder::Topmost);
        showPinIndicator(desktop, services_.loop, window, PinPicture::Pinned, at, dpi);
        // Once the target's thread has put it at the top of the topmost band, it covers the working
        // window, whose buttons would be out of reach under it: the working window goes back in front.
        stopRaise();
        pinned_ = window;
        raiseUntilMs_ = services_.loop.nowMs() + kRaiseWaitMs;
        raiseTimer_ = services_.loop.startTimer(kStepIntervalMs, [this] { stepRaise(); });
        stepRaise();
    }
}

int WindowCommands::transparencyLevel() const {
    return std::clamp(kOpaque - services_.settings.windowTransparency(), 0, kOpaque);
}

// SBTransparentClick: a window made translucent by another program at another level gets this
// program's level first, and is made opaque by the next press.
void WindowCommands::toggleTransparent() {
    const WindowId window = target();
    const int level = transparencyLevel();
    const auto current = services_.desktop.opacity(window);
    if (current && *current == level) {
        services_.desktop.setOpacity(window, std::nullopt);
    } else {
        services_.desktop.setOpacity(window, static_cast<std::uint8_t>(level));
    }
}

// SbMinimizeClick: not while the desktop itself is in front.
void WindowCommands::minimize() {
    Desktop& desktop = services_.desktop;
    if (desktop.foregroundWindow() != desktop.desktopWindow()) {
        desktop.show(target(), ShowCommand::Minimize);
    }
}

// SBRestoreClick
void WindowCommands::restore() {
    if (targetVisible()) {
        services_.desktop.show(target(), ShowCommand::Restore);
    }
}

// SBMaxClick
void WindowCommands::maximize() {
    if (targetVisible()) {
        services_.desktop.show(target(), ShowCommand::ShowMaximized);
    }
}

std::vector<WindowId> WindowCommands::tilingCandidates() const {
    const Desktop& desktop = services_.desktop;
    const auto monitors = desktop.monitors();
    const int monitor = services_.workingMonitor();
    std::vector<WindowId> candidates;
    for (const WindowId window : desktop.topLevelWindows()) {
        if (!desktop.isVisible(window) || desktop.isCloaked(window) ||
            (desktop.styles(window) & style::kThickFrame) == 0) {
            continue;
        }
        const auto placement = desktop.placement(window);
        const auto rect = desktop.windowRect(window);
        if (!placement || !rect || placement->state == ShowState::Minimized) {
            continue;
        }
        if (excludedFromTiling(desktop.title(window)) || monitorIndexOfWindow(*rect, monitors) != monitor) {
            continue;
        }
        candidates.push_back(window);
    }
    return candidates;
}

// tile: only the windows on the working window's monitor count, so every tile lands on it.
void WindowCommands::tile() {
    const std::vector<WindowId> candidates = tilingCandidates();
    if (candidates.size() < 2) {
        return;
    }
    Desktop& desktop = services_.desktop;
    const Monitor monitor = monitorAt(desktop.monitors(), services_.workingMonitor());
    const std::vector<Rect> tiles = tileRects(static_cast<int>(candidates.size()), monitor);
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const WindowId window = candidates[k];
        const auto placement = desktop.placement(window);
        if (placement && placement->state != ShowState::Normal) {
            // Carried out by the window's thread before the move that follows it.
            services_.placer.restore(window);
        }
        desktop.move(window, tiles[k], true);
    }
}

// XI9Click
void WindowCommands::sleep() {
    services_.displayPower.turnDisplaysOff();
    services_.closeWorkingWindow();
}

// xi1Click. A maximised window is restored first, then moved by its restored rectangle and
// maximised again, so that it fills the next monitor and keeps its offset there when restored:
// maximising a window that is maximised already does not move it, and the restored rectangle is
// only known once the window's thread has carried out the restore. Each step waits for the window's
// own state (restored, then on the next monitor), not for a time. A second press while that runs
// takes the window one monitor further.
void WindowCommands::moveToNextMonitor() {
    Desktop& desktop = services_.desktop;
    const WindowId window = target();
    if (maximisedMove_ && maximisedMove_->window == window && desktop.exists(window)) {
        if (maximisedMove_->movedTo) {
            sendOn(*maximisedMove_->movedTo);
        } else {
            ++maximisedMove_->monitors;
        }
        return;
    }
    stopMaximisedMove();
    const auto placement = desktop.placement(window);
    // A minimised window has no place on a monitor to keep.
    if (!placement || placement->state == ShowState::Minimized || desktop.monitors().size() < 2) {
        return;
    }
    if (placement->state == ShowState::Maximized) {
        services_.placer.restore(window);
        maximisedMove_ = MaximisedMove{};
        maximisedMove_->window = window;
        maximisedMove_->deadlineMs = services_.loop.nowMs() + kStepWaitMs;
        startStepTimer();
        return;
    }
    const auto rect = desktop.windowRect(window);
    const auto moved = rect ? nextMonitorRect(*rect, desktop.monitors()) : std::nullopt;
    if (moved) {
        desktop.move(window, *moved, true);
    }
}

void WindowCommands::startStepTimer() {
    if (stepTimer_ == kNoTimer) {
        stepTimer_ = services_.loop.startTimer(kStepIntervalMs, [this] { stepMaximisedMove(); });
    }
}

bool WindowCommands::sendOn(const Rect& from) {
    const auto monitors = services_.desktop.monitors();
    std::optional<Rect> moved = from;
    for (int step = 0; step < maximisedMove_->monitors && moved; ++step) {
        moved = nextMonitorRect(*moved, monitors);
    }
    if (!moved) {
        return false;
    }
    services_.desktop.move(maximisedMove_->window, *moved, true);
    maximisedMove_->monitors = 1;
    maximisedMove_->movedTo = moved;
    maximisedMove_->destination = monitorIndexOfWindow(*moved, monitors);
    maximisedMove_->deadlineMs = services_.loop.nowMs() + kStepWaitMs;
    return true;
}

void WindowCommands::stepMaximisedMove() {
    Desktop& desktop = services_.desktop;
    if (!maximisedMove_ || !desktop.exists(maximisedMove_->window)) {
        stopMaximisedMove();
        return;
    }
    const WindowId window = maximisedMove_->window;
    const auto placement = desktop.placement(window);
    const auto rect = desktop.windowRect(window);
    const bool late = services_.loop.nowMs() >= maximisedMove_->deadlineMs;
    if (maximisedMove_->maximisedAtMs && placement && placement->state == ShowState::Maximized) {
        // Maximised: done once it has stayed so for a while.
        const std::int64_t now = services_.loop.nowMs();
        if (!maximisedMove_->maximisedSinceMs) {
            maximisedMove_->maximisedSinceMs = now;
        } else if (now - *maximisedMove_->maximisedSinceMs >= kMaximisedSettleMs) {
            stopMaximisedMove();
        }
        return;
    }
    if (!placement || !rect || placement->state != ShowState::Normal) {
        if (late) {
            stopMaximisedMove(); // the restore never ran: the window is as it was
        }
        return;
    }
    maximisedMove_->maximisedSinceMs.reset();
    if (!maximisedMove_->movedTo) {
        if (!sendOn(*rect)) {
            desktop.show(window, ShowCommand::ShowMaximized);
            stopMaximisedMove();
        }
        return;
    }
    // Arrived once its middle is on the monitor it was sent to; the exact rectangle may differ where
    // the program adjusted its size to the other monitor's scale.
    const bool arrived = *rect == *maximisedMove_->movedTo ||
                         monitorIndexOfWindow(*rect, desktop.monitors()) == maximisedMove_->destination;
    if (!maximisedMove_->maximisedAtMs) {
        if (arrived || late) {
            maximiseMoved();
        }
        return;
    }
    if (late) {
        stopMaximisedMove();
    } else if (maximisedMove_->maximiseTries < kMaximiseTries &&
               services_.loop.nowMs() - *maximisedMove_->maximisedAtMs >= kRemaximiseMs) {
        maximiseMoved(); // not maximised yet, or restored again behind its back
    }
}

void WindowCommands::maximiseMoved() {
    services_.desktop.show(maximisedMove_->window, ShowCommand::ShowMaximized);
    maximisedMove_->maximisedAtMs = services_.loop.nowMs();
    maximisedMove_->maximisedSinceMs.reset();
    ++maximisedMove_->maximiseTries;
    maximisedMove_->deadlineMs = services_.loop.nowMs() + kStepWaitMs;
}

void WindowCommands::stepRaise() {
    const bool pinnedNow = (services_.desktop.extendedStyles(pinned_) & exstyle::kTopmost) != 0;
    const bool inFront = !services_.raiseWorkingWindow || services_.raiseWorkingWindow(pinned_);
    if ((pinnedNow && inFront) || !services_.desktop.exists(pinned_) ||
        services_.loop.nowMs() >= raiseUntilMs_) {
        stopRaise();
    }
}

void WindowCommands::stopRaise() {
    if (raiseTimer_ != kNoTimer) {
        services_.loop.stopTimer(raiseTimer_);
        raiseTimer_ = kNoTimer;
    }
}

void WindowCommands::stopMaximisedMove() {
    maximisedMove_.reset();
    if (stepTimer_ != kNoTimer) {
        services_.loop.stopTimer(stepTimer_);
        stepTimer_ = kNoTimer;
    }
}

} // namespace cellaro
