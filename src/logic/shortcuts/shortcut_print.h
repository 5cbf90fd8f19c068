// The printed shortcut list: its lines, and the print operation behind the settings window's
// "Print shortcuts" button (XiButton8Click).
#pragma once

#include "core/geometry.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cellaro {

class ShortcutSet;
class Printer;
class Clock;
class Shell;

inline constexpr int kShortcutListLineCount = 47;
inline constexpr int kShortcutListFontPoints = 12;
inline constexpr std::string_view kNoKeyText = "None";
inline constexpr std::string_view kPrintErrorText = "Error Printing text.";
inline constexpr std::string_view kPrintErrorCaption = "Error";

// The list's lines in order, headed by the date and time of printing. keyText gives the text of a
// shortcut's key by its table number; an empty text is printed as "None". The group shortcuts for
// minimising and restoring are not listed.
[[nodiscard]] std::vector<std::string>
shortcutListLines(const std::function<std::string(int number)>& keyText, std::string_view date,
                  std::string_view time);

enum class ShortcutPrintOutcome { Printed, Cancelled, Failed };

// The printer setup dialog (owned by the window); unless cancelled, the list of the keys in force
// (the hot keys' current values, not what an editor shows unconfirmed), stamped with the time of
// printing, at 12 points. A device error, or no printer to choose, shows "Error Printing text." in an
// error box.
ShortcutPrintOutcome printShortcuts(const ShortcutSet& shortcuts, Printer& printer, const Clock& clock,
                                    Shell& shell, WindowId owner);

} // namespace cellaro
