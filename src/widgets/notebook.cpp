// The notebook and its pages.
#include "widgets/notebook.h"

#include <utility>

namespace cellaro {

Notebook::Notebook(std::string name) : Widget(std::move(name)) {}

Page& Notebook::addPage(std::string name) {
    Page& added = add<Page>(std::move(name));
    added.setBounds(Rect::fromBounds(0, 0, bounds().width(), bounds().height()));
    pages_.push_back(&added);
    if (active_ < 0) {
        active_ = 0;
    } else {
        added.setVisible(false);
    }
    return added;
}

Page* Notebook::page(int index) const {
    if (index < 0 || index >= pageCount()) {
        return nullptr;
    }
    return pages_[static_cast<std::size_t>(index)];
}

bool Notebook::setActivePage(int index) {
    if (index < 0 || index >= pageCount()) {
        return false;
    }
    for (int i = 0; i < pageCount(); ++i) {
        pages_[static_cast<std::size_t>(i)]->setVisible(i == index);
    }
    if (index != active_) {
        active_ = index;
        if (onPageChanged) {
            onPageChanged();
        }
    }
    return true;
}

void Notebook::resized() {
    for (Page* each : pages_) {
        each->setBounds(Rect::fromBounds(0, 0, bounds().width(), bounds().height()));
    }
}

} // namespace cellaro
