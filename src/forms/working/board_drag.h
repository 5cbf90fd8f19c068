// Selecting a range on the grid board with the pointer, the preview rectangle that shows where the
// target goes (and the target following it live), and placing the target on release. The compact
// board and the full-screen grid run the same drag over the same board.
#pragma once

#include "core/monitors.h"
#include "core/scale.h"
#include "logic/grid_geometry.h"
#include "widgets/form_timer.h"

#include <optional>

namespace cellaro {

class BoardPage;
class Desktop;
class EventLoop;
class OnScreenCaption;
class PreviewRectangle;
class TargetTracker;
class WindowPlacer;
enum class MouseButton;

// What the drag asks of the window it runs in.
class BoardDragHost {
public:
    BoardDragHost() = default;
    BoardDragHost(const BoardDragHost&) = delete;
    BoardDragHost& operator=(const BoardDragHost&) = delete;
    BoardDragHost(BoardDragHost&&) = delete;
    BoardDragHost& operator=(BoardDragHost&&) = delete;
    virtual ~BoardDragHost() = default;

    // The monitor the range maps onto: the working window's.
    [[nodiscard]] virtual Monitor currentMonitor() const = 0;
    [[nodiscard]] virtual bool fullScreen() const = 0;
    // In physical pixels.
    [[nodiscard]] virtual int windowHeight() const = 0;
    // The scale the board is shown at: pointer positions come in device-independent pixels, the
    // board's cells are in its own physical pixels.
    [[nodiscard]] virtual Scale boardScale() const = 0;
    // On the full-screen grid: where the board lies in the window, in physical pixels.
    [[nodiscard]] virtual Point boardOrigin() const = 0;
    // The window list is open: the board's enter and leave do nothing.
    [[nodiscard]] virtual bool windowListShown() const = 0;
    // Brings the working window to the front when it is topmost.
    virtual void raiseIfTopmost() = 0;
    // Keeps the working window in front of the preview rectangle.
    virtual void keepInFront() = 0;
    // A release placed the target from the full-screen grid: back to the compact form, closed.
    virtual void leaveFullScreenAfterPlacing() = 0;
    // After a release: the working window closes when it was opened for one command.
    virtual void finishOneShot() = 0;
};

class BoardDrag {
public:
    static constexpr int kPreviewIntervalMs = 65;

    struct Services {
        Desktop& desktop;
        EventLoop& loop;
        TargetTracker& tracker;
        WindowPlacer& placer;
        PreviewRectangle& preview;
        OnScreenCaption& caption;
    };

    BoardDrag(const Services& services, BoardPage& board, BoardDragHost& host);

    [[nodiscard]] const CellRange& range() const { return range_; }
    [[nodiscard]] bool dragging() const { return dragging_; }

    // TablaMouseDown, TablaMouseMove, TablaMouseUp: the board's pointer events, in board pixels.
    void mouseDown(Point at, MouseButton button);
    void mouseMove(Point at);
    void mouseUp(MouseButton button);
    // AppOnHint: the pointer entered or left the board.
    void entered();
    void left();
    // Timer10Timer: the preview rectangle follows the selection and the target follows it.
    void previewTick();
    // The keyboard's range: shown on the board with the preview rectangle on its cells (the target
    // stays where it is until Enter).
    void keyRange(const CellRange& range);
    // Enter: the target goes onto the keyboard's range as a release would place it, with an undo
    // entry. False, with nothing done, when no range has been keyed.
    bool keyPlace();
    [[nodiscard]] bool keyed() const { return keyed_; }
    // Everything the drag was doing stops (the working window closes or activates).
    void reset();
    // The preview timer stops and the drag is forgotten (the working window closes).
    void stop();

private:
    // The screen rectangle of the current range on the current monitor.
    [[nodiscard]] Rect rangeRect() const;
    void showRange();
    // The drag flag and what the preview and the target followed are cleared.
    void forget();
    // The release's placement: the target on the area the last preview mapped (nothing: only
    // restored), then the preview shrinks, the board is plain and a one-shot window closes.
    void place(std::optional<Rect> area);
    // The target went away: the drag stops, the preview shrinks and the highlight goes.
    void end();

    Services services_;
    BoardPage& board_;
    BoardDragHost& host_;
    FormTimer previewTimer_;
    CellRange range_ = CellRange::cleared();
    // The range the last preview tick placed, the screen rectangle it mapped to, and the rectangle
    // the target was last moved to.
    std::optional<CellRange> previewedRange_;
    std::optional<Rect> previewedArea_;
    std::optional<Rect> followedRect_;
    bool dragging_ = false;
    // The range was keyed, not dragged.
    bool keyed_ = false;
};

} // namespace cellaro
