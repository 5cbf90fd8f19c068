// Tests of the scroll box: stacking rows, the scroll bar coming and going, the wheel, the bar's
// arrows, track and thumb, input routed through the scroll offset, and painting only what shows.
#include "pixels/recording_canvas.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_form_host.h"
#include "widgets/form.h"
#include "widgets/label.h"
#include "widgets/scroll_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace cellaro {
namespace {

constexpr int kBoxLeft = 10;
constexpr int kBoxTop = 10;
constexpr int kBoxWidth = 200;
constexpr int kBoxHeight = 100;
constexpr int kRowHeight = 20;
constexpr int kNotch = 120;

NativeWindowStyle formStyle() {
    NativeWindowStyle style;
    style.bounds = Rect::fromBounds(100, 100, 240, 140);
    return style;
}

// A form on a monitor of the given scale holding a 200 x 100 scroll box at (10, 10); rows are
// labels named "row<i>" that log their clicks.
class ScrollBoxTest : public ::testing::Test {
protected:
    explicit ScrollBoxTest(int dpi = kBaseDpi) : desktop(withMonitor(ownDesktop, dpi)) {
        box.onClientWidthChanged = [this] { widthChanges.push_back(box.clientWidth()); };
        box.setBounds(Rect::fromBounds(kBoxLeft, kBoxTop, kBoxWidth, kBoxHeight));
    }

    static sim::SimDesktop& withMonitor(sim::SimDesktop& desktop, int dpi) {
        Monitor monitor = sim::SimDesktop::makeMonitor(0, 0, 1920, 1080, 40, true);
        monitor.dpi = dpi;
        desktop.addMonitor(monitor);
        return desktop;
    }

    void addRows(int count, int height = kRowHeight) {
        for (int i = 0; i < count; ++i) {
            const std::string name = "row" + std::to_string(box.content().children().size());
            auto& row = box.content().add<Label>(name);
            row.setText(name);
            row.setBounds(Rect::fromBounds(0, 0, 10, height));
            row.onClick = [this, name] { clicks.push_back(name); };
        }
        box.stackRows();
    }

    Widget& row(int index) { return *box.content().children().at(static_cast<std::size_t>(index)); }

    // A point of the box (box coordinates, DIPs) as a physical client point of the form.
    [[nodiscard]] Point inBox(int x, int y) const {
        return form.scale().physical(Point{kBoxLeft + x, kBoxTop + y});
    }
    // A point of the scroll bar, in the bar's own coordinates.
    [[nodiscard]] Point inBar(int y) const { return inBox(kBoxWidth - ScrollBox::kScrollBarWidth / 2, y); }

    sim::SimDesktop ownDesktop;
    sim::SimDesktop& desktop;
    sim::SimEventLoop loop;
    sim::SimFormHost host{desktop, loop};
    Form form{host, "TestForm", formStyle()};
    ScrollBox& box = form.root().add<ScrollBox>("Box");
    std::vector<int> widthChanges;
    std::vector<std::string> clicks;
};

TEST_F(ScrollBoxTest, StacksTheVisibleRowsAndKeepsThePositionInRange) {
    addRows(1, 20);
    addRows(1, 30);
    addRows(1, 10);
    EXPECT_EQ(row(1).bounds(), Rect::fromBounds(0, 20, kBoxWidth, 30));
    EXPECT_EQ(row(2).bounds(), Rect::fromBounds(0, 50, kBoxWidth, 10));
    EXPECT_EQ(box.contentHeight(), 60);
    addRows(17); // 400 high in all: up to 300
    box.scrollTo(1000);
    EXPECT_EQ(box.position(), 300);
    // Hidden rows leave no gap, and the position follows the shorter rows.
    for (int i = 1; i < 12; ++i) {
        row(i).setVisible(false);
    }
    box.stackRows();
    EXPECT_EQ(row(12).bounds().top, 20);
    EXPECT_EQ(box.contentHeight(), 180);
    EXPECT_EQ(box.position(), 80);
    EXPECT_EQ(box.content().bounds().top, -80);
}

TEST_F(ScrollBoxTest, TheBarShowsOnlyWhenTheRowsDoNotFit) {
    // Five rows fill the box exactly; six overflow it; back to three it fits again.
    for (const auto& [rows, bar] : {std::pair{5, false}, std::pair{6, true}, std::pair{3, false}}) {
        SCOPED_TRACE(rows);
        const int shown = static_cast<int>(box.content().children().size());
        addRows(std::max(0, rows - shown));
        for (int i = rows; i < shown; ++i) {
            row(i).setVisible(false);
        }
        box.stackRows();
        const int client = bar ? kBoxWidth - ScrollBox::kScrollBarWidth : kBoxWidth;
        EXPECT_EQ(box.scrollBarShown(), bar);
        EXPECT_EQ(box.clientWidth(), client);
        EXPECT_EQ(row(0).bounds().width(), client);
    }
    // Told when the box got its width and at each change since, not on every stack.
    EXPECT_EQ(widthChanges, (std::vector<int>{kBoxWidth, kBoxWidth - ScrollBox::kScrollBarWidth, kBoxWidth}));
}

TEST_F(ScrollBoxTest, TheWheelOverARowScrollsTheBoxAndClicksFollow) {
    addRows(20); // 400 high in a 100 high box: up to 300
    // Notches (positive: away from the user, which scrolls up) and the position after them.
    for (const auto& [notches, position] : {std::pair{-1, 48}, std::pair{-3, 192}, std::pair{-5, 300},
                                            std::pair{1, 252}, std::pair{10, 0}, std::pair{1, 0}}) {
        SCOPED_TRACE(notches);
        host.wheel(form, inBox(50, 50), notches * kNotch);
        EXPECT_EQ(box.position(), position);
    }
    // A row that handles the wheel itself keeps it from the box.
    row(2).onMouseWheel = [](Point, int) { return true; };
    host.wheel(form, inBox(50, 45), -2 * kNotch);
    EXPECT_EQ(box.position(), 0);
    host.wheel(form, inBox(50, 5), -2 * kNotch);
    ASSERT_EQ(box.position(), 96);
    // 96 + 10 = 106 into the rows: the sixth row; 96 + 99: the tenth; below the box: none.
    host.click(form, inBox(50, 10));
    host.click(form, inBox(50, 99));
    host.click(form, inBox(50, 100));
    EXPECT_EQ(clicks, (std::vector<std::string>{"row5", "row9"}));
}

TEST_F(ScrollBoxTest, TheBarsArrowsTrackAndThumbScroll) {
    addRows(20);
    // The bar: arrows 17 high at each end, a 66-pixel track, a thumb of 66 * 100 / 400 = 16.
    struct Case {
        int start;
        int barY;
        int position;
    };
    for (const Case c :
         {Case{40, 5, 40 - ScrollBox::kLineStep}, Case{0, 5, 0}, Case{40, 95, 40 + ScrollBox::kLineStep},
          Case{0, 70, kBoxHeight}, Case{300, 30, 300 - kBoxHeight}, Case{250, 80, 300}}) {
        SCOPED_TRACE(c.barY);
        box.scrollTo(c.start);
        host.click(form, inBar(c.barY));
        EXPECT_EQ(box.position(), c.position);
    }
    // The thumb travels 50 pixels for 300 of scrolling, and stops at the ends.
    box.scrollTo(0);
    host.pointerDown(form, inBar(20));
    host.pointerMove(form, inBar(45));
    EXPECT_EQ(box.position(), 150);
    host.pointerMove(form, inBox(-100, 400));
    EXPECT_EQ(box.position(), 300);
    host.pointerMove(form, inBar(30));
    EXPECT_EQ(box.position(), 60);
    host.pointerUp(form, inBar(30));
    host.pointerMove(form, inBar(60));
    EXPECT_EQ(box.position(), 60);
}

TEST_F(ScrollBoxTest, PaintingSkipsTheRowsOutOfSight) {
    addRows(1500);
    // Scrolled half a row past a row's top: the half-shown rows are painted too, no others.
    box.scrollTo(700 * kRowHeight + kRowHeight / 2);
    RecordingCanvas canvas;
    form.onPaint(canvas);
    EXPECT_EQ(canvas.texts(),
              (std::vector<std::string>{"row700", "row701", "row702", "row703", "row704", "row705"}));
    const CanvasOp* top = canvas.findText("row700");
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->clip,
              Rect::fromBounds(kBoxLeft, kBoxTop, kBoxWidth - ScrollBox::kScrollBarWidth, kRowHeight / 2));
}

class ScrollBoxAt144Test : public ScrollBoxTest {
protected:
    ScrollBoxAt144Test() : ScrollBoxTest(144) {}
};

TEST_F(ScrollBoxAt144Test, WheelAndClicksMapPhysicalPointsToRows) {
    addRows(20);
    ASSERT_EQ(form.scale().dpi, 144);
    // Sizes stay in DIPs: a notch scrolls 48 of them.
    host.wheel(form, inBox(50, 50), -2 * kNotch);
    EXPECT_EQ(box.position(), 2 * ScrollBox::kWheelStep);
    // 96 + 10 = 106: the sixth row; 96 + 99 = 195: the tenth.
    host.click(form, inBox(50, 10));
    host.click(form, inBox(50, 99));
    // The bar's down arrow, in physical pixels.
    host.click(form, inBar(95));
    EXPECT_EQ(clicks, (std::vector<std::string>{"row5", "row9"}));
    EXPECT_EQ(box.position(), 2 * ScrollBox::kWheelStep + ScrollBox::kLineStep);
    // A quick second click on the arrow is a second press at the same physical point.
    host.doubleClick(form, inBar(95));
    EXPECT_EQ(box.position(), 2 * ScrollBox::kWheelStep + 3 * ScrollBox::kLineStep);
}

} // namespace
} // namespace cellaro
