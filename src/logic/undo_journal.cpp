// The undo journal (CopyUndo and the Undo command).
#include "logic/undo_journal.h"

#include "platform/desktop.h"

#include <optional>

namespace cellaro {

bool UndoJournal::save(const Desktop& desktop, WindowId window) {
    if (!window || top_ >= kCapacity) {
        return false;
    }
    // A minimised window's rectangle is the system's parking place far off screen; undoing to it
    // would lose the window, so a minimised window saves its restored position instead.
    std::optional<Rect> rect = desktop.windowRect(window);
    if (const auto placement = desktop.placement(window);
        placement && placement->state == ShowState::Minimized) {
        rect = placement->normal;
    }
    entries_.at(top_) = rect ? Entry{window, true, rect->left, rect->width(), rect->top, rect->height()}
                             : Entry{.window = window};
    ++top_;
    return true;
}

bool UndoJournal::undo(Desktop& desktop) {
    if (top_ == 0) {
        return false;
    }
    const Entry& last = entries_.at(top_ - 1);
    if (last.known) {
        desktop.move(last.window, Rect::fromBounds(last.left, last.top, last.width, last.height), true);
    }
    --top_;
    return true;
}

} // namespace cellaro
