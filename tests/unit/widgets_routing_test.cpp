// Tests of the widget tree's input routing: clicks, capture, enter and leave, disabled and hidden
// widgets, double clicks, hints, and widgets removed while their own event runs.
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_form_host.h"
#include "support/ui.h"
#include "widgets/form.h"
#include "widgets/gradient_button.h"
#include "widgets/panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace cellaro {
namespace {

using Log = std::vector<std::string>;

NativeWindowStyle formStyle() {
    NativeWindowStyle style;
    style.bounds = Rect::fromBounds(100, 100, 200, 150);
    return style;
}

// A form with a panel P holding the buttons A and B, a disabled D and a hidden H; every event of
// every widget is logged as "widget.event".
class RoutingTest : public ::testing::Test {
protected:
    RoutingTest() {
        Panel& panel = form.root().add<Panel>("P");
        panel.setBounds(Rect::fromBounds(0, 0, 200, 100));
        panel.setHint("panel");
        for (const char* name : {"A", "B", "D", "H"}) {
            auto& button = panel.add<GradientButton>(name);
            const int index = static_cast<int>(panel.children().size()) - 1;
            button.setBounds(Rect::fromBounds(10 + 40 * index, 10, 30, 20));
        }
        form.find("A")->setHint("a");
        form.find("H")->setHint("h");
        form.find("D")->setEnabled(false);
        form.find("H")->setVisible(false);
        for (const char* name : {"P", "A", "B", "D", "H"}) {
            attachLog(*form.find(name));
        }
    }

    void attachLog(Widget& widget) {
        const std::string name = widget.name();
        widget.onMouseDown = [this, name](Point at, MouseButton) {
            log.push_back(name + ".down@" + std::to_string(at.x) + "," + std::to_string(at.y));
        };
        widget.onMouseUp = [this, name](Point, MouseButton) { log.push_back(name + ".up"); };
        widget.onMouseMove = [this, name](Point at) {
            log.push_back(name + ".move@" + std::to_string(at.x) + "," + std::to_string(at.y));
        };
        widget.onClick = [this, name] { log.push_back(name + ".click"); };
        widget.onDoubleClick = [this, name] { log.push_back(name + ".double"); };
        widget.onMouseEnter = [this, name] { log.push_back(name + ".enter"); };
        widget.onMouseLeave = [this, name] { log.push_back(name + ".leave"); };
    }

    sim::SimDesktop desktop;
    sim::SimEventLoop loop;
    sim::SimFormHost host{desktop, loop};
    Form form{host, "TestForm", formStyle()};
    Log log;
};

// One step of pointer input at a client point.
struct Step {
    char action; // 'd' down, 'u' up, 'm' move, 'r' right down, 'R' right up, 'l' leave
    Point at;
};

struct RoutingCase {
    const char* name;
    std::vector<Step> steps;
    Log expected;
};

TEST_F(RoutingTest, RoutesPointerInputToTheRightWidgets) {
    const std::vector<RoutingCase> cases = {
        {"click: down and up on the same button",
         {{'m', {15, 15}}, {'d', {15, 15}}, {'u', {16, 16}}},
         {"A.enter", "A.move@5,5", "A.down@5,5", "A.up", "A.click"}},
        {"released over another button: no click, and the hover follows",
         {{'d', {15, 15}}, {'u', {55, 15}}},
         {"A.enter", "A.down@5,5", "A.up", "A.leave", "B.enter"}},
        {"dragged away and back: the capture keeps the moves, the click still counts",
         {{'d', {15, 15}}, {'m', {55, 15}}, {'m', {15, 16}}, {'u', {15, 16}}},
         {"A.enter", "A.down@5,5", "A.leave", "B.enter", "A.move@45,5", "B.leave", "A.enter", "A.move@5,6",
          "A.up", "A.click"}},
        {"capture reaches outside the window",
         {{'d', {15, 15}}, {'m', {-50, 300}}, {'u', {-50, 300}}},
         {"A.enter", "A.down@5,5", "A.leave", "A.move@-60,290", "A.up"}},
        {"a disabled button swallows everything", {{'m', {95, 15}}, {'d', {95, 15}}, {'u', {95, 15}}}, {}},
        {"a hidden button is not hit: its parent is",
         {{'d', {135, 15}}, {'u', {135, 15}}},
         {"P.enter", "P.down@135,15", "P.up", "P.click"}},
        {"the right button presses and releases but never clicks",
         {{'r', {15, 15}}, {'R', {15, 15}}},
         {"A.enter", "A.down@5,5", "A.up"}},
        {"leaving the window leaves the widget",
         {{'m', {55, 15}}, {'l', {}}},
         {"B.enter", "B.move@5,5", "B.leave"}},
        {"a release without a press goes to the widget under it", {{'u', {55, 15}}}, {"B.enter", "B.up"}},
    };
    for (const RoutingCase& routing : cases) {
        SCOPED_TRACE(routing.name);
        log.clear();
        for (const Step& step : routing.steps) {
            switch (step.action) {
            case 'd':
                form.onMouseDown(step.at, MouseButton::Left);
                break;
            case 'u':
                form.onMouseUp(step.at, MouseButton::Left);
                break;
            case 'r':
                form.onMouseDown(step.at, MouseButton::Right);
                break;
            case 'R':
                form.onMouseUp(step.at, MouseButton::Right);
                break;
            case 'm':
                form.onMouseMove(step.at);
                break;
            default:
                form.onMouseLeave();
                break;
            }
        }
        EXPECT_EQ(log, routing.expected);
        EXPECT_EQ(form.pressed(), nullptr);
        EXPECT_EQ(host.captureWindow(), kNoWindow);
        form.onMouseLeave(); // start the next case with nothing hovered
    }
}

TEST_F(RoutingTest, CapturesTheMouseWhileAButtonIsDown) {
    form.onMouseDown(Point{15, 15}, MouseButton::Left);
    EXPECT_EQ(form.pressed(), form.find("A"));
    EXPECT_EQ(host.captureWindow(), form.id());
    form.onMouseUp(Point{15, 15}, MouseButton::Left);
    EXPECT_EQ(host.captureWindow(), kNoWindow);
}

TEST_F(RoutingTest, DoubleClickOnAButtonCountsAsTwoClicksElsewhereAsADoubleClick) {
    ASSERT_TRUE(testing::doubleClick(host, form, "A"));
    EXPECT_EQ(std::count(log.begin(), log.end(), "A.click"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "A.double"), 0);
    log.clear();
    form.find("P")->setBounds(Rect::fromBounds(0, 0, 200, 100));
    host.pointerMove(form, Point{150, 80});
    host.pointerDown(form, Point{150, 80});
    host.pointerUp(form, Point{150, 80});
    host.pointerDoubleClick(form, Point{150, 80});
    host.pointerUp(form, Point{150, 80});
    EXPECT_EQ(std::count(log.begin(), log.end(), "P.click"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "P.double"), 1);
}

TEST_F(RoutingTest, HintIsThatOfTheDeepestShowingWidgetWithOne) {
    EXPECT_EQ(form.hintAt(Point{15, 15}), "a");
    EXPECT_EQ(form.hintAt(Point{55, 15}), "panel");  // B has none: its parent's
    EXPECT_EQ(form.hintAt(Point{135, 15}), "panel"); // H is hidden
    EXPECT_EQ(form.hintAt(Point{95, 15}), "panel");  // D is disabled and has none
    EXPECT_EQ(form.hintAt(Point{150, 120}), "");     // the bare form
    host.pointerMove(form, Point{15, 15});
    EXPECT_EQ(host.currentHint(), "a");
}

TEST_F(RoutingTest, AWidgetMayRemoveItselfFromItsOwnClick) {
    Widget& panel = *form.find("P");
    form.find("A")->onClick = [&panel, this] { panel.removeChild(*form.find("A")); };
    ASSERT_TRUE(testing::click(host, form, "A"));
    EXPECT_EQ(form.find("A"), nullptr);
    EXPECT_EQ(form.hovered(), &panel); // the pointer is over the panel now
    EXPECT_EQ(form.pressed(), nullptr);
}

TEST_F(RoutingTest, ClearingChildrenDuringACaptureDropsTheCapture) {
    form.onMouseDown(Point{15, 15}, MouseButton::Left);
    form.find("P")->clearChildren();
    EXPECT_EQ(form.pressed(), nullptr);
    EXPECT_EQ(form.hovered(), nullptr);
    EXPECT_EQ(host.captureWindow(), kNoWindow);
    log.clear();
    form.onMouseUp(Point{15, 15}, MouseButton::Left);
    EXPECT_EQ(log, (Log{"P.enter", "P.up"}));
}

TEST_F(RoutingTest, ADisabledParentDisablesItsChildren) {
    form.find("P")->setEnabled(false);
    EXPECT_TRUE(testing::click(host, form, "B"));
    EXPECT_TRUE(log.empty());
}

} // namespace
} // namespace cellaro
