// The tray hint text of the target tracking.
#include "logic/target_tracker.h"

#include <gtest/gtest.h>

#include <string>

namespace cellaro {
namespace {

struct HintCase {
    std::string title;
    int monitors;
    int monitorIndex;
    std::string expected;
};

TEST(TrayHintText, TitleLineFromTwoCharactersMonitorLineFromTwoMonitors) {
    const HintCase cases[] = {
        {"Editor", 2, 1, "Cellaro\r\nEditor\r\nMonitor: 2"},
        {"Editor", 1, 0, "Cellaro\r\nEditor"},
        {"Editor", 3, 0, "Cellaro\r\nEditor\r\nMonitor: 1"},
        {"E", 2, 0, "Cellaro\r\nMonitor: 1"},
        {"", 1, 0, "Cellaro"},
        {"Ed", 1, 0, "Cellaro\r\nEd"},
        // Characters, not bytes: one Cyrillic letter is two bytes, one emoji four.
        {"Я", 1, 0, "Cellaro"},
        {"😀", 1, 0, "Cellaro"},
        {"Яд", 1, 0, "Cellaro\r\nЯд"},
        {"東京", 2, 1, "Cellaro\r\n東京\r\nMonitor: 2"},
    };
    for (const HintCase& c : cases) {
        EXPECT_EQ(TargetTracker::trayHintText(c.title, c.monitors, c.monitorIndex), c.expected) << c.title;
    }
}

TEST(TrayHintText, LongTitleIsCutWithAnEllipsisAndKeepsTheMonitorLine) {
    std::string title;
    for (int k = 0; k < 150; ++k) {
        title += "Ж";
    }
    // 127 characters: "Cellaro" CR LF (9), 105 of the title, the ellipsis, CR LF "Monitor: 2" (12).
    EXPECT_EQ(TargetTracker::trayHintText(title, 2, 1),
              "Cellaro\r\n" + title.substr(0, 2 * 105) + "\u2026\r\nMonitor: 2");
    // On one monitor the title has the room of the monitor line too; a title that just fits is kept.
    EXPECT_EQ(TargetTracker::trayHintText(title.substr(0, 2 * 118), 1, 0),
              "Cellaro\r\n" + title.substr(0, 2 * 118));
    EXPECT_EQ(TargetTracker::trayHintText(title, 1, 0), "Cellaro\r\n" + title.substr(0, 2 * 117) + "\u2026");
}

} // namespace
} // namespace cellaro
