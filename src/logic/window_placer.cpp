// Placing another application's window: undo save, restore, refusal and invisible borders.
#include "logic/window_placer.h"

#include "logic/undo_journal.h"
#include "platform/desktop.h"

namespace cellaro {

WindowPlacer::WindowPlacer(Desktop& desktop, EventLoop& loop, UndoJournal& journal)
    : desktop_(desktop), loop_(loop), journal_(journal) {}

WindowPlacer::~WindowPlacer() {
    stopSettling();
}

bool WindowPlacer::refused(const Rect& area, const Rect& monitor) {
    return area.left < monitor.left - kRefuseLeftMargin || area.left > monitor.right ||
           area.top < monitor.top - kRefuseTopMargin || area.top > monitor.bottom + kRefuseBottomMargin;
}

void WindowPlacer::saveForUndo(WindowId window) {
    journal_.save(desktop_, window);
}

Rect WindowPlacer::placementRect(WindowId window, const Rect& area) const {
    const auto windowRect = desktop_.windowRect(window);
    const auto frame = desktop_.visibleFrameRect(window);
    if (!windowRect || !frame) {
        return area;
    }
    const int left = frame->left - windowRect->left;
    const int top = frame->top - windowRect->top;
    const int right = windowRect->right - frame->right;
    const int bottom = windowRect->bottom - frame->bottom;
    for (const int border : {left, top, right, bottom}) {
        if (border < 0 || border > kMaxInvisibleBorder) {
            return area;
        }
    }
    return Rect{area.left - left, area.top - top, area.right + right, area.bottom + bottom};
}

void WindowPlacer::follow(WindowId window, const Rect& area) {
    followWith(window, placementRect(window, area));
}

void WindowPlacer::followWith(WindowId window, const Rect& requested) {
    if (settling_ && settling_->window == window) {
        stopSettling();
    }
    desktop_.move(window, requested, true);
}

void WindowPlacer::restore(WindowId window) {
    desktop_.show(window, ShowCommand::Restore);
}

bool WindowPlacer::restoreAndPlace(WindowId window, const Rect& area, const Rect& monitor) {
    stopSettling();
    const auto placement = desktop_.placement(window);
    const bool wasNormal = placement && placement->state == ShowState::Normal;
    restore(window);
    if (refused(area, monitor)) {
        return false;
    }
    // The borders measured now belong to the maximised or minimised window: the first move takes
    // none, and the settling adds the restored window's own once its restore has run.
    desktop_.move(window, wasNormal ? placementRect(window, area) : area, true);
    if (!wasNormal) {
        settling_ = Settling{window, area, loop_.nowMs() + kSettleWaitMs, kSettleMoves, std::nullopt};
        settleTimer_ = loop_.startTimer(kSettleIntervalMs, [this] { settle(); });
    }
    return true;
}

// Waits for the window's own state: the restore carried out, then the frame on the area. A move
// goes out when the restored window has come to rest elsewhere (its borders are known now, or its
// program gave it another size), a few times at most.
void WindowPlacer::settle() {
    if (!settling_ || !desktop_.exists(settling_->window) || loop_.nowMs() >= settling_->deadlineMs) {
        stopSettling();
        return;
    }
    const auto placement = desktop_.placement(settling_->window);
    if (!placement || placement->state != ShowState::Normal || desktop_.isHung(settling_->window)) {
        return; // the restore has not run yet
    }
    const auto frame = desktop_.visibleFrameRect(settling_->window);
    if (frame && *frame == settling_->area) {
        stopSettling();
        return;
    }
    const auto current = desktop_.windowRect(settling_->window);
    const bool atRest = current && settling_->lastSeen == current;
    settling_->lastSeen = current;
    const Rect wanted = placementRect(settling_->window, settling_->area);
    if (atRest && *current != wanted) {
        if (settling_->movesLeft-- <= 0) {
            stopSettling();
            return;
        }
        desktop_.move(settling_->window, wanted, true);
        settling_->lastSeen.reset();
    }
}

void WindowPlacer::stopSettling() {
    settling_.reset();
    if (settleTimer_ != kNoTimer) {
        loop_.stopTimer(settleTimer_);
        settleTimer_ = kNoTimer;
    }
}

} // namespace cellaro
