// The grid board of the working window: drawing it, selecting a range with the pointer, the preview
// rectangle that shows where the target goes, and placing the target on release.
#include "app/program.h"
#include "grid/grid_geometry.h"
#include "grid/working_window.h"
#include "platform/desktop.h"
#include "widgets/image.h"

namespace cellaro {

namespace {

// A preview this far outside the current monitor is not applied on release.
constexpr int kRefuseLeftMargin = 60;
constexpr int kRefuseTopMargin = 60;
constexpr int kRefuseBottomMargin = 50;
constexpr int kOneShotCloseDelayMs = 250;
// Invisible resize borders wider than this are not borders but a stale or odd frame rectangle.
constexpr int kMaxInvisibleBorder = 32;

bool refused(const Rect& preview, const Rect& monitor) {
    return preview.left < monitor.left - kRefuseLeftMargin || preview.left > monitor.left + monitor.width() ||
           preview.top < monitor.top - kRefuseTopMargin ||
           preview.top > monitor.top + monitor.height() + kRefuseBottomMargin;
}

} // namespace

Rect WorkingWindow::boardBounds() const {
    return boardImage_->formBounds();
}

Monitor WorkingWindow::currentMonitor() const {
    const std::vector<Monitor> monitors = program_.ports().desktop.monitors();
    const int index = monitorIndex();
    if (index >= 0 && static_cast<std::size_t>(index) < monitors.size()) {
        return monitors[static_cast<std::size_t>(index)];
    }
    return monitors.empty() ? Monitor{} : monitors.front();
}

// RisiMrezo
void WorkingWindow::redrawBoard() {
    const Rect image = boardImage_->bounds();
    gridBoard_.setColours(colours_);
    gridBoard_.drawPlain(Size{image.width(), image.height()}, activeColumns_, activeRows_, bounds().height());
    boardImage_->setPicture(gridBoard_.bitmap());
}

// RisiVektor, then nalozislike.
void WorkingWindow::showRange() {
    program_.previewRectangle().setPanelColour(colours_.resizingWindow);
    if (gridBoard_.highlight(range_)) {
        boardImage_->setPicture(gridBoard_.bitmap());
    }
}

Rect WorkingWindow::rangeRect() const {
    GridMapping mapping;
    mapping.monitor = currentMonitor();
    mapping.columns = activeColumns_;
    mapping.rows = activeRows_;
    mapping.hasTarget = tracker_.target().valid();
    return compactRangeRect(range_, mapping);
}

Rect WorkingWindow::placementRect(WindowId window, const Rect& cells) const {
    const Desktop& desktop = program_.ports().desktop;
    const auto windowRect = desktop.windowRect(window);
    const auto frame = desktop.visibleFrameRect(window);
    if (!windowRect || !frame) {
        return cells;
    }
    const int left = frame->left - windowRect->left;
    const int top = frame->top - windowRect->top;
    const int right = windowRect->right - frame->right;
    const int bottom = windowRect->bottom - frame->bottom;
    for (const int border : {left, top, right, bottom}) {
        if (border < 0 || border > kMaxInvisibleBorder) {
            return cells;
        }
    }
    return Rect{cells.left - left, cells.top - top, cells.right + right, cells.bottom + bottom};
}

// TablaMouseDown
void WorkingWindow::boardMouseDown(Point at, MouseButton button) {
    if (button != MouseButton::Left) {
        return;
    }
    const WindowId target = tracker_.target();
    journal_.save(program_.ports().desktop, target); // CopyUndo
    forgetDrag();
    dragging_ = target.valid();
    range_.start = gridBoard_.cells().cellAt(at);
    range_.end = range_.start;
    showRange();
    program_.previewRectangle().show();
    previewTimer_.setEnabled(true);
    // The preview shows at once, so that even a quick click places the target.
    previewTick();
}

// TablaMouseMove
void WorkingWindow::boardMouseMove(Point at) {
    const Rect image = boardImage_->bounds();
    if (at.x < 0 || at.y < 0 || at.x >= image.width() || at.y >= image.height()) {
        return; // a captured move beyond the board: the board was left
    }
    const CellRange before = range_;
    range_.end = gridBoard_.cells().cellAt(at);
    if (!dragging_) {
        range_.start = range_.end;
        if (workingWindowTopmost()) {
            bringWorkingWindowToFront();
        }
    }
    if (range_ != before || gridBoard_.bitmap().empty()) {
        showRange();
    }
}

// Timer10Timer
void WorkingWindow::previewTick() {
    const Rect area = rangeRect();
    if (program_.previewRectangle().place(area)) {
        // The working window stays in front of the preview.
        makeWorkingWindowTopmost();
    }
    previewedRange_ = range_;
    if (!dragging_) {
        return;
    }
    Desktop& desktop = program_.ports().desktop;
    const WindowId target = tracker_.target();
    if (!desktop.exists(target)) {
        // The target went away mid-drag: the drag ends quietly.
        endDrag();
        return;
    }
    const Rect requested = placementRect(target, area);
    if (followedRect_ != requested) {
        desktop.move(target, requested, true);
        followedRect_ = requested;
    }
}

void WorkingWindow::forgetDrag() {
    dragging_ = false;
    followedRect_.reset();
    previewedRange_.reset();
}

void WorkingWindow::endDrag() {
    previewTimer_.setEnabled(false);
    forgetDrag();
    program_.previewRectangle().shrink();
    redrawBoard();
}

// TablaMouseUp
void WorkingWindow::boardMouseUp(MouseButton button) {
    ProgramFlags& flags = program_.flags();
    Desktop& desktop = program_.ports().desktop;
    if (button == MouseButton::Left) {
        program_.onScreenCaption().hide();
        // The last moves since the preview's tick still count.
        if (dragging_ && previewedRange_ != range_) {
            previewTick();
        }
        previewTimer_.setEnabled(false);
        if (flags.fullScreen) {
            flags.fullScreenReady = false;
            returnToCompact();
            close();
        }
        const WindowId target = tracker_.target();
        if (!desktop.isVisible(target)) {
            // Nothing to place: the target has gone or hides.
            forgetDrag();
            return;
        }
        desktop.show(target, ShowCommand::Restore);
        if (dragging_) {
            const Rect preview = program_.previewRectangle().bounds();
            if (!refused(preview, currentMonitor().bounds)) {
                desktop.move(target, placementRect(target, preview), true);
            }
        }
        program_.previewRectangle().shrink();
        if (workingWindowTopmost()) {
            bringWorkingWindowToFront();
        }
        forgetDrag();
        redrawBoard();
    }
    if (flags.oneShot) {
        program_.ports().loop.sleep(kOneShotCloseDelayMs);
        show(false);
        flags.fullScreenReady = true;
        close();
    }
}

// AppOnHint: the pointer came onto the board.
void WorkingWindow::boardEntered() {
    if (program_.windowList().visible()) {
        return;
    }
    program_.previewRectangle().show();
}

// AppOnHint: the pointer left the board.
void WorkingWindow::boardLeft() {
    if (program_.windowList().visible()) {
        return;
    }
    previewTimer_.setEnabled(false);
    program_.previewRectangle().park();
    redrawBoard();
    if (!program_.ports().desktop.isVisible(tracker_.target())) {
        return;
    }
    if (workingWindowTopmost()) {
        bringWorkingWindowToFront();
    }
    range_ = CellRange::cleared();
    forgetDrag();
}

} // namespace cellaro
