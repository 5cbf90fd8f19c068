// The working window (TfMove): the borderless, topmost, alpha-blended window through which the
// user places the target window. Its board, pages and commands are built on this frame.
#pragma once

#include "widgets/form.h"

namespace cellaro {

class Program;

class WorkingWindow final : public Form {
public:
    static constexpr Size kCompactSize{335, 267};
    static constexpr Size kCorners{13, 13};
    static constexpr std::uint8_t kShownAlpha = 220;

    // FormCreate: application-wide hint style, the options it owns, parked above the screen.
    explicit WorkingWindow(Program& program);

    [[nodiscard]] bool autoHide() const { return autoHide_; }
    [[nodiscard]] bool maxRowsColumns() const { return maxRowsColumns_; }
    [[nodiscard]] bool boardMenuEnabled() const { return boardMenuEnabled_; }
    void setBoardMenuEnabled(bool enabled) { boardMenuEnabled_ = enabled; }

    // GetPolozaj: the monitor index of the working window.
    [[nodiscard]] int monitorIndex() const;

    // ResetirajPolozaj: back from the full-screen grid to the compact window.
    void returnToCompact();
    // RisiMrezo: draws the grid board.
    void redrawBoard();
    // The status picture shows the default picture and the status text is emptied.
    void resetTargetDisplay();
    // The last steps of showing from the tray: opacity and fade counter reset, then shown.
    void startShowing();

protected:
    bool closeQuery() override; // FormCloseQuery
    void closed() override;     // FormClose

private:
    Program& program_;
    bool autoHide_ = false;
    bool maxRowsColumns_ = true;
    bool boardMenuEnabled_ = false;
};

} // namespace cellaro
