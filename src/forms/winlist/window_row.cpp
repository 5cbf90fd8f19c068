// The rows of the window manager list: their parts, texts, pictures and layout.
#include "forms/winlist/window_row.h"

#include "logic/pictures.h"
#include "widgets/button_look.h"
#include "widgets/check_box.h"
#include "widgets/gradient_button.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/panel.h"

#include <cstddef>
#include <utility>

namespace cellaro {

namespace {

constexpr Colour kWhite{0xFFFFFF};
constexpr int kRowPictureSize = 16;
constexpr int kIconLeft = 124;
constexpr int kIconTop = 8;
constexpr int kIconSize = 32;
constexpr int kTextLeft = 180;
constexpr int kTitleTop = 8;
constexpr int kStateTop = 28;
constexpr int kTextHeight = 14;
constexpr int kButtonTop = 12;
constexpr Size kButtonSize{30, 24};
constexpr int kBottomLineWidth = 430;
constexpr int kColumnLineHeight = 160;
constexpr int kColumnLineOffset = 20;
// Before the first layout the buttons stand where a row as wide as the dialog puts them.
constexpr int kDialogClientWidth = 836;
constexpr Colour kCloseHover{0x5A62FF};
constexpr Colour kClosePressed{0x8086FF};
constexpr Colour kOpenHover{0x2ABEFF};
constexpr Colour kOpenPressed{0x79D3FF};

std::string numbered(std::string_view prefix, int index) {
    std::string name(prefix);
    name += std::to_string(index);
    return name;
}

// A row button: white until hovered or pressed, a picture and no caption.
GradientButton& addRowButton(Panel& client, std::string name, int left, const Bitmap& picture, Colour hover,
                             Colour pressed) {
    auto& button = client.add<GradientButton>(std::move(name));
    button.setBounds(Rect::fromBounds(left, kButtonTop, kButtonSize.width, kButtonSize.height));
    applyFlatLook(button, FlatButtonLook{kWhite, hover, pressed});
    button.setGlyph(picture, kPictureTransparent);
    return button;
}

Label& addRowLabel(Panel& client, std::string name, int top, int width, Colour colour, bool bold) {
    auto& label = client.add<Label>(std::move(name));
    label.setBounds(Rect::fromBounds(kTextLeft, top, width, kTextHeight));
    label.setTransparent(false);
    label.setColour(kWhite);
    label.setFontColour(colour);
    label.setEndEllipsis(true);
    if (bold) {
        Font font = label.font();
        font.bold = true;
        label.setFont(font);
    }
    return label;
}

} // namespace

std::string stateText(const std::optional<WindowPlacement>& placement,
                      const std::optional<Rect>& windowRect) {
    const ShowState state = placement ? placement->state : ShowState::Normal;
    if (state == ShowState::Minimized) {
        return "Minimized";
    }
    const Rect rect = windowRect.value_or(Rect{});
    std::string text = state == ShowState::Maximized ? "Maximized" : "Normal";
    text += " ( ";
    text += std::to_string(rect.left);
    text += ", ";
    text += std::to_string(rect.top);
    text += ", ";
    text += std::to_string(rect.right);
    text += ", ";
    text += std::to_string(rect.bottom);
    text += " )";
    return text;
}

Bitmap rowClosePicture(int dpi) {
    ScaledPicture picture(kRowPictureSize, kPictureTransparent, dpi);
    const Colour ink = Colour::rgb(0x40, 0x40, 0x40);
    picture.line(Point{4, 4}, Point{11, 11}, 2, ink);
    picture.line(Point{11, 4}, Point{4, 11}, 2, ink);
    return std::move(picture).take();
}

Bitmap rowFolderPicture(int dpi) {
    ScaledPicture picture(kRowPictureSize, kPictureTransparent, dpi);
    const Colour edge = Colour::rgb(0xB0, 0x80, 0x20);
    const Colour body = Colour::rgb(0xFF, 0xCC, 0x50);
    const Colour back = Colour::rgb(0xE8, 0xB0, 0x38);
    // The tab, the back and the front of an open folder.
    picture.fill(Rect{1, 3, 7, 5}, edge);
    picture.fill(Rect{1, 4, 15, 14}, edge);
    picture.fill(Rect{2, 5, 14, 13}, back);
    picture.fill(Rect{2, 7, 14, 13}, body);
    picture.horizontalStroke(2, 14, 7, 1, edge);
    return std::move(picture).take();
}

WindowRow::WindowRow(Widget& parent, int index, RowContent content, const WindowMarks& marks,
                     const RowPictures& pictures, const RowActions& actions)
    : index_(index) {
    const RowActions* handlers = &actions;
    const auto toggle = [handlers, index] { handlers->toggleSelection(index); };

    // Created below the rows already there; the scroll box stacks them.
    panel_ = &parent.add<Panel>(numbered("panel106", index));
    panel_->setBounds(Rect::fromBounds(0, 0, kDialogClientWidth, kHeight));
    panel_->setColour(kWhite);
    panel_->setTag(index);
    panel_->onClick = toggle;

    auto& line = panel_->add<Panel>(numbered("crta106", index));
    line.setBounds(Rect::fromBounds(0, kHeight - 1, kBottomLineWidth, 1));
    line.setColour(kLineColour);
    line.setTag(index);

    client_ = &panel_->add<Panel>(numbered("panelImage106", index));
    client_->setBounds(Rect::fromBounds(0, 0, kDialogClientWidth, kHeight - 1));
    client_->setColour(kWhite);
    client_->setTag(index);
    client_->onClick = toggle;
    // Rows are reached by the arrow keys, not by Tab; a screen reader sees each as a list item.
    client_->setAccessibleRole(AccessibleRole::ListItem);
    client_->setAccessibleName(content.title);

    for (int group = 0; group < kGroupCount; ++group) {
        const auto slot = static_cast<std::size_t>(group);
        auto& box =
            client_->add<CheckBox>(numbered(std::string("box") + kGroupLetters.at(slot) + "106", index));
        box.setBounds(Rect::fromBounds(kGroupBoxLeft.at(slot), kGroupBoxTop, kGroupBoxSize, kGroupBoxSize));
        box.setColour(kWhite);
        box.setChecked(marks.groups.at(slot));
        box.setTag(index);
        CheckBox* self = &box;
        box.onChange = [handlers, index, group, self] { handlers->setGroup(index, group, self->checked()); };
        box.setTabStop(false);
        box.setAccessibleName(std::string("Group ") + kGroupLetters.at(slot));
        groups_.at(slot) = &box;
    }
    for (int group = 0; group < kGroupCount; ++group) {
        auto& column = client_->add<Panel>(numbered("crta" + std::to_string(group + 1) + "106", index));
        column.setBounds(Rect::fromBounds(
            kGroupBoxLeft.at(static_cast<std::size_t>(group)) + kColumnLineOffset, 0, 1, kColumnLineHeight));
        column.setColour(kLineColour);
        column.setTag(index);
    }

    icon_ = &client_->add<Image>(numbered("image106", index));
    icon_->setBounds(Rect::fromBounds(kIconLeft, kIconTop, kIconSize, kIconSize));
    icon_->setFit(ImageFit::Centre);
    icon_->setPicture(std::move(content.icon));
    icon_->setTag(index);
    icon_->onClick = toggle;

    title_ = &addRowLabel(*client_, numbered("label110", index), kTitleTop, kDialogClientWidth, kTitleColour,
                          true);
    title_->setHint(content.title);
    title_->setText(std::move(content.title));
    title_->setTag(index);
    title_->onClick = toggle;

    // The labels reach under the buttons: the buttons come after them, so they lie above.
    state_ = &addRowLabel(*client_, numbered("labelPOL110", index), kStateTop, kDialogClientWidth,
                          kStateColour, false);
    state_->setText(std::move(content.state));
    state_->setTag(index);
    state_->onClick = toggle;

    close_ = &addRowButton(*client_, numbered("ZapriOknol110", index), kDialogClientWidth - 60,
                           pictures.close, kCloseHover, kClosePressed);
    close_->setHint("Close");
    close_->setTag(index);
    close_->onClick = [handlers, index] { handlers->closeWindow(index); };
    close_->setTabStop(false);

    openLocation_ = &addRowButton(*client_, numbered("MinimizeOknol110", index), kDialogClientWidth - 130,
                                  pictures.folder, kOpenHover, kOpenPressed);
    openLocation_->setTag(index);
    openLocation_->onClick = [handlers, index] { handlers->openFileLocation(index); };
    openLocation_->setTabStop(false);
    openLocation_->setAccessibleName("Open file location");
}

void WindowRow::setKeyboardCurrent(bool current) const {
    client_->setBorderColour(current ? std::optional<Colour>(kKeyboardOutline) : std::nullopt);
}

CheckBox& WindowRow::groupBox(int group) const {
    return *groups_.at(static_cast<std::size_t>(group));
}

void WindowRow::layOut(int clientWidth) const {
    const Rect client = client_->bounds();
    client_->setBounds(Rect::fromBounds(client.left, client.top, clientWidth - 1, client.height()));
    const Rect close = close_->bounds();
    close_->setBounds(
        Rect::fromBounds(clientWidth - kCloseFromRight, close.top, close.width(), close.height()));
    const Rect open = openLocation_->bounds();
    openLocation_->setBounds(
        Rect::fromBounds(clientWidth - kOpenLocationFromRight, open.top, open.width(), open.height()));
}

} // namespace cellaro
