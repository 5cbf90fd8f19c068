// The active window highlight's sequence.
#include "forms/highlight/active_window_highlight.h"

#include "core/monitors.h"
#include "forms/highlight/screen_grab.h"
#include "logic/highlight_frame.h"
#include "logic/target_tracker.h"
#include "pixels/bitmap.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/screen_capture.h"

#include <exception>
#include <utility>

namespace cellaro {

ActiveWindowHighlight::ActiveWindowHighlight(ScreenCapture& screen, Desktop& desktop, EventLoop& loop,
                                             TargetTracker& tracker, ScreenGrab& grab)
    : screen_(screen), desktop_(desktop), loop_(loop), tracker_(tracker), grab_(grab) {
    // FormClose: closing the window (a click on the picture) makes the highlight ready again.
    grab_.onClosed = [this] { ready_ = true; };
}

ActiveWindowHighlight::~ActiveWindowHighlight() {
    grab_.onClosed = nullptr;
}

void ActiveWindowHighlight::run() {
    // Nothing at all while one runs: not even a new picture under the one being shown.
    if (!ready_ || grab_.visible()) {
        return;
    }
    const WindowId target = tracker_.target();
    bool started = false;
    try {
        const Rect screen = screen_.virtualScreen();
        grab_.cover(screen);
        auto picture = screen_.capture();
        if (!picture) {
            return; // no picture to freeze: nothing is shown
        }
        grab_.setPicture(std::move(*picture));
        if (!tracker_.isShown(target)) {
            return;
        }
        ready_ = false;
        started = true;
        show(screen, target);
    } catch (const std::exception&) {
        // Swallowed like every failure of a command on other windows; the window must not stay.
        if (grab_.visible()) {
            grab_.hide();
        }
    }
    if (!started) {
        return;
    }
    ready_ = true;
    // While the grab window was in front the tracking adopted it, or whatever the user brought up:
    // the target goes back to the one the highlight was for.
    tracker_.restoreTarget(target);
    loop_.processPendingMessages();
}

void ActiveWindowHighlight::show(const Rect& screen, WindowId target) {
    loop_.processPendingMessages();
    const auto rect = desktop_.windowRect(target);
    if (!rect) {
        return; // gone meanwhile
    }
    const auto monitors = desktop_.monitors();
    const int dpi = monitorAt(monitors, monitorIndexOfWindow(*rect, monitors)).dpi;
    // The picture's pixel (0, 0) is the virtual screen's top-left corner.
    grab_.setFrame(highlightRectangle(*rect, screen).offset(-screen.left, -screen.top), dpi);

    grab_.cover(screen);
    loop_.processPendingMessages();
    grab_.show(true);
    loop_.processPendingMessages();
    // The frame is drawn on activation; a system that kept the window from the foreground still
    // gets it, before the picture is painted for the wait.
    grab_.drawFrame();
    grab_.window().update();
    loop_.sleep(kHighlightShowMs);
    loop_.processPendingMessages();
    grab_.hide();
}

} // namespace cellaro
