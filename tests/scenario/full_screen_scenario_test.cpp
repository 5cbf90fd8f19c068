// Scenario: the full-screen grid on one monitor of two of different widths: the switch from the tray
// or the status strip, the layer's geometry, 10 x 10 cells or the configured ones, placement at real
// scale, the grid menu, and the return to the compact window.
#include "app/tray_form.h"
#include "config/settings.h"
#include "forms/on_screen_caption.h"
#include "forms/working/full_screen_grid.h"
#include "forms/working/working_window.h"
#include "logic/tray_menu.h"
#include "logic/working_mode.h"
#include "support/target_shown.h"
#include "support/ui.h"
#include "widgets/image.h"
#include "widgets/panel.h"

#include <gtest/gtest.h>

namespace cellaro {
namespace {

using testing::TargetShown;
using testing::TargetShownOptions;

struct Layer {
    TargetShown s;

    explicit Layer(TargetShownOptions options = TargetShownOptions::onMonitors(2)) : s(std::move(options)) {
        // The tray's items open the layer from a hidden working window.
        s.working.close();
    }
    void open(CommandCall item) { s.program.trayForm().runCommand(item); }
    [[nodiscard]] bool fullScreen() const { return s.program.mode().fullScreen(); }
    [[nodiscard]] const GridBoard& board() const { return s.working.boardPage().board(); }
};

TEST(FullScreenGrid, TheLayerCoversTheChosenMonitorsWorkAreaAtTheGridOpacity) {
    struct Case {
        CommandCall item;
        Rect layer;
        Size cell; // 10 x 10 cells of the layer
    };
    for (const Case& c : {Case{CommandCall::onMonitor(Command::FullScreenGrid, 0),
                               Rect::fromBounds(0, 0, 1920, 1040),
                               {192, 104}},
                          Case{CommandCall::onMonitor(Command::FullScreenGrid, 1),
                               Rect::fromBounds(1920, 0, 1280, 1024),
                               {128, 102}}}) {
        Layer l;
        l.open(c.item);
        ASSERT_TRUE(l.fullScreen());
        EXPECT_TRUE(l.s.working.visible());
        EXPECT_EQ(l.s.working.bounds(), c.layer);
        EXPECT_EQ(l.s.working.alpha(), std::optional<std::uint8_t>(255 - 174));
        EXPECT_EQ(l.board().columns(), 10);
        EXPECT_EQ(l.board().rows(), 10);
        EXPECT_EQ((Size{l.board().cells().cellWidth(), l.board().cells().cellHeight()}), c.cell);
        EXPECT_EQ(l.s.working.boardPage().image().parent(), &l.s.working.fullScreenGrid().layerPanel());
        EXPECT_TRUE(l.s.program.onScreenCaption().visible());
    }
}

TEST(FullScreenGrid, ASwitchBeforeAnyChoiceUsesTheFirstMonitor) {
    TargetShown s(TargetShownOptions::onMonitors(2));
    // XiFull lies beyond the compact window's right edge: the switch as its shortcut runs it.
    s.working.enterFullScreen();
    ASSERT_TRUE(s.program.mode().fullScreen());
    EXPECT_EQ(s.working.bounds(), Rect::fromBounds(0, 0, 1920, 1040));
    // A second switch while it shows changes nothing.
    const Rect before = s.working.bounds();
    s.working.enterFullScreen();
    EXPECT_TRUE(s.program.mode().fullScreen());
    EXPECT_EQ(s.working.bounds(), before);
}

TEST(FullScreenGrid, MaxRowsColumnsChoosesTenByTenOnTheLayerOnly) {
    for (const bool maxRowsColumns : {true, false}) {
        Layer l(TargetShownOptions::withConfig(std::string("[Options]\r\nSEW=4\r\nSEH=3\r\nMNR=") +
                                               (maxRowsColumns ? "1" : "0") + "\r\n"));
        l.s.machine.shell.clickTrayLeft();
        EXPECT_EQ(l.board().columns(), 4);
        l.s.working.close();
        l.open(CommandCall::onMonitor(Command::FullScreenGrid, 0));
        ASSERT_TRUE(l.fullScreen());
        EXPECT_EQ(l.board().columns(), maxRowsColumns ? 10 : 4) << maxRowsColumns;
        EXPECT_EQ(l.board().rows(), maxRowsColumns ? 10 : 3) << maxRowsColumns;
    }
}

TEST(FullScreenGrid, ADragPlacesAtRealScaleAndLeavesTheLayer) {
    Layer l;
    l.open(CommandCall::onMonitor(Command::FullScreenGrid, 1));
    ASSERT_TRUE(l.fullScreen());
    l.s.press(2, 1);
    l.s.moveTo(4, 3);
    l.s.machine.loop.advance(WorkingWindow::kPreviewIntervalMs);
    // The caption repeats the target's title meanwhile.
    l.s.machine.loop.advance(OnScreenCaption::kRefreshIntervalMs);
    EXPECT_EQ(l.s.program.onScreenCaption().panel().caption(), " Editor ");
    l.s.release(4, 3);
    // 1280 / 10 and 1024 / 10 on the second monitor.
    EXPECT_EQ(l.s.targetRect(), Rect::fromBounds(1920 + 2 * 128, 102, 3 * 128, 3 * 102));
    EXPECT_FALSE(l.fullScreen());
    EXPECT_FALSE(l.s.working.visible());
    EXPECT_FALSE(l.s.program.onScreenCaption().visible());
    // Closed in its compact form, at its resting opacity.
    EXPECT_EQ((Size{l.s.working.bounds().width(), l.s.working.bounds().height()}), (Size{335, 267}));
    EXPECT_EQ(l.s.working.alpha(), std::optional<std::uint8_t>(200));
    EXPECT_EQ(l.s.working.boardPage().image().parent(), &l.s.working.boardPage().panel());
}

TEST(FullScreenGrid, TheReturnRestoresTheCompactBoardAndWindow) {
    Layer l;
    l.open(CommandCall::onMonitor(Command::FullScreenGrid, 1));
    ASSERT_TRUE(l.fullScreen());
    // The item chosen again while the layer shows takes it away.
    l.open(CommandCall::onMonitor(Command::FullScreenGrid, 1));
    EXPECT_FALSE(l.fullScreen());
    EXPECT_FALSE(l.s.working.visible());
    const Image& board = l.s.working.boardPage().image();
    EXPECT_EQ(board.parent(), &l.s.working.boardPage().panel());
    EXPECT_EQ(board.bounds(), Rect::fromBounds(6, 4, 320, 195));
    EXPECT_EQ(l.s.working.bounds().width(), 335);
    EXPECT_EQ(l.s.working.bounds().height(), 267);
    // Shown again from the tray: the compact board with the configured counts.
    l.s.machine.shell.clickTrayLeft();
    ASSERT_TRUE(l.s.working.visible());
    EXPECT_EQ(l.board().columns(), 6);
    EXPECT_EQ(l.board().size(), (Size{320, 195}));
}

TEST(FullScreenGrid, TheGridMenuTogglesMaxRowsColumnsAtOnceAndCloses) {
    Layer l;
    l.open(CommandCall::onMonitor(Command::FullScreenGrid, 0));
    ASSERT_TRUE(l.fullScreen());
    l.s.machine.shell.queueMenuChoice("MNR");
    l.s.machine.host.pointerDown(l.s.working, l.s.cell(1, 1), MouseButton::Right);
    l.s.machine.host.pointerUp(l.s.working, l.s.cell(1, 1), MouseButton::Right);
    const auto& items = l.s.machine.shell.menus().back().items;
    ASSERT_EQ(items.size(), 4U);
    EXPECT_EQ(items[0].caption, "Max Num rows/cols");
    EXPECT_TRUE(items[0].checked);
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ(items[2].caption, "Undo");
    EXPECT_EQ(items[3].caption, "Close");
    EXPECT_FALSE(l.s.program.settings().maxRowsColumns());
    const auto saved = l.s.machine.files.file(testing::SimMachine::kConfigPath);
    ASSERT_TRUE(saved.has_value());
    EXPECT_NE(saved->find("MNR=0"), std::string::npos);

    l.s.machine.shell.queueMenuChoice("Close1");
    l.s.machine.host.pointerDown(l.s.working, l.s.cell(1, 1), MouseButton::Right);
    EXPECT_FALSE(l.fullScreen());
    EXPECT_FALSE(l.s.working.visible());
    // The next layer has the configured 6 x 6.
    l.open(CommandCall::onMonitor(Command::FullScreenGrid, 0));
    EXPECT_EQ(l.board().columns(), 6);
}

} // namespace
} // namespace cellaro
