// The full-screen grid: the working window turned into a borderless, semi-transparent layer over
// one monitor whose whole surface is the grid board, so that the board drag places the target at
// real scale; the grid menu it offers; and the return to the compact form.
#pragma once

#include "core/error_report.h"
#include "core/geometry.h"
#include "logic/commands.h"

#include <functional>

namespace cellaro {

class BoardPage;
class Desktop;
class EventLoop;
class Form;
class OnScreenCaption;
class Panel;
class PreviewRectangle;
class SettingsModel;
class Shell;
class Widget;
class WorkingMode;

class FullScreenGrid {
public:
    // The grid menu's items (PopGrid).
    static constexpr int kMaxRowsColumnsItem = 1;
    static constexpr int kUndoItem = 2;
    static constexpr int kCloseItem = 3;

    struct Services {
        Desktop& desktop;
        EventLoop& loop;
        Shell& shell;
        SettingsModel& settings;
        WorkingMode& mode;
        PreviewRectangle& preview;
        OnScreenCaption& caption;
        ErrorReport reportError;
        // NastaviBarve with the grid size for the current form, then RisiMrezo.
        std::function<void()> themeAndDraw;
        // The grid menu's commands.
        CommandRunner run;
        // The status text's place, set again after the switch.
        std::function<void()> layOutStatus;
    };

    // Builds the layer's panels (PanelALL and the cover panel15) on the window's root.
    FullScreenGrid(Form& window, BoardPage& board, const Services& services);

    // The monitor the next switch covers, as the tray's full-screen items choose it.
    void chooseMonitor(int index);
    [[nodiscard]] int monitor() const { return monitor_; }
    [[nodiscard]] Panel& layerPanel() { return *layer_; }
    // Where the board lies in the layer, in the window's physical pixels.
    [[nodiscard]] Point boardOrigin() const;

    // XiFullClick: into the full-screen grid on the chosen monitor. Failures are swallowed; the
    // window is shown and ready whatever the switch reached.
    void switchIn();
    // ResetirajPolozaj's full-screen part: the compact window again, board at its compact place.
    void switchOut();
    // PopGrid: the grid menu at the pointer.
    void openMenu(Point screen);
    // MNRClick: 10 x 10 cells on the full-screen grid or not, written to the file at once; when the
    // file can't be written the check stays as it was, and the error is reported.
    void toggleMaxRowsColumns();
    // FormResize's part: a window nearly the screen's width no longer needs the cover panel.
    void resized(const Rect& bounds);

private:
    Form& window_;
    BoardPage& board_;
    Services services_;
    Panel* layer_ = nullptr; // PanelALL
    Panel* cover_ = nullptr; // panel15
    int monitor_ = 0;
};

} // namespace cellaro
