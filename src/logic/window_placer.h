// The one way the program puts another application's window somewhere: the undo save before, the
// restore of a maximised or minimised window, the refusal of a rectangle that lies well off the
// monitor, and the invisible resize borders added around the wanted rectangle so that the window's
// visible frame covers it. Used by the board drag and every command that moves windows.
#pragma once

#include "core/geometry.h"
#include "platform/event_loop.h"

#include <cstdint>
#include <optional>

namespace cellaro {

class Desktop;
class UndoJournal;

class WindowPlacer {
public:
    // A rectangle this far outside the monitor is not applied.
    static constexpr int kRefuseLeftMargin = 60;
    static constexpr int kRefuseTopMargin = 60;
    static constexpr int kRefuseBottomMargin = 50;
    // Invisible resize borders wider than this are not borders but a stale or odd frame rectangle.
    static constexpr int kMaxInvisibleBorder = 32;
    // A window that was restored for a placement is looked at this often, while the program goes on
    // handling its messages, until its restored frame covers the area, for this long at most.
    static constexpr int kSettleIntervalMs = 30;
    static constexpr int kSettleWaitMs = 5000;
    // Corrections it gets at most: the window may take its own size once (on a monitor of another
    // scale, say) before it is put right.
    static constexpr int kSettleMoves = 3;

    WindowPlacer(Desktop& desktop, EventLoop& loop, UndoJournal& journal);
    WindowPlacer(const WindowPlacer&) = delete;
    WindowPlacer& operator=(const WindowPlacer&) = delete;
    WindowPlacer(WindowPlacer&&) = delete;
    WindowPlacer& operator=(WindowPlacer&&) = delete;
    ~WindowPlacer();

    // Whether a rectangle lies so far off the monitor that placing a window there is refused: its
    // left more than 60 pixels left of the monitor or right of its right edge, its top more than 60
    // above the monitor or more than 50 below its bottom.
    [[nodiscard]] static bool refused(const Rect& area, const Rect& monitor);

    // CopyUndo: the window's current rectangle goes into the undo journal.
    void saveForUndo(WindowId window);

    // The rectangle to ask the system for so that the window's visible frame covers `area`, with
    // the borders the window has now.
    [[nodiscard]] Rect placementRect(WindowId window, const Rect& area) const;

    // Moves the window as it is (no restore), as the drag's live preview does.
    void follow(WindowId window, const Rect& area);
    // The same with the rectangle placementRect() already gave for the area.
    void followWith(WindowId window, const Rect& requested);

    // Restores the window, then places its visible frame on `area` unless the area is refused for
    // this monitor. A window that was maximised or minimised has the borders of that state until
    // its restore has run (a request to another program's window runs when its thread does), so
    // its rectangle is corrected once the restored frame can be measured. Returns whether the area
    // was applied.
    bool restoreAndPlace(WindowId window, const Rect& area, const Rect& monitor);
    // Restores the window without moving it.
    void restore(WindowId window);

private:
    void settle();
    void stopSettling();

    Desktop& desktop_;
    EventLoop& loop_;
    UndoJournal& journal_;
    struct Settling {
        WindowId window;
        Rect area;
        std::int64_t deadlineMs = 0;
        int movesLeft = kSettleMoves;
        // The window's rectangle at the last look, to see when it has come to rest.
        std::optional<Rect> lastSeen;
    };
    std::optional<Settling> settling_;
    TimerId settleTimer_ = kNoTimer;
};

} // namespace cellaro
