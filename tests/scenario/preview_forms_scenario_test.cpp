// Scenario: the preview rectangle and the on-screen caption as the started program has them on the
// simulated desktop: their window styles, placement without stealing the focus, and the caption's
// timed refresh.
#include "forms/on_screen_caption.h"
#include "forms/preview_rectangle.h"
#include "pixels/bitmap_canvas.h"
#include "support/sim_machine.h"
#include "widgets/image.h"
#include "widgets/panel.h"

#include <gtest/gtest.h>

#include <string>

namespace cellaro {
namespace {

using testing::SimMachine;

struct Started {
    SimMachine machine;
    Program& program = machine.start();
    WindowId notepad;

    Started() {
        sim::WindowOptions options;
        options.title = "Untitled - Notepad";
        notepad = machine.desktop.createWindow(options);
        machine.host.activateByUser(notepad);
    }
};

TEST(PreviewRectangle, WindowStyleOnTheDesktop) {
    Started s;
    PreviewRectangle& preview = s.program.previewRectangle();
    const WindowId id = preview.id();
    EXPECT_EQ(preview.name(), "fakeOkno");
    EXPECT_FALSE(preview.visible());
    EXPECT_EQ(preview.bounds().top, -10000);
    const std::uint32_t styles = s.machine.desktop.extendedStyles(id);
    EXPECT_TRUE(s.machine.desktop.isTopmost(id));
    EXPECT_TRUE(styles & exstyle::kToolWindow);
    EXPECT_TRUE(styles & exstyle::kNoActivate);
    EXPECT_TRUE(styles & exstyle::kLayered);
    EXPECT_EQ(s.machine.desktop.opacity(id), std::optional<std::uint8_t>(100));
    EXPECT_EQ(s.machine.host.roundedCorners(id), (Size{16, 16}));
}

TEST(PreviewRectangle, PlacedShrunkAndParkedWithoutTakingTheFocus) {
    Started s;
    PreviewRectangle& preview = s.program.previewRectangle();
    preview.setPanelColour(Colour::rgb(10, 200, 30));
    preview.show();
    // Even the form's own show, asked to activate, leaves the focus where it was.
    static_cast<Form&>(preview).show(true);
    const Rect target = Rect::fromBounds(640, 173, 640, 346);
    preview.place(target);
    EXPECT_TRUE(preview.visible());
    EXPECT_EQ(s.machine.desktop.foregroundWindow(), s.notepad);
    EXPECT_EQ(preview.bounds(), target);
    // Panel1 fills the client area in the resizing window colour.
    EXPECT_EQ(preview.panel().bounds(), Rect::fromBounds(0, 0, 640, 346));
    EXPECT_EQ(s.machine.host.paint(preview), Bitmap(640, 346, Colour::rgb(10, 200, 30)));

    preview.shrink();
    EXPECT_EQ(preview.bounds(), Rect::fromBounds(640, 173, 1, 1));
    EXPECT_EQ(preview.panel().bounds(), Rect::fromBounds(0, 0, 1, 1));
    preview.parkLeft();
    EXPECT_EQ(preview.bounds(), Rect::fromBounds(-5000, 173, 1, 1));
    EXPECT_TRUE(preview.visible());
    preview.park();
    EXPECT_FALSE(preview.visible());
    EXPECT_EQ(preview.bounds().top, -10000);
    EXPECT_EQ(s.machine.desktop.foregroundWindow(), s.notepad);
}

TEST(PreviewRectangle, AMovedPreviewComesBackToTheFrontOfTheTopmostWindows) {
    Started s;
    PreviewRectangle& preview = s.program.previewRectangle();
    preview.show();
    ASSERT_TRUE(preview.place(Rect::fromBounds(0, 0, 320, 173)));
    sim::WindowOptions options;
    options.title = "Always on top";
    options.extendedStyles = exstyle::kTopmost;
    const WindowId other = s.machine.desktop.createWindow(options);
    ASSERT_EQ(s.machine.desktop.topLevelWindows().front(), other);

    EXPECT_FALSE(preview.place(Rect::fromBounds(0, 0, 320, 173))); // nowhere new to go
    EXPECT_EQ(s.machine.desktop.topLevelWindows().front(), other);
    EXPECT_TRUE(preview.place(Rect::fromBounds(0, 0, 640, 173)));
    EXPECT_EQ(s.machine.desktop.topLevelWindows().front(), preview.id());
    EXPECT_EQ(s.machine.desktop.foregroundWindow(), s.notepad);
}

TEST(OnScreenCaption, StyleAndShowingInTheCorner) {
    Started s;
    OnScreenCaption& caption = s.program.onScreenCaption();
    EXPECT_EQ(caption.name(), "fNapis");
    EXPECT_TRUE(s.machine.desktop.isTopmost(caption.id()));
    EXPECT_EQ(caption.root().colour(), Colour::rgb(0x2E, 0x30, 0x36));
    EXPECT_EQ(caption.image().bounds(), Rect::fromBounds(0, 0, 32, 31));
    EXPECT_TRUE(caption.panel().font().bold);
    EXPECT_EQ(caption.panel().fontColour(), Colour::rgb(255, 255, 255));
    EXPECT_EQ(caption.panel().captionAlign(), TextAlign::Left);

    caption.show();
    EXPECT_TRUE(caption.visible());
    EXPECT_EQ(caption.bounds().left, 10);
    EXPECT_EQ(caption.bounds().top, 0);
    EXPECT_EQ(s.machine.desktop.foregroundWindow(), s.notepad);
}

TEST(OnScreenCaption, RefreshFollowsTheWorkingWindowsStatus) {
    Started s;
    OnScreenCaption& caption = s.program.onScreenCaption();
    CaptionSource status{"Untitled - Notepad", Bitmap(32, 32, Colour::rgb(0, 0, 255)), true};
    int asked = 0;
    caption.setSource([&] {
        ++asked;
        return status;
    });
    // The timer runs from creation, also while the caption is hidden.
    EXPECT_TRUE(caption.timer().running());
    s.machine.loop.advance(OnScreenCaption::kRefreshIntervalMs);
    EXPECT_EQ(asked, 1);
    const std::string shown = " Untitled - Notepad ";
    const int width = approximateTextSize(shown, caption.panel().font()).width;
    EXPECT_EQ(caption.panel().caption(), shown);
    EXPECT_EQ(caption.panel().bounds(), Rect::fromBounds(32, 0, width, 31));
    EXPECT_EQ(caption.bounds().width(), 32 + width);
    EXPECT_EQ(caption.image().picture(), status.statusPicture);

    // While the working window is hidden only the width follows the text.
    status = CaptionSource{"A much longer title of another window", Bitmap(32, 32), false};
    s.machine.loop.advance(OnScreenCaption::kRefreshIntervalMs);
    EXPECT_EQ(caption.panel().caption(), shown);
    EXPECT_EQ(caption.image().picture(), Bitmap(32, 32, Colour::rgb(0, 0, 255)));
    EXPECT_EQ(caption.panel().bounds().width(),
              approximateTextSize(" A much longer title of another window ", caption.panel().font()).width);

    // An empty status still leaves the two blanks.
    caption.refresh("", Bitmap(), true);
    EXPECT_EQ(caption.panel().caption(), "  ");
    EXPECT_GT(caption.panel().bounds().width(), 0);
}

TEST(OnScreenCaption, ClosingStopsTheTimerAndShowingRestartsIt) {
    Started s;
    OnScreenCaption& caption = s.program.onScreenCaption();
    int asked = 0;
    caption.setSource([&] {
        ++asked;
        return CaptionSource{"x", Bitmap(), true};
    });
    caption.show();
    caption.close();
    EXPECT_FALSE(caption.visible());
    EXPECT_FALSE(caption.timer().running());
    s.machine.loop.advance(1000);
    EXPECT_EQ(asked, 0);
    caption.show();
    EXPECT_TRUE(caption.timer().running());
    s.machine.loop.advance(OnScreenCaption::kRefreshIntervalMs);
    EXPECT_EQ(asked, 1);
    // Hiding (as the release on the board does) keeps the refresh going.
    caption.hide();
    s.machine.loop.advance(OnScreenCaption::kRefreshIntervalMs);
    EXPECT_EQ(asked, 2);
}

} // namespace
} // namespace cellaro
