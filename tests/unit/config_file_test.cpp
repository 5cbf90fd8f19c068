// Tests of the configuration file: typed reads with defaults, writes, write-back and its failures.
#include "config/config_file.h"
#include "config/config_keys.h"
#include "config/shortcut_text.h"
#include "platform/sim/sim_files.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string>

namespace cellaro {
namespace {

const std::string kPath = "C:\\Program Files\\Cellaro\\CRO.cfg";

TEST(ConfigFile, LivesBesideTheExecutable) {
    sim::SimFileSystem files;
    EXPECT_EQ(configPath(files), kPath);
    files.setProgramPath("D:/tools/cellaro.exe");
    EXPECT_EQ(configPath(files), "D:/tools/CRO.cfg");
}

struct IntegerCase {
    const char* text;
    std::optional<int> expected;
};

TEST(ConfigFile, ParsesIntegersStrictly) {
    const IntegerCase cases[] = {
        {"0", 0},
        {"160", 160},
        {"-5", -5},
        {"+7", 7},
        {"00012", 12},
        {"0x1F1F1F", 2039583},
        {"0X1f", 31},
        {"0x0", 0},
        {"0x7FFFFFFF", std::numeric_limits<int>::max()},
        {"0xFFFFFFFF", -1},
        {"0x000000000001", 1},
        {"2147483647", std::numeric_limits<int>::max()},
        {"-2147483648", std::numeric_limits<int>::min()},
        {"0x", std::nullopt},
        {"0x-1", std::nullopt},
        {"0x1G", std::nullopt},
        {"0x100000000", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"1e3", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+", std::nullopt},
        {"1 2", std::nullopt},
        {"$1F", std::nullopt},
    };
    for (const IntegerCase& c : cases) {
        EXPECT_EQ(parseConfigInteger(c.text), c.expected) << c.text;
    }
}

TEST(ConfigFile, ReadsTypedValuesWithDefaults) {
    sim::SimFileSystem files;
    files.setFile(kPath, "[options]\r\n"
                         "a1=0x1F1F1F\r\n"
                         "A2=abc\r\n"
                         "SEW = 8\r\n"
                         "AutoHide=2\r\n"
                         "MNR=0\r\n"
                         "optAutohideagain=yes\r\n"
                         "HotKey5=\r\n"
                         "[Config]\r\n"
                         "load=1\r\n");
    const ConfigFile config(files);
    EXPECT_FALSE(config.readFailed());
    EXPECT_EQ(config.readInteger(config::kBackgroundColour), 2039583);
    EXPECT_EQ(config.readInteger(config::kGridBackgroundColour), 2039583); // "abc": the default
    EXPECT_EQ(config.readInteger(config::kGridColour), 8421504);           // missing
    EXPECT_EQ(config.readInteger(config::kGridColumns), 8);
    EXPECT_EQ(config.readInteger(config::kLoadAtStartup), 1);
    EXPECT_TRUE(config.readBool(config::kAutoHide));                     // any non-zero is true
    EXPECT_FALSE(config.readBool(config::kMaxRowsColumns));              // present 0 beats default true
    EXPECT_FALSE(config.readBool(config::kSkipKillConfirmation));        // unparsable: default false
    EXPECT_TRUE(config.readBool("Options", "optAutohideagain", true));   // unparsable: default true
    EXPECT_EQ(config.readText(config::findShortcutKey(5)->setting), ""); // empty, not missing
    EXPECT_EQ(config.readText(config::findShortcutKey(4)->setting), "None");
    EXPECT_EQ(config.readText(config::findShortcutKey(107)->setting), "Alt+W");
    EXPECT_EQ(config.readInteger(config::navigationMenuLeft(1920)), 1620);
    EXPECT_EQ(config.readInteger(config::kNavigationMenuTop), 45);
}

TEST(ConfigFile, MissingFileGivesDefaultsAndFirstWriterCreatesIt) {
    sim::SimFileSystem files;
    {
        const ConfigFile config(files);
        EXPECT_FALSE(config.readFailed());
        EXPECT_TRUE(config.document().empty());
        EXPECT_TRUE(config.readBool(config::kMaxRowsColumns));
        EXPECT_EQ(config.readInteger(config::kColourSchemeIndex), 20);
    }
    ConfigFile config(files);
    config.writeInteger(config::kLoadAtStartup, 1);
    config.writeBool(config::kMaxRowsColumns, true);
    config.writeBool(config::kAutoHide, false);
    config.writeInteger(config::navigationMenuLeft(1920), -12);
    ASSERT_TRUE(config.save().ok);
    EXPECT_EQ(files.file(kPath), "[Config]\r\nload=1\r\n\r\n[Options]\r\nMNR=1\r\nAutoHide=0\r\n\r\n"
                                 "[hmenu]\r\nx=-12\r\n\r\n");
    EXPECT_EQ(files.writeCount(), 1);
}

TEST(ConfigFile, ShortcutInOtherCaseAndOrderIsWrittenBackInCanonicalForm) {
    sim::SimFileSystem files;
    files.setFile(kPath, "; my settings\r\n[options]\r\nHotKey5 = alt+shift+q\r\nA1=1\r\n");
    const KeyNameTable names;
    ConfigFile config(files);
    const config::TextKey& hotKey5 = config::findShortcutKey(5)->setting;
    const ShortcutValue value = shortcutFromText(config.readText(hotKey5), names);
    EXPECT_EQ(value, kShortcutShift | kShortcutAlt | 'Q');
    config.writeText(hotKey5, shortcutToText(value, names));
    ASSERT_TRUE(config.save().ok);
    EXPECT_EQ(files.file(kPath), "[options]\r\nHotKey5=Shift+Alt+Q\r\nA1=1\r\n\r\n");
}

TEST(ConfigFile, FailedWriteLeavesTheFileAndReportsTheError) {
    const std::string original = "[Options]\r\nA1=5\r\n";
    for (const std::string& failing : {kPath, std::string("c:\\program files\\cellaro\\")}) {
        sim::SimFileSystem files;
        files.setFile(kPath, original);
        files.failWrites(failing, "Access is denied.");
        ConfigFile config(files);
        config.writeInteger(config::kBackgroundColour, 7);
        const FileWriteResult result = config.save();
        EXPECT_FALSE(result.ok) << failing;
        EXPECT_EQ(result.error, "Access is denied.") << failing;
        EXPECT_EQ(files.file(kPath), original) << failing;
        EXPECT_EQ(config.readInteger(config::kBackgroundColour), 7) << "the value stays in memory";
    }
}

TEST(ConfigFile, UnreadableFileIsNotOverwritten) {
    sim::SimFileSystem files;
    const std::string original = "[Options]\r\nHotKey2=Ctrl+A\r\n";
    files.setFile(kPath, original);
    files.failReads(kPath, "The process cannot access the file because it is being used by another process.");
    ConfigFile config(files);
    EXPECT_TRUE(config.readFailed());
    EXPECT_EQ(config.readText(config::findShortcutKey(2)->setting), "None");
    config.writeBool(config::kMaxRowsColumns, false);
    const FileWriteResult result = config.save();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error,
              "The process cannot access the file because it is being used by another process.");
    EXPECT_EQ(files.file(kPath), original);
    EXPECT_EQ(files.writeCount(), 0);
}

TEST(ConfigFile, WritesInPlaceWhenNoTemporaryFileCanBeMade) {
    sim::SimFileSystem files;
    files.setTemporaryFilesUnavailable(true);
    ConfigFile config(files);
    config.writeText(config::findShortcutKey(107)->setting, "Alt+W");
    ASSERT_TRUE(config.save().ok);
    EXPECT_EQ(files.inPlaceWriteCount(), 1);
    EXPECT_EQ(files.file(kPath), "[Options]\r\nHotKey107=Alt+W\r\n\r\n");
}

TEST(ConfigKeys, ShortcutKeysAreTheThirtyTwoNumbersWithTheirNames) {
    std::set<int> numbers;
    for (const config::ShortcutKey& entry : config::kShortcutKeys) {
        EXPECT_EQ(entry.setting.key, "HotKey" + std::to_string(entry.number));
        EXPECT_EQ(entry.setting.section, config::kOptionsSection);
        EXPECT_EQ(entry.setting.defaultValue, entry.number == 107 ? "Alt+W" : "None");
        numbers.insert(entry.number);
    }
    std::set<int> expected{2, 3, 4, 5, 8, 9, 10, 101, 102, 107, 108};
    for (int number = 12; number <= 32; ++number) {
        expected.insert(number);
    }
    EXPECT_EQ(numbers, expected);
    for (int missing : {6, 7, 11, 33, 100}) {
        EXPECT_EQ(config::findShortcutKey(missing), nullptr) << missing;
    }
}

} // namespace
} // namespace cellaro
