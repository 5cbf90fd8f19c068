// The window manager list (WMFselectWindow): a borderless, topmost dialog with one row per listed
// window of the window list, where the user puts windows into the groups A to D, selects windows
// and closes them, and opens an executable's folder. It rebuilds the window list each time it
// opens and on Refresh, and publishes the groups' member texts when it closes.
#pragma once

#include "forms/winlist/window_row.h"
#include "logic/winlist/window_list.h"
#include "widgets/form.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cellaro {

class Desktop;
class EventLoop;
class GradientButton;
class GradientPanel;
class Image;
class Panel;
class ScrollBox;
class SettingsModel;
class Shell;
class Session;

// What the window manager list works with, given by the program.
struct WindowManagerListServices {
    FormHost& host;
    Desktop& desktop;
    EventLoop& loop;
    Shell& shell;
    SettingsModel& settings;
    Session& session;
    WindowList& list;
    // Writes the don't-ask-again flag to the configuration file and saves it, reporting a failure
    // to the user; false then, and the close goes no further.
    std::function<bool()> writeSkipFlag;
    // Each activation: the groups navigation menu's timer stops.
    std::function<void()> activating;
    // Each close, before the dialog goes: the working window comes back when it should, and the
    // navigation menu's timer starts again.
    std::function<void()> closing;
    // After the dialog closed, with the groups' member texts (A to D): the program publishes them
    // and their hints, puts the target back and shows the working window when it was visible.
    std::function<void(const std::array<std::string, kGroupCount>&)> closed;
};

class WindowManagerList final : public Form {
public:
    static constexpr Size kClientSize{836, 527};
    static constexpr Colour kBackground{0xF3F3F3};
    static constexpr int kTitleHeight = 26;
    static constexpr int kHeaderHeight = 41;
    static constexpr int kBottomBarHeight = 41;
    // Panel2's left edge lies this far left of the list's client width.
    static constexpr int kHeaderCaptionsFromRight = 134;
    static constexpr int kVirtualKeyEscape = 27;

    // FormCreate: the layout; the rebuild flag is set.
    explicit WindowManagerList(const WindowManagerListServices& services);
    ~WindowManagerList() override;
    WindowManagerList(const WindowManagerList&) = delete;
    WindowManagerList& operator=(const WindowManagerList&) = delete;
    WindowManagerList(WindowManagerList&&) = delete;
    WindowManagerList& operator=(WindowManagerList&&) = delete;

    // Refresh (also XiButton1Click): the marks are kept in the carry-over table, the rows are made
    // again from a new build of the window list.
    void refresh();
    // What the other buttons of the bottom bar do.
    void unselectAll();          // xiunselectClick: every listed row's group boxes cleared
    void invertSelection();      // XBRefreshClick: every listed row's group boxes toggled
    void closeSelectedWindows(); // XBCloseClick: asked, then every selected window asked to close

    // What the row parts do, by row index (rows taken out, or past the list, are ignored).
    void toggleSelection(int row);                  // PanelClick, ImageClick, lABELClick
    void setGroup(int row, int group, bool member); // AKAClick ... AKDClick
    void closeWindow(int row);                      // ZapriOknoClick
    void openFileLocation(int row);                 // MinimizeOknoClick

    // The row of an entry of the last build; null for a row taken out or with no rows made.
    [[nodiscard]] const WindowRow* row(int index) const;
    [[nodiscard]] int rowCount() const { return static_cast<int>(rows_.size()); }
    // The row last clicked; 0 after every rebuild.
    [[nodiscard]] int currentRow() const { return currentRow_; }
    // The list's scroll box, while the dialog holds rows.
    [[nodiscard]] ScrollBox* scrollBox() const { return scrollBox_; }
    [[nodiscard]] bool rebuildPending() const { return rebuild_; }
    // The row the arrow keys are on (Space and the keys 1 to 4 act on it); -1 for none.
    [[nodiscard]] int keyboardRow() const { return keyboardRow_; }

protected:
    void shown() override;
    void activated() override;  // FormActivate
    bool closeQuery() override; // FormCloseQuery
    void closed() override;     // FormClose
    void keyDown(int virtualKey, KeyModifiers modifiers) override;
    void scaleChanged() override;

private:
    void buildTitle();
    void buildHeader();
    void buildBottomBar();
    // The pictures of the close button and of the row buttons, drawn for the form's scale.
    void drawPictures();
    // Destroys the scroll box with its rows and forgets the rows.
    void destroyRows();
    // A new scroll box filled with one row per listed entry of a fresh build; gives the number of
    // entries.
    int buildRows();
    [[nodiscard]] RowContent contentOf(const WindowEntry& entry) const;
    // The right-hand side of every row, and Panel2, for the scroll box's client width.
    void layOutRightSide();
    // The row of that index while it has parts, made current; null otherwise.
    WindowRow* takeRow(int index);
    // Up and Down: the keyboard goes to the next shown row that way, outlined and scrolled into
    // view; false when there is none.
    bool moveKeyboardRow(int step);
    [[nodiscard]] bool rowShown(int index) const;

    WindowManagerListServices services_;
    RowActions actions_;
    GradientPanel* titlePanel_ = nullptr;
    GradientButton* closeButton_ = nullptr;
    Panel* header_ = nullptr;
    Panel* headerCaptions_ = nullptr;
    Image* closePicture_ = nullptr;
    Image* folderPicture_ = nullptr;
    Panel* listPanel_ = nullptr;
    ScrollBox* scrollBox_ = nullptr;
    std::vector<std::unique_ptr<WindowRow>> rows_;
    int currentRow_ = 0;
    int keyboardRow_ = -1;
    bool rebuild_ = true;
    bool centred_ = false;
    // An action waits for a dialog or for other windows: activations meanwhile rebuild nothing.
    bool busy_ = false;
    // Counts the rebuilds, so an action that let messages through can tell that its rows are gone.
    unsigned generation_ = 0;
};

} // namespace cellaro
