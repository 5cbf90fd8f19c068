// The active window highlight ("Focus active window", Xi10Click): freezes a picture of the whole
// virtual screen for a second in the screen grab window, with a red frame round the target window,
// so the user sees which window the program acts on. Started by the tray menu (and the shortcut).
#pragma once

#include "core/geometry.h"

namespace cellaro {

class Desktop;
class EventLoop;
class ScreenCapture;
class ScreenGrab;
class TargetTracker;

class ActiveWindowHighlight {
public:
    // All references must outlive the highlight; it takes over the grab window's onClosed.
    ActiveWindowHighlight(ScreenCapture& screen, Desktop& desktop, EventLoop& loop, TargetTracker& tracker,
                          ScreenGrab& grab);
    ActiveWindowHighlight(const ActiveWindowHighlight&) = delete;
    ActiveWindowHighlight& operator=(const ActiveWindowHighlight&) = delete;
    ActiveWindowHighlight(ActiveWindowHighlight&&) = delete;
    ActiveWindowHighlight& operator=(ActiveWindowHighlight&&) = delete;
    ~ActiveWindowHighlight();

    // Xi10Click. A request while a highlight runs (from a message handled during its waits) does
    // nothing. Otherwise the screen is captured; without a picture, or without a visible target,
    // nothing is shown. Else the grab window covers the virtual screen with the picture, the frame
    // is drawn round the target's rectangle when the window activates, the window stays for
    // kHighlightShowMs with messages run before and after, and hides again. The target the
    // highlight started with is then the target again (the tracking may have taken the grab
    // window, or whatever came to the front meanwhile). Failures are swallowed.
    void run();

    // The highlight ready flag: no highlight is running.
    [[nodiscard]] bool ready() const { return ready_; }

private:
    // Steps 5 to 7: the grab window shown over the picture for the time, then hidden.
    void show(const Rect& screen, WindowId target);

    ScreenCapture& screen_;
    Desktop& desktop_;
    EventLoop& loop_;
    TargetTracker& tracker_;
    ScreenGrab& grab_;
    bool ready_ = true;
};

} // namespace cellaro
