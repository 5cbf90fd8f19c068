// The working window (TfMove): the borderless, topmost, alpha-blended window through which the
// user places the target window: a title strip with its page buttons, a notebook with the grid
// board, the window commands and the groups, and a status strip with the target's icon and title.
#pragma once

#include "grid/board_colours.h"
#include "grid/undo_journal.h"
#include "widgets/form.h"
#include "widgets/form_timer.h"
#include "widgets/window_drag.h"

#include <array>
#include <string_view>

namespace cellaro {

class Program;
class GradientButton;
class GradientPanel;
class Image;
class Label;
class Notebook;
class Panel;

class WorkingWindow final : public Form {
public:
    static constexpr Size kCompactSize{335, 267};
    static constexpr Size kCorners{13, 13};
    static constexpr Size kCompactBoard{320, 195};
    static constexpr std::uint8_t kShownAlpha = 220;
    static constexpr int kAutoHideIntervalMs = 200;

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

protected:
    bool closeQuery() override; // FormCloseQuery
    void closed() override;     // FormClose
    void keyDown(int virtualKey) override;
    void moved(const Rect& bounds) override;

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

    GradientPanel* topPanel_ = nullptr;
    Notebook* notebook_ = nullptr;
    Panel* statusStrip_ = nullptr;
    Image* board_ = nullptr;
    Image* statusPicture_ = nullptr;
    Label* statusText_ = nullptr;
    GradientButton* undoButton_ = nullptr;
    GradientButton* manageGroupsButton_ = nullptr;
    GradientButton* fullScreenButton_ = nullptr;
};

} // namespace cellaro
