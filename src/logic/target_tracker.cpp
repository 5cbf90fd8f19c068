// Target window tracking: the tracking tick, the target display refresh and the re-check tick.
#include "logic/target_tracker.h"

#include "core/utf8.h"
#include "logic/grid_geometry.h"
#include "logic/tray_hint.h"
#include "platform/desktop.h"
#include "platform/system_state.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace cellaro {

namespace {

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Letter case of ASCII letters ignored; other bytes compare as they are (enough for the fixed
// ASCII titles and for Windows paths as the system reports them).
bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

// UTF-8 characters: every byte that does not continue a sequence starts a character.
// The window classes of the task bars and the notification area (the system's, and the stand-alone
// tray window that Wine shows without a desktop shell).
bool isNotificationArea(std::string_view className) {
    constexpr std::array<std::string_view, 4> kClasses{
        "Shell_TrayWnd", "Shell_SecondaryTrayWnd", "NotifyIconOverflowWindow", "__winex11_standalone_tray"};
    return std::find(kClasses.begin(), kClasses.end(), className) != kClasses.end();
}

template <std::size_t N>
bool isOneOf(const std::string& title, const std::array<std::string_view, N>& titles) {
    return std::find(titles.begin(), titles.end(), title) != titles.end();
}

} // namespace

TargetTracker::TargetTracker(Desktop& desktop, const SystemState& system, std::string programPath,
                             TrackingHost& host)
    : desktop_(desktop), system_(system), programPath_(std::move(programPath)), host_(host) {}

void TargetTracker::tick() {
    const bool workingVisible = host_.workingWindowVisible();

    // The preview rectangle is only ever seen together with the working window.
    if (host_.previewVisible() != workingVisible) {
        host_.parkPreviewLeft();
    }

    // Moving to the next monitor needs one.
    const int monitorCount = static_cast<int>(desktop_.monitors().size());
    host_.setNextMonitorAvailable(monitorCount >= 2);

    // The foreground window, unless it is the shell's, one of the program's windows or nothing.
    WindowId foreground = desktop_.foregroundWindow();
    tickForeground_ = foreground;
    const WindowId workingWindow = host_.workingWindowId();
    bool excluded = !foreground || foreground == workingWindow || foreground == host_.trayFormId();
    std::string foregroundTitle = desktop_.title(foreground);
    // Only a window bearing one of the titles can be the one found by it: the look-up, which walks
    // every window, runs just then.
    for (const std::string_view title : kExcludedTitles) {
        if (!excluded && equalsIgnoringCase(foregroundTitle, title)) {
            excluded = foreground == desktop_.findWindowByTitle(std::string(title));
        }
    }
    // The task bar and notification area count as untitled, whatever title a system gives them.
    if (!excluded && !foregroundTitle.empty() && isNotificationArea(desktop_.className(foreground))) {
        foregroundTitle.clear();
    }
    // An untitled foreground window (a dialog's owner, a tool strip) stands for the previous target.
    if (foregroundTitle.empty()) {
        foreground = previousTarget_;
        foregroundTitle = desktop_.title(foreground);
        excluded = excluded || foregroundTitle.empty();
    }

    // A window that passed is the candidate.
    if (!excluded) {
        candidate_ = foreground;
    }

    // A new candidate changes the target.
    if (candidate_ != lastCandidate_ && !excluded && foreground != workingWindow) {
        if (workingVisible && host_.workingWindowTopmost()) {
            host_.bringWorkingWindowToFront();
        }
        // Closing a hidden working window would only run its closing steps (a configuration
        // write-back) for nothing.
        if (workingVisible && system_.screenSaverRunning()) {
            host_.closeWorkingWindow();
        }
        // The program's other windows are titled "Cellaro" too; only the first one is found by title.
        if (!equalsIgnoringCase(foregroundTitle, kProductName)) {
            target_ = candidate_;
            refreshTarget();
        }
        previousTarget_ = target_;
        // While the working window is shown, the refresh just below follows at once.
        lastCandidate_ = candidate_;
    }

    // While shown, the status strip follows the target on every tick, and the window stays on top.
    if (host_.workingWindowVisible()) {
        refreshTarget();
        if (!host_.workingWindowTopmost()) {
            host_.makeWorkingWindowTopmost();
        }
    }

    updateTrayHint(monitorCount);

    // A target of the program's own or one that has gone out of sight is replaced. While nothing is
    // shown and the last search for a replacement found none, the search (a walk over every
    // top-level window) is repeated only every few ticks until the foreground window changes.
    if (!isShown(target_) || isOwnExecutableTarget()) {
        const bool searchAgainLater = !workingVisible && fallbackFoundNone_ &&
                                      tickForeground_ == foregroundAtEmptySearch_ &&
                                      ++ticksSinceEmptySearch_ < kIdleSearchEveryTicks;
        if (!searchAgainLater) {
            refreshTarget();
        }
    }
}

void TargetTracker::refreshTarget(bool freshIcon) {
    if (freshIcon) {
        iconOf_.reset();
    }
    const bool entryShown = isShown(target_);
    const bool minimised = host_.workingWindowMinimised();

    if (!entryShown || minimised) {
        // The fallback picks a visible window; with none the target stays as it is.
        const WindowId fallback = fallbackTarget();
        if (fallback) {
            target_ = fallback;
        }
        fallbackFoundNone_ = !fallback;
        foregroundAtEmptySearch_ = tickForeground_;
        ticksSinceEmptySearch_ = 0;
        host_.showDesktopDisplay();
        return;
    }
    if (isOwnExecutableTarget()) {
        host_.showDesktopDisplay();
        return;
    }
    const Bitmap& icon = targetIcon();
    host_.showTargetDisplay(icon, fittedTitle(desktop_.title(target_)));
}

void TargetTracker::recheck() {
    executableOf_.reset();
    iconOf_.reset();
    fittedFrom_.reset();
    if (!isShown(target_)) {
        refreshTarget();
    }
}

int TargetTracker::targetMonitorIndex() const {
    const std::optional<Rect> rect = desktop_.windowRect(target_);
    if (!rect) {
        return 0;
    }
    return monitorIndexOfLeftAndWidth(*rect, desktop_.monitors());
}

bool TargetTracker::isShown(WindowId window) const {
    return window && desktop_.isVisible(window) && !desktop_.isCloaked(window);
}

bool TargetTracker::isOwnWindow(WindowId window) const {
    return isOwnExecutable(desktop_.executablePath(window));
}

std::string TargetTracker::trayHintText(const std::string& title, int monitorCount, int monitorIndex) {
    const std::string head = std::string(kProductName) + "\r\n";
    const std::string monitorLine =
        monitorCount > 1 ? "\r\nMonitor: " + std::to_string(monitorIndex + 1) : "";
    if (utf8::characterCount(title) < 2) {
        return std::string(kProductName) + monitorLine;
    }
    // A title too long for the tray loses its end, not the monitor line: cut with an ellipsis.
    const std::size_t room = kTrayHintLimit - utf8::characterCount(head) - utf8::characterCount(monitorLine);
    if (utf8::characterCount(title) <= room) {
        return fitTrayHint(head + title + monitorLine);
    }
    return fitTrayHint(head + std::string(utf8::firstCharacters(title, room - 1)) + "\u2026" + monitorLine);
}

WindowId TargetTracker::fallbackTarget() const {
    const WindowId workingWindow = host_.workingWindowId();
    const WindowId trayForm = host_.trayFormId();
    for (const WindowId window : desktop_.topLevelWindows()) {
        if (window == workingWindow || window == trayForm || !isShown(window)) {
            continue;
        }
        const std::string title = desktop_.title(window);
        if (title.empty() || isOneOf(title, kFallbackSkippedTitles) ||
            equalsIgnoringCase(title, kProductName) || isNotificationArea(desktop_.className(window))) {
            continue;
        }
        if (isOwnExecutable(desktop_.executablePath(window))) {
            continue;
        }
        return window;
    }
    return kNoWindow;
}

bool TargetTracker::isOwnExecutable(const std::string& path) const {
    return !path.empty() && equalsIgnoringCase(path, programPath_);
}

const std::string& TargetTracker::targetExecutable() {
    if (executableOf_ != target_) {
        executable_ = desktop_.executablePath(target_);
        executableOf_ = target_;
    }
    return executable_;
}

bool TargetTracker::isOwnExecutableTarget() {
    return isOwnExecutable(targetExecutable());
}

const Bitmap& TargetTracker::targetIcon() {
    // The status picture is in the working window's physical pixels: 32 at 100 %.
    const int size = host_.statusPictureSize();
    if (iconOf_ == target_ && icon_.width() == size) {
        return icon_;
    }
    const Colour background = host_.statusBackground();
    std::optional<Bitmap> icon;
    // A hung window would only make the request wait for its time-out: its file's icon serves.
    if (!desktop_.isHung(target_)) {
        icon = desktop_.bigIcon(target_, size, background);
    }
    if (!icon) {
        const std::string& executable = targetExecutable();
        if (!executable.empty()) {
            icon = desktop_.fileIcon(executable, size, background);
        }
    }
    if (icon && (icon->width() != size || icon->height() != size)) {
        icon->stretch(size, size);
    }
    icon_ = icon ? std::move(*icon) : Bitmap(size, size, background);
    iconOf_ = target_;
    return icon_;
}

const std::string& TargetTracker::fittedTitle(const std::string& title) {
    if (fittedFrom_ != title) {
        fitted_ = host_.fitStatusText(title);
        fittedFrom_ = title;
    }
    return fitted_;
}

void TargetTracker::updateTrayHint(int monitorCount) {
    const int monitorIndex = monitorCount > 1 ? host_.currentMonitorIndex() : 0;
    std::string hint = trayHintText(desktop_.title(target_), monitorCount, monitorIndex);
    if (hint != trayHint_) {
        trayHint_ = std::move(hint);
        host_.setTrayHint(trayHint_);
    }
}

} // namespace cellaro
