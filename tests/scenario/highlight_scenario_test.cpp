// Scenario: "Focus active window" from the tray menu on the simulated desktop: the frozen picture of
// every monitor in the screen grab window with the red frame round the target for one second, and
// the cases around it (an invisible target, a request during the wait, the target put back, a click
// on the picture, a capture that fails, a scaled monitor).
#include "app/tray_form.h"
#include "forms/highlight/active_window_highlight.h"
#include "forms/highlight/screen_grab.h"
#include "logic/highlight_frame.h"
#include "logic/tray_menu.h"
#include "support/target_shown.h"
#include "widgets/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace cellaro {
namespace {

using testing::TargetShown;
using testing::TargetShownOptions;
constexpr Colour kRed = kHighlightColour;
constexpr Colour kWindowColour = sim::SimScreenCapture::kWindowColour;

// What the user saw while the grab window stood in front, looked at during the one-second wait.
struct Seen {
    Rect bounds;
    WindowId foreground;
    bool topmost = false;
    Bitmap painted; // the window's client area as it shows
};

// The target shown as TargetShown leaves it, with the working window closed again and the first
// wait of every highlight watched.
struct Highlighting : TargetShown {
    std::optional<Seen> seen;

    explicit Highlighting(const TargetShownOptions& options = {}) : TargetShown(options) {
        machine.shell.clickTrayLeft(); // the working window goes again: the picture is the desktop's
        machine.loop.advance(500);
        machine.loop.addYieldHandler([this] {
            ScreenGrab& grab = program.screenGrab();
            if (grab.visible() && !seen) {
                seen = Seen{grab.bounds(), machine.desktop.foregroundWindow(),
                            machine.desktop.isTopmost(grab.id()), machine.host.paint(grab)};
            }
        });
    }

    // Chooses "Focus active window" in the tray menu.
    void focusActiveWindow() {
        machine.shell.queueMenuChoice("SwapWindows1");
        machine.shell.clickTrayRight(Point{1800, 1060});
    }
    [[nodiscard]] std::size_t highlightWaits() const {
        const auto& sleeps = machine.loop.sleeps();
        return static_cast<std::size_t>(std::count(sleeps.begin(), sleeps.end(), kHighlightShowMs));
    }
};

// The frame's four sides on the shown picture: red on the pen's band round the rectangle, not red
// just inside and just outside it. Points off the picture are not looked at.
void expectFrame(const Bitmap& painted, const Rect& area, int pen) {
    const int before = (pen - 1) / 2;
    const int after = pen - before; // first pixel past the band
    const auto check = [&](int x, int y, bool red) {
        if (painted.inside(x, y)) {
            EXPECT_EQ(painted.pixel(x, y) == kRed, red) << "at " << x << "," << y;
        }
    };
    const int midX = (area.left + area.right) / 2;
    const int midY = (area.top + area.bottom) / 2;
    for (int i = -before; i < after; ++i) {
        check(midX, area.top + i, true);
        check(midX, area.bottom + i, true);
        check(area.left + i, midY, true);
        check(area.right + i, midY, true);
        check(area.left + i, area.top + i, true); // the corners are closed
        check(area.right + i, area.bottom + i, true);
    }
    check(midX, area.top + after, false);
    check(midX, area.top - before - 1, false);
    check(area.left + after, midY, false);
    check(area.left - before - 1, midY, false);
    check(area.right - before - 1, midY, false);
    check(area.right + after, midY, false);
    check(midX, area.bottom - before - 1, false);
    check(midX, area.bottom + after, false);
}

TEST(Highlight, FramesTheTargetOnAFrozenPictureOfTheScreenForOneSecond) {
    Highlighting s;
    const auto items = s.program.trayForm().menuItems();
    const auto item =
        std::find_if(items.begin(), items.end(), [](const MenuItem& i) { return i.name == "SwapWindows1"; });
    ASSERT_NE(item, items.end());
    EXPECT_TRUE(item->enabled);
    const Bitmap before = *s.machine.screen.capture();
    const std::size_t captures = s.machine.screen.captures();

    s.focusActiveWindow();

    ScreenGrab& grab = s.program.screenGrab();
    ASSERT_TRUE(s.seen) << "the grab window was never shown";
    EXPECT_EQ(s.seen->bounds, Rect::fromBounds(0, 0, 1920, 1080));
    EXPECT_EQ(s.seen->foreground, grab.id());
    EXPECT_TRUE(s.seen->topmost);
    EXPECT_EQ(s.machine.desktop.title(grab.id()), "tVbar-802.40");
    EXPECT_EQ(s.machine.screen.captures(), captures + 1);
    expectFrame(s.seen->painted, s.targetRect(), 4);
    // Everywhere else the picture is the screen as it was, 1:1.
    EXPECT_EQ(s.seen->painted.pixel(500, 400), before.pixel(500, 400));
    EXPECT_EQ(s.seen->painted.pixel(1500, 900), before.pixel(1500, 900));

    EXPECT_EQ(s.highlightWaits(), 1U);
    EXPECT_FALSE(grab.visible());
    EXPECT_TRUE(s.program.highlight().ready());
    EXPECT_EQ(s.program.tracker().target(), s.target);
}

TEST(Highlight, MaximisedTargetIsFramedFromOneOne) {
    TargetShownOptions options;
    options.state = ShowState::Maximized;
    options.maximizedOverhang = 8;
    Highlighting s(options);
    ASSERT_EQ(s.targetRect(), (Rect{-8, -8, 1928, 1048}));

    s.focusActiveWindow();

    ASSERT_TRUE(s.seen);
    expectFrame(s.seen->painted, Rect{1, 1, 1928, 1048}, 4);
    // The corner band reaches the screen's edge: rows and columns 0 to 3 are red there.
    EXPECT_EQ(s.seen->painted.pixel(0, 0), kRed);
    EXPECT_EQ(s.seen->painted.pixel(3, 3), kRed);
    EXPECT_EQ(s.seen->painted.pixel(4, 4), kWindowColour);
}

TEST(Highlight, AWindowMaximisedOnAMonitorLeftOfThePrimaryIsFramedThere) {
    TargetShownOptions options = TargetShownOptions::onMonitors(2);
    options.secondMonitor = testing::SecondMonitor::Left;
    options.bounds = Rect::fromBounds(-1000, 100, 600, 400);
    options.state = ShowState::Maximized;
    options.maximizedOverhang = 8;
    Highlighting s(options);
    ASSERT_EQ(s.targetRect(), (Rect{-1288, -8, 8, 1032}));

    s.focusActiveWindow();

    ASSERT_TRUE(s.seen);
    // The picture starts at the virtual screen's left, -1280: the frame is on the left monitor, not
    // a strip at the primary's edge.
    EXPECT_EQ(s.seen->bounds, (Rect{-1280, 0, 1920, 1080}));
    expectFrame(s.seen->painted, Rect{1, 1, 1288, 1032}, 4);
}

TEST(Highlight, InvisibleTargetShowsNothingButThePictureIsTaken) {
    Highlighting s;
    s.machine.desktop.setVisible(s.target, false);
    const std::size_t captures = s.machine.screen.captures();

    s.focusActiveWindow();

    EXPECT_EQ(s.machine.screen.captures(), captures + 1);
    EXPECT_FALSE(s.seen);
    EXPECT_FALSE(s.program.screenGrab().visible());
    EXPECT_EQ(s.highlightWaits(), 0U);
    EXPECT_TRUE(s.program.highlight().ready());
}

TEST(Highlight, RequestDuringTheWaitDoesNothingAndTheTargetComesBackAfterwards) {
    Highlighting s;
    sim::WindowOptions other;
    other.title = "Other";
    other.bounds = Rect::fromBounds(1000, 600, 400, 300);
    const WindowId otherWindow = s.machine.desktop.createWindow(other);
    // While the grab window is in front the user clicks another window...
    s.machine.loop.addYieldHandler([&s, otherWindow] {
        if (s.program.screenGrab().visible() && s.machine.desktop.foregroundWindow() != otherWindow) {
            s.machine.desktop.activate(otherWindow);
        }
    });
    // ...and asks for the highlight again: handled with the messages after the wait.
    std::size_t capturesAtSecondRequest = 0;
    bool secondRequestWhileRunning = false;
    bool targetKept = false;
    TimerId again = kNoTimer;
    again = s.machine.loop.startTimer(600, [&] {
        s.machine.loop.stopTimer(again);
        secondRequestWhileRunning = !s.program.highlight().ready();
        capturesAtSecondRequest = s.machine.screen.captures();
        const WindowId targetBefore = s.program.tracker().target();
        s.focusActiveWindow();
        EXPECT_EQ(s.machine.screen.captures(), capturesAtSecondRequest) << "a second picture was taken";
        targetKept = s.program.tracker().target() == targetBefore;
    });

    s.focusActiveWindow();

    ASSERT_TRUE(secondRequestWhileRunning);
    EXPECT_TRUE(targetKept);
    EXPECT_EQ(s.highlightWaits(), 1U);
    // The tracking took the other window meanwhile; the highlight put its own target back.
    EXPECT_EQ(s.program.tracker().candidate(), otherWindow);
    EXPECT_EQ(s.program.tracker().target(), s.target);
    EXPECT_FALSE(s.program.screenGrab().visible());
    EXPECT_TRUE(s.program.highlight().ready());
}

TEST(Highlight, TargetOnTheSecondMonitorIsFramedOverItsOwnPicture) {
    TargetShownOptions options = TargetShownOptions::onMonitors(2);
    options.bounds = Rect::fromBounds(2100, 150, 700, 500);
    Highlighting s(options);
    const Bitmap screen = *s.machine.screen.capture();

    s.focusActiveWindow();

    ASSERT_TRUE(s.seen);
    EXPECT_EQ(s.seen->bounds, Rect::fromBounds(0, 0, 3200, 1080));
    ASSERT_EQ(s.seen->painted.width(), 3200);
    expectFrame(s.seen->painted, s.targetRect(), 4);
    // Inside the frame the window itself, not the grey of an uncovered area.
    EXPECT_EQ(s.seen->painted.pixel(2450, 400), kWindowColour);
    EXPECT_EQ(s.seen->painted.pixel(3100, 900), screen.pixel(3100, 900));
    EXPECT_EQ(s.program.tracker().target(), s.target);
}

TEST(Highlight, MonitorLeftOfThePrimaryShiftsThePictureAndTheFrame) {
    Highlighting s;
    s.machine.desktop.addMonitor(sim::SimDesktop::makeMonitor(-1280, 0, 1280, 1024, 0, false));
    sim::WindowOptions options;
    options.title = "Left";
    options.bounds = Rect::fromBounds(-1000, 100, 600, 400);
    const WindowId left = s.machine.desktop.createWindow(options);
    s.machine.host.activateByUser(left);
    s.machine.loop.advance(Program::kTrackingIntervalMs);
    ASSERT_EQ(s.program.tracker().target(), left);

    s.focusActiveWindow();

    ASSERT_TRUE(s.seen);
    EXPECT_EQ(s.seen->bounds, (Rect{-1280, 0, 1920, 1080}));
    expectFrame(s.seen->painted, Rect::fromBounds(280, 100, 600, 400), 4);
}

TEST(Highlight, ClickOnThePictureClosesTheGrabWindowAndReadiesTheNextHighlight) {
    Highlighting s;
    ScreenGrab& grab = s.program.screenGrab();
    bool closedByClick = false;
    bool readyAfterClick = false;
    TimerId clickTimer = kNoTimer;
    clickTimer = s.machine.loop.startTimer(600, [&] {
        s.machine.loop.stopTimer(clickTimer);
        closedByClick = testing::click(s.machine.host, grab, "imagegrab") && !grab.visible();
        readyAfterClick = s.program.highlight().ready();
    });

    s.focusActiveWindow();
    EXPECT_TRUE(closedByClick);
    EXPECT_TRUE(readyAfterClick);

    s.seen.reset();
    s.focusActiveWindow();
    EXPECT_TRUE(s.seen) << "the next highlight showed nothing";
    EXPECT_EQ(s.highlightWaits(), 2U);
}

TEST(Highlight, FailedCaptureShowsNothingAndNeverLeavesTheGrabWindowStuck) {
    Highlighting s;
    s.machine.screen.setFailing(true);
    s.focusActiveWindow();
    EXPECT_FALSE(s.seen);
    EXPECT_FALSE(s.program.screenGrab().visible());
    EXPECT_TRUE(s.program.highlight().ready());

    s.machine.screen.setFailing(false);
    s.focusActiveWindow();
    EXPECT_TRUE(s.seen);
    EXPECT_FALSE(s.program.screenGrab().visible());
}

// At 150 % the grab window still covers the screen's physical pixels and shows the picture 1:1; the
// frame's pen grows to 6 pixels.
TEST(Highlight, ScaledMonitorShowsThePhysicalPicture) {
    Highlighting s(TargetShownOptions::atDpi(144));
    const Bitmap screen = *s.machine.screen.capture();

    s.focusActiveWindow();

    ASSERT_TRUE(s.seen);
    EXPECT_EQ(s.seen->bounds, Rect::fromBounds(0, 0, 1920, 1080));
    ASSERT_EQ(s.seen->painted.width(), 1920);
    ASSERT_EQ(s.seen->painted.height(), 1080);
    expectFrame(s.seen->painted, s.targetRect(), 6);
    EXPECT_EQ(s.seen->painted.pixel(1919, 1079), screen.pixel(1919, 1079));
    EXPECT_EQ(s.seen->painted.pixel(1300, 800), screen.pixel(1300, 800));
}

} // namespace
} // namespace cellaro
