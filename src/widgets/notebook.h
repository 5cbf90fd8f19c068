// A notebook: a stack of pages that fill it, of which one is shown at a time. Pages stay for the
// notebook's life (they are not removed one by one).
#pragma once

#include "widgets/panel.h"

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace cellaro {

// One page of a notebook: a panel that the notebook sizes and shows.
class Page : public Panel {
public:
    explicit Page(std::string name) : Panel(std::move(name)) {}
};

class Notebook : public Widget {
public:
    explicit Notebook(std::string name);

    // Adds a page at the end, filling the notebook; the first page added becomes the shown one.
    Page& addPage(std::string name);
    [[nodiscard]] int pageCount() const { return static_cast<int>(pages_.size()); }
    // The page at this index, or null.
    [[nodiscard]] Page* page(int index) const;
    // The index of the shown page, -1 while there is none.
    [[nodiscard]] int activePage() const { return active_; }
    // Shows the page at this index and hides the others; raises onPageChanged when the page
    // changed. False, and nothing changed, for an index out of range.
    bool setActivePage(int index);

    std::function<void()> onPageChanged;

protected:
    void resized() override;

private:
    std::vector<Page*> pages_;
    int active_ = -1;
};

} // namespace cellaro
