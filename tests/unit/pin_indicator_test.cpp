// The pin indicator on the simulated desktop: painted at the point, left for 1250 ms, then wiped by
// a one-pixel nudge of the window and back.
#include "logic/pin_indicator.h"

#include "logic/pictures.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_event_loop.h"

#include <gtest/gtest.h>

namespace cellaro {
namespace {

TEST(PinIndicator, PaintsWaitsAndNudgesTheWindowBack) {
    sim::SimDesktop desktop;
    desktop.addMonitor(sim::SimDesktop::makeMonitor(0, 0, 1920, 1080, 40, true));
    sim::SimEventLoop loop;
    sim::WindowOptions options;
    options.title = "Editor";
    options.bounds = Rect::fromBounds(100, 50, 601, 400);
    const WindowId editor = desktop.createWindow(options);

    const Point at = pinIndicatorPoint(options.bounds);
    EXPECT_EQ(at, (Point{100 + 300, 53}));
    showPinIndicator(desktop, loop, editor, PinPicture::Unpinned, at);

    ASSERT_EQ(desktop.screenPaints().size(), 1U);
    EXPECT_EQ(desktop.screenPaints()[0].at, at);
    EXPECT_EQ(desktop.screenPaints()[0].picture, pinPicture(false));
    EXPECT_EQ(desktop.screenPaints()[0].transparent, kPinTransparent);
    EXPECT_EQ(loop.sleeps(), std::vector<int>{kPinIndicatorShowMs});
    std::vector<Rect> moves;
    for (const sim::Call& call : desktop.calls()) {
        if (call.kind == sim::CallKind::Move) {
            moves.push_back(call.bounds);
        }
    }
    EXPECT_EQ(moves, (std::vector<Rect>{options.bounds.offset(1, 0), options.bounds}));
    EXPECT_EQ(desktop.windowRect(editor), options.bounds);
}

TEST(PinIndicator, PaintsThePictureDrawnAtTheWindowsScale) {
    struct Case {
        int dpi;
        int topOffset; // 3 pixels at 96 DPI, scaled and rounded
        int pictureSize;
    };
    for (const Case& c : {Case{96, 3, 20}, Case{120, 4, 25}, Case{144, 5, 30}, Case{192, 6, 40}}) {
        SCOPED_TRACE(c.dpi);
        sim::SimDesktop desktop;
        desktop.addMonitor(sim::SimDesktop::makeMonitor(0, 0, 3840, 2160, 80, true));
        sim::SimEventLoop loop;
        sim::WindowOptions options;
        options.title = "Editor";
        options.bounds = Rect::fromBounds(200, 100, 1001, 600);
        const WindowId editor = desktop.createWindow(options);

        const Point at = pinIndicatorPoint(options.bounds, c.dpi);
        EXPECT_EQ(at, (Point{200 + 500, 100 + c.topOffset}));
        showPinIndicator(desktop, loop, editor, PinPicture::Pinned, at, c.dpi);
        ASSERT_EQ(desktop.screenPaints().size(), 1U);
        const auto& paint = desktop.screenPaints()[0];
        EXPECT_EQ(paint.at, at);
        EXPECT_EQ(paint.picture.width(), c.pictureSize);
        EXPECT_EQ(paint.picture, pinPicture(true, c.dpi));
        EXPECT_EQ(desktop.windowRect(editor), options.bounds);
    }
}

TEST(PinIndicator, AWindowThatIsGoneIsLeftAlone) {
    sim::SimDesktop desktop;
    sim::SimEventLoop loop;
    showPinIndicator(desktop, loop, WindowId{42}, PinPicture::Pinned, Point{0, 0});
    EXPECT_TRUE(desktop.screenPaints().empty());
    EXPECT_TRUE(loop.sleeps().empty());
}

} // namespace
} // namespace cellaro
