// What stands between the program's windows: which dialog is open in place of the working window
// (the settings window or the window manager list), whether the working window serves one command
// only (a one-shot from the tray), and what a dialog's close puts back. One small state machine
// instead of flags written from several windows.
#pragma once

#include "core/geometry.h"

namespace cellaro {

class Session {
public:
    enum class Dialog { None, Settings, WindowList };

    // The dialog that is open (active since it opened, until its close begins).
    [[nodiscard]] Dialog openDialog() const { return dialog_; }
    // The settings-open flag: while it is set the tray's commands that would show the working
    // window do nothing.
    [[nodiscard]] bool dialogOpen() const { return dialog_ != Dialog::None; }
    // The working window was opened for one command: it closes after it, and a dialog's close does
    // not bring it back.
    [[nodiscard]] bool oneShot() const { return oneShot_; }

    // A tray or shortcut command that uses the working window (or a dialog) for one command.
    void beginOneShot() { oneShot_ = true; }
    // An ordinary showing of the working window, or the end of the command.
    void endOneShot() { oneShot_ = false; }

    // A dialog opens in place of the working window: whether that was visible, and the target.
    void dialogOpening(bool workingWasVisible, WindowId target) {
        workingWasVisible_ = workingWasVisible;
        targetBefore_ = target;
    }
    // The dialog became the active window.
    void dialogActivated(Dialog dialog) { dialog_ = dialog; }
    // Its close begins: no dialog is open any more.
    void dialogClosing() { dialog_ = Dialog::None; }
    // It has closed: a one-shot command that opened it is over.
    void dialogClosed() { oneShot_ = false; }

    [[nodiscard]] bool workingWasVisible() const { return workingWasVisible_; }
    [[nodiscard]] WindowId targetBefore() const { return targetBefore_; }
    // The working window comes back with the dialog's close: it was visible when the dialog opened,
    // and no one-shot opened the dialog.
    [[nodiscard]] bool workingWindowReturns() const { return workingWasVisible_ && !oneShot_; }

private:
    Dialog dialog_ = Dialog::None;
    bool oneShot_ = false;
    bool workingWasVisible_ = false;
    WindowId targetBefore_;
};

} // namespace cellaro
