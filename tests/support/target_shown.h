// The scene most scenario tests start from: the program running on the simulated desktop, a titled
// window that the user clicked and that became the target, and the working window shown from the
// tray. Pointer helpers drive the grid board by cells.
#pragma once

#include "app/program.h"
#include "forms/working/working_window.h"
#include "support/sim_machine.h"
#include "support/ui.h"

#include <optional>
#include <string>

namespace cellaro::testing {

struct TargetShownOptions {
    int monitors = 1;
    // The first monitor's dots per inch, and the second's, and where the second lies.
    int dpi = kBaseDpi;
    int secondDpi = kBaseDpi;
    SecondMonitor secondMonitor = SecondMonitor::Right;
    sim::FrameInsets borders;
    // CRO.cfg's text before start-up; nothing: the first run.
    std::optional<std::string> config;
    std::string title = "Editor";
    Rect bounds = Rect::fromBounds(150, 120, 700, 500);
    ShowState state = ShowState::Normal;
    std::optional<int> maximizedOverhang;

    static TargetShownOptions onMonitors(int count) {
        TargetShownOptions options;
        options.monitors = count;
        return options;
    }
    static TargetShownOptions withBorders(sim::FrameInsets insets) {
        TargetShownOptions options;
        options.borders = insets;
        return options;
    }
    static TargetShownOptions atDpi(int dpi) {
        TargetShownOptions options;
        options.dpi = dpi;
        return options;
    }
    static TargetShownOptions withConfig(std::string text) {
        TargetShownOptions options;
        options.config = std::move(text);
        return options;
    }
};

struct TargetShown {
    SimMachine machine;
    Program& program;
    WorkingWindow& working;
    WindowId target;

    explicit TargetShown(const TargetShownOptions& options = {})
        : machine(options.monitors, options.dpi, options.secondMonitor, options.secondDpi),
          program(startWith(options.config)), working(program.workingWindow()) {
        sim::WindowOptions window;
        window.title = options.title;
        window.bounds = options.bounds;
        window.invisibleBorders = options.borders;
        window.state = options.state;
        if (options.maximizedOverhang) {
            window.maximizedOverhang = *options.maximizedOverhang;
        }
        target = machine.desktop.createWindow(window);
        machine.host.activateByUser(target);
        machine.loop.advance(Program::kTrackingIntervalMs);
        machine.shell.clickTrayLeft();
    }

    // The client point, in the window's physical pixels, at the centre of board cell (column, row)
    // at the board's current counts (the board's cells are in its own physical pixels).
    [[nodiscard]] Point cell(int column, int row) const {
        const Point board =
            working.scale().physical(Point{working.boardBounds().left, working.boardBounds().top});
        const CellTable& cells = working.boardPage().cells();
        return {board.x + column * cells.cellWidth() + cells.cellWidth() / 2,
                board.y + row * cells.cellHeight() + cells.cellHeight() / 2};
    }
    void hover(int column, int row) { machine.host.pointerMove(working, cell(column, row)); }
    void press(int column, int row) {
        hover(column, row);
        machine.host.pointerDown(working, cell(column, row));
    }
    void moveTo(int column, int row) { machine.host.pointerMove(working, cell(column, row)); }
    // The program's thread goes back to its message loop after the release, and the target's
    // thread carries out the moves and shows posted to it.
    void release(int column, int row) {
        machine.host.pointerUp(working, cell(column, row));
        machine.loop.processPendingMessages();
    }
    // Undo by the button or straight through the working window, looked at once the target's thread
    // has run.
    void clickUndo() {
        click(machine.host, working, "SBUNdo");
        machine.loop.processPendingMessages();
    }
    void undo() {
        working.undo();
        machine.loop.processPendingMessages();
    }
    // Press on one cell, move to another, let the preview tick, release.
    void drag(Point from, Point to) {
        press(from.x, from.y);
        moveTo(to.x, to.y);
        machine.loop.advance(WorkingWindow::kPreviewIntervalMs);
        release(to.x, to.y);
    }
    [[nodiscard]] Rect targetRect() const { return machine.desktop.windowRect(target).value_or(Rect{}); }
    [[nodiscard]] Rect targetFrame() const {
        return machine.desktop.visibleFrameRect(target).value_or(Rect{});
    }
    [[nodiscard]] ShowState targetState() const {
        return machine.desktop.placement(target).value_or(WindowPlacement{}).state;
    }

private:
    Program& startWith(const std::optional<std::string>& config) {
        if (config) {
            machine.files.setFile(SimMachine::kConfigPath, *config);
        }
        return machine.start();
    }
};

} // namespace cellaro::testing
