// The printed shortcut list: its lines from the keys in force, and the print operation over the
// simulated printer (setup dialog, device errors, pages).
#include "logic/shortcuts/shortcut_print.h"

#include "config/config_file.h"
#include "config/settings.h"
#include "core/utf8.h"
#include "logic/shortcuts/shortcut_set.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_hot_keys.h"
#include "platform/sim/sim_keyboard.h"
#include "platform/sim/sim_printer.h"
#include "platform/sim/sim_shell.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace cellaro {
namespace {

const std::string kSeparator(56, '_');

// The shortcuts as loaded from a configuration with these texts (every other one its default).
struct Shortcuts {
    explicit Shortcuts(const std::string& config = {}) {
        files.setProgramPath("C:/Cellaro/cellaro.exe");
        if (!config.empty()) {
            files.setFile("C:/Cellaro/CRO.cfg", "[Options]\n" + config);
        }
        SettingsModel settings(files, configPath(files));
        settings.load();
        set.load(settings);
    }
    sim::SimFileSystem files;
    sim::SimHotKeys hotKeys;
    sim::SimKeyNames keyNames;
    ShortcutSet set{hotKeys, keyNames, CommandRunner{}};
};

// The key text each numbered shortcut's line ends with, by line (1-based); lines without a key
// are absent.
const std::map<int, int> kNumberByLine{
    {5, 5},   {6, 107}, {7, 108}, {8, 102}, {9, 101}, {11, 12}, {13, 2},  {14, 3},  {15, 4},
    {16, 8},  {17, 9},  {18, 10}, {20, 13}, {25, 30}, {26, 15}, {27, 25}, {28, 26}, {29, 31},
    {30, 32}, {33, 14}, {34, 16}, {37, 19}, {38, 20}, {41, 23}, {42, 24}, {45, 27}, {46, 28},
};

TEST(ShortcutList, WithOnlyTheDefaultSetEveryKeyButAltWReadsNone) {
    const Shortcuts shortcuts;
    const std::vector<std::string> lines =
        shortcutListLines([&](int number) { return shortcuts.set.text(number); }, "08.12.2026", "13:05:09");

    ASSERT_EQ(lines.size(), 47U);
    EXPECT_EQ(lines[1], "Cellaro - ShortCuts    ( 08.12.2026 13:05:09 )");
    EXPECT_EQ(lines[5], "Full screen grid - monitor 1: Alt+W");
    for (const auto& [line, number] : kNumberByLine) {
        if (number != 107) {
            const std::string& text = lines[static_cast<std::size_t>(line - 1)];
            EXPECT_TRUE(text.ends_with(": None")) << line << ": " << text;
        }
    }
    // The fixed lines: blanks of one space, the separators and the group headings.
    const std::map<int, std::string> fixed{
        {1, " "},         {3, kSeparator},  {4, " "},
        {10, " "},        {12, " "},        {19, " "},
        {21, kSeparator}, {22, " "},        {23, "Manage groups of windows  "},
        {24, " "},        {31, " "},        {32, "Group A "},
        {35, " "},        {36, "Group B "}, {39, " "},
        {40, "Group C "}, {43, " "},        {44, "Group D "},
        {47, " "},
    };
    for (const auto& [line, text] : fixed) {
        EXPECT_EQ(lines[static_cast<std::size_t>(line - 1)], text) << line;
    }
    EXPECT_EQ(fixed.size() + kNumberByLine.size() + 1, 47U); // every line but the title checked
}

TEST(ShortcutList, EachLineNamesItsOwnShortcutsKey) {
    // Every listed shortcut bound to a key of its own, so a line reading another's key shows.
    std::string config;
    std::map<int, std::string> keyOf;
    char key = 'A';
    for (const auto& [line, number] : kNumberByLine) {
        keyOf[number] = std::string("Ctrl+") + key++;
        config += "HotKey" + std::to_string(number) + "=" + keyOf[number] + "\n";
    }
    const Shortcuts shortcuts(config);
    const std::vector<std::string> lines =
        shortcutListLines([&](int number) { return shortcuts.set.text(number); }, "d", "t");
    const std::map<int, std::string> labels{
        {7, "Full screen grid - monitor 2: "},
        {9, "Kill Process of Selected Window: "},
        {11, "Move to Next Monitor (for multiple monitors): "},
        {28, "Bring to Front - Previous group: "},
        {29, "Show Only - Next group: "},
        {45, "Show Only: "},
    };
    for (const auto& [line, number] : kNumberByLine) {
        const std::string& text = lines[static_cast<std::size_t>(line - 1)];
        EXPECT_TRUE(text.ends_with(": " + keyOf[number])) << line << ": " << text;
        const auto label = labels.find(line);
        if (label != labels.end()) {
            EXPECT_EQ(text, label->second + keyOf[number]);
        }
    }
}

TEST(ShortcutList, TheGroupMinimiseAndRestoreShortcutsAreNotListed) {
    const Shortcuts shortcuts("HotKey17=Ctrl+F1\nHotKey18=Ctrl+F2\nHotKey21=Ctrl+F3\nHotKey22=Ctrl+F4\n"
                              "HotKey29=Ctrl+F5\n");
    for (const std::string& line :
         shortcutListLines([&](int number) { return shortcuts.set.text(number); }, "d", "t")) {
        EXPECT_EQ(line.find("Ctrl+F"), std::string::npos) << line;
    }
}

// The operation over the simulated printer, clock and message boxes.
struct PrintDesk {
    PrintDesk() { clock.setNow("8/12/2026", "1:05:09 PM"); }
    ShortcutPrintOutcome print() { return printShortcuts(shortcuts.set, printer, clock, shell, kOwner); }

    static constexpr WindowId kOwner{0x4242};
    Shortcuts shortcuts;
    sim::SimPrinter printer;
    sim::SimClock clock;
    sim::SimEventLoop loop;
    sim::SimShell shell{loop};
};

TEST(PrintShortcuts, PrintsTheListOnOnePageAtTwelvePoints) {
    PrintDesk desk;
    EXPECT_EQ(desk.print(), ShortcutPrintOutcome::Printed);
    EXPECT_EQ(desk.printer.dialogOwners(), std::vector<WindowId>{PrintDesk::kOwner});
    ASSERT_EQ(desk.printer.documents().size(), 1U);
    const sim::PrintedDocument& document = desk.printer.documents()[0];
    EXPECT_EQ(document.fontPoints, 12);
    ASSERT_EQ(document.pages.size(), 1U);
    ASSERT_EQ(document.pages[0].size(), 47U);
    EXPECT_EQ(document.pages[0][1], (PlacedText{0, 14, "Cellaro - ShortCuts    ( 8/12/2026 1:05:09 PM )"}));
    EXPECT_EQ(document.pages[0][46], (PlacedText{0, 46 * 14, " "}));
    EXPECT_TRUE(desk.shell.messageBoxes().empty());
}

TEST(PrintShortcuts, PrintsTheKeysInForceNotAnEditNotYetApplied) {
    PrintDesk desk;
    // The editor shows Ctrl+M for shortcut 5, not confirmed: the hot key still has no key. After
    // OK applies it, the list shows it.
    const std::string before = "Show Cellaro: None";
    const std::string after = "Show Cellaro: Ctrl+M";
    desk.print();
    desk.shortcuts.set.applyInApplyOrder([&](int number) {
        return number == 5 ? ShortcutValue{kShortcutCtrl | 'M'} : desk.shortcuts.set.hotKey(number).key();
    });
    desk.print();
    ASSERT_EQ(desk.printer.documents().size(), 2U);
    EXPECT_EQ(desk.printer.documents()[0].pages[0][4].text, before);
    EXPECT_EQ(desk.printer.documents()[1].pages[0][4].text, after);
}

TEST(PrintShortcuts, CancellingTheDialogPrintsNothingAndSaysNothing) {
    PrintDesk desk;
    desk.printer.setUserCancels(true);
    EXPECT_EQ(desk.print(), ShortcutPrintOutcome::Cancelled);
    EXPECT_EQ(desk.printer.dialogOwners().size(), 1U);
    EXPECT_TRUE(desk.printer.documents().empty());
    EXPECT_EQ(desk.printer.abortedDocuments(), 0);
    EXPECT_TRUE(desk.shell.messageBoxes().empty());
}

TEST(PrintShortcuts, ADeviceErrorOrNoPrinterShowsTheErrorBox) {
    for (const bool noPrinter : {false, true}) {
        PrintDesk desk;
        desk.printer.setDeviceFails(!noPrinter);
        desk.printer.setNoPrinter(noPrinter);
        EXPECT_EQ(desk.print(), ShortcutPrintOutcome::Failed);
        EXPECT_TRUE(desk.printer.documents().empty());
        ASSERT_EQ(desk.shell.messageBoxes().size(), 1U) << noPrinter;
        const sim::ShownMessageBox& box = desk.shell.messageBoxes()[0];
        EXPECT_EQ(box.text, "Error Printing text.");
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.icon, MessageBoxIcon::Error);
        EXPECT_EQ(box.buttons, MessageBoxButtons::Ok);
    }
}

TEST(PrintShortcuts, OnASmallPageLongLinesBreakAndTheListRunsOnToMorePages) {
    PrintDesk desk;
    // 30 characters wide, 10 lines of 14 units high: a page is full after 9 lines (y 126 > 112).
    desk.printer.setPageSize(30, 140);
    desk.print();
    ASSERT_EQ(desk.printer.documents().size(), 1U);
    const std::vector<PrintedPage>& pages = desk.printer.documents()[0].pages;
    std::vector<std::string> pieces;
    for (const PrintedPage& page : pages) {
        EXPECT_LE(page.size(), 9U);
        for (const PlacedText& piece : page) {
            EXPECT_LE(utf8::characterCount(piece.text), 30U) << piece.text;
            pieces.push_back(piece.text);
        }
    }
    // Each line takes as many printed lines as it has started runs of 30 characters; nothing is
    // lost or repeated.
    const std::vector<std::string> lines = shortcutListLines(
        [&](int number) { return desk.shortcuts.set.text(number); }, "8/12/2026", "1:05:09 PM");
    std::size_t expectedPieces = 0;
    std::string listed;
    for (const std::string& line : lines) {
        expectedPieces += (utf8::characterCount(line) + 29) / 30;
        listed += line;
    }
    std::string printed;
    for (const std::string& piece : pieces) {
        printed += piece;
    }
    EXPECT_EQ(pieces.size(), expectedPieces);
    EXPECT_GT(pieces.size(), 47U);
    EXPECT_EQ(printed, listed);
    // Nine lines to a page; the page after a full one is started even when nothing follows.
    EXPECT_EQ(pages.size(), pieces.size() / 9 + 1);
    EXPECT_EQ(pages[1][0], (PlacedText{0, 0, pieces[9]}));
}

} // namespace
} // namespace cellaro
