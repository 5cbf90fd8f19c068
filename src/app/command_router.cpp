// Running a command: what each one does, and where it behaves differently by its source.
#include "app/command_router.h"

#include "app/program.h"
#include "app/tray_form.h"
#include "forms/about/about_window.h"
#include "forms/highlight/active_window_highlight.h"
#include "forms/working/full_screen_grid.h"
#include "forms/working/working_window.h"
#include "logic/window_commands.h"
#include "logic/winlist/group_commands.h"
#include "logic/working_mode.h"
#include "platform/shell.h"

namespace cellaro {

void CommandRouter::run(const CommandCall& call) {
    TrayForm& tray = program_.trayForm();
    Shell& shell = program_.ports().shell;
    const bool fromTray = call.source == CommandSource::Tray;
    switch (call.command) {
    case Command::ShowCellaro:
        program_.workingWindow().showCellaro(tray.monitor());
        break;
    case Command::FullScreenGrid:
        program_.workingWindow().openFullScreenGrid(call.monitor, tray.monitor());
        break;
    case Command::EnterFullScreen:
        program_.workingWindow().enterFullScreen();
        break;
    case Command::ManageGroups:
        // The tray's item opens the list as a one-shot, and waits while a dialog is open.
        if (fromTray) {
            program_.manageGroupsFromTray();
        } else {
            program_.manageGroups();
        }
        break;
    case Command::NavigationMenu:
        program_.toggleNavigationMenu();
        break;
    case Command::ExpandNavigation:
        program_.expandNavigation();
        break;
    case Command::Cascade:
        shell.cascadeWindows();
        break;
    case Command::TileVertical:
        shell.tileWindows(true);
        break;
    case Command::TileHorizontal:
        shell.tileWindows(false);
        break;
    case Command::Settings:
        if (fromTray) {
            program_.openSettingsFromTray();
        } else {
            program_.openSettings();
        }
        break;
    case Command::StartNewInstance:
        tray.startNewInstance();
        break;
    case Command::LoadAtStartup:
        tray.toggleAutostart();
        break;
    case Command::FocusActiveWindow:
        program_.highlight().run();
        break;
    case Command::Help:
        tray.openUserGuide();
        break;
    case Command::About:
        // About1Click: the full-screen grid goes away first; the about window then shows, once.
        if (program_.mode().fullScreen()) {
            program_.workingWindow().closeFromAnyMode();
        }
        program_.aboutWindow().showOnce();
        break;
    case Command::Exit:
        tray.close();
        break;
    case Command::KillTarget:
        program_.killTarget();
        break;
    case Command::Undo:
        program_.workingWindow().undo();
        break;
    case Command::MaxRowsColumns:
        program_.workingWindow().fullScreenGrid().toggleMaxRowsColumns();
        break;
    case Command::CloseWorkingWindow:
        program_.workingWindow().close();
        break;
    case Command::MoveToNextMonitor:
    case Command::Place:
    case Command::Tile:
    case Command::Transparent:
    case Command::StayOnTop:
    case Command::Minimize:
    case Command::Restore:
    case Command::Maximize:
    case Command::Sleep:
        runWindowCommand(call);
        break;
    case Command::GroupMinimize:
    case Command::GroupRestore:
    case Command::GroupShowOnly:
    case Command::GroupBringToFront:
    case Command::PreviousShowOnly:
    case Command::NextShowOnly:
    case Command::PreviousToFront:
    case Command::NextToFront:
        runGroupCommand(call);
        break;
    }
}

void CommandRouter::runWindowCommand(const CommandCall& call) {
    WindowCommands& commands = program_.windowCommands();
    switch (call.command) {
    case Command::MoveToNextMonitor:
        commands.moveToNextMonitor();
        break;
    case Command::Place:
        commands.place(call.anchor);
        break;
    case Command::Tile:
        commands.tile();
        break;
    case Command::Transparent:
        commands.toggleTransparent();
        break;
    case Command::StayOnTop:
        commands.toggleStayOnTop();
        break;
    case Command::Minimize:
        commands.minimize();
        break;
    case Command::Restore:
        commands.restore();
        break;
    case Command::Maximize:
        commands.maximize();
        break;
    case Command::Sleep:
        commands.sleep();
        break;
    default:
        break;
    }
}

void CommandRouter::runGroupCommand(const CommandCall& call) {
    GroupCommands& groups = program_.groups();
    switch (call.command) {
    case Command::GroupMinimize:
        groups.minimize(call.group);
        break;
    case Command::GroupRestore:
        groups.restore(call.group);
        break;
    case Command::GroupShowOnly:
        groups.showOnly(call.group);
        break;
    case Command::GroupBringToFront:
        groups.bringToFront(call.group);
        break;
    case Command::PreviousShowOnly:
        groups.previousShowOnly();
        break;
    case Command::NextShowOnly:
        groups.nextShowOnly();
        break;
    case Command::PreviousToFront:
        groups.previousToFront();
        break;
    case Command::NextToFront:
        groups.nextToFront();
        break;
    default:
        break;
    }
}

} // namespace cellaro
