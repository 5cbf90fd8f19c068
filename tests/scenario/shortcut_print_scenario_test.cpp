// Scenario: the shortcut list printed from the running program, with the keys it read from CRO.cfg.
#include "app/program.h"
#include "logic/shortcuts/shortcut_print.h"
#include "support/sim_machine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cellaro {
namespace {

using testing::SimMachine;

std::vector<std::string> printedLines(const sim::SimPrinter& printer) {
    std::vector<std::string> lines;
    for (const PrintedPage& page : printer.documents().back().pages) {
        for (const PlacedText& piece : page) {
            lines.push_back(piece.text);
        }
    }
    return lines;
}

TEST(ShortcutPrinting, TheListShowsTheKeysOfTheConfigurationAndTheTimeOfPrinting) {
    SimMachine machine;
    machine.files.setFile(SimMachine::kConfigPath,
                          "[Options]\nHotKey5=Ctrl+Alt+C\nHotKey107=\nHotKey14=Shift+F9\n");
    Program& program = machine.start();
    machine.clock.setNow("08.12.2026", "13:05:09");

    EXPECT_EQ(printShortcuts(program.shortcuts(), machine.printer, machine.clock, machine.shell, kNoWindow),
              ShortcutPrintOutcome::Printed);
    ASSERT_EQ(machine.printer.documents().size(), 1U);
    const std::vector<std::string> lines = printedLines(machine.printer);
    ASSERT_EQ(lines.size(), 47U);
    EXPECT_EQ(lines[1], "Cellaro - ShortCuts    ( 08.12.2026 13:05:09 )");
    EXPECT_EQ(lines[4], "Show Cellaro: Ctrl+Alt+C");
    EXPECT_EQ(lines[5], "Full screen grid - monitor 1: None"); // cleared in the file
    EXPECT_EQ(lines[32], "Show Only: Shift+F9");
}

} // namespace
} // namespace cellaro
