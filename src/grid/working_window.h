// The working window (TfMove): the borderless, topmost, alpha-blended window through which the
// user places the target window: a title strip with its page buttons, a notebook with the grid
// board, the window commands and the groups, and a status strip with the target's icon and title.
#pragma once

#include "grid/board_colours.h"
#include "grid/grid_board.h"
#include "grid/grid_geometry.h"
#include "grid/target_tracker.h"
#include "grid/undo_journal.h"
#include "widgets/form.h"
#include "widgets/form_timer.h"
#include "widgets/window_drag.h"

#include <array>
#include <optional>
#include <string_view>

namespace cellaro {

class Program;
class GradientButton;
class GradientPanel;
class Image;
class Label;
class Notebook;
class Panel;

class WorkingWindow final : public Form, private TrackingHost {
public:
    static constexpr Size kCompactSize{335, 267};
    static constexpr Size kCorners{13, 13};
    static constexpr Size kCompactBoard{320, 195};
    static constexpr std::uint8_t kShownAlpha = 220;
    static constexpr int kAutoHideIntervalMs = 200;
    static constexpr int kTrackingIntervalMs = 125;
    static constexpr int kRecheckIntervalMs = 1560;
    static constexpr int kPreviewIntervalMs = 65;
    static constexpr std::uint8_t kActiveAlpha = 200;
    // Below this width the close button keeps to the title strip's right edge.
    static constexpr int kNarrowWidth = 400;
    static constexpr int kCloseMargin = 12;
    // A window at least the screen's width less this is the full-screen grid.
    static constexpr int kNearlyScreenWide = 350;

    // FormCreate: the layout, application-wide hint style, the options it owns, the first theming
    // pass, parked above the screen.
    explicit WorkingWindow(Program& program);
    ~WorkingWindow() override;

    [[nodiscard]] bool autoHide() const { return autoHide_; }
    void setAutoHide(bool on) { autoHide_ = on; }
    [[nodiscard]] bool maxRowsColumns() const { return maxRowsColumns_; }
    [[nodiscard]] bool boardMenuEnabled() const { return boardMenuEnabled_; }
    void setBoardMenuEnabled(bool enabled) { boardMenuEnabled_ = enabled; }
    [[nodiscard]] const BoardColours& colours() const { return colours_; }
    [[nodiscard]] int columns() const { return columns_; }
    [[nodiscard]] int rows() const { return rows_; }
    [[nodiscard]] UndoJournal& undoJournal() { return journal_; }
    [[nodiscard]] TargetTracker& tracker() { return tracker_; }
    [[nodiscard]] const TargetTracker& tracker() const { return tracker_; }
    [[nodiscard]] const GridBoard& gridBoard() const { return gridBoard_; }
    // The selection on the board and whether a drag is placing the target.
    [[nodiscard]] const CellRange& range() const { return range_; }
    [[nodiscard]] bool dragging() const { return dragging_; }
    // The board image's bounds in the window's client coordinates.
    [[nodiscard]] Rect boardBounds() const;

    // GetPolozaj: the monitor index of the working window.
    [[nodiscard]] int monitorIndex() const;

    // ResetirajPolozaj: back from the full-screen grid to the compact window.
    void returnToCompact();
    // RisiMrezo: draws the grid board.
    void redrawBoard();
    // The status picture shows the default picture and the status text is emptied.
    void resetTargetDisplay();
    // The last steps of showing from the tray: opacity and fade counter reset, timer started, shown.
    void startShowing();
    // NastaviBarve: re-reads the colours and the grid size and recolours the window.
    void applyTheme();
    // The notebook pages: 0 the grid board, 1 the window commands, 2 the groups.
    void showPage(int page);
    [[nodiscard]] int page() const;
    // XiButton28Click: one undo step.
    void undo();
    // Timer4Timer: one step of the auto-hide fade.
    void autoHideTick();

    // TablaMouseDown, TablaMouseMove, TablaMouseUp: the board's pointer events, in board pixels.
    void boardMouseDown(Point at, MouseButton button);
    void boardMouseMove(Point at);
    void boardMouseUp(MouseButton button);
    // AppOnHint: the pointer entered or left the board.
    void boardEntered();
    void boardLeft();
    // Timer10Timer: the preview rectangle follows the selection and the target follows it.
    void previewTick();
    // The rectangle a placement asks the system for, so that the target's visible frame covers
    // the cells: the window's invisible resize borders are added around them.
    [[nodiscard]] Rect placementRect(WindowId window, const Rect& cells) const;

protected:
    bool closeQuery() override; // FormCloseQuery
    void closed() override;     // FormClose
    void keyDown(int virtualKey) override;
    void moved(const Rect& bounds) override;
    void activated() override; // FormActivate

private:
    void buildLayout();
    void buildTitleStrip();
    void buildBoardPage(Widget& page);
    void buildCommandsPage(Widget& page);
    void buildGroupsPage(Widget& page);
    void buildStatusStrip();
    GradientButton& addButton(Widget& parent, std::string name, const Rect& bounds, std::string hint);
    // Pressing any button on these panels drags the window.
    void makeDragPanel(Widget& panel);
    void themeButtons();
    void themePictures(bool darkBackground);
    // The screen rectangle of the current range on the working window's monitor.
    [[nodiscard]] Rect rangeRect() const;
    // Highlights the current range on the board and shows it.
    void showRange();
    // The drag flag and what the preview and the target followed are cleared.
    void forgetDrag();
    // The target went away: the drag stops, the preview shrinks and the highlight goes.
    void endDrag();
    [[nodiscard]] Monitor currentMonitor() const;

    // TrackingHost
    [[nodiscard]] WindowId workingWindowId() const override;
    [[nodiscard]] WindowId trayFormId() const override;
    [[nodiscard]] bool workingWindowVisible() const override;
    [[nodiscard]] bool workingWindowMinimised() const override;
    [[nodiscard]] bool workingWindowTopmost() const override;
    void makeWorkingWindowTopmost() override;
    void bringWorkingWindowToFront() override;
    void closeWorkingWindow() override;
    [[nodiscard]] int currentMonitorIndex() const override;
    [[nodiscard]] bool previewVisible() const override;
    void parkPreviewLeft() override;
    void setNextMonitorAvailable(bool available) override;
    void showTargetDisplay(const Bitmap& icon, const std::string& title) override;
    void showDesktopDisplay() override;
    [[nodiscard]] std::string fitStatusText(const std::string& title) const override;
    [[nodiscard]] Colour statusBackground() const override;
    void setTrayHint(const std::string& hint) override;

    Program& program_;
    UndoJournal journal_;
    BoardColours colours_;
    int columns_ = 6;
    int rows_ = 6;
    bool autoHide_ = false;
    bool maxRowsColumns_ = true;
    bool boardMenuEnabled_ = false;
    FormTimer autoHideTimer_;
    WindowDrag drag_;
    TargetTracker tracker_;
    FormTimer trackingTimer_;
    FormTimer recheckTimer_;
    FormTimer previewTimer_;
    GridBoard gridBoard_;
    CellRange range_ = CellRange::cleared();
    // The range the last preview tick placed, and the rectangle the target was last moved to.
    std::optional<CellRange> previewedRange_;
    std::optional<Rect> followedRect_;
    bool dragging_ = false;
    bool firstActivation_ = false; // set by each close: centre at the next activation
    bool resizeAllowed_ = true;
    Size laidOutSize_; // the size the last resize handling laid the window out for
    // Active columns and rows: the counts the mapping uses, copied at activation.
    int activeColumns_ = 6;
    int activeRows_ = 6;
    Bitmap desktopPicture_; // the "Desktop" picture on the strip's colour
    Colour desktopPictureBackground_;

    GradientPanel* topPanel_ = nullptr;
    Notebook* notebook_ = nullptr;
    Panel* statusStrip_ = nullptr;
    Image* boardImage_ = nullptr;
    Image* statusPicture_ = nullptr;
    Label* statusText_ = nullptr;
    GradientButton* undoButton_ = nullptr;
    GradientButton* manageGroupsButton_ = nullptr;
    GradientButton* fullScreenButton_ = nullptr;
    GradientButton* nextMonitorButton_ = nullptr;
};

} // namespace cellaro
