// The working window (TfMove): the borderless, topmost, alpha-blended window through which the user
// places the target window. A thin frame: the title strip with its page buttons, a notebook with the
// grid board, the window commands and the groups (one class each), the status strip, the auto-hide
// fade, activation and closing. The board drag places the target.
#pragma once

#include "core/error_report.h"
#include "forms/working/compact_form.h"
#include "logic/board_cursor.h"
#include "logic/commands.h"

#include "forms/working/board_drag.h"
#include "forms/working/board_page.h"
#include "forms/working/button_table.h"
#include "forms/working/pages.h"
#include "forms/working/status_strip.h"
#include "widgets/form.h"
#include "widgets/form_timer.h"
#include "widgets/window_drag.h"

#include <functional>
#include <memory>

namespace cellaro {

class Desktop;
class EventLoop;
class GradientPanel;
class Notebook;
class OnScreenCaption;
class PreviewRectangle;
class SettingsModel;
class TargetTracker;
class UndoJournal;
class WindowPlacer;
class WorkingMode;
class Session;
class Shell;
class FullScreenGrid;

enum class WorkingPage { Board = 0, Commands = 1, Groups = 2 };

// What the working window works with, given by the program.
struct WorkingWindowServices {
    FormHost& host;
    Desktop& desktop;
    EventLoop& loop;
    SettingsModel& settings;
    TargetTracker& tracker;
    UndoJournal& journal;
    WindowPlacer& placer;
    WorkingMode& mode;
    Session& session;
    Shell& shell;
    // The application's error report (a settings file that could not be saved, say).
    ErrorReport reportError;
    // The commands of the window's buttons and menus (SbSelect, SBTools, SBUNdo, XiFull, the
    // pages' buttons, the grid menu).
    CommandRunner run;
    // The main tray form goes out of sight (each activation).
    std::function<void()> parkTrayForm;
    std::function<bool()> windowListShown;
    std::function<bool()> settingsShown;
    // The groups navigation menu stops keeping itself in front while the pointer is over this
    // window, and starts again when it leaves or the window closes.
    std::function<void(bool enabled)> navigationKeepInFront;
};

class WorkingWindow final : public Form, private BoardDragHost {
public:
    static constexpr Size kCompactSize = compact_form::kSize;
    static constexpr Size kCorners = compact_form::kCorners;
    static constexpr Size kCompactBoard = BoardPage::kCompactBoard;
    static constexpr std::uint8_t kShownAlpha = compact_form::kShownAlpha;
    static constexpr std::uint8_t kActiveAlpha = compact_form::kRestingAlpha;
    static constexpr int kAutoHideIntervalMs = 200;
    static constexpr int kRecheckIntervalMs = 1560;
    static constexpr int kPreviewIntervalMs = BoardDrag::kPreviewIntervalMs;
    // Below this width the close button keeps to the title strip's right edge.
    static constexpr int kNarrowWidth = 400;
    static constexpr int kCloseMargin = 12;
    static constexpr int kHalfWidth = compact_form::kHalfWidth;
    // The opacity the full-screen switch starts from, over a shown and a hidden window.
    static constexpr std::uint8_t kLayerStartAlpha = 2;
    static constexpr std::uint8_t kHiddenLayerStartAlpha = 10;

    // FormCreate: the layout, the application-wide hint style, the first theming pass, parked above
    // the screen.
    explicit WorkingWindow(const WorkingWindowServices& services);
    ~WorkingWindow() override;

    // The preview rectangle and the on-screen caption are created after the working window; the
    // board drag starts once they exist.
    void connectPreview(PreviewRectangle& preview, OnScreenCaption& caption);

    [[nodiscard]] BoardPage& boardPage() { return *boardPage_; }
    [[nodiscard]] const BoardPage& boardPage() const { return *boardPage_; }
    [[nodiscard]] BoardDrag& drag() { return *drag_; }
    [[nodiscard]] const BoardDrag& drag() const { return *drag_; }
    [[nodiscard]] StatusStrip& statusStrip() { return *statusStrip_; }
    [[nodiscard]] CommandsPage& commandsPage() { return *commandsPage_; }
    [[nodiscard]] GroupsPage& groupsPage() { return *groupsPage_; }
    [[nodiscard]] FullScreenGrid& fullScreenGrid() { return *fullScreen_; }
    // The board image's bounds in the window's client coordinates.
    [[nodiscard]] Rect boardBounds() const;
    // GetPolozaj: the monitor index of the working window.
    [[nodiscard]] int monitorIndex() const;
    [[nodiscard]] Monitor currentMonitor() const override;
    // The auto-hide fade's counter, and whether the window is closing (the fade does nothing then).
    [[nodiscard]] int fadeCounter() const { return fadeCounter_; }
    [[nodiscard]] bool closing() const { return closing_; }

    // ZAGONSM: shown, or hidden when it shows, from the tray or a shortcut. Its top goes to the middle
    // of the tray form's monitor (above the screen for a one-shot); while a dialog is open nothing
    // more happens; the layer of the full-screen grid is taken away instead.
    void showFromTray(const Monitor& trayMonitor);
    // SSMClick: the same, with the colours read again and the board redrawn.
    void showCellaro(const Monitor& trayMonitor);
    // Closes the window from any form: the full-screen layer goes back to the compact form first.
    void closeFromAnyMode();
    // fsGridClick, fsgrid2Click: the layer over that monitor as a one-shot, or away again when it
    // shows. The first monitor's item waits while the settings window shows.
    void openFullScreenGrid(int monitor, const Monitor& trayMonitor);
    // XiFullClick: into the full-screen grid on the monitor last chosen.
    void enterFullScreen();
    // ResetirajPolozaj: back from the full-screen grid to the compact window.
    void returnToCompact();
    // RisiMrezo: draws the grid board.
    void redrawBoard();
    // The last steps of showing from the tray: back to the compact form, opacity and fade counter
    // reset, timer started, shown.
    void startShowing();
    // NastaviBarve: re-reads the colours and the grid size and recolours the window.
    void applyTheme();
    void showPage(WorkingPage page);
    [[nodiscard]] WorkingPage page() const;
    // The Close button's close, also used by the Sleep command: the closing flag is set first.
    void closeByUser();
    // XiButton28Click: one undo step.
    void undo();
    // Timer4Timer: one step of the auto-hide fade.
    void autoHideTick();

    // What the target tracking asks of the working window.
    [[nodiscard]] bool minimised() const;
    [[nodiscard]] bool topmost() const;
    void makeTopmost();
    void bringToFront();

protected:
    bool closeQuery() override; // FormCloseQuery
    void closed() override;     // FormClose
    void keyDown(int virtualKey, KeyModifiers modifiers) override;
    void moved(const Rect& bounds) override; // FormResize
    void activated() override;               // FormActivate
    void scaleChanged() override;
    // The full-screen layer covers its monitor's work area exactly at every scale; the compact form
    // takes the system's suggestion.
    [[nodiscard]] Rect boundsAtNewScale(const Rect& suggested) const override;

private:
    void buildTitleStrip();
    // The button runs its row of the command table.
    void runOnClick(GradientButton& button);
    // Pressing the panel (or any of its buttons' gaps) drags the window.
    void makeDragPanel(Widget& panel);
    // The counts the board draws and maps with: 10 x 10 on the full-screen grid when asked for.
    void takeGridSize();

    // BoardDragHost
    [[nodiscard]] bool fullScreen() const override;
    [[nodiscard]] int windowHeight() const override;
    [[nodiscard]] Scale boardScale() const override;
    [[nodiscard]] Point boardOrigin() const override;
    [[nodiscard]] bool windowListShown() const override;
    void raiseIfTopmost() override;
    void keepInFront() override;
    void leaveFullScreenAfterPlacing() override;
    void finishOneShot() override;

    WorkingWindowServices services_;
    PreviewRectangle* preview_ = nullptr;
    OnScreenCaption* caption_ = nullptr;
    FormTimer autoHideTimer_;
    FormTimer recheckTimer_;
    WindowDrag windowDrag_;
    int fadeCounter_ = 220;
    bool closing_ = false;
    bool firstActivation_ = false; // set by each close: centre at the next activation
    Size laidOutSize_;             // the size the last resize handling laid the window out for

    ButtonSet stripButtons_;
    GradientPanel* titleStrip_ = nullptr;
    GradientButton* closeButton_ = nullptr;
    GradientButton* undoButton_ = nullptr;
    GradientButton* manageGroupsButton_ = nullptr;
    Notebook* notebook_ = nullptr;
    std::unique_ptr<BoardPage> boardPage_;
    std::unique_ptr<CommandsPage> commandsPage_;
    std::unique_ptr<GroupsPage> groupsPage_;
    std::unique_ptr<StatusStrip> statusStrip_;
    std::unique_ptr<BoardDrag> drag_;
    // The grid's keyboard cursor, on the top-left cell at each showing and activation.
    BoardCursor cursor_;
    std::unique_ptr<FullScreenGrid> fullScreen_;
};

} // namespace cellaro
