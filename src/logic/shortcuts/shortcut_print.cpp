// The printed shortcut list.
#include "logic/shortcuts/shortcut_print.h"

#include "core/product.h"
#include "logic/shortcuts/shortcut_set.h"
#include "platform/clock.h"
#include "platform/printer.h"
#include "platform/shell.h"

#include <array>

namespace cellaro {

namespace {

constexpr std::string_view kBlankLine = " ";
constexpr std::string_view kSeparator = "________________________________________________________";

// One line of the list: a fixed text, followed by a key text when number is not 0.
struct ListLine {
    std::string_view text;
    int number = 0;
};

constexpr ListLine blank() {
    return ListLine{kBlankLine, 0};
}

// The lines after the heading (the blank line, the title with the date and time, the separator).
constexpr std::array<ListLine, kShortcutListLineCount - 3> kListBody{{
    blank(),
    {"Show Cellaro: ", 5},
    {"Full screen grid - monitor 1: ", 107},
    {"Full screen grid - monitor 2: ", 108},
    {"Focus Active Window: ", 102},
    {"Kill Process of Selected Window: ", 101},
    blank(),
    {"Move to Next Monitor (for multiple monitors): ", 12},
    blank(),
    {"Stay on top On/Off: ", 2},
    {"Transparent: ", 3},
    {"Tile: ", 4},
    {"Minimize: ", 8},
    {"Restore: ", 9},
    {"Maximize: ", 10},
    blank(),
    {"Sleep: ", 13},
    {kSeparator, 0},
    blank(),
    {"Manage groups of windows  ", 0},
    blank(),
    {"Groups navigation menu: ", 30},
    {"Manage Groups: ", 15},
    {"Bring to Front - Next group: ", 25},
    {"Bring to Front - Previous group: ", 26},
    {"Show Only - Next group: ", 31},
    {"Show Only - Previous group: ", 32},
    blank(),
    {"Group A ", 0},
    {"Show Only: ", 14},
    {"Bring to Front: ", 16},
    blank(),
    {"Group B ", 0},
    {"Show Only: ", 19},
    {"Bring to Front: ", 20},
    blank(),
    {"Group C ", 0},
    {"Show Only: ", 23},
    {"Bring to Front: ", 24},
    blank(),
    {"Group D ", 0},
    {"Show Only: ", 27},
    {"Bring to Front: ", 28},
    blank(),
}};

} // namespace

std::vector<std::string> shortcutListLines(const std::function<std::string(int number)>& keyText,
                                           std::string_view date, std::string_view time) {
    std::vector<std::string> lines;
    lines.reserve(kShortcutListLineCount);
    lines.emplace_back(kBlankLine);
    lines.push_back(std::string(kProductName) + " - ShortCuts    ( " + std::string(date) + " " +
                    std::string(time) + " )");
    lines.emplace_back(kSeparator);
    for (const ListLine& line : kListBody) {
        std::string text(line.text);
        if (line.number != 0) {
            const std::string key = keyText(line.number);
            text += key.empty() ? std::string(kNoKeyText) : key;
        }
        lines.push_back(std::move(text));
    }
    return lines;
}

ShortcutPrintOutcome printShortcuts(const ShortcutSet& shortcuts, Printer& printer, const Clock& clock,
                                    Shell& shell, WindowId owner) {
    const PrinterChoice choice = printer.choosePrinter(owner);
    if (choice == PrinterChoice::Cancelled) {
        return ShortcutPrintOutcome::Cancelled;
    }
    if (choice == PrinterChoice::Chosen) {
        const DateTimeTexts now = clock.now();
        const std::vector<std::string> lines = shortcutListLines(
            [&shortcuts](int number) { return shortcuts.text(number); }, now.date, now.time);
        if (printer.printText(lines, kShortcutListFontPoints) == PrintResult::Printed) {
            return ShortcutPrintOutcome::Printed;
        }
    }
    shell.messageBox(std::string(kPrintErrorText), std::string(kPrintErrorCaption), MessageBoxButtons::Ok,
                     MessageBoxIcon::Error);
    return ShortcutPrintOutcome::Failed;
}

} // namespace cellaro
