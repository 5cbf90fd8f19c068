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

WindowId WindowCommands::target() const {
    return services_.tracker.target();
}

bool WindowCommands::targetVisible() const {
    const WindowId window = target();
    return window && services_.desktop.isVisible(window);
}

// Akcija1
void WindowCommands::run(std::string_view word) {
    if (!targetVisible()) {
        return;
    }
    if (word == kStayOnTopWord) {
        toggleStayOnTop();
        return;
    }
    const auto anchor = anchorForWord(word);
    if (!anchor) {
        return;
    }
    const WindowId window = target();
    services_.placer.saveForUndo(window);
    // What the user sees of the window goes to the anchor; invisible borders hang beyond it.
    const auto frame = services_.desktop.visibleFrameRect(window);
    if (!frame) {
        return;
    }
    const Point at = anchorPosition(*anchor, Size{frame->width(), frame->height()},
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

// xi1Click: a maximised window is restored, moved by its restored rectangle and maximised again,
// so that it fills the next monitor and comes back to the same offset there when restored.
void WindowCommands::moveToNextMonitor() {
    Desktop& desktop = services_.desktop;
    const WindowId window = target();
    const auto placement = desktop.placement(window);
    const auto monitors = desktop.monitors();
    // A minimised window has no place on a monitor to keep.
    if (!placement || placement->state == ShowState::Minimized || monitors.size() < 2) {
        return;
    }
    const bool maximized = placement->state == ShowState::Maximized;
    const auto rect = maximized ? std::optional<Rect>(placement->normal) : desktop.windowRect(window);
    if (!rect) {
        return;
    }
    const auto moved = nextMonitorRect(*rect, monitors);
    if (!moved) {
        return;
    }
    if (maximized) {
        services_.placer.restore(window);
    }
    desktop.move(window, *moved, true);
    if (maximized) {
        desktop.show(window, ShowCommand::ShowMaximized);
    }
}

} // namespace cellaro
