// The settings window: layout, opening and activation, the page buttons, OK, Cancel, Reset all and
// the transparency sliders.
#include "forms/settings/settings_window.h"

#include "config/config_keys.h"
#include "config/settings.h"
#include "core/monitors.h"
#include "core/product.h"
#include "forms/dialog_chrome.h"
#include "forms/settings/grids_page.h"
#include "forms/settings/shortcuts_page.h"
#include "forms/settings/transparency_pages.h"
#include "logic/pictures.h"
#include "logic/session.h"
#include "logic/shortcuts/shortcut_set.h"
#include "platform/desktop.h"
#include "platform/shell.h"
#include "platform/virtual_keys.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/label.h"
#include "widgets/notebook.h"
#include "widgets/shortcut_edit.h"
#include "widgets/spin_edit.h"
#include "widgets/track_bar.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace cellaro {

namespace {

using dialog_chrome::kWhite;
constexpr Colour kColumnButton{0x1F1F1F};
constexpr Colour kColumnButtonHover{0x3A3A3A};
constexpr Colour kMarkerColour{0xB26742};
using dialog_chrome::kBarButton;
using dialog_chrome::kBarButtonHover;
using dialog_chrome::kBarButtonPressed;
constexpr Size kCloseButtonSize{30, 26};
constexpr int kCloseButtonGap = 3;
constexpr int kPageButtonTop = 70;
constexpr int kPageButtonHeight = 36;
constexpr int kPageButtonStep = 40;
constexpr int kTransparencyOpaque = 255;
constexpr int kResetCount = 6;
constexpr int kResetGridTransparency = 174;
constexpr std::string_view kResetQuestion = "Are you sure you want to reset all configuration values ?";
constexpr std::string_view kWarningResetText = "The warning message was reset.";

// The page buttons from top to bottom, with the page each shows.
struct PageButtonSpec {
    std::string_view name;
    std::string_view caption;
    int page;
};
constexpr std::array<PageButtonSpec, 4> kPageButtons{{
    {"XiGrids", "Grids", SettingsWindow::GridsPageIndex},
    {"XiShortcuts", "Shortcuts", SettingsWindow::ShortcutsPageIndex},
    {"XiSetWindow", "Set Window", SettingsWindow::SetWindowPageIndex},
    {"XiFullScreenGrid", "Fullscreen grid", SettingsWindow::FullScreenGridPageIndex},
}};

NativeWindowStyle windowStyle() {
    NativeWindowStyle style;
    style.title = std::string(kProductName);
    style.bounds =
        Rect::fromBounds(0, 0, SettingsWindow::kClientSize.width, SettingsWindow::kClientSize.height);
    return style;
}

void colourButton(GradientButton& button, Colour face, Colour hover, Colour pressed) {
    applyFlatLook(button, FlatButtonLook{face, hover, pressed, kWhite});
}

} // namespace

SettingsWindow::SettingsWindow(const SettingsWindowServices& services)
    : Form(services.host, "WMHot", windowStyle()), services_(services), schemes_(services.files) {
    root().setBounds(Rect::fromBounds(0, 0, kClientSize.width, kClientSize.height));
    root().setColour(kBackground);
    buildTitle();
    buildColumn();
    buildPages();
    buildBottomRow();
    loadSettings();
    appliedSchemeIndex_ = schemes_.index();
    report(schemes_.restoreChooser());
    showPage(GridsPageIndex);
    pageChanged();
}

SettingsWindow::~SettingsWindow() = default;

void SettingsWindow::buildTitle() {
    const dialog_chrome::TitleStrip strip = dialog_chrome::addTitleStrip(
        *this, kClientSize.width, " Cellaro -  Settings", "Xclose", kCloseButtonSize);
    titlePanel_ = strip.panel;
    closeButton_ = strip.closeButton;
    closeButton_->onClick = [this] { cancel(); };
}

// The close button's picture, drawn for the scale the window is shown at.
void SettingsWindow::scaleChanged() {
    dialog_chrome::closeGlyphChanged(*this, *closeButton_);
}

void SettingsWindow::buildColumn() {
    column_ = &root().add<GradientPanel>("PLeft");
    column_->setBounds(Rect{0, kTitleHeight, kColumnWidth, kClientSize.height});
    column_->setColour(kColumnColour);
    column_->setDragsWindow(true);
    auto& heading = column_->add<Label>("LSettings");
    heading.setBounds(Rect::fromBounds(14, 20, kColumnWidth - 14, 24));
    heading.setFont(dialog_chrome::bold(heading.font(), 18));
    heading.setFontColour(kWhite);
    heading.setText("Settings");

    for (std::size_t index = 0; index < kPageButtons.size(); ++index) {
        const PageButtonSpec& spec = kPageButtons.at(index);
        auto& button = column_->add<GradientButton>(std::string(spec.name));
        button.setBounds(Rect::fromBounds(0, kPageButtonTop + static_cast<int>(index) * kPageButtonStep,
                                          kColumnWidth, kPageButtonHeight));
        button.setCaption(std::string(spec.caption));
        colourButton(button, kColumnButton, kColumnButtonHover, kColumnButtonHover);
        const int page = spec.page;
        if (page == FullScreenGridPageIndex) {
            button.onClick = [this] { refreshGridPage(); };
        } else {
            button.onClick = [this, page] { showPage(page); };
        }
        pageButtons_.at(static_cast<std::size_t>(page)) = &button;
    }
    // Above the page buttons, so it covers the one of the page shown.
    marker_ = &column_->add<GradientButton>("XiMarker");
    colourButton(*marker_, kMarkerColour, kMarkerColour, kMarkerColour);
    marker_->setFont(dialog_chrome::bold(marker_->font()));
    // It only marks the page shown: the page buttons under it are the ones Tab and screen readers see.
    marker_->setTabStop(false);
    marker_->setAccessibleRole(AccessibleRole::None);
    // The marker covers the button of the page shown; a click on it does what that button does.
    marker_->onClick = [this] {
        // As a click on the page's own button, the keyboard goes to it.
        setFocus(pageButtons_.at(static_cast<std::size_t>(notebook_->activePage())));
        if (notebook_->activePage() == FullScreenGridPageIndex) {
            refreshGridPage();
        }
    };
}

void SettingsWindow::buildPages() {
    notebook_ = &root().add<Notebook>("Nbook");
    notebook_->setBounds(
        Rect{kColumnWidth, kTitleHeight, kClientSize.width, kClientSize.height - kBottomRowHeight});
    std::array<Page*, 4> pages{};
    constexpr std::array<std::string_view, 4> kPageNames{"PShortcuts", "PGrids", "PFullScreenGrid",
                                                         "PSetWindow"};
    for (std::size_t index = 0; index < pages.size(); ++index) {
        Page& page = notebook_->addPage(std::string(kPageNames.at(index)));
        page.setColour(kBackground);
        pages.at(index) = &page;
    }
    shortcutsPage_ = std::make_unique<ShortcutsPage>(*pages[ShortcutsPageIndex], services_.shortcuts);
    for (const ShortcutEntry& entry : kShortcutTable) {
        ShortcutEdit& editor = shortcutsPage_->editor(entry.number);
        editor.onFocusEnter = [this] { suspendShortcutsWhileEditing(); };
        editor.onFocusLeave = [this] { suspendShortcutsWhileEditing(); };
    }
    gridsPage_ = std::make_unique<GridsPage>(*pages[GridsPageIndex], schemes_, services_.shell,
                                             services_.loop, services_.reportError);
    fullScreenGridPage_ =
        std::make_unique<FullScreenGridPage>(*pages[FullScreenGridPageIndex], services_.loop);
    setWindowPage_ = std::make_unique<SetWindowPage>(*pages[SetWindowPageIndex], services_.loop);
    for (const int index : {ShortcutsPageIndex, GridsPageIndex, FullScreenGridPageIndex}) {
        pageDrag_.attach(*this, *pages.at(static_cast<std::size_t>(index)));
    }

    gridsPage_->onCountsChanged = [this] {
        if (services_.cellCountsChanged) {
            services_.cellCountsChanged(gridsPage_->across(), gridsPage_->down());
        }
    };
    fullScreenGridPage_->slider().onChange = [this] { refreshGridPage(); };
    setWindowPage_->slider().onChange = [this] { refreshWindowPage(); };
    setWindowPage_->colourButton().onClick = [this] { choosePreviewColour(); };
    notebook_->onPageChanged = [this] { pageChanged(); };
}

void SettingsWindow::buildBottomRow() {
    bottomRow_ = &root().add<GradientPanel>("PBottom");
    bottomRow_->setBounds(
        Rect{kColumnWidth, kClientSize.height - kBottomRowHeight, kClientSize.width, kClientSize.height});
    bottomRow_->setColour(kBackground);
    bottomRow_->setDragsWindow(true);
    const int width = kClientSize.width - kColumnWidth;
    const auto add = [this](const char* name, Rect bounds, const char* caption) -> GradientButton& {
        auto& button = bottomRow_->add<GradientButton>(name);
        button.setBounds(bounds);
        button.setCaption(caption);
        colourButton(button, kBarButton, kBarButtonHover, kBarButtonPressed);
        return button;
    };
    resetButton_ = &add("XiReset", Rect::fromBounds(24, 10, 100, 25), "Reset all");
    resetButton_->onClick = [this] { resetAll(); };
    resetWarningButton_ =
        &add("XiResetMessage", Rect::fromBounds(134, 10, 170, 25), " Reset  warning message");
    resetWarningButton_->onClick = [this] { resetWarning(); };
    printButton_ = &add("XiPrint", Rect::fromBounds(24, 10, 120, 25), "Print shortcuts");
    printButton_->onClick = [this] {
        if (services_.printShortcuts) {
            services_.printShortcuts();
        }
    };
    add("XICancel", Rect::fromBounds(width - 200, 10, 85, 25), "Cancel").onClick = [this] { cancel(); };
    add("XiButton4", Rect::fromBounds(width - 105, 10, 85, 25), "OK").onClick = [this] { ok(); };
}

void SettingsWindow::loadSettings() {
    const SettingsModel& settings = services_.settings;
    setWindowPage_->slider().setPosition(settings.windowTransparency());
    fullScreenGridPage_->slider().setPosition(settings.gridTransparency());
    pendingTransparency_ = kTransparencyOpaque - setWindowPage_->slider().position();
    schemes_.loadIndex(settings.schemeIndex());
    gridsPage_->showScheme();
    gridsPage_->setAutoHide(settings.autoHide());
    services_.shortcuts.load(settings);
    shortcutsPage_->showShortcuts();
}

void SettingsWindow::settingsRead() {
    if (visible()) {
        reload_ = true;
        return;
    }
    loadSettings();
    appliedSchemeIndex_ = schemes_.index();
}

void SettingsWindow::report(const std::optional<std::string>& error) const {
    if (error && services_.reportError) {
        services_.reportError(*error);
    }
}

void SettingsWindow::centre() {
    const Monitor monitor = primaryMonitor(services_.desktop.monitors());
    const Rect now = bounds();
    setBounds(Rect::fromBounds(monitor.bounds.left + (monitor.bounds.width() - now.width()) / 2,
                               monitor.bounds.top + (monitor.bounds.height() - now.height()) / 2, now.width(),
                               now.height()));
}

void SettingsWindow::open(bool workingWindowWasVisible) {
    const SettingsModel& settings = services_.settings;
    schemes_.showApplied(settings.colours(), appliedSchemeIndex_);
    gridsPage_->setCounts(settings.columns(), settings.rows());
    gridsPage_->showScheme();
    if (workingWindowWasVisible) {
        reload_ = true;
    }
    snapshot_ = Bitmap{};
    if (services_.snapshot) {
        if (std::optional<Bitmap> picture = services_.snapshot()) {
            snapshot_ = std::move(*picture);
            snapshot_.stretch(kSnapshotSize.width, kSnapshotSize.height);
        }
    }
    showPage(GridsPageIndex);
    centre();
    show(true);
}

void SettingsWindow::suspendShortcutsWhileEditing() {
    const Widget* editor = focused();
    const bool editing = visible() && active() && editor != nullptr && editor->canTakeFocus() &&
                         dynamic_cast<const ShortcutEdit*>(editor) != nullptr;
    services_.shortcuts.setSuspended(editing);
}

void SettingsWindow::deactivated() {
    suspendShortcutsWhileEditing();
}

// FormActivate
void SettingsWindow::activated() {
    showPage(GridsPageIndex);
    services_.session.dialogActivated(Session::Dialog::Settings);
    showSnapshot();
    window().setTitle(std::string(kProductName));
    if (services_.activating) {
        services_.activating();
    }
    pageDrag_.end();
    const Rect button = closeButton_->bounds();
    closeButton_->setBounds(Rect::fromBounds(kClientSize.width - kCloseButtonGap - button.width(), button.top,
                                             button.width(), button.height()));
    if (reload_) {
        // The file's values, whatever this run did to them; an unreadable file leaves them as they are.
        static_cast<void>(
            services_.settings.reloadFromFile({Setting::WindowTransparency, Setting::GridTransparency,
                                               Setting::SchemeIndex, Setting::AutoHide, Setting::Shortcuts}));
        loadSettings();
        reload_ = false;
    }
    gridsPage_->redrawPreview();
    gridsPage_->setAutoHide(gridsPage_->autoHide());
    shortcutsPage_->refreshMarks();
    suspendShortcutsWhileEditing();
    refreshWindowPage();
    showPage(GridsPageIndex);
    gridsPage_->rowsEditor().focus();
}

void SettingsWindow::showSnapshot() {
    fullScreenGridPage_->setSnapshot(snapshot_);
    setWindowPage_->setSnapshot(snapshot_);
}

void SettingsWindow::showPage(int index) {
    notebook_->setActivePage(index);
}

// NbookPageChanged
void SettingsWindow::pageChanged() {
    const int page = notebook_->activePage();
    resetButton_->setVisible(page == GridsPageIndex);
    resetWarningButton_->setVisible(page == GridsPageIndex);
    printButton_->setVisible(page == ShortcutsPageIndex);
    if (page < 0) {
        marker_->setVisible(false);
        return;
    }
    const GradientButton& button = *pageButtons_.at(static_cast<std::size_t>(page));
    marker_->setBounds(button.bounds());
    marker_->setCaption(button.caption());
    marker_->setVisible(true);
}

// OsveziMrezo
void SettingsWindow::refreshGridPage() {
    FullScreenGridPage& page = *fullScreenGridPage_;
    const int position = page.slider().position();
    // The grid's opacity follows at once (position 0 counting as 1); Cancel doesn't undo it, and only
    // OK writes it.
    services_.settings.setGridOpacityPosition(position <= 0 ? 1 : position);
    showPage(FullScreenGridPageIndex);
    page.show(schemes_.fields().gridBackground, services_.settings.colours().grid);
}

// xtrChange
void SettingsWindow::refreshWindowPage() {
    setWindowPage_->show();
    pendingTransparency_ = kTransparencyOpaque - setWindowPage_->slider().position();
}

void SettingsWindow::choosePreviewColour() {
    const ColourChooserState& start = schemes_.chooser();
    ColourChoice choice{start.colour, start.customColours};
    const bool confirmed = services_.shell.chooseColour(choice);
    const ColourChooserState dialog{choice.colour, choice.customColours};
    if (!confirmed) {
        schemes_.colourChoiceCancelled(dialog);
        return;
    }
    schemes_.chooserConfirmed(dialog);
    setWindowPage_->setMockUpColour(dialog.colour);
}

// XiButton4Click
void SettingsWindow::ok() {
    // A number typed into a count editor counts, although the editor still has the focus.
    gridsPage_->commitEditors();
    SettingsModel& settings = services_.settings;
    appliedSchemeIndex_ = schemes_.index();
    settings.setSchemeIndex(appliedSchemeIndex_);
    settings.setColours(schemes_.fields());
    if (services_.previewRectangleColour) {
        services_.previewRectangleColour(schemes_.chooser().colour);
    }
    settings.setGridSize(gridsPage_->across(), gridsPage_->down());
    services_.shortcuts.apply([this](int number) { return shortcutsPage_->value(number); }, settings);
    settings.setWindowTransparency(kTransparencyOpaque - pendingTransparency_);
    settings.setGridTransparency(fullScreenGridPage_->slider().position());
    settings.setAutoHide(gridsPage_->autoHide());
    gridsPage_->setAutoHide(gridsPage_->autoHide());

    const FileWriteResult saved =
        settings.persist({Setting::AutoHide, Setting::WindowTransparency, Setting::GridTransparency,
                          Setting::SchemeIndex, Setting::Colours, Setting::GridSize, Setting::Shortcuts});
    // Applied either way: what could not be saved stays in force for this run.
    if (services_.applied) {
        services_.applied();
    }
    shortcutsPage_->refreshMarks();
    if (!saved.ok) {
        // The window stays open with the user's choices in it, to try again or to cancel.
        report(saved.error);
        return;
    }
    close();
}

// XICancelClick, XcloseClick, Escape: nothing is applied.
void SettingsWindow::cancel() {
    close();
}

// Enter is OK and Escape Cancel, wherever the focus is (a focused button or shortcut editor has
// taken the keys it uses before they come here).
void SettingsWindow::keyDown(int virtualKey, KeyModifiers modifiers) {
    if (virtualKey == vk::kEscape) {
        cancel();
    } else if (virtualKey == vk::kEnter && !modifiers.any()) {
        ok();
    }
}

// Before the window goes.
bool SettingsWindow::closeQuery() {
    // A close of the hidden window (at the program's end, say) has nothing to put back.
    closingShown_ = visible();
    if (!closingShown_) {
        return true;
    }
    if (const FileWriteResult saved = schemes_.saveChooser(); !saved.ok) {
        report(saved.error);
    }
    if (services_.closing) {
        services_.closing();
    }
    window().setTitle("   ");
    services_.shortcuts.setSuspended(false);
    services_.session.dialogClosing();
    return true;
}

void SettingsWindow::closed() {
    if (closingShown_ && services_.closed) {
        services_.closed();
    }
}

// XiResetClick
void SettingsWindow::resetAll() {
    if (services_.shell.ask(std::string(kResetQuestion), std::string(kProductName), MessageBoxButtons::YesNo,
                            MessageBoxIcon::Warning, MessageBoxDefault::Second) != MessageBoxResult::Yes) {
        return;
    }
    SettingsModel& settings = services_.settings;
    schemes_.resetFields();
    gridsPage_->setCounts(kResetCount, kResetCount);
    gridsPage_->showScheme();

    // The defaults are the settings from now on, as after an OK: the working window shows them, the
    // next opening shows them, and Cancel does not bring the old ones back. The scheme index goes
    // with the colours, so that the label never names a scheme whose colours are gone. The file is
    // written before the saved schemes are deleted: a reset that can't be saved deletes nothing.
    appliedSchemeIndex_ = schemes_.index();
    settings.setSchemeIndex(appliedSchemeIndex_);
    settings.setColours(BoardColours{});
    settings.setGridSize(kResetCount, kResetCount);
    settings.setGridTransparency(kResetGridTransparency);
    const FileWriteResult saved = settings.persist(
        {Setting::Colours, Setting::GridSize, Setting::GridTransparency, Setting::SchemeIndex});
    if (services_.applied) {
        services_.applied();
    }
    if (!saved.ok) {
        report(saved.error);
        return;
    }
    report(schemes_.deleteSavedSchemes().error);
    fullScreenGridPage_->slider().setPosition(kResetGridTransparency);
    settings.setGridOpacityPosition(kResetGridTransparency);
    settings.setWindowTransparency(setWindowPage_->slider().position());
    showPage(GridsPageIndex);
}

// XiResetMessageClick: only in memory; the tray form's close writes it.
void SettingsWindow::resetWarning() {
    services_.settings.setSkipKillConfirmation(false);
    services_.shell.beep(MessageBoxIcon::Information);
    services_.shell.messageBox(std::string(kWarningResetText), std::string(kProductName),
                               MessageBoxButtons::Ok, MessageBoxIcon::Information);
}

} // namespace cellaro
