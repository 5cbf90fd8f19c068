// The board drag: selection, preview and placement.
#include "forms/working/board_drag.h"

#include "forms/on_screen_caption.h"
#include "forms/preview_rectangle.h"
#include "forms/working/board_page.h"
#include "logic/target_tracker.h"
#include "logic/window_placer.h"
#include "platform/desktop.h"
#include "widgets/image.h"

namespace cellaro {

BoardDrag::BoardDrag(const Services& services, BoardPage& board, BoardDragHost& host)
    : services_(services), board_(board), host_(host), previewTimer_(services.loop, kPreviewIntervalMs) {
    previewTimer_.onTimer = [this] { previewTick(); };
}

Rect BoardDrag::rangeRect() const {
    GridMapping mapping;
    mapping.monitor = host_.currentMonitor();
    mapping.columns = board_.activeColumns();
    mapping.rows = board_.activeRows();
    mapping.hasTarget = services_.tracker.target().valid();
    if (host_.fullScreen()) {
        return fullScreenRangeRect(range_, mapping, board_.cells(), host_.boardOrigin());
    }
    return compactRangeRect(range_, mapping);
}

void BoardDrag::showRange() {
    services_.preview.setPanelColour(board_.board().colours().resizingWindow);
    board_.showRange(range_);
}

// TablaMouseDown
void BoardDrag::mouseDown(Point at, MouseButton button) {
    if (button != MouseButton::Left) {
        return;
    }
    const WindowId target = services_.tracker.target();
    services_.placer.saveForUndo(target);
    forget();
    dragging_ = target.valid();
    range_.start = board_.cells().cellAt(host_.boardScale().physical(at));
    range_.end = range_.start;
    showRange();
    services_.preview.show();
    previewTimer_.setEnabled(true);
    // The preview shows at once, so that even a quick click places the target.
    previewTick();
}

// TablaMouseMove
void BoardDrag::mouseMove(Point at) {
    const Rect image = board_.image().bounds();
    if (at.x < 0 || at.y < 0 || at.x >= image.width() || at.y >= image.height()) {
        return; // a captured move beyond the board: the board was left
    }
    const CellRange before = range_;
    range_.end = board_.cells().cellAt(host_.boardScale().physical(at));
    if (!dragging_) {
        range_.start = range_.end;
        host_.raiseIfTopmost();
    }
    if (range_ != before || board_.board().bitmap().empty()) {
        showRange();
    }
}

// Timer10Timer
void BoardDrag::previewTick() {
    const Rect area = rangeRect();
    previewedArea_ = area;
    if (services_.preview.place(area)) {
        // The working window stays in front of the preview.
        host_.keepInFront();
    }
    previewedRange_ = range_;
    if (!dragging_) {
        return;
    }
    const WindowId target = services_.tracker.target();
    if (!services_.desktop.exists(target)) {
        // The target went away mid-drag: the drag ends quietly.
        end();
        return;
    }
    const Rect requested = services_.placer.placementRect(target, area);
    if (followedRect_ != requested) {
        // The preview tick reads the target's borders once.
        services_.placer.followWith(target, requested);
        followedRect_ = requested;
    }
}

void BoardDrag::forget() {
    dragging_ = false;
    keyed_ = false;
    followedRect_.reset();
    previewedRange_.reset();
    previewedArea_.reset();
}

void BoardDrag::reset() {
    forget();
}

void BoardDrag::stop() {
    previewTimer_.setEnabled(false);
    forget();
}

void BoardDrag::end() {
    previewTimer_.setEnabled(false);
    forget();
    services_.preview.shrink();
    board_.redraw(host_.windowHeight(), host_.boardScale());
}

// TablaMouseUp
void BoardDrag::mouseUp(MouseButton button) {
    if (button != MouseButton::Left) {
        host_.finishOneShot();
        return;
    }
    services_.caption.hide();
    // The last moves since the preview's tick still count.
    if (dragging_ && previewedRange_ != range_) {
        previewTick();
    }
    previewTimer_.setEnabled(false);
    // The cells' rectangle as the last preview mapped it: the preview window itself may have been
    // given another size by a monitor of another scale.
    place(dragging_ ? previewedArea_ : std::nullopt);
}

void BoardDrag::keyRange(const CellRange& range) {
    if (dragging_) {
        return; // the pointer's drag has the board
    }
    range_ = range;
    keyed_ = true;
    showRange();
    services_.preview.show();
    previewTick();
}

bool BoardDrag::keyPlace() {
    if (!keyed_ || dragging_) {
        return false;
    }
    if (previewedRange_ != range_) {
        previewTick();
    }
    const WindowId target = services_.tracker.target();
    if (services_.desktop.isVisible(target)) {
        services_.placer.saveForUndo(target);
    }
    place(previewedArea_);
    return true;
}

void BoardDrag::place(std::optional<Rect> area) {
    if (host_.fullScreen()) {
        host_.leaveFullScreenAfterPlacing();
    }
    const WindowId target = services_.tracker.target();
    if (!services_.desktop.isVisible(target)) {
        // Nothing to place: the target has gone or hides.
        forget();
        return;
    }
    if (area) {
        services_.placer.restoreAndPlace(target, *area, host_.currentMonitor().bounds);
    } else {
        services_.placer.restore(target);
    }
    services_.preview.shrink();
    host_.raiseIfTopmost();
    forget();
    board_.redraw(host_.windowHeight(), host_.boardScale());
    host_.finishOneShot();
}

// AppOnHint: the pointer came onto the board.
void BoardDrag::entered() {
    if (host_.windowListShown()) {
        return;
    }
    services_.preview.show();
}

// AppOnHint: the pointer left the board.
void BoardDrag::left() {
    if (host_.windowListShown()) {
        return;
    }
    previewTimer_.setEnabled(false);
    services_.preview.park();
    board_.redraw(host_.windowHeight(), host_.boardScale());
    if (!services_.desktop.isVisible(services_.tracker.target())) {
        return;
    }
    host_.raiseIfTopmost();
    range_ = CellRange::cleared();
    forget();
}

} // namespace cellaro
