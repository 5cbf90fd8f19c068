// The undo journal: up to 1000 saved window rectangles, newest on top. Each entry remembers its own
// window, so an undo puts back the right window even after the target has changed.
#pragma once

#include "core/geometry.h"

#include <array>
#include <cstddef>

namespace cellaro {

class Desktop;

class UndoJournal {
public:
    static constexpr std::size_t kCapacity = 1000;

    struct Entry {
        WindowId window;
        // Whether the rectangle below could be read; an entry without it is a step that undoes
        // nothing.
        bool known = false;
        int left = 0;
        int width = 0;
        int top = 0;
        int height = 0;
    };

    // CopyUndo: pushes the window's current rectangle. Does nothing without a window or when the
    // journal is full (the newest saves are dropped, the 1000 kept ones stay). A window whose
    // rectangle can't be read (it has gone away, or doesn't answer the system) still gets its
    // entry, one that undoes nothing: otherwise the undo of this placement would take back the one
    // before it. Returns whether an entry was added.
    bool save(const Desktop& desktop, WindowId window);
    // Undo: pops the newest entry and moves its window back there (with repaint). A window that
    // has gone away, or whose rectangle wasn't known, moves nothing; its entry is popped all the
    // same. False on an empty journal.
    bool undo(Desktop& desktop);

    [[nodiscard]] std::size_t size() const { return top_; }
    [[nodiscard]] bool empty() const { return top_ == 0; }
    [[nodiscard]] const Entry& entry(std::size_t index) const { return entries_.at(index); }

private:
    std::array<Entry, kCapacity> entries_{};
    std::size_t top_ = 0;
};

} // namespace cellaro
