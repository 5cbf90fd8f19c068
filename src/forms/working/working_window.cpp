// The working window's frame: creation, the title strip, pages, showing and closing, the fade,
// activation, and what the board drag and the target tracking ask of the window.
#include "forms/working/working_window.h"

#include "config/settings.h"
#include "core/product.h"
#include "forms/on_screen_caption.h"
#include "forms/preview_rectangle.h"
#include "forms/working/full_screen_grid.h"
#include "logic/auto_hide.h"
#include "logic/contrast.h"
#include "logic/session.h"
#include "logic/target_tracker.h"
#include "logic/undo_journal.h"
#include "logic/working_mode.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/virtual_keys.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/notebook.h"
#include "widgets/panel.h"

#include <array>

namespace cellaro {

namespace {

constexpr int kTitleHeight = 26;
constexpr int kOneShotCloseDelayMs = 250;

constexpr Rect stripAt(int x) {
    return Rect::fromBounds(x, 6, 30, 20);
}

constexpr std::array<ButtonSpec, 7> kTitleButtons{{
    {"sbHome", stripAt(9), "Grid", ButtonRole::Strip},
    {"SbGroup", stripAt(41), "Groups", ButtonRole::Strip},
    {"SbMonitor", stripAt(73), "Arrange", ButtonRole::Strip},
    {"SBUNdo", stripAt(106), "Undo", ButtonRole::Strip},
    {"SbSelect", stripAt(218), "Manage Groups", ButtonRole::Strip},
    {"SBTools", stripAt(256), "Settings", ButtonRole::Strip},
    {"xClose2", stripAt(304), "Close", ButtonRole::Close},
}};

// Centred on the monitor's width, at this top: the window's left is half its compact width left of
// the middle, in the window's own scale.
Rect centredAcross(const Monitor& monitor, int top, Size size, Scale scale) {
    return Rect::fromBounds(monitor.bounds.left + monitor.bounds.width() / 2 -
                                scale.physical(WorkingWindow::kHalfWidth),
                            top, size.width, size.height);
}

NativeWindowStyle workingWindowStyle(const std::vector<Monitor>& monitors) {
    NativeWindowStyle style;
    style.title = std::string(kProductName);
    style.bounds = centredAcross(monitorAt(monitors, 0), kParkedTop, WorkingWindow::kCompactSize, Scale{});
    style.topmost = true;
    style.toolWindow = true;
    style.alpha = WorkingWindow::kShownAlpha;
    style.roundedCorners = WorkingWindow::kCorners;
    return style;
}

} // namespace

WorkingWindow::WorkingWindow(const WorkingWindowServices& services)
    : Form(services.host, "fMove", workingWindowStyle(services.desktop.monitors())), services_(services),
      autoHideTimer_(services.loop, kAutoHideIntervalMs), recheckTimer_(services.loop, kRecheckIntervalMs) {
    root().setBounds(Rect::fromBounds(0, 0, kCompactSize.width, kCompactSize.height));
    buildTitleStrip();

    notebook_ = &root().add<Notebook>("nBook");
    notebook_->setBounds(
        Rect{0, kTitleHeight, kCompactSize.width, kCompactSize.height - StatusStrip::kHeight});
    const DragPanelWiring dragPanel = [this](Widget& panel) { makeDragPanel(panel); };
    boardPage_ = std::make_unique<BoardPage>(notebook_->addPage("tabela"));
    makeDragPanel(boardPage_->panel());
    commandsPage_ = std::make_unique<CommandsPage>(notebook_->addPage("gumbi"), dragPanel);
    groupsPage_ = std::make_unique<GroupsPage>(notebook_->addPage("group"), dragPanel);
    notebook_->onPageChanged = [this] { undoButton_->setVisible(page() == WorkingPage::Board); };

    statusStrip_ = std::make_unique<StatusStrip>(root(), kCompactSize, services_.host);
    makeDragPanel(statusStrip_->panel());
    makeDragPanel(statusStrip_->text());
    showPage(WorkingPage::Board);
    statusStrip_->fullScreenButton().setVisible(false);

    // Parked centred across the first monitor at that monitor's scale.
    setBounds(centredAcross(monitorAt(services_.desktop.monitors(), 0), kParkedTop,
                            Size{bounds().width(), bounds().height()}, scale()));
    services_.host.setHintStyle(HintStyle{Colour::rgb(0xFF, 0xFF, 0xFF), 250, 6000});
    autoHideTimer_.onTimer = [this] { autoHideTick(); };
    recheckTimer_.onTimer = [this] { services_.tracker.recheck(); };
    applyTheme();
    takeGridSize();
    moved(bounds());
}

WorkingWindow::~WorkingWindow() = default;

// Any button drags the window by its panels.
void WorkingWindow::makeDragPanel(Widget& panel) {
    windowDrag_.attach(*this, panel, true);
}

void WorkingWindow::runOnClick(GradientButton& button) {
    if (const std::optional<CommandCall> call = commandOfButton(button.name())) {
        button.onClick = [this, call = *call] {
            if (services_.run) {
                services_.run(call);
            }
        };
    }
}

void WorkingWindow::connectPreview(PreviewRectangle& preview, OnScreenCaption& caption) {
    preview_ = &preview;
    caption_ = &caption;
    const BoardDrag::Services drag{services_.desktop, services_.loop, services_.tracker,
                                   services_.placer,  preview,        caption};
    drag_ = std::make_unique<BoardDrag>(drag, *boardPage_, static_cast<BoardDragHost&>(*this));
    const FullScreenGrid::Services layer{services_.desktop,
                                         services_.loop,
                                         services_.shell,
                                         services_.settings,
                                         services_.mode,
                                         preview,
                                         caption,
                                         services_.reportError,
                                         [this] {
                                             applyTheme();
                                             takeGridSize();
                                             redrawBoard();
                                         },
                                         services_.run,
                                         [this] { statusStrip_->layOut(); }};
    fullScreen_ = std::make_unique<FullScreenGrid>(*this, *boardPage_, layer);
    statusStrip_->fullScreenButton().setEnabled(true);
    runOnClick(statusStrip_->fullScreenButton());
    Image& board = boardPage_->image();
    // The board shows no hint: entering and leaving it is told by its own enter and leave events.
    board.onMouseDown = [this](Point at, MouseButton button) {
        if (button == MouseButton::Right && services_.mode.fullScreen()) {
            fullScreen_->openMenu(services_.host.cursorPosition());
            return;
        }
        drag_->mouseDown(at, button);
    };
    board.onMouseMove = [this](Point at) { drag_->mouseMove(at); };
    board.onMouseUp = [this](Point /*at*/, MouseButton button) { drag_->mouseUp(button); };
    board.onMouseEnter = [this] { drag_->entered(); };
    board.onMouseLeave = [this] { drag_->left(); };
}

void WorkingWindow::buildTitleStrip() {
    titleStrip_ = &root().add<GradientPanel>("TopPanel");
    titleStrip_->setBounds(Rect{0, 0, kCompactSize.width, kTitleHeight});
    Font bold = titleStrip_->font();
    bold.bold = true;
    titleStrip_->setFont(bold);
    titleStrip_->setFontColour(Colour::rgb(255, 255, 255));

    for (const ButtonSpec& spec : kTitleButtons) {
        stripButtons_.add(*titleStrip_, spec);
    }
    const auto button = [this](std::size_t index) { return stripButtons_.buttons()[index].button; };
    button(0)->onClick = [this] { showPage(WorkingPage::Board); };
    button(1)->onClick = [this] { showPage(WorkingPage::Groups); };
    button(2)->onClick = [this] { showPage(WorkingPage::Commands); };
    undoButton_ = button(3);
    manageGroupsButton_ = button(4);
    for (GradientButton* commandButton : {undoButton_, manageGroupsButton_, button(5)}) {
        runOnClick(*commandButton);
    }
    closeButton_ = button(6);
    closeButton_->onClick = [this] { closeByUser(); };
}

void WorkingWindow::closeByUser() {
    closing_ = true;
    close();
}

Rect WorkingWindow::boardBounds() const {
    return boardPage_->image().formBounds();
}

int WorkingWindow::monitorIndex() const {
    return monitorIndexOfLeftAndWidth(bounds(), services_.desktop.monitors());
}

Monitor WorkingWindow::currentMonitor() const {
    return monitorAt(services_.desktop.monitors(), monitorIndex());
}

// ZAGONSM
void WorkingWindow::showFromTray(const Monitor& trayMonitor) {
    Session& session = services_.session;
    if (visible() && services_.mode.fullScreen()) {
        returnToCompact();
        redrawBoard();
        close();
        return;
    }
    setTop(session.oneShot() ? kParkedTop : trayMonitor.bounds.height() / 2 - bounds().height() / 2);
    if (session.dialogOpen()) {
        return;
    }
    session.endOneShot();
    if (visible()) {
        close();
        return;
    }
    if (services_.settingsShown() || services_.windowListShown()) {
        return;
    }
    statusStrip_->showNothing();
    services_.loop.processPendingMessages();
    startShowing();
}

// SSMClick
void WorkingWindow::showCellaro(const Monitor& trayMonitor) {
    showFromTray(trayMonitor);
    applyTheme();
    redrawBoard();
}

void WorkingWindow::closeFromAnyMode() {
    if (visible() && services_.mode.fullScreen()) {
        returnToCompact();
    }
    close();
}

// fsGridClick, fsgrid2Click
void WorkingWindow::openFullScreenGrid(int monitor, const Monitor& trayMonitor) {
    if (monitor == 0 && services_.settingsShown()) {
        return;
    }
    // Chosen again while the layer shows, the item takes it away.
    if (visible() && services_.mode.fullScreen()) {
        closeFromAnyMode();
        return;
    }
    services_.loop.processPendingMessages();
    if (services_.mode.fullScreen()) {
        return;
    }
    fullScreen_->chooseMonitor(monitor);
    setAlpha(kLayerStartAlpha);
    services_.session.beginOneShot();
    if (!visible()) {
        setAlpha(kHiddenLayerStartAlpha);
        showFromTray(trayMonitor);
    }
    enterFullScreen();
}

// XiFullClick
void WorkingWindow::enterFullScreen() {
    cursor_.reset();
    if (fullScreen_) {
        fullScreen_->switchIn();
    }
}

// ResetirajPolozaj
void WorkingWindow::returnToCompact() {
    WorkingMode& mode = services_.mode;
    if (caption_ != nullptr) {
        caption_->hide();
    }
    if (mode.fullScreen()) {
        mode.beginSwitch();
        fullScreen_->switchOut();
        takeGridSize();
    }
    mode.compact();
}

void WorkingWindow::redrawBoard() {
    boardPage_->redraw(bounds().height(), scale());
}

void WorkingWindow::startShowing() {
    returnToCompact();
    setAlpha(kShownAlpha);
    autoHideTimer_.setEnabled(true);
    fadeCounter_ = kFadeStartFromTray;
    closing_ = false;
    cursor_.reset();
    show(true);
}

void WorkingWindow::showPage(WorkingPage page) {
    notebook_->setActivePage(static_cast<int>(page));
    statusStrip_->panel().setVisible(page != WorkingPage::Groups);
    manageGroupsButton_->setVisible(page == WorkingPage::Groups);
    statusStrip_->fullScreenButton().setVisible(page == WorkingPage::Board);
}

WorkingPage WorkingWindow::page() const {
    return static_cast<WorkingPage>(notebook_->activePage());
}

void WorkingWindow::undo() {
    services_.journal.undo(services_.desktop);
}

void WorkingWindow::autoHideTick() {
    if (!services_.settings.autoHide() || !visible() || services_.settingsShown() ||
        services_.windowListShown() || closing_) {
        return;
    }
    const Rect window = bounds();
    const Point cursor = services_.host.cursorPosition();
    const Point client{cursor.x - window.left, cursor.y - window.top};
    const FadeStep step = autoHideStep(fadeCounter_, client, Size{window.width(), window.height()},
                                       window.width(), services_.mode.fullScreen());
    fadeCounter_ = step.counter;
    if (services_.navigationKeepInFront) {
        services_.navigationKeepInFront(!step.pointerInside);
    }
    if (step.close) {
        close();
    }
    if (step.alpha) {
        setAlpha(*step.alpha);
    }
}

void WorkingWindow::takeGridSize() {
    const SettingsModel& settings = services_.settings;
    if (services_.mode.fullScreen() && settings.maxRowsColumns()) {
        boardPage_->setActiveCounts(kMaxGridCells, kMaxGridCells);
    } else {
        boardPage_->setActiveCounts(settings.columns(), settings.rows());
    }
}

// NastaviBarve
void WorkingWindow::applyTheme() {
    services_.settings.reloadLook();
    const BoardColours& colours = services_.settings.colours();
    root().setColour(colours.background);
    titleStrip_->setColour(colours.background);
    titleStrip_->setGradientColour(std::nullopt);
    boardPage_->panel().setColour(colours.background);
    boardPage_->setColours(colours);
    statusStrip_->applyTheme(colours, scale());
    for (const PlacedButton& placed : stripButtons_.buttons()) {
        themeButton(placed, colours, scale().dpi);
    }
    for (const PlacedButton& placed : statusStrip_->buttons().buttons()) {
        themeButton(placed, colours, scale().dpi);
    }
    commandsPage_->applyTheme(colours, scale().dpi);
    groupsPage_->applyTheme(colours, scale().dpi);
    invalidate();
}

bool WorkingWindow::closeQuery() {
    if (services_.mode.fullScreen()) {
        returnToCompact();
    }
    if (preview_ != nullptr) {
        preview_->close();
    }
    if (drag_) {
        drag_->stop();
    }
    recheckTimer_.setEnabled(false);
    autoHideTimer_.setEnabled(false);
    statusStrip_->showNothing();
    // The working window's own settings; a failed write must not keep it open, and is not reported
    // (the close happens often, and the writers that the user asks for report it).
    static_cast<void>(services_.settings.persist({Setting::LoadAtStartup, Setting::MaxRowsColumns}));
    if (services_.navigationKeepInFront) {
        services_.navigationKeepInFront(true);
    }
    return true;
}

Rect WorkingWindow::boundsAtNewScale(const Rect& suggested) const {
    const WorkingMode::State state = services_.mode.state();
    if (state == WorkingMode::State::FullScreen || state == WorkingMode::State::Switching) {
        return bounds();
    }
    return suggested;
}

void WorkingWindow::closed() {
    setBounds(
        centredAcross(currentMonitor(), kParkedTop, Size{bounds().width(), bounds().height()}, scale()));
    boardPage_->clear();
    firstActivation_ = true;
    services_.mode.closed();
}

void WorkingWindow::keyDown(int virtualKey, KeyModifiers modifiers) {
    if (virtualKey == vk::kEscape) {
        close();
        return;
    }
    // The grid by keys, on the board page and on the full-screen grid.
    if (!drag_ || (!fullScreen() && page() != WorkingPage::Board)) {
        return;
    }
    if (cursor_.key(virtualKey, modifiers, boardPage_->activeColumns(), boardPage_->activeRows())) {
        // Enter now places rather than presses a focused button.
        setFocus(nullptr);
        drag_->keyRange(cursor_.range());
    } else if (virtualKey == vk::kEnter && !modifiers.any() && drag_->keyPlace()) {
        cursor_.reset();
    }
}

// FormResize
void WorkingWindow::moved(const Rect& bounds) {
    const Size size{bounds.width(), bounds.height()};
    if (size == laidOutSize_) {
        return;
    }
    laidOutSize_ = size;
    if (fullScreen_) {
        fullScreen_->resized(bounds);
    }
    if (scale().dip(size.width) < kNarrowWidth) {
        const Rect button = closeButton_->bounds();
        closeButton_->setBounds(
            Rect::fromBounds(titleStrip_->bounds().width() - button.width() - kCloseMargin, button.top,
                             button.width(), button.height()));
    }
}

// FormActivate
void WorkingWindow::activated() {
    const WorkingMode& mode = services_.mode;
    if (!mode.activationReady()) {
        return;
    }
    if (firstActivation_ && !mode.fullScreen()) {
        const Monitor monitor = currentMonitor();
        setBounds(centredAcross(monitor, monitor.bounds.height() / 2 - bounds().height() / 2,
                                Size{bounds().width(), bounds().height()}, scale()));
        firstActivation_ = false;
    }
    autoHideTimer_.setEnabled(true);
    if (!mode.fullScreen()) {
        statusStrip_->layOut();
        setAlpha(kActiveAlpha);
    }
    commandsPage_->centre(kHalfWidth);
    applyTheme();
    // The board is drawn with the counts the mapping will use from now on.
    takeGridSize();
    if (!mode.fullScreen()) {
        redrawBoard();
    }
    if (drag_) {
        drag_->reset();
    }
    cursor_.reset();
    services_.parkTrayForm();
    recheckTimer_.setEnabled(true);
    if (!topmost()) {
        makeTopmost();
    }
    services_.tracker.refreshTarget(true);
}

bool WorkingWindow::minimised() const {
    const auto placement = services_.desktop.placement(id());
    return placement && placement->state == ShowState::Minimized;
}

bool WorkingWindow::topmost() const {
    return (services_.desktop.extendedStyles(id()) & exstyle::kTopmost) != 0;
}

void WorkingWindow::makeTopmost() {
    window().setTopmost(true);
}

void WorkingWindow::bringToFront() {
    services_.desktop.setZOrder(id(), ZOrder::Top);
}

void WorkingWindow::scaleChanged() {
    applyTheme();
    if (visible() && !services_.mode.fullScreen()) {
        redrawBoard();
    }
}

Scale WorkingWindow::boardScale() const {
    return scale();
}

Point WorkingWindow::boardOrigin() const {
    return fullScreen_ ? fullScreen_->boardOrigin() : Point{};
}

bool WorkingWindow::fullScreen() const {
    return services_.mode.fullScreen();
}

int WorkingWindow::windowHeight() const {
    return bounds().height();
}

bool WorkingWindow::windowListShown() const {
    return services_.windowListShown();
}

void WorkingWindow::raiseIfTopmost() {
    if (topmost()) {
        bringToFront();
    }
}

void WorkingWindow::keepInFront() {
    makeTopmost();
}

void WorkingWindow::leaveFullScreenAfterPlacing() {
    returnToCompact();
    close();
}

void WorkingWindow::finishOneShot() {
    if (!services_.session.oneShot()) {
        return;
    }
    services_.loop.sleep(kOneShotCloseDelayMs);
    show(false);
    services_.mode.compact();
    close();
}

} // namespace cellaro
