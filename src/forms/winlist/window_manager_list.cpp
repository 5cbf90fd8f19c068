// The window manager list: layout, the rebuild of its rows, opening and closing, and the actions of
// its rows and bottom bar.
#include "forms/winlist/window_manager_list.h"

#include "config/settings.h"
#include "core/monitors.h"
#include "core/product.h"
#include "core/scoped_flag.h"
#include "forms/dialog_chrome.h"
#include "logic/kill_command.h"
#include "logic/pictures.h"
#include "logic/session.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/shell.h"
#include "platform/virtual_keys.h"
#include "widgets/check_box.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/panel.h"
#include "widgets/scroll_box.h"

#include <cstddef>
#include <string_view>
#include <utility>

namespace cellaro {

namespace {

using dialog_chrome::kWhite;
constexpr Colour kBlack{0x000000};
constexpr Colour kCaptionText{0x36291F};
constexpr Colour kCaptionBack{0x9CEBFE};
constexpr Colour kGreyText{0x808080};
constexpr Colour kBarButtonDisabled{0xEEEEEE};
constexpr Size kCloseButtonSize{30, 30};
constexpr int kIconSize = 32;

struct BarButtonSpec {
    std::string_view name;
    Rect bounds;
    std::string_view caption;
};

constexpr std::array<BarButtonSpec, 5> kBarButtons{{
    {"XiButton1", Rect::fromBounds(5, 8, 108, 25), "Refresh"},
    {"xiunselect", Rect::fromBounds(125, 8, 108, 25), "Unselect all"},
    {"XBRefresh", Rect::fromBounds(245, 8, 108, 25), "Invert selection"},
    {"XBClose", Rect::fromBounds(584, 8, 129, 25), "Close selected windows"},
    {"xiOKefdcxz", Rect::fromBounds(741, 8, 75, 25), "Close"},
}};

NativeWindowStyle dialogStyle() {
    NativeWindowStyle style;
    style.title = std::string(kProductName);
    style.bounds =
        Rect::fromBounds(0, 0, WindowManagerList::kClientSize.width, WindowManagerList::kClientSize.height);
    style.topmost = true;
    return style;
}

void colourBarButton(GradientButton& button) {
    FlatButtonLook look = dialog_chrome::kBarButtonLook;
    look.disabled = kBarButtonDisabled;
    look.disabledText = kGreyText;
    applyFlatLook(button, look);
}

} // namespace

WindowManagerList::WindowManagerList(const WindowManagerListServices& services)
    : Form(services.host, "WMFselectWindow", dialogStyle()), services_(services) {
    root().setBounds(Rect::fromBounds(0, 0, kClientSize.width, kClientSize.height));
    root().setColour(kBackground);
    root().setFontColour(kWhite);
    actions_.toggleSelection = [this](int index) { toggleSelection(index); };
    actions_.setGroup = [this](int index, int group, bool member) { setGroup(index, group, member); };
    actions_.closeWindow = [this](int index) { closeWindow(index); };
    actions_.openFileLocation = [this](int index) { openFileLocation(index); };
    buildTitle();
    buildHeader();
    listPanel_ = &root().add<Panel>("Panel3");
    listPanel_->setBounds(
        Rect{0, kTitleHeight + kHeaderHeight, kClientSize.width, kClientSize.height - kBottomBarHeight});
    listPanel_->setColour(kWhite);
    buildBottomBar();
    drawPictures();
}

WindowManagerList::~WindowManagerList() = default;

void WindowManagerList::buildTitle() {
    const dialog_chrome::TitleStrip strip = dialog_chrome::addTitleStrip(
        *this, kClientSize.width, " Cellaro -  Manage windows", "xClose", kCloseButtonSize);
    titlePanel_ = strip.panel;
    closeButton_ = strip.closeButton;
    closeButton_->onClick = [this] { close(); };
}

void WindowManagerList::buildHeader() {
    header_ = &root().add<Panel>("Panel1");
    header_->setBounds(Rect::fromBounds(0, kTitleHeight, kClientSize.width, kHeaderHeight));
    header_->setColour(kWhite);

    auto& groups = header_->add<Label>("Label1");
    groups.setBounds(Rect::fromBounds(8, 8, 60, 14));
    groups.setFont(dialog_chrome::bold(groups.font()));
    groups.setFontColour(kBlack);
    groups.setText("Groups");

    for (int group = 0; group < kGroupCount; ++group) {
        const auto slot = static_cast<std::size_t>(group);
        auto& caption = header_->add<Label>("Label" + std::to_string(group + 2));
        caption.setBounds(Rect::fromBounds(WindowRow::kGroupBoxLeft.at(slot), 28, 15, 13));
        caption.setAlignment(TextAlign::Centre);
        caption.setVerticalCentre(true);
        caption.setFont(dialog_chrome::bold(caption.font(), 13));
        caption.setFontColour(kCaptionText);
        caption.setTransparent(false);
        caption.setColour(kCaptionBack);
        caption.setText(std::string(1, kGroupLetters.at(slot)));
    }

    headerCaptions_ = &header_->add<Panel>("Panel2");
    headerCaptions_->setBounds(Rect::fromBounds(kClientSize.width - kHeaderCaptionsFromRight, 6, 120, 29));
    headerCaptions_->setColour(kWhite);
    // Each caption stands centred over its column's buttons (the open-location buttons' middle is
    // at 49 of this panel, the close buttons' at 99), in two lines.
    const auto addCaption = [this](const char* name, int left, int width, const char* text) {
        auto& label = headerCaptions_->add<Label>(name);
        label.setBounds(Rect::fromBounds(left, 0, width, 29));
        label.setFontColour(kGreyText);
        label.setWordWrap(true);
        label.setAlignment(TextAlign::Centre);
        label.setText(text);
    };
    addCaption("Label7", 14, 64, "Open file location");
    addCaption("Label6", 78, 42, "Kill Process");

    // The row buttons' pictures, kept with the layout.
    closePicture_ = &header_->add<Image>("image3");
    closePicture_->setVisible(false);
    folderPicture_ = &header_->add<Image>("Image1");
    folderPicture_->setVisible(false);
}

void WindowManagerList::drawPictures() {
    const int dpi = scale().dpi;
    closeButton_->setGlyph(drawGlyph(Glyph::Close, PictureSet::DarkBackground, dpi), kPictureTransparent);
    closePicture_->setPicture(rowClosePicture(dpi));
    folderPicture_->setPicture(rowFolderPicture(dpi));
}

// Rows made from now on take the new pictures; the icons of the rows shown are drawn again at the
// next build.
void WindowManagerList::scaleChanged() {
    drawPictures();
}

void WindowManagerList::buildBottomBar() {
    auto& bar = root().add<Panel>("Panel10");
    bar.setBounds(
        Rect::fromBounds(0, kClientSize.height - kBottomBarHeight, kClientSize.width, kBottomBarHeight));
    bar.setColour(kBackground);
    std::array<GradientButton*, kBarButtons.size()> buttons{};
    for (std::size_t i = 0; i < kBarButtons.size(); ++i) {
        const BarButtonSpec& spec = kBarButtons.at(i);
        auto& button = bar.add<GradientButton>(std::string(spec.name));
        button.setBounds(spec.bounds);
        button.setCaption(std::string(spec.caption));
        colourBarButton(button);
        buttons.at(i) = &button;
    }
    buttons[0]->onClick = [this] { refresh(); };
    buttons[1]->onClick = [this] { unselectAll(); };
    buttons[2]->onClick = [this] { invertSelection(); };
    buttons[3]->onClick = [this] { closeSelectedWindows(); };
    buttons[4]->onClick = [this] { close(); };
}

void WindowManagerList::shown() {
    if (centred_) {
        return;
    }
    // Centred on the primary monitor the first time it shows; where the user drags it, it stays.
    centred_ = true;
    const Monitor monitor = primaryMonitor(services_.desktop.monitors());
    const Rect now = bounds();
    setBounds(Rect::fromBounds(monitor.bounds.left + (monitor.bounds.width() - now.width()) / 2,
                               monitor.bounds.top + (monitor.bounds.height() - now.height()) / 2, now.width(),
                               now.height()));
}

// FormActivate
void WindowManagerList::activated() {
    if (services_.activating) {
        services_.activating();
    }
    if (busy_) {
        return; // back from an action's own dialog: the action decides what to rebuild
    }
    if (services_.desktop.foregroundWindow() != id()) {
        services_.desktop.setForeground(id());
    }
    if (!rebuild_) {
        refresh();
        return;
    }
    // The first activation after opening builds the list once. A Refresh after it would snapshot
    // the marks this build carried over and build the same rows again, so it is left out.
    services_.session.dialogActivated(Session::Dialog::WindowList);
    const Rect button = closeButton_->bounds();
    closeButton_->setBounds(Rect::fromBounds(titlePanel_->bounds().width() - button.width(), button.top,
                                             button.width(), button.height()));
    currentRow_ = 0;
    keyboardRow_ = -1;
    if (buildRows() > 0) {
        rebuild_ = false;
    }
}

// Refresh
void WindowManagerList::refresh() {
    services_.list.snapshot();
    buildRows();
}

int WindowManagerList::buildRows() {
    currentRow_ = 0;
    keyboardRow_ = -1;
    destroyRows();
    ++generation_;
    scrollBox_ = &listPanel_->add<ScrollBox>("ScrollBox1");
    scrollBox_->setBounds(
        Rect::fromBounds(0, 0, listPanel_->bounds().width(), listPanel_->bounds().height()));
    // Hidden while the rows are made, so they are stacked and laid out once.
    scrollBox_->setVisible(false);
    const int count = services_.list.build();
    const RowPictures pictures{closePicture_->picture(), folderPicture_->picture()};
    rows_.resize(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        const WindowEntry& entry = services_.list.entry(index);
        if (!entry.listed) {
            continue;
        }
        rows_[static_cast<std::size_t>(index)] = std::make_unique<WindowRow>(
            scrollBox_->content(), index, contentOf(entry), entry.marks, pictures, actions_);
    }
    scrollBox_->setVisible(true);
    scrollBox_->stackRows();
    layOutRightSide();
    return count;
}

RowContent WindowManagerList::contentOf(const WindowEntry& entry) const {
    const Desktop& desktop = services_.desktop;
    const WindowId window = entry.window();
    RowContent content;
    content.title = entry.title;
    content.state = stateText(desktop.placement(window), desktop.windowRect(window));
    const int size = scale().physical(kIconSize);
    // A hung window is not asked for its icon: its file's icon stands in.
    std::optional<Bitmap> icon;
    if (!desktop.isHung(window)) {
        icon = desktop.bigIcon(window, size, kWhite);
    }
    if (!icon) {
        const std::string path = desktop.executablePath(window);
        if (!path.empty()) {
            icon = desktop.fileIcon(path, size, kWhite);
        }
    }
    if (icon) {
        content.icon = std::move(*icon);
    }
    return content;
}

void WindowManagerList::destroyRows() {
    rows_.clear();
    if (scrollBox_ != nullptr) {
        listPanel_->removeChild(*scrollBox_);
        scrollBox_ = nullptr;
    }
}

void WindowManagerList::layOutRightSide() {
    if (scrollBox_ == nullptr) {
        return;
    }
    const int width = scrollBox_->clientWidth();
    for (const auto& row : rows_) {
        if (row) {
            row->layOut(width);
        }
    }
    const Rect captions = headerCaptions_->bounds();
    headerCaptions_->setBounds(Rect::fromBounds(width - kHeaderCaptionsFromRight, captions.top,
                                                captions.width(), captions.height()));
}

const WindowRow* WindowManagerList::row(int index) const {
    if (index < 0 || index >= rowCount()) {
        return nullptr;
    }
    return rows_[static_cast<std::size_t>(index)].get();
}

WindowRow* WindowManagerList::takeRow(int index) {
    if (index < 0 || index >= rowCount() || !rows_[static_cast<std::size_t>(index)]) {
        return nullptr;
    }
    currentRow_ = index;
    return rows_[static_cast<std::size_t>(index)].get();
}

void WindowManagerList::toggleSelection(int index) {
    if (takeRow(index) != nullptr) {
        WindowMarks& marks = services_.list.entry(index).marks;
        marks.selected = !marks.selected;
    }
}

void WindowManagerList::setGroup(int index, int group, bool member) {
    WindowRow* target = takeRow(index);
    if (target == nullptr || group < 0 || group >= kGroupCount) {
        return;
    }
    target->groupBox(group).setChecked(member);
    services_.list.entry(index).marks.groups.at(static_cast<std::size_t>(group)) = member;
}

// ZapriOknoClick
void WindowManagerList::closeWindow(int index) {
    if (busy_ || takeRow(index) == nullptr) {
        return;
    }
    const ScopedFlag scope(busy_);
    // The window is read before any question: while one shows, the rows may be made again.
    const WindowId window = services_.list.entry(index).window();
    const unsigned generation = generation_;
    if (!confirmKill(services_.shell, services_.settings, windowCloseConfirmationText(),
                     services_.writeSkipFlag)) {
        return;
    }
    services_.desktop.requestClose(window);
    services_.loop.processPendingMessages();
    if (generation != generation_ || scrollBox_ == nullptr) {
        return; // the rows were made again meanwhile (or the dialog closed)
    }
    rows_[static_cast<std::size_t>(index)]->panel().setVisible(false);
    scrollBox_->stackRows();
    layOutRightSide();
}

// MinimizeOknoClick
void WindowManagerList::openFileLocation(int index) {
    if (takeRow(index) == nullptr) {
        return;
    }
    const std::string path = services_.desktop.executablePath(services_.list.entry(index).window());
    if (!path.empty()) {
        services_.shell.openFolderAndSelect(path);
    }
}

// XBCloseClick
void WindowManagerList::closeSelectedWindows() {
    if (busy_) {
        return;
    }
    {
        const ScopedFlag scope(busy_);
        const MessageBoxResult answer =
            services_.shell.ask("Close selected windows?", std::string(kProductName),
                                MessageBoxButtons::YesNo, MessageBoxIcon::Warning, MessageBoxDefault::Second);
        if (answer != MessageBoxResult::Yes) {
            return;
        }
        const unsigned generation = generation_;
        for (std::size_t index = 0; index < rows_.size(); ++index) {
            if (generation != generation_) {
                break; // the rows were made again meanwhile: Refresh below lists what is left
            }
            if (!rows_[index]) {
                continue;
            }
            const WindowEntry& entry = services_.list.entry(static_cast<int>(index));
            if (entry.marks.selected) {
                services_.desktop.requestClose(entry.window());
                services_.loop.processPendingMessages();
            }
        }
    }
    if (scrollBox_ != nullptr) {
        refresh(); // unless the dialog closed meanwhile
    }
}

// XBRefreshClick
void WindowManagerList::invertSelection() {
    for (const auto& row : rows_) {
        if (!row) {
            continue;
        }
        WindowMarks& marks = services_.list.entry(row->index()).marks;
        for (int group = 0; group < kGroupCount; ++group) {
            CheckBox& box = row->groupBox(group);
            box.setChecked(!box.checked());
            marks.groups.at(static_cast<std::size_t>(group)) = box.checked();
        }
    }
}

// xiunselectClick
void WindowManagerList::unselectAll() {
    for (const auto& row : rows_) {
        if (!row) {
            continue;
        }
        WindowMarks& marks = services_.list.entry(row->index()).marks;
        for (int group = 0; group < kGroupCount; ++group) {
            row->groupBox(group).setChecked(false);
            marks.groups.at(static_cast<std::size_t>(group)) = false;
        }
    }
}

// FormCloseQuery
bool WindowManagerList::closeQuery() {
    if (services_.closing) {
        services_.closing();
    }
    return true;
}

// FormClose
void WindowManagerList::closed() {
    rebuild_ = true;
    services_.list.snapshot();
    const std::array<std::string, kGroupCount> texts = services_.list.memberTexts();
    if (scrollBox_ != nullptr) {
        destroyRows();
        services_.list.discardRowTexts();
        services_.session.dialogClosing();
    }
    ++generation_;
    if (services_.closed) {
        services_.closed(texts);
    }
}

void WindowManagerList::keyDown(int virtualKey, KeyModifiers modifiers) {
    if (virtualKey == kVirtualKeyEscape) {
        close();
        return;
    }
    if (modifiers.ctrl) {
        return;
    }
    if (virtualKey == vk::kUp || virtualKey == vk::kDown) {
        if (moveKeyboardRow(virtualKey == vk::kDown ? 1 : -1)) {
            // Space now acts on the row rather than on a focused button.
            setFocus(nullptr);
        }
        return;
    }
    if (!rowShown(keyboardRow_)) {
        return;
    }
    if (virtualKey == vk::kSpace) {
        toggleSelection(keyboardRow_);
        return;
    }
    const int digit = vk::digitOf(virtualKey);
    if (digit >= 1 && digit <= kGroupCount) {
        const int group = digit - 1;
        setGroup(keyboardRow_, group,
                 !rows_[static_cast<std::size_t>(keyboardRow_)]->groupBox(group).checked());
    }
}

bool WindowManagerList::rowShown(int index) const {
    const WindowRow* shown = row(index);
    return shown != nullptr && shown->panel().visible();
}

bool WindowManagerList::moveKeyboardRow(int step) {
    int next = keyboardRow_ < 0 && step > 0 ? 0 : keyboardRow_ + step;
    while (next >= 0 && next < rowCount() && !rowShown(next)) {
        next += step;
    }
    if (!rowShown(next)) {
        return false;
    }
    if (rowShown(keyboardRow_)) {
        rows_[static_cast<std::size_t>(keyboardRow_)]->setKeyboardCurrent(false);
    }
    keyboardRow_ = next;
    const WindowRow& current = *rows_[static_cast<std::size_t>(next)];
    current.setKeyboardCurrent(true);
    if (scrollBox_ != nullptr) {
        const Rect at = current.panel().bounds();
        const int visibleHeight = scrollBox_->bounds().height();
        if (at.top < scrollBox_->position()) {
            scrollBox_->scrollTo(at.top);
        } else if (at.bottom > scrollBox_->position() + visibleHeight) {
            scrollBox_->scrollTo(at.bottom - visibleHeight);
        }
    }
    return true;
}

} // namespace cellaro
