// Scenario: the working window at 100, 150 and 200 % display scale. Forms are laid out in
// device-independent pixels and shown at the monitor's scale; what acts on other windows stays in
// physical screen pixels, so a drag places the same rectangle at every scale.
#include "forms/preview_rectangle.h"
#include "forms/working/working_window.h"
#include "logic/pictures.h"
#include "support/target_shown.h"
#include "support/ui.h"
#include "widgets/gradient_button.h"
#include "widgets/image.h"

#include <gtest/gtest.h>

namespace cellaro {
namespace {

using testing::TargetShown;
using testing::TargetShownOptions;

struct ScaleCase {
    int dpi;
    Size window;    // the working window, physical
    Point board;    // the board image's top-left in the client area, physical
    Size boardSize; // the board picture, physical
    Size cell;      // one of the 6 x 6 cells, physical
};

constexpr ScaleCase kScales[] = {
    {96, {335, 267}, {6, 30}, {320, 195}, {53, 32}},
    {144, {503, 401}, {9, 45}, {480, 293}, {80, 48}},
    {192, {670, 534}, {12, 60}, {640, 390}, {106, 65}},
};

TEST(DisplayScale, TheWorkingWindowAndItsBoardTakeTheMonitorsScale) {
    for (const ScaleCase& c : kScales) {
        TargetShown s(TargetShownOptions::atDpi(c.dpi));
        ASSERT_TRUE(s.working.visible()) << c.dpi;
        EXPECT_EQ(s.working.scale().dpi, c.dpi);
        const Rect window = s.working.bounds();
        EXPECT_EQ((Size{window.width(), window.height()}), c.window) << c.dpi;
        // Centred on the monitor at its scale.
        EXPECT_EQ(window.left, 960 - Scale{c.dpi}.physical(WorkingWindow::kHalfWidth)) << c.dpi;
        // The layout itself stays in device-independent pixels.
        EXPECT_EQ(s.working.root().bounds(), Rect::fromBounds(0, 0, 335, 267)) << c.dpi;
        EXPECT_EQ(
            s.working.scale().physical(Point{s.working.boardBounds().left, s.working.boardBounds().top}),
            c.board)
            << c.dpi;
        const GridBoard& board = s.working.boardPage().board();
        EXPECT_EQ(board.size(), c.boardSize) << c.dpi;
        EXPECT_EQ(board.bitmap().width(), c.boardSize.width) << c.dpi;
        EXPECT_EQ((Size{board.cells().cellWidth(), board.cells().cellHeight()}), c.cell) << c.dpi;
    }
}

TEST(DisplayScale, PicturesAreMadeForTheScaleNotEnlarged) {
    for (const ScaleCase& c : kScales) {
        TargetShown s(TargetShownOptions::atDpi(c.dpi));
        const Scale scale{c.dpi};
        const auto* home = s.working.root().findAs<GradientButton>("sbHome");
        ASSERT_NE(home, nullptr);
        EXPECT_EQ(home->glyph(),
                  buttonPicture(pictureNameForButton("sbHome", PictureSet::DarkBackground), c.dpi))
            << c.dpi;
        EXPECT_EQ(home->glyph().width(), scale.physical(kStripPictureSize)) << c.dpi;
        const auto* anchor = s.working.root().findAs<GradientButton>("X5");
        EXPECT_EQ(anchor->glyph().width(), scale.physical(kAnchorPictureSize)) << c.dpi;
        // The status strip shows the target's icon at the scale.
        EXPECT_EQ(s.working.statusStrip().picture().picture().width(), scale.physical(32)) << c.dpi;
        EXPECT_EQ(s.working.boardPage().board().penWidth(), scale.physical(1)) << c.dpi;
        // Painted, the window covers its physical size.
        const Bitmap painted = s.machine.host.paint(s.working);
        EXPECT_EQ((Size{painted.width(), painted.height()}), c.window) << c.dpi;
    }
}

TEST(DisplayScale, ADragPlacesTheSameScreenRectangleAtEveryScale) {
    // 6 x 6 on the 1920 x 1040 work area: columns 320 wide, rows 173 high.
    const Rect expected = Rect::fromBounds(320, 173, 3 * 320, 2 * 173);
    for (const ScaleCase& c : kScales) {
        TargetShown s(TargetShownOptions::atDpi(c.dpi));
        s.drag({1, 1}, {3, 2});
        EXPECT_EQ(s.targetRect(), expected) << c.dpi;
        // The preview rectangle covers the same screen rectangle.
        s.press(1, 1);
        s.moveTo(3, 2);
        s.machine.loop.advance(WorkingWindow::kPreviewIntervalMs);
        EXPECT_EQ(s.program.previewRectangle().bounds(), expected) << c.dpi;
    }
}

TEST(DisplayScale, ButtonsAreHitWhereTheyAreDrawn) {
    for (const ScaleCase& c : kScales) {
        TargetShown s(TargetShownOptions::atDpi(c.dpi));
        ASSERT_TRUE(testing::click(s.machine.host, s.working, "SbMonitor")) << c.dpi;
        EXPECT_EQ(s.working.page(), WorkingPage::Commands) << c.dpi;
        // The hint under the pointer belongs to the button drawn there.
        EXPECT_EQ(s.working.hintAt(*testing::centreOf(s.working, "sbHome")), "Grid") << c.dpi;
    }
}

TEST(DisplayScale, MovingOntoAMonitorOfAnotherScaleLaysTheWindowOutAgain) {
    TargetShownOptions options = TargetShownOptions::onMonitors(2);
    TargetShown s(options);
    // The second monitor runs at 200 %.
    Monitor second = s.machine.desktop.monitors()[1];
    second.dpi = 192;
    s.machine.desktop.replaceMonitor(1, second);
    ASSERT_EQ(s.working.scale().dpi, 96);

    // The user drags the window by its title strip onto the second monitor.
    const Rect before = s.working.bounds();
    s.working.setBounds(before.offset(1920 + 200 - before.left, 0));
    EXPECT_EQ(s.working.scale().dpi, 192);
    const Rect after = s.working.bounds();
    EXPECT_EQ((Size{after.width(), after.height()}), (Size{670, 534}));
    EXPECT_EQ(after.left, 1920 + 200);
    EXPECT_EQ(s.working.root().bounds(), Rect::fromBounds(0, 0, 335, 267));
    EXPECT_EQ(s.working.boardPage().board().size(), (Size{640, 390}));

    // A drag there maps onto the second monitor: 1280 / 6 and 1024 / 6 halves to even.
    s.drag({0, 0}, {2, 5});
    EXPECT_EQ(s.targetRect(), Rect::fromBounds(1920, 0, 3 * 213, 6 * 170));

    // And back at 100 %.
    s.working.setBounds(s.working.bounds().offset(300 - s.working.bounds().left, 0));
    EXPECT_EQ(s.working.scale().dpi, 96);
    EXPECT_EQ(s.working.bounds().width(), 335);
    EXPECT_EQ(s.working.boardPage().board().size(), (Size{320, 195}));
}

} // namespace
} // namespace cellaro
