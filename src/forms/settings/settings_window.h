// The settings window (WMHot): a borderless 1035 x 702 window with a title strip, a dark left
// column of four page buttons with a marker over the page shown, four pages (Shortcuts, Grids,
// Fullscreen grid, Set Window) and a bottom row of buttons that depend on the page. It is made once
// and then only shown and hidden; OK applies and writes what the pages hold, Cancel, the close
// button and Escape apply nothing.
#pragma once

#include "core/error_report.h"
#include "core/geometry.h"
#include "logic/schemes/colour_scheme_editor.h"
#include "pixels/bitmap.h"
#include "widgets/form.h"
#include "widgets/window_drag.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace cellaro {

class Desktop;
class EventLoop;
class FileSystem;
class FullScreenGridPage;
class GradientButton;
class GradientPanel;
class GridsPage;
class Notebook;
class Page;
class SetWindowPage;
class SettingsModel;
class Shell;
class ShortcutSet;
class ShortcutsPage;
class Session;

// What the settings window works with, given by the program.
struct SettingsWindowServices {
    FormHost& host;
    Desktop& desktop;
    EventLoop& loop;
    Shell& shell;
    FileSystem& files;
    SettingsModel& settings;
    ShortcutSet& shortcuts;
    Session& session;
    // The application's error report.
    ErrorReport reportError;
    // The primary screen as it shows now, for the pictures of the two transparency pages; nothing
    // when it can't be taken.
    std::function<std::optional<Bitmap>()> snapshot;
    // Each activation: the working window is closed (and stays closed while this window shows).
    std::function<void()> activating;
    // A change of the Rows or Columns editor: the working window shows that many cells across and
    // down for now (the stored counts change only at OK or Reset all).
    std::function<void(int across, int down)> cellCountsChanged;
    // OK, after the settings took the new colours, scheme, counts, shortcuts, transparency and
    // auto-hide: the working window takes the applied colours and redraws its grid.
    std::function<void()> applied;
    // OK: the preview rectangle's colour (the colour chooser's last colour).
    std::function<void(Colour)> previewRectangleColour;
    // "Print shortcuts".
    std::function<void()> printShortcuts;
    // Each close, before the window goes: the working window's board and label restored, its
    // opacity and auto-hide reset, the tray icon refreshed, the working window shown again when it
    // was visible at the opening (and the one-shot flag is clear), its drag-with-target cleared.
    std::function<void()> closing;
    // After the window closed: the target window remembered at the opening is the target again, and
    // the working window comes back when the window manager list's opening asked for it.
    std::function<void()> closed;
};

class SettingsWindow final : public Form {
public:
    static constexpr Size kClientSize{1035, 702};
    static constexpr Colour kBackground{0xFFFFFF};
    static constexpr Colour kColumnColour{0x1F1F1F};
    static constexpr int kTitleHeight = 26;
    static constexpr int kColumnWidth = 128;
    static constexpr int kBottomRowHeight = 45;
    static constexpr Size kSnapshotSize{700, 394};
    static constexpr int kVirtualKeyEscape = 27;

    // The pages by index.
    enum PageIndex {
        ShortcutsPageIndex = 0,
        GridsPageIndex = 1,
        FullScreenGridPageIndex = 2,
        SetWindowPageIndex = 3
    };

    // FormCreate: the layout, the settings loaded (and the shortcuts applied), the colour chooser
    // restored from color.cld, the Grids page shown.
    explicit SettingsWindow(const SettingsWindowServices& services);
    ~SettingsWindow() override;
    SettingsWindow(const SettingsWindow&) = delete;
    SettingsWindow& operator=(const SettingsWindow&) = delete;
    SettingsWindow(SettingsWindow&&) = delete;
    SettingsWindow& operator=(SettingsWindow&&) = delete;

    // Opening (the working window's Settings command, the tray menu's "Settings"), once the caller
    // remembered the target and closed the working window: the applied values in the controls, a
    // new desktop snapshot, the Grids page, the window shown centred.
    void open(bool workingWindowWasVisible);
    // loadSettings: the window filled from the settings and the shortcuts applied.
    void loadSettings();
    // The settings that could not be read at the start were read at last: the controls show them
    // now, or, while the window shows, at its next activation.
    void settingsRead();

    void ok();           // XiButton4Click
    void cancel();       // XICancelClick (and the close button)
    void resetAll();     // XiResetClick
    void resetWarning(); // XiResetMessageClick
    void showPage(int index);
    // OsveziMrezo, also the "Fullscreen grid" button: the page-2 picture, the grid opacity at once.
    void refreshGridPage();
    // xtrChange: the page-3 picture and the pending transparency.
    void refreshWindowPage();
    void choosePreviewColour();

    [[nodiscard]] Notebook& notebook() const { return *notebook_; }
    [[nodiscard]] ShortcutsPage& shortcutsPage() const { return *shortcutsPage_; }
    [[nodiscard]] GridsPage& gridsPage() const { return *gridsPage_; }
    [[nodiscard]] FullScreenGridPage& fullScreenGridPage() const { return *fullScreenGridPage_; }
    [[nodiscard]] SetWindowPage& setWindowPage() const { return *setWindowPage_; }
    [[nodiscard]] const ColourSchemeEditor& schemes() const { return schemes_; }
    [[nodiscard]] int pendingTransparency() const { return pendingTransparency_; }
    [[nodiscard]] bool reloadPending() const { return reload_; }

protected:
    void activated() override; // FormActivate
    void deactivated() override;
    bool closeQuery() override;
    void closed() override;
    void keyDown(int virtualKey, KeyModifiers modifiers) override;
    void scaleChanged() override;

private:
    // The global shortcuts pause while a shortcut editor has the keyboard (this window active and
    // an editor focused), so that a combination one of them holds can be typed.
    void suspendShortcutsWhileEditing();
    void buildTitle();
    void buildColumn();
    void buildBottomRow();
    void buildPages();
    // NbookPageChanged: the bottom buttons of the page and the marker over its button.
    void pageChanged();
    void showSnapshot();
    void centre();
    void report(const std::optional<std::string>& error) const;

    SettingsWindowServices services_;
    ColourSchemeEditor schemes_;
    GradientPanel* titlePanel_ = nullptr;
    GradientButton* closeButton_ = nullptr;
    GradientPanel* column_ = nullptr;
    std::array<GradientButton*, 4> pageButtons_{}; // by page index
    GradientButton* marker_ = nullptr;
    GradientPanel* bottomRow_ = nullptr;
    GradientButton* resetButton_ = nullptr;
    GradientButton* resetWarningButton_ = nullptr;
    GradientButton* printButton_ = nullptr;
    Notebook* notebook_ = nullptr;
    std::unique_ptr<ShortcutsPage> shortcutsPage_;
    std::unique_ptr<GridsPage> gridsPage_;
    std::unique_ptr<FullScreenGridPage> fullScreenGridPage_;
    std::unique_ptr<SetWindowPage> setWindowPage_;
    WindowDrag pageDrag_;
    Bitmap snapshot_;
    int appliedSchemeIndex_ = 0;
    int pendingTransparency_ = 0;
    bool reload_ = false;
    bool closingShown_ = false;
};

} // namespace cellaro
