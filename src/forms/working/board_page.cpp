// The grid board page.
#include "forms/working/board_page.h"

#include "widgets/image.h"
#include "widgets/panel.h"

namespace cellaro {

BoardPage::BoardPage(Widget& page) {
    panel_ = &page.add<Panel>("Panel6");
    panel_->setBounds(Rect{0, 0, page.bounds().width(), page.bounds().height()});
    image_ = &panel_->add<Image>("Tabla");
    image_->setBounds(
        Rect::fromBounds(kCompactAt.x, kCompactAt.y, kCompactBoard.width, kCompactBoard.height));
    // The arrow keys move over the cells while the window has the keyboard (see the working window).
    image_->setAccessibleRole(AccessibleRole::CellGrid);
    image_->setAccessibleName("Grid");
}

void BoardPage::setActiveCounts(int columns, int rows) {
    activeColumns_ = columns;
    activeRows_ = rows;
}

void BoardPage::redraw(int windowHeight, Scale scale) {
    const Rect bounds = image_->bounds();
    board_.setColours(colours_);
    board_.drawPlain(scale.physical(Size{bounds.width(), bounds.height()}), activeColumns_, activeRows_,
                     windowHeight, scale.dpi);
    image_->showPictureOf(board_.bitmap());
}

bool BoardPage::showRange(const CellRange& range) {
    if (!board_.highlight(range)) {
        return false;
    }
    image_->showPictureOf(board_.bitmap());
    return true;
}

void BoardPage::clear() {
    image_->clearPicture();
}

} // namespace cellaro
