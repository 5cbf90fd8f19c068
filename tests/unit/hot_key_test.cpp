// The hot-key component over the simulated port: when it asks the platform, and with what.
#include "logic/shortcuts/hot_key.h"
#include "logic/shortcuts/shortcut_table.h"
#include "platform/sim/sim_hot_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace cellaro {
namespace {

TEST(HotKey, ModifiersBecomeThePlatformsFlags) {
    struct Case {
        ShortcutValue value;
        HotKeyCombination combination;
    };
    for (const Case& c :
         {Case{'A', {0, 'A'}}, Case{kShortcutShift | 'A', {kHotKeyShift, 'A'}},
          Case{kShortcutCtrl | 'A', {kHotKeyControl, 'A'}}, Case{kShortcutAlt | 'A', {kHotKeyAlt, 'A'}},
          Case{kShortcutModifiers | 0x70, {kHotKeyShift | kHotKeyControl | kHotKeyAlt, 0x70}},
          // bits 8 to 12 carry nothing the platform is given
          Case{0x1F00 | 'B', {0, 'B'}}}) {
        EXPECT_EQ(hotKeyCombination(c.value), c.combination) << c.value;
    }
}

TEST(HotKey, SetKeyAsksThePlatformOnlyForAChange) {
    sim::SimHotKeys port;
    HotKey key(port);
    key.loaded();
    EXPECT_EQ(port.registrations() + port.refusals(), 0); // no key yet
    key.setKey(kShortcutAlt | 'W');
    EXPECT_TRUE(key.registered());
    key.setKey(kShortcutAlt | 'W');
    EXPECT_EQ(port.registrations(), 1);
    key.setKey(kShortcutCtrl | 'W');
    const std::vector<HotKeyCombination> expected{HotKeyCombination{kHotKeyControl, 'W'}};
    EXPECT_EQ(port.held(), expected);
}

TEST(HotKey, DisabledItHoldsNothingAndEnabledAgainItRegisters) {
    sim::SimHotKeys port;
    HotKey key(port);
    int pressed = 0;
    key.onHotKey = [&pressed] { ++pressed; };
    key.setKey(kShortcutAlt | 'W');
    key.setEnabled(false);
    EXPECT_FALSE(key.registered());
    EXPECT_FALSE(port.press({kHotKeyAlt, 'W'}));
    key.setKey(kShortcutAlt | 'Q'); // stored, not registered while disabled
    EXPECT_TRUE(port.held().empty());
    key.setEnabled(true);
    EXPECT_TRUE(port.press({kHotKeyAlt, 'Q'}));
    EXPECT_EQ(pressed, 1);
}

TEST(HotKey, DestructionReleasesTheCombination) {
    sim::SimHotKeys port;
    {
        HotKey key(port);
        key.setKey(kShortcutAlt | 'W');
        ASSERT_FALSE(port.held().empty());
    }
    EXPECT_TRUE(port.held().empty());
    HotKey other(port);
    other.setKey(kShortcutAlt | 'W');
    EXPECT_TRUE(other.registered());
}

TEST(ShortcutTable, EveryNumberIsInTheTableAndInBothOrdersOnce) {
    std::set<int> table;
    for (const ShortcutEntry& entry : kShortcutTable) {
        table.insert(entry.number);
        EXPECT_NE(config::findShortcutKey(entry.number), nullptr) << entry.number;
    }
    EXPECT_EQ(table.size(), 32U);
    EXPECT_EQ(std::set<int>(kLoadOrder.begin(), kLoadOrder.end()), table);
    EXPECT_EQ(std::set<int>(kApplyOrder.begin(), kApplyOrder.end()), table);
    EXPECT_EQ(findShortcut(107)->defaultText, "Alt+W");
    EXPECT_EQ(findShortcut(5)->defaultText, "None");
}

} // namespace
} // namespace cellaro
