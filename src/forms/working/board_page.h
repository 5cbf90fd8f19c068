// The working window's first page ("tabela"): the grid board, drawn off-screen and shown in one
// step, with the active counts the mapping uses.
#pragma once

#include "config/board_colours.h"
#include "core/scale.h"
#include "logic/grid_board.h"
#include "logic/grid_geometry.h"

namespace cellaro {

class Image;
class Panel;
class Widget;

class BoardPage {
public:
    static constexpr Size kCompactBoard{320, 195};
    static constexpr Point kCompactAt{6, 4};

    // Builds the page's panel and board image on the notebook page.
    explicit BoardPage(Widget& page);

    [[nodiscard]] Panel& panel() { return *panel_; }
    [[nodiscard]] Image& image() { return *image_; }
    [[nodiscard]] const GridBoard& board() const { return board_; }
    [[nodiscard]] const CellTable& cells() const { return board_.cells(); }
    [[nodiscard]] int activeColumns() const { return activeColumns_; }
    [[nodiscard]] int activeRows() const { return activeRows_; }
    // The counts the next drawing and the mapping use.
    void setActiveCounts(int columns, int rows);
    void setColours(const BoardColours& colours) { colours_ = colours; }

    // RisiMrezo: the plain board at the image's size, filled down to the window's height.
    // The board is drawn at the image's physical size for the scale.
    void redraw(int windowHeight, Scale scale);
    // RisiVektor, then nalozislike: the range highlighted on the board; false when it can't be.
    bool showRange(const CellRange& range);
    // Forgets the picture while the window is closed.
    void clear();

private:
    Panel* panel_ = nullptr;
    Image* image_ = nullptr;
    GridBoard board_;
    BoardColours colours_;
    int activeColumns_ = kDefaultGridCells;
    int activeRows_ = kDefaultGridCells;
};

} // namespace cellaro
