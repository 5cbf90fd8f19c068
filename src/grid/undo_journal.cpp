// The undo journal (CopyUndo and the Undo command).
#include "grid/undo_journal.h"

#include "platform/desktop.h"

namespace cellaro {

bool UndoJournal::save(const Desktop& desktop, WindowId window) {
    if (!window || top_ >= kCapacity) {
        return false;
    }
    const auto rect = desktop.windowRect(window);
    if (!rect) {
        return false;
    }
    entries_.at(top_) = Entry{window, rect->left, rect->width(), rect->top, rect->height()};
    ++top_;
    return true;
}

bool UndoJournal::undo(Desktop& desktop) {
    if (top_ == 0) {
        return false;
    }
    const Entry& last = entries_.at(top_ - 1);
    desktop.move(last.window, Rect::fromBounds(last.left, last.top, last.width, last.height), true);
    --top_;
    return true;
}

} // namespace cellaro
