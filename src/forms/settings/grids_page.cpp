// The Grids page: layout, colour choices, presets and the preview.
#include "forms/settings/grids_page.h"

#include "core/product.h"
#include "forms/dialog_chrome.h"
#include "forms/settings/page_label.h"
#include "logic/schemes/scheme_presets.h"
#include "logic/schemes/scheme_preview.h"
#include "platform/shell.h"
#include "widgets/button_look.h"
#include "widgets/check_box.h"
#include "widgets/colour_field.h"
#include "widgets/gradient_button.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/notebook.h"
#include "widgets/panel.h"
#include "widgets/spin_edit.h"

#include <cstddef>
#include <string>
#include <utility>

namespace cellaro {

namespace {

constexpr Colour kBlack{0x000000};
constexpr Colour kGreyText{0x808080};
constexpr Colour kBoxFrame{0xC8C8C8};
constexpr Colour kSchemeButton{0x5E5E5E};
constexpr Colour kSchemeButtonHover{0x404040};
constexpr Colour kSaveButton{0xB26742};
constexpr Colour kSaveButtonHover{0x7D4829};

constexpr int kLeft = 24;
constexpr int kFieldsTop = 134;
constexpr int kFieldStep = 34;
constexpr int kFieldLeft = 200;
constexpr int kFieldSize = 28;
constexpr Point kPreviewAt{330, 110};
constexpr int kPreviewMargin = 10;
constexpr int kSchemeBoxTop = 340;
constexpr int kSchemeButtonWidth = 130;
constexpr int kSchemeButtonHeight = 28;
constexpr int kSchemeColumnStep = 170;
constexpr int kAutoHideTop = 480;

void colourButton(GradientButton& button, Colour face, Colour hover) {
    applyFlatLook(button, FlatButtonLook{face, hover, hover, Colour{0xFFFFFF}});
}

} // namespace

GridsPage::GridsPage(Page& page, ColourSchemeEditor& schemes, Shell& shell, EventLoop& loop,
                     ErrorReport reportError)
    : schemes_(schemes), shell_(shell), reportError_(std::move(reportError)) {
    addPageLabel(page, "Label1", Rect::fromBounds(kLeft, 20, 90, 16), "Rows");
    addPageLabel(page, "Label2", Rect::fromBounds(kLeft + 110, 20, 90, 16), "Columns");
    const auto addCount = [&](const char* name, int left) {
        auto& edit = page.add<SpinEdit>(name);
        edit.setBounds(Rect::fromBounds(left, 38, 80, SpinEdit::kPreferredHeight));
        edit.setRange(kMinimumCount, kMaximumCount);
        edit.setValue(6);
        edit.setEventLoop(loop);
        edit.onChange = [this] {
            redrawPreview();
            if (onCountsChanged) {
                onCountsChanged();
            }
        };
        return &edit;
    };
    rows_ = addCount("SEWXXX", kLeft);
    rows_->setAccessibleName("Rows");
    columns_ = addCount("SEHxxx", kLeft + 110);
    columns_->setAccessibleName("Columns");

    buildColours(page);
    buildSchemeBox(page);

    Label& autoHideLabel =
        addPageLabel(page, "Label9", Rect::fromBounds(kLeft, kAutoHideTop, 200, 16), "Auto-hide Cellaro");
    autoHideLabel.setFont(dialog_chrome::bold(autoHideLabel.font()));
    autoHide_ = &page.add<CheckBox>("CBAutoHide");
    autoHide_->setBounds(Rect::fromBounds(kLeft, kAutoHideTop + 22, 80, 18));
    autoHide_->setFontColour(kBlack);
    autoHide_->setColour(page.colour());
    autoHide_->onChange = [this] { setAutoHide(autoHide_->checked()); };
    // Its caption says the state; a screen reader hears what it is for.
    autoHide_->setAccessibleName("Auto-hide Cellaro");
    setAutoHide(false);
}

void GridsPage::buildColours(Page& page) {
    Label& hint = addPageLabel(page, "Label3", Rect::fromBounds(kLeft, 80, 280, 16), kColourFieldsHint);
    hint.setFontColour(kGreyText);
    schemeLabel_ =
        &addPageLabel(page, "LSchemeName", Rect::fromBounds(kLeft, 102, 300, 18), kInitialSchemeLabel);
    schemeLabel_->setFont(dialog_chrome::bold(schemeLabel_->font()));
    for (std::size_t index = 0; index < kColourFields.size(); ++index) {
        const ColourFieldInfo& info = kColourFields.at(index);
        const int top = kFieldsTop + static_cast<int>(index) * kFieldStep;
        Label& label = addPageLabel(page, std::string(info.control) + "Label",
                                    Rect::fromBounds(kLeft, top + 6, kFieldLeft - kLeft - 8, 16), info.label);
        auto& field = page.add<ColourField>(std::string(info.control));
        field.setBounds(Rect::fromBounds(kFieldLeft, top, kFieldSize, kFieldSize));
        const SchemeColour colour = info.field;
        field.onClick = [this, colour] { chooseColour(colour); };
        field.setAccessibleName(std::string(info.label));
        label.onClick = field.onClick;
        fields_.at(index) = &field;
    }
    previewPanel_ = &page.add<Panel>("Panel11");
    previewPanel_->setBounds(Rect::fromBounds(kPreviewAt.x, kPreviewAt.y,
                                              kSchemePreviewSize.width + 2 * kPreviewMargin,
                                              kSchemePreviewSize.height + 2 * kPreviewMargin));
    preview_ = &previewPanel_->add<Image>("PrewMreza");
    preview_->setBounds(Rect::fromBounds(kPreviewMargin, kPreviewMargin, kSchemePreviewSize.width,
                                         kSchemePreviewSize.height));
    preview_->setFit(ImageFit::Stretch);
}

void GridsPage::buildSchemeBox(Page& page) {
    auto& box = page.add<Panel>("GroupBox7");
    box.setBounds(Rect::fromBounds(kLeft, kSchemeBoxTop, 5 * kSchemeColumnStep + 16, 120));
    box.setColour(page.colour());
    box.setBorderColour(kBoxFrame);
    Label& caption = addPageLabel(box, "GroupBox7Caption", Rect::fromBounds(8, 4, 200, 16), "Color Scheme");
    caption.setFont(dialog_chrome::bold(caption.font()));
    for (const SchemePreset& preset : kSchemePresets) {
        const int place = (preset.index - 1) % 5;
        const int row = (preset.index - 1) / 5;
        const int left = 10 + place * kSchemeColumnStep;
        const int top = 30 + row * (kSchemeButtonHeight + 14);
        auto& button = box.add<GradientButton>("Scheme" + std::to_string(preset.index));
        button.setBounds(Rect::fromBounds(left, top, kSchemeButtonWidth, kSchemeButtonHeight));
        button.setCaption(std::string(preset.name));
        colourButton(button, kSchemeButton, kSchemeButtonHover);
        const int index = preset.index;
        button.onClick = [this, index] { applyPreset(index); };
        auto& save = box.add<GradientButton>("Save" + std::to_string(preset.index));
        save.setBounds(
            Rect::fromBounds(left + kSchemeButtonWidth, top, kSchemeButtonHeight, kSchemeButtonHeight));
        save.setHint(std::string(kSaveSchemeHint));
        colourButton(save, kSaveButton, kSaveButtonHover);
        save.onClick = [this, index] { savePreset(index); };
    }
}

void GridsPage::showScheme() {
    for (std::size_t index = 0; index < kColourFields.size(); ++index) {
        fields_.at(index)->setColour(schemes_.fields().*kColourFields.at(index).colour);
    }
    schemeLabel_->setText(schemes_.label());
    redrawPreview();
}

void GridsPage::redrawPreview() {
    previewPanel_->setColour(schemes_.fields().background);
    preview_->setPicture(drawSchemePreview(schemes_.fields(), across(), down()));
}

int GridsPage::across() const {
    return rows_->value();
}

int GridsPage::down() const {
    return columns_->value();
}

void GridsPage::setCounts(int across, int down) {
    rows_->setValue(across);
    columns_->setValue(down);
}

void GridsPage::commitEditors() {
    rows_->commit();
    columns_->commit();
}

bool GridsPage::autoHide() const {
    return autoHide_->checked();
}

void GridsPage::setAutoHide(bool on) {
    autoHide_->setChecked(on);
    autoHide_->setCaption(on ? "On" : "Off");
}

void GridsPage::chooseColour(SchemeColour colour) {
    const ColourChooserState& start = schemes_.beginColourChoice(colour);
    ColourChoice choice{start.colour, start.customColours};
    const bool confirmed = shell_.chooseColour(choice);
    const ColourChooserState dialog{choice.colour, choice.customColours};
    if (!confirmed) {
        schemes_.colourChoiceCancelled(dialog);
        return;
    }
    report(schemes_.colourChosen(colour, dialog));
}

void GridsPage::applyPreset(int index) {
    report(schemes_.applyPreset(index));
}

void GridsPage::savePreset(int index) {
    report(schemes_.savePreset(index));
}

// The fields show whatever the editor holds afterwards; an error goes to the error box.
void GridsPage::report(const SchemeChange& change) {
    for (std::size_t index = 0; index < kColourFields.size(); ++index) {
        fields_.at(index)->setColour(schemes_.fields().*kColourFields.at(index).colour);
    }
    schemeLabel_->setText(schemes_.label());
    if (change.redrawPreview) {
        redrawPreview();
    }
    if (change.error && reportError_) {
        reportError_(*change.error);
    }
}

} // namespace cellaro
