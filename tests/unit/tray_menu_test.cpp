// The tray menu's items for one and two monitors, and the tray hint texts.
#include "logic/tray_hint.h"
#include "logic/tray_menu.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace cellaro {
namespace {

std::vector<std::string> visibleCaptions(const std::vector<MenuItem>& items) {
    std::vector<std::string> captions;
    for (const MenuItem& item : items) {
        if (item.visible) {
            captions.push_back(item.separator ? "-" : item.caption);
        }
    }
    return captions;
}

TEST(TrayMenu, OneMonitorHasOneGridItemAndNoNextMonitor) {
    TrayMenuState state;
    state.monitorCount = 1;
    const std::vector<std::string> expected{"Show Cellaro \t",
                                            "Fullscreen grid\t",
                                            "Manage groups \t",
                                            "Groups navigation menu \t",
                                            "-",
                                            "Controls derived from Windows",
                                            "-",
                                            "Settings",
                                            "Start new Cellaro",
                                            "Load Cellaro at Startup",
                                            "-",
                                            "Focus active window \t",
                                            "-",
                                            "Help",
                                            "About",
                                            "-",
                                            "Exit"};
    EXPECT_EQ(visibleCaptions(buildTrayMenu(state)), expected);
}

TEST(TrayMenu, TwoMonitorsShowBothGridItemsAndNextMonitorWithShortcuts) {
    TrayMenuState state;
    state.monitorCount = 2;
    state.loadAtStartup = true;
    state.shortcutText = [](int number) {
        switch (number) {
        case 107:
            return std::string("Alt+W");
        case 108:
            return std::string("Shift+Alt+Q");
        case 12:
            return std::string("Ctrl+Right");
        default:
            return std::string();
        }
    };
    const auto items = buildTrayMenu(state);
    const auto captions = visibleCaptions(items);
    ASSERT_EQ(captions.size(), 19U);
    EXPECT_EQ(captions[1], "Fullscreen grid - monitor 1\tAlt+W");
    EXPECT_EQ(captions[2], "Fullscreen grid - monitor 2\tShift+Alt+Q");
    EXPECT_EQ(captions[12], "Move to next monitor\tCtrl+Right");
    const auto autostart = std::find_if(items.begin(), items.end(),
                                        [](const MenuItem& item) { return item.name == "loadAtStartUp"; });
    ASSERT_NE(autostart, items.end());
    EXPECT_TRUE(autostart->checked);
}

TEST(TrayMenu, SubmenuAndAvailability) {
    TrayMenuState state;
    state.available = [](const CommandCall& call) { return call.command != Command::Settings; };
    const auto items = buildTrayMenu(state);
    const auto arrangements = std::find_if(items.begin(), items.end(), [](const MenuItem& item) {
        return item.name == "ControlderivedfromWindows1";
    });
    ASSERT_NE(arrangements, items.end());
    ASSERT_EQ(arrangements->submenu.size(), 3U);
    EXPECT_EQ(arrangements->submenu[0].caption, "Cascade");
    EXPECT_EQ(arrangements->submenu[1].caption, "Tile Vertical");
    EXPECT_EQ(arrangements->submenu[2].caption, "Tile Horizontal");
    for (const MenuItem& item : items) {
        if (!item.separator && item.submenu.empty()) {
            EXPECT_NE(item.id, 0) << item.name;
            const std::optional<CommandCall> call = commandOfTrayMenuId(item.id);
            ASSERT_TRUE(call) << item.name;
            EXPECT_EQ(call->source, CommandSource::Tray);
            EXPECT_EQ(item.enabled, call->command != Command::Settings) << item.name;
        }
    }
}

TEST(TrayHint, StartupHintAndLimit) {
    EXPECT_EQ(startupTrayHint(1, 0), "Cellaro");
    EXPECT_EQ(startupTrayHint(2, 0), "Cellaro\r\nMonitor: 1");
    EXPECT_EQ(startupTrayHint(3, 2), "Cellaro\r\nMonitor: 3");

    EXPECT_EQ(fitTrayHint(std::string(127, 'a')).size(), 127U);
    EXPECT_EQ(fitTrayHint(std::string(200, 'a')), std::string(127, 'a'));
    // Characters, not bytes: 130 Cyrillic letters (two bytes each) keep 127 whole letters.
    std::string cyrillic;
    for (int i = 0; i < 130; ++i) {
        cyrillic += "\xD0\x96";
    }
    EXPECT_EQ(fitTrayHint(cyrillic).size(), 254U);
    // A broken sequence is never completed from the following bytes.
    const std::string broken = std::string(126, 'a') + "\xE2\x82" + "bc";
    EXPECT_EQ(fitTrayHint(broken), std::string(126, 'a') + "\xE2");
}

} // namespace
} // namespace cellaro
