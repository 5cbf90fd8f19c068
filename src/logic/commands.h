// The program's commands in one vocabulary: every tray item, shortcut, button and menu item that
// does something produces a CommandCall, and one router runs it. A new command is an enumerator, a
// row of kCommandTable and a case of the router.
#pragma once

#include "logic/command_layout.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

namespace cellaro {

enum class Command {
    ShowCellaro,        // SSMClick: show or hide the working window
    FullScreenGrid,     // fsGridClick, fsgrid2Click: the layer over monitor `monitor`
    EnterFullScreen,    // XiFullClick: the working window turns into the layer
    ManageGroups,       // SbAutoClick, ddd1Click: the window manager list
    NavigationMenu,     // FloatMernu1Click: the groups navigation menu shown or hidden
    ExpandNavigation,   // Groupsoptions1Click: the working window on its group page
    Cascade,            // Cascade1Click
    TileVertical,       // ileVertical1Click
    TileHorizontal,     // ileHorizontal1Click
    Settings,           // XiButton29Click, Options1Click
    StartNewInstance,   // Start1Click
    LoadAtStartup,      // loadAtStartUpClick
    MoveToNextMonitor,  // xi1Click
    FocusActiveWindow,  // SwapWindows1Click
    Help,               // Help1Click
    About,              // About1Click
    Exit,               // Close1Click
    Place,              // Akcija1: the target to `anchor`
    Tile,               // tile
    Transparent,        // SBTransparentClick
    StayOnTop,          // sbPinClick
    Minimize,           // SbMinimizeClick
    Restore,            // SBRestoreClick
    Maximize,           // SBMaxClick
    Sleep,              // XI9Click
    KillTarget,         // shortcut 101: the kill confirmation, then the close request
    Undo,               // XiButton28Click
    MaxRowsColumns,     // MNRClick
    CloseWorkingWindow, // the grid menu's Close
    GroupMinimize,      // GA1 ... GD1 (group `group`)
    GroupRestore,       // GA2 ... GD2
    GroupShowOnly,      // GA4 ... GD4
    GroupBringToFront,  // GA5 ... GD5
    PreviousShowOnly,   // GA3, xNazaj2
    NextShowOnly,       // GB3, xNaprej2
    PreviousToFront,    // GC3, XNazaj
    NextToFront,        // GD3, xNaprej
};

// Where a command came from: some commands behave differently from the tray (a one-shot that
// closes the working window after its command), and while another dialog is open.
enum class CommandSource { Button, Tray, Shortcut, NavigationMenu, GridMenu };

// One command with its argument: the group (0..3 for A..D), the anchor, or the monitor index.
struct CommandCall {
    Command command = Command::ShowCellaro;
    int group = 0;
    Anchor anchor{};
    int monitor = 0;
    CommandSource source = CommandSource::Button;

    [[nodiscard]] static constexpr CommandCall of(Command command) { return CommandCall{command}; }
    [[nodiscard]] static constexpr CommandCall forGroup(Command command, int group) {
        return CommandCall{command, group};
    }
    [[nodiscard]] static constexpr CommandCall onMonitor(Command command, int monitor) {
        return CommandCall{command, 0, {}, monitor};
    }
    [[nodiscard]] static constexpr CommandCall at(Anchor anchor) {
        return CommandCall{Command::Place, 0, anchor};
    }
    [[nodiscard]] constexpr CommandCall from(CommandSource where) const {
        CommandCall call = *this;
        call.source = where;
        return call;
    }
    // Same command and argument, whatever the source.
    [[nodiscard]] constexpr bool sameAs(const CommandCall& other) const {
        return command == other.command && group == other.group && anchor == other.anchor &&
               monitor == other.monitor;
    }
};

// Runs a command: what a form or the shortcut set is given to do its commands with.
using CommandRunner = std::function<void(const CommandCall&)>;

// Where a command is offered: its tray menu item, its shortcut numbers, its buttons (with the group
// or anchor each passes), each one row per call.
struct CommandRow {
    CommandCall call;
    std::string_view trayItem; // the tray menu item's name, or empty
    int shortcut = 0;          // the global shortcut's number, or 0
    std::string_view button;   // a button of the working window or the navigation menu, or empty
};

// Every offer of every command. A command with several offers has several rows.
inline constexpr std::array<CommandRow, 62> kCommandTable{{
    {CommandCall::of(Command::ShowCellaro), "SSM", 5, {}},
    {CommandCall::onMonitor(Command::FullScreenGrid, 0), "fsGrid", 107, {}},
    {CommandCall::onMonitor(Command::FullScreenGrid, 1), "fsgrid2", 108, {}},
    {CommandCall::of(Command::EnterFullScreen), {}, 0, "XiFull"},
    {CommandCall::of(Command::ManageGroups), "ddd1", 15, "SbSelect"},
    {CommandCall::of(Command::NavigationMenu), "FloatMernu1", 30, {}},
    {CommandCall::of(Command::ExpandNavigation), {}, 0, {}},
    {CommandCall::of(Command::Cascade), "Cascade1", 0, {}},
    {CommandCall::of(Command::TileVertical), "ileVertical1", 0, {}},
    {CommandCall::of(Command::TileHorizontal), "ileHorizontal1", 0, {}},
    {CommandCall::of(Command::Settings), "Options1", 0, "SBTools"},
    {CommandCall::of(Command::StartNewInstance), "Start1", 0, {}},
    {CommandCall::of(Command::LoadAtStartup), "loadAtStartUp", 0, {}},
    {CommandCall::of(Command::MoveToNextMonitor), "MovetoNextMonitor1", 12, "xi1"},
    {CommandCall::of(Command::FocusActiveWindow), "SwapWindows1", 102, {}},
    {CommandCall::of(Command::Help), "Help1", 0, {}},
    {CommandCall::of(Command::About), "About1", 0, {}},
    {CommandCall::of(Command::Exit), "Close1", 0, {}},
    {CommandCall::at({AnchorColumn::Left, AnchorRow::Top}), {}, 0, "x1"},
    {CommandCall::at({AnchorColumn::Centre, AnchorRow::Top}), {}, 0, "X2"},
    {CommandCall::at({AnchorColumn::Right, AnchorRow::Top}), {}, 0, "X3"},
    {CommandCall::at({AnchorColumn::Left, AnchorRow::Middle}), {}, 0, "X4"},
    {CommandCall::at({AnchorColumn::Centre, AnchorRow::Middle}), {}, 0, "X5"},
    {CommandCall::at({AnchorColumn::Right, AnchorRow::Middle}), {}, 0, "X6"},
    {CommandCall::at({AnchorColumn::Left, AnchorRow::Bottom}), {}, 0, "X7"},
    {CommandCall::at({AnchorColumn::Centre, AnchorRow::Bottom}), {}, 0, "X8"},
    {CommandCall::at({AnchorColumn::Right, AnchorRow::Bottom}), {}, 0, "X9"},
    {CommandCall::of(Command::Tile), {}, 4, "XI3"},
    {CommandCall::of(Command::Transparent), {}, 3, "XI4"},
    {CommandCall::of(Command::StayOnTop), {}, 2, "XI5"},
    {CommandCall::of(Command::Minimize), {}, 8, "XI6"},
    {CommandCall::of(Command::Restore), {}, 9, "XI7"},
    {CommandCall::of(Command::Maximize), {}, 10, "XI8"},
    {CommandCall::of(Command::Sleep), {}, 13, "XI9"},
    {CommandCall::of(Command::KillTarget), {}, 101, {}},
    {CommandCall::of(Command::Undo), {}, 0, "SBUNdo"},
    {CommandCall::of(Command::MaxRowsColumns), {}, 0, {}},
    {CommandCall::of(Command::CloseWorkingWindow), {}, 0, {}},
    {CommandCall::forGroup(Command::GroupMinimize, 0), {}, 17, "GA1"},
    {CommandCall::forGroup(Command::GroupMinimize, 1), {}, 21, "GB1"},
    {CommandCall::forGroup(Command::GroupMinimize, 2), {}, 0, "GC1"},
    {CommandCall::forGroup(Command::GroupMinimize, 3), {}, 29, "GD1"},
    {CommandCall::forGroup(Command::GroupRestore, 0), {}, 18, "GA2"},
    {CommandCall::forGroup(Command::GroupRestore, 1), {}, 22, "GB2"},
    {CommandCall::forGroup(Command::GroupRestore, 2), {}, 0, "GC2"},
    {CommandCall::forGroup(Command::GroupRestore, 3), {}, 0, "GD2"},
    {CommandCall::forGroup(Command::GroupShowOnly, 0), {}, 14, "GA4"},
    {CommandCall::forGroup(Command::GroupShowOnly, 1), {}, 19, "GB4"},
    {CommandCall::forGroup(Command::GroupShowOnly, 2), {}, 23, "GC4"},
    {CommandCall::forGroup(Command::GroupShowOnly, 3), {}, 27, "GD4"},
    {CommandCall::forGroup(Command::GroupBringToFront, 0), {}, 16, "GA5"},
    {CommandCall::forGroup(Command::GroupBringToFront, 1), {}, 20, "GB5"},
    {CommandCall::forGroup(Command::GroupBringToFront, 2), {}, 24, "GC5"},
    {CommandCall::forGroup(Command::GroupBringToFront, 3), {}, 28, "GD5"},
    // The labelled "Next group" shortcuts step back and the "Previous group" ones forward: the rows
    // name the step button each repeats.
    {CommandCall::of(Command::PreviousShowOnly), {}, 31, "GA3"},
    {CommandCall::of(Command::NextShowOnly), {}, 32, "GB3"},
    {CommandCall::of(Command::PreviousToFront), {}, 25, "GC3"},
    {CommandCall::of(Command::NextToFront), {}, 26, "GD3"},
    {CommandCall::of(Command::PreviousShowOnly), {}, 0, "xNazaj2"},
    {CommandCall::of(Command::NextShowOnly), {}, 0, "xNaprej2"},
    {CommandCall::of(Command::PreviousToFront), {}, 0, "XNazaj"},
    {CommandCall::of(Command::NextToFront), {}, 0, "xNaprej"},
}};

// The call a button of that name makes, a tray item's, and a shortcut's; nothing when none.
[[nodiscard]] constexpr std::optional<CommandCall> commandOfButton(std::string_view button) {
    for (const CommandRow& row : kCommandTable) {
        if (!row.button.empty() && row.button == button) {
            return row.call.from(CommandSource::Button);
        }
    }
    return std::nullopt;
}
[[nodiscard]] constexpr std::optional<CommandCall> commandOfTrayItem(std::string_view item) {
    for (const CommandRow& row : kCommandTable) {
        if (!row.trayItem.empty() && row.trayItem == item) {
            return row.call.from(CommandSource::Tray);
        }
    }
    return std::nullopt;
}
[[nodiscard]] constexpr std::optional<CommandCall> commandOfShortcut(int number) {
    for (const CommandRow& row : kCommandTable) {
        if (row.shortcut == number && number != 0) {
            return row.call.from(CommandSource::Shortcut);
        }
    }
    return std::nullopt;
}
// The row index of the tray item, as its menu id less one; the item of a menu id.
[[nodiscard]] constexpr int trayMenuId(std::string_view item) {
    for (std::size_t k = 0; k < kCommandTable.size(); ++k) {
        if (kCommandTable[k].trayItem == item && !item.empty()) {
            return static_cast<int>(k) + 1;
        }
    }
    return 0;
}
[[nodiscard]] constexpr std::optional<CommandCall> commandOfTrayMenuId(int id) {
    if (id < 1 || static_cast<std::size_t>(id) > kCommandTable.size() ||
        kCommandTable[static_cast<std::size_t>(id - 1)].trayItem.empty()) {
        return std::nullopt;
    }
    return kCommandTable[static_cast<std::size_t>(id - 1)].call.from(CommandSource::Tray);
}

} // namespace cellaro
