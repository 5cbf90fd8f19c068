// Tests of forms on the simulated host (close order, activation, the desktop window behind each
// form, dragging by the title strip), the notebook, the check box and the form timer.
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_form_host.h"
#include "support/ui.h"
#include "widgets/check_box.h"
#include "widgets/form.h"
#include "widgets/form_timer.h"
#include "widgets/gradient_panel.h"
#include "widgets/notebook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cellaro {
namespace {

using Log = std::vector<std::string>;

NativeWindowStyle styleAt(int left, int top) {
    NativeWindowStyle style;
    style.title = "Cellaro";
    style.bounds = Rect::fromBounds(left, top, 335, 267);
    style.topmost = true;
    style.alpha = 220;
    return style;
}

// A form that logs its hooks, with the window's visibility at the moment.
class LoggingForm : public Form {
public:
    LoggingForm(FormHost& host, std::string name, const NativeWindowStyle& style)
        : Form(host, std::move(name), style) {}
    bool allowClose = true;
    Log log;

protected:
    void shown() override { log.push_back(std::string("shown:") + (visible() ? "visible" : "hidden")); }
    bool closeQuery() override {
        log.push_back(std::string("closeQuery:") + (visible() ? "visible" : "hidden"));
        return allowClose;
    }
    void closed() override { log.push_back(std::string("closed:") + (visible() ? "visible" : "hidden")); }
    void activated() override { log.push_back("activated"); }
    void deactivated() override { log.push_back("deactivated"); }
    void moved(const Rect& bounds) override { log.push_back("moved:" + std::to_string(bounds.left)); }
};

class FormTest : public ::testing::Test {
protected:
    sim::SimDesktop desktop;
    sim::SimEventLoop loop;
    sim::SimFormHost host{desktop, loop};
    LoggingForm form{host, "fMove", styleAt(100, 100)};
};

TEST_F(FormTest, CloseAsksThenHidesThenReportsClosed) {
    form.show();
    form.log.clear();
    form.allowClose = false;
    form.close();
    EXPECT_EQ(form.log, (Log{"closeQuery:visible"}));
    EXPECT_TRUE(form.visible());
    form.log.clear();
    form.allowClose = true;
    host.requestClose(form); // Alt+F4 takes the same road
    EXPECT_EQ(form.log, (Log{"closeQuery:visible", "deactivated", "closed:hidden"}));
    EXPECT_FALSE(form.visible());
}

TEST_F(FormTest, ShowRunsShownBeforeActivationAndFollowsTheDesktopForeground) {
    sim::WindowOptions notepad;
    notepad.title = "Notepad";
    const WindowId other = desktop.createWindow(notepad);
    form.show();
    EXPECT_EQ(form.log, (Log{"shown:hidden", "activated"}));
    EXPECT_TRUE(form.active());
    EXPECT_EQ(desktop.foregroundWindow(), form.id());
    form.log.clear();
    form.show(); // already shown: no second shown(), no second activation
    EXPECT_TRUE(form.log.empty());
    host.activateByUser(other);
    EXPECT_EQ(form.log, (Log{"deactivated"}));
    EXPECT_FALSE(form.active());
    form.log.clear();
    testing::click(host, form, "fMove"); // clicking the window activates it again
    EXPECT_EQ(form.log, (Log{"activated"}));
}

TEST_F(FormTest, ShowingAnotherFormDeactivatesTheFirst) {
    LoggingForm second{host, "fSecond", styleAt(600, 100)};
    form.show();
    second.show();
    EXPECT_EQ(form.log, (Log{"shown:hidden", "activated", "deactivated"}));
    EXPECT_TRUE(second.active());
    second.hide(); // the foreground passes back to the first form
    EXPECT_EQ(form.log.back(), "activated");
    EXPECT_EQ(host.activeWindow(), form.id());
}

TEST_F(FormTest, TheDesktopSeesTheFormWindowWithoutLoggingItAsARequest) {
    const WindowId id = form.id();
    EXPECT_EQ(desktop.className(id), "CellaroForm");
    EXPECT_EQ(desktop.title(id), "Cellaro");
    EXPECT_EQ(desktop.processId(id), sim::SimFormHost::kDefaultProcessId);
    EXPECT_FALSE(desktop.isVisible(id));
    EXPECT_EQ(desktop.extendedStyles(id) & (exstyle::kToolWindow | exstyle::kTopmost | exstyle::kLayered),
              exstyle::kToolWindow | exstyle::kTopmost | exstyle::kLayered);
    EXPECT_EQ(desktop.opacity(id), 220);
    form.setAlpha(128);
    EXPECT_EQ(desktop.opacity(id), 128);
    form.setAlpha(std::nullopt);
    EXPECT_EQ(desktop.opacity(id), std::nullopt);
    form.window().setTopmost(false);
    EXPECT_FALSE(desktop.isTopmost(id));
    form.setLeft(300);
    EXPECT_EQ(desktop.windowRect(id), Rect::fromBounds(300, 100, 335, 267));
    EXPECT_EQ(form.log.back(), "moved:300");
    form.setSize(Size{500, 300});
    EXPECT_EQ(form.root().bounds(), Rect::fromBounds(0, 0, 500, 300));
    EXPECT_TRUE(desktop.calls().empty());
}

TEST_F(FormTest, TitleStripDragsTheFormByTheCursorsTravel) {
    auto& strip = form.root().add<GradientPanel>("TopPanel");
    strip.setBounds(Rect::fromBounds(0, 0, 335, 26));
    std::vector<Rect> dragged;
    strip.onDragged = [&dragged](const Rect& bounds) { dragged.push_back(bounds); };
    form.show();
    host.pointerDown(form, Point{50, 10}); // cursor at (150, 110)
    host.moveCursor(Point{180, 110});
    EXPECT_EQ(form.bounds(), Rect::fromBounds(130, 100, 335, 267));
    host.moveCursor(Point{170, 150});
    EXPECT_EQ(form.bounds(), Rect::fromBounds(120, 140, 335, 267));
    EXPECT_EQ(dragged.size(), 2U);
    host.pointerUp(form, Point{50, 10});
    host.moveCursor(Point{400, 400});
    EXPECT_EQ(form.bounds().left, 120); // released: no more drag
    // The right button does not drag, nor does a strip told not to.
    host.pointerDown(form, Point{50, 10}, MouseButton::Right);
    host.moveCursor(Point{300, 300});
    host.pointerUp(form, Point{50, 10}, MouseButton::Right);
    strip.setDragsWindow(false);
    host.pointerDown(form, Point{50, 10});
    host.moveCursor(Point{0, 0});
    host.pointerUp(form, Point{50, 10});
    EXPECT_EQ(form.bounds(), Rect::fromBounds(120, 140, 335, 267));
}

TEST_F(FormTest, NotebookShowsOnePageAtATime) {
    auto& book = form.root().add<Notebook>("nBook");
    book.setBounds(Rect::fromBounds(0, 26, 335, 200));
    int changes = 0;
    book.onPageChanged = [&changes] { ++changes; };
    for (const char* name : {"tabela", "gumbi", "group"}) {
        book.addPage(name)
            .add<CheckBox>(std::string("box_") + name)
            .setBounds(Rect::fromBounds(5, 5, 80, 16));
    }
    EXPECT_EQ(book.activePage(), 0);
    EXPECT_TRUE(book.setActivePage(2));
    EXPECT_FALSE(book.setActivePage(3));
    EXPECT_TRUE(book.setActivePage(2)); // same page again: no change event
    EXPECT_EQ(changes, 1);
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(book.page(index)->visible(), index == 2);
    }
    EXPECT_EQ(form.widgetAt(Point{10, 35}), form.find("box_group"));
    EXPECT_FALSE(testing::click(host, form, "box_tabela")); // not showing
    book.setBounds(Rect::fromBounds(0, 26, 400, 220));
    EXPECT_EQ(book.page(0)->bounds(), Rect::fromBounds(0, 0, 400, 220));
}

TEST_F(FormTest, CheckBoxTogglesOnClicksOnly) {
    auto& box = form.root().add<CheckBox>("GA");
    box.setBounds(Rect::fromBounds(10, 50, 60, 16));
    std::vector<bool> changes;
    box.onChange = [&] { changes.push_back(box.checked()); };
    box.setChecked(true); // from the program: no event
    EXPECT_TRUE(changes.empty());
    testing::click(host, form, "GA");
    testing::doubleClick(host, form, "GA"); // two more toggles
    EXPECT_EQ(changes, (std::vector<bool>{false, true, false}));
}

TEST(FormTimer, RunsOnlyWhileEnabledAndRestartsOnANewInterval) {
    sim::SimEventLoop loop;
    int fired = 0;
    {
        FormTimer timer(loop, 200);
        timer.onTimer = [&fired] { ++fired; };
        loop.advance(1000);
        EXPECT_EQ(fired, 0);
        timer.setEnabled(true);
        loop.advance(1000);
        EXPECT_EQ(fired, 5);
        loop.advance(150);
        timer.setInterval(100); // restarts from now: due 100 ms later, not at the old phase
        loop.advance(99);
        EXPECT_EQ(fired, 5);
        loop.advance(1);
        EXPECT_EQ(fired, 6);
        timer.setInterval(0); // enabled but not running
        EXPECT_FALSE(timer.running());
        timer.setInterval(50);
        timer.onTimer = [&] {
            ++fired;
            timer.setEnabled(false); // a one-shot: switches itself off
        };
        loop.advance(500);
        EXPECT_EQ(fired, 7);
        EXPECT_FALSE(timer.enabled());
        timer.setEnabled(true);
        EXPECT_EQ(loop.runningCount(), 1U);
    }
    EXPECT_EQ(loop.runningCount(), 0U); // the destructor stopped it
}

} // namespace
} // namespace cellaro
