// Into and out of the full-screen grid, and its menu.
#include "forms/working/full_screen_grid.h"

#include "config/settings.h"
#include "core/monitors.h"
#include "forms/on_screen_caption.h"
#include "forms/preview_rectangle.h"
#include "forms/working/board_page.h"
#include "forms/working/compact_form.h"
#include "logic/working_mode.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/shell.h"
#include "widgets/form.h"
#include "widgets/image.h"
#include "widgets/panel.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <vector>

namespace cellaro {

namespace {

constexpr std::uint8_t kSwitchingAlpha = 1;
// A window at least the screen's width less this is the full-screen layer.
constexpr int kNearlyScreenWide = 350;

Monitor primaryOf(const std::vector<Monitor>& monitors) {
    return primaryMonitor(monitors);
}

} // namespace

FullScreenGrid::FullScreenGrid(Form& window, BoardPage& board, const Services& services)
    : window_(window), board_(board), services_(services) {
    layer_ = &window_.root().add<Panel>("PanelALL");
    layer_->setVisible(false);
    cover_ = &window_.root().add<Panel>("panel15");
    cover_->setVisible(false);
}

void FullScreenGrid::chooseMonitor(int index) {
    monitor_ = index;
}

Point FullScreenGrid::boardOrigin() const {
    return window_.scale().physical(Point{layer_->bounds().left, layer_->bounds().top});
}

// XiFullClick
void FullScreenGrid::switchIn() {
    WorkingMode& mode = services_.mode;
    if (mode.fullScreen()) {
        return;
    }
    mode.beginSwitch();
    try {
        window_.hide();
        window_.setAlpha(kSwitchingAlpha);
        const std::vector<Monitor> monitors = services_.desktop.monitors();
        const Monitor target = monitorAt(monitors, monitor_);
        // The layer covers the chosen monitor's work area: its own width, so that the board's cells
        // and the cells the mapping places agree on monitors of different widths.
        const Rect layer = Rect::fromBounds(target.bounds.left, target.bounds.top, target.workArea.width(),
                                            target.workArea.height());
        window_.window().setRoundedCorners(window_.scale().physical(compact_form::kCorners));
        // The cover panel hides the compact layout while the window grows.
        cover_->setVisible(true);
        window_.setBounds(layer);
        services_.loop.processPendingMessages();
        const Size client = window_.scale().dip(Size{layer.width(), layer.height()});
        cover_->setBounds(Rect::fromBounds(0, 0, client.width, client.height));
        cover_->setVisible(false);
        mode.enterFullScreen();
        services_.caption.show();

        // The board moves into the layer's panel at the layer's size.
        layer_->setBounds(Rect::fromBounds(0, 0, client.width, client.height));
        Image& board = board_.image();
        if (board.parent() != layer_) {
            board.parent()->moveChild(board, *layer_);
        }
        board.setBounds(Rect::fromBounds(0, 0, client.width, client.height));
        // A hand-edited position outside the slider's range counts as its nearest end.
        window_.setAlpha(
            static_cast<std::uint8_t>(255 - std::clamp(services_.settings.gridOpacityPosition(), 0, 255)));
        services_.layOutStatus();
        services_.themeAndDraw();
        layer_->setVisible(true);
    } catch (const std::exception&) {
        // The switch stops where it failed; the window shows whatever it reached.
        if (mode.state() == WorkingMode::State::Switching) {
            mode.compact();
        }
    }
    window_.show(true);
}

// ResetirajPolozaj's full-screen steps.
void FullScreenGrid::switchOut() {
    window_.hide();
    window_.setAlpha(compact_form::kRestingAlpha);
    const Rect now = window_.bounds();
    const Size compact = window_.scale().physical(compact_form::kSize);
    window_.setBounds(Rect::fromBounds(now.left, now.top, compact.width, compact.height));
    window_.window().setRoundedCorners(window_.scale().physical(compact_form::kCorners));
    Image& board = board_.image();
    if (board.parent() != &board_.panel()) {
        layer_->moveChild(board, board_.panel());
    }
    board.setBounds(Rect::fromBounds(BoardPage::kCompactAt.x, BoardPage::kCompactAt.y,
                                     BoardPage::kCompactBoard.width, BoardPage::kCompactBoard.height));
    layer_->setVisible(false);
    services_.preview.hide();
}

// PopGrid
void FullScreenGrid::openMenu(Point screen) {
    MenuItem maxRowsColumns;
    maxRowsColumns.name = "MNR";
    maxRowsColumns.caption = "Max Num rows/cols";
    maxRowsColumns.id = kMaxRowsColumnsItem;
    maxRowsColumns.checked = services_.settings.maxRowsColumns();
    MenuItem separator;
    separator.name = "N1";
    separator.separator = true;
    MenuItem undo;
    undo.name = "Undo1";
    undo.caption = "Undo";
    undo.id = kUndoItem;
    MenuItem close;
    close.name = "Close1";
    close.caption = "Close";
    close.id = kCloseItem;
    const auto chosen = services_.shell.trackPopupMenu({maxRowsColumns, separator, undo, close}, screen);
    if (!chosen) {
        return;
    }
    const auto command = [&]() -> std::optional<Command> {
        switch (*chosen) {
        case kMaxRowsColumnsItem:
            return Command::MaxRowsColumns;
        case kUndoItem:
            return Command::Undo;
        case kCloseItem:
            return Command::CloseWorkingWindow;
        default:
            return std::nullopt;
        }
    }();
    if (command && services_.run) {
        services_.run(CommandCall::of(*command).from(CommandSource::GridMenu));
    }
}

// MNRClick
void FullScreenGrid::toggleMaxRowsColumns() {
    SettingsModel& settings = services_.settings;
    // The new size shows the next time the grid is drawn.
    const FileWriteResult saved = settings.changeAndPersist(
        {Setting::MaxRowsColumns}, [&settings] { settings.setMaxRowsColumns(!settings.maxRowsColumns()); });
    if (!saved.ok && services_.reportError) {
        services_.reportError(saved.error);
    }
}

// FormResize: the width is compared with the primary screen's.
void FullScreenGrid::resized(const Rect& bounds) {
    cover_->setBounds(Rect::fromBounds(0, 0, cover_->bounds().width(), cover_->bounds().height()));
    const Monitor primary = primaryOf(services_.desktop.monitors());
    if (primary.bounds.width() > 0 && bounds.width() >= primary.bounds.width() - kNearlyScreenWide) {
        cover_->setVisible(false);
    }
}

} // namespace cellaro
