// The working window's frame: creation, showing from the tray, pages, undo, the fade, closing.
#include "grid/working_window.h"

#include "app/program.h"
#include "app/tray_form.h"
#include "config/config_keys.h"
#include "grid/auto_hide.h"
#include "grid/grid_geometry.h"
#include "platform/desktop.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/notebook.h"
#include "widgets/panel.h"

namespace cellaro {

namespace {

constexpr int kParkedTop = -1000;
constexpr int kHalfWidth = 167;
constexpr int kVirtualKeyEscape = 0x1B;

Monitor monitorOrEmpty(const std::vector<Monitor>& monitors, int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < monitors.size()) {
        return monitors[static_cast<std::size_t>(index)];
    }
    return Monitor{};
}

NativeWindowStyle workingWindowStyle(const std::vector<Monitor>& monitors) {
    const Monitor first = monitorOrEmpty(monitors, 0);
    NativeWindowStyle style;
    style.title = "Cellaro";
    style.bounds = Rect::fromBounds(first.bounds.left + first.bounds.width() / 2 - kHalfWidth, kParkedTop,
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
      program_(program), autoHideTimer_(program.ports().loop, kAutoHideIntervalMs),
      tracker_(program.ports().desktop, program.ports().system, program.programPath(), *this),
      trackingTimer_(program.ports().loop, kTrackingIntervalMs),
      recheckTimer_(program.ports().loop, kRecheckIntervalMs),
      previewTimer_(program.ports().loop, kPreviewIntervalMs) {
    buildLayout();
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

    autoHideTimer_.onTimer = [this] { autoHideTick(); };
    trackingTimer_.onTimer = [this] { tracker_.tick(); };
    recheckTimer_.onTimer = [this] { tracker_.recheck(); };
    previewTimer_.onTimer = [this] { previewTick(); };
    applyTheme();
    activeColumns_ = columns_;
    activeRows_ = rows_;
    moved(bounds());
    // The target is followed for the program's whole life, shown or not.
    trackingTimer_.setEnabled(true);
}

WorkingWindow::~WorkingWindow() = default;

int WorkingWindow::monitorIndex() const {
    return monitorIndexOfLeftAndWidth(bounds(), program_.ports().desktop.monitors());
}

// ResetirajPolozaj
void WorkingWindow::returnToCompact() {
    ProgramFlags& flags = program_.flags();
    program_.onScreenCaption().hide();
    if (flags.fullScreen) {
        flags.fullScreenReady = false;
        const Rect current = bounds();
        setBounds(Rect::fromBounds(current.left, current.top, kCompactSize.width, kCompactSize.height));
        setAlpha(kActiveAlpha);
        flags.fullScreen = false;
        program_.previewRectangle().hide();
    }
    flags.fullScreenReady = true;
}

void WorkingWindow::resetTargetDisplay() {
    statusPicture_->setPicture(Bitmap(32, 32, colours_.background));
    statusText_->setText(std::string());
}

void WorkingWindow::startShowing() {
    ProgramFlags& flags = program_.flags();
    // The tray's showing returns to the compact form, which also readies the activation steps.
    returnToCompact();
    setAlpha(kShownAlpha);
    autoHideTimer_.setEnabled(true);
    flags.fadeCounter = kFadeStartFromTray;
    flags.closing = false;
    show(true);
}

void WorkingWindow::showPage(int page) {
    notebook_->setActivePage(page);
    statusStrip_->setVisible(page != 2);
    manageGroupsButton_->setVisible(page == 2);
    fullScreenButton_->setVisible(page == 0);
}

int WorkingWindow::page() const {
    return notebook_->activePage();
}

void WorkingWindow::undo() {
    journal_.undo(program_.ports().desktop);
}

void WorkingWindow::autoHideTick() {
    ProgramFlags& flags = program_.flags();
    if (!autoHide_ || !visible() || program_.settingsWindow().visible() || program_.windowList().visible() ||
        flags.closing) {
        return;
    }
    const Rect window = bounds();
    const Point cursor = program_.ports().host.cursorPosition();
    const Point client{cursor.x - window.left, cursor.y - window.top};
    const FadeStep step = autoHideStep(flags.fadeCounter, client, Size{window.width(), window.height()},
                                       window.width(), flags.fullScreen);
    flags.fadeCounter = step.counter;
    if (step.close) {
        close();
    }
    if (step.alpha) {
        setAlpha(*step.alpha);
    }
}

bool WorkingWindow::closeQuery() {
    ProgramFlags& flags = program_.flags();
    if (flags.fullScreen) {
        returnToCompact();
    }
    program_.previewRectangle().close();
    previewTimer_.setEnabled(false);
    forgetDrag();
    recheckTimer_.setEnabled(false);
    autoHideTimer_.setEnabled(false);
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
    setBounds(Rect::fromBounds(monitor.bounds.left + monitor.bounds.width() / 2 - kHalfWidth, kParkedTop,
                               bounds().width(), bounds().height()));
    boardImage_->clearPicture();
    firstActivation_ = true;
    program_.flags().fullScreen = false;
    program_.flags().fullScreenReady = false;
}

void WorkingWindow::keyDown(int virtualKey) {
    if (virtualKey == kVirtualKeyEscape) {
        close();
    }
}

// FormResize
void WorkingWindow::moved(const Rect& bounds) {
    const Size size{bounds.width(), bounds.height()};
    if (size == laidOutSize_) {
        return;
    }
    laidOutSize_ = size;
    if (size.width < kNarrowWidth) {
        if (auto* closeButton = root().findAs<GradientButton>("xClose2")) {
            const Rect button = closeButton->bounds();
            closeButton->setBounds(
                Rect::fromBounds(topPanel_->bounds().width() - button.width() - kCloseMargin, button.top,
                                 button.width(), button.height()));
        }
    }
    const Monitor monitor = currentMonitor();
    if (monitor.bounds.width() > 0 && size.width >= monitor.bounds.width() - kNearlyScreenWide) {
        program_.flags().gridMenuRequest = false;
    }
}

} // namespace cellaro
