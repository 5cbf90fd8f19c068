// The working window's frame: creation, showing from the tray, closing.
#include "grid/working_window.h"

#include "app/program.h"
#include "app/tray_form.h"
#include "config/config_keys.h"
#include "grid/grid_geometry.h"
#include "platform/desktop.h"

namespace cellaro {

namespace {

constexpr Colour kDefaultBackground{2039583};
constexpr int kParkedTop = -1000;

Monitor monitorOrEmpty(const std::vector<Monitor>& monitors, int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < monitors.size()) {
        return monitors[static_cast<std::size_t>(index)];
    }
    return Monitor{};
}

int centredLeft(const Monitor& monitor) {
    return monitor.bounds.left + monitor.bounds.width() / 2 - WorkingWindow::kCompactSize.width / 2;
}

NativeWindowStyle workingWindowStyle(const std::vector<Monitor>& monitors) {
    NativeWindowStyle style;
    style.title = "Cellaro";
    style.bounds = Rect::fromBounds(centredLeft(monitorOrEmpty(monitors, 0)), kParkedTop,
                                    WorkingWindow::kCompactSize.width, WorkingWindow::kCompactSize.height);
    style.topmost = true;
    style.toolWindow = true;
    style.alpha = WorkingWindow::kShownAlpha;
    style.roundedCorners = WorkingWindow::kCorners;
    return style;
}

} // namespace

WorkingWindow::WorkingWindow(Program& program)
    : Form(program.ports().host, "fMove", workingWindowStyle(program.ports().desktop.monitors())),
      program_(program) {
    root().setColour(kDefaultBackground);
    program_.ports().host.setHintStyle(HintStyle{Colour::rgb(0xFF, 0xFF, 0xFF), 250, 6000});

    const ConfigFile config = program_.openConfig();
    program_.flags().skipKillConfirmation = config.readBool(config::kSkipKillConfirmation);
    autoHide_ = config.readBool(config::kAutoHide);
    const int load = config.readInteger(config::kLoadAtStartup);
    if (load == 1) {
        program_.trayForm().setAutostartChecked(true);
    } else if (load == 0) {
        program_.trayForm().setAutostartChecked(false);
    }
    maxRowsColumns_ = config.readBool(config::kMaxRowsColumns);
}

int WorkingWindow::monitorIndex() const {
    return monitorIndexOfLeftAndWidth(bounds(), program_.ports().desktop.monitors());
}

void WorkingWindow::returnToCompact() {
    const Rect current = bounds();
    setBounds(Rect::fromBounds(current.left, current.top, kCompactSize.width, kCompactSize.height));
}

void WorkingWindow::redrawBoard() {
    invalidate();
}

void WorkingWindow::resetTargetDisplay() {
    invalidate();
}

void WorkingWindow::startShowing() {
    ProgramFlags& flags = program_.flags();
    setAlpha(kShownAlpha);
    flags.fadeCounter = kShownAlpha;
    flags.closing = false;
    show(true);
}

bool WorkingWindow::closeQuery() {
    ProgramFlags& flags = program_.flags();
    if (flags.fullScreen) {
        returnToCompact();
    }
    program_.previewRectangle().close();
    resetTargetDisplay();
    // The working window's own settings; a failed write must not keep it open.
    ConfigFile config = program_.openConfig();
    config.writeInteger(config::kLoadAtStartup, program_.trayForm().autostartChecked() ? 1 : 0);
    config.writeBool(config::kMaxRowsColumns, maxRowsColumns_);
    static_cast<void>(config.save());
    return true;
}

void WorkingWindow::closed() {
    const Monitor monitor = monitorOrEmpty(program_.ports().desktop.monitors(), monitorIndex());
    setBounds(Rect::fromBounds(monitor.bounds.left + monitor.bounds.width() / 2 - 167, kParkedTop,
                               bounds().width(), bounds().height()));
    program_.flags().fullScreen = false;
    program_.flags().fullScreenReady = false;
}

} // namespace cellaro
