// NastaviBarve: the theming pass of the working window. It re-reads the five colours and the grid
// size and recolours panels, buttons (normal, hover and pressed slots), texts and pictures, with
// white text and the dark-background pictures on dark colours and the opposite on light ones.
#include "app/program.h"
#include "config/config_keys.h"
#include "grid/contrast.h"
#include "grid/grid_geometry.h"
#include "grid/pictures.h"
#include "grid/working_window.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/label.h"
#include "widgets/panel.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace cellaro {

namespace {

constexpr Colour kGrey = Colour::rgb(128, 128, 128);
constexpr Colour kLightGrey = Colour::rgb(170, 170, 170);
constexpr Colour kBlack = Colour::rgb(0, 0, 0);

constexpr std::array<ButtonColour, 5> kFaceColours{ButtonColour::Face, ButtonColour::Gradient,
                                                   ButtonColour::Dark, ButtonColour::Light,
                                                   ButtonColour::Border};
constexpr int kFocusSlot = 24;

void setFace(GradientButton& button, ButtonState state, Colour colour, bool withBorder = true) {
    for (const ButtonColour part : kFaceColours) {
        if (part != ButtonColour::Border || withBorder) {
            button.setStateColour(state, part, colour);
        }
    }
}

std::vector<std::string> anchorNames() {
    return {"x1", "X2", "X3", "X4", "X5", "X6", "X7", "X8", "X9"};
}

std::vector<std::string> stripButtonNames() {
    return {"sbHome", "SbMonitor", "SbGroup", "SBUNdo", "SBTools", "SbSelect", "XiFull"};
}

std::vector<std::string> commandButtonNames() {
    return {"xi1", "XI3", "XI4", "XI5", "XI6", "XI7", "XI8", "XI9"};
}

std::vector<std::string> groupButtonNames(bool navigationAndActionsOnly) {
    std::vector<std::string> names;
    for (const char group : {'A', 'B', 'C', 'D'}) {
        const int last = navigationAndActionsOnly ? 3 : 5;
        for (int k = 1; k <= last; ++k) {
            names.push_back(std::string("G") + group + std::to_string(k));
        }
    }
    return names;
}

} // namespace

void WorkingWindow::applyTheme() {
    const ConfigFile config = program_.openConfig();
    colours_.background = Colour{static_cast<std::uint32_t>(config.readInteger(config::kBackgroundColour))};
    colours_.gridBackground =
        Colour{static_cast<std::uint32_t>(config.readInteger(config::kGridBackgroundColour))};
    colours_.grid = Colour{static_cast<std::uint32_t>(config.readInteger(config::kGridColour))};
    colours_.rangeSelection =
        Colour{static_cast<std::uint32_t>(config.readInteger(config::kRangeSelectionColour))};
    colours_.resizingWindow =
        Colour{static_cast<std::uint32_t>(config.readInteger(config::kResizingWindowColour))};
    if (program_.flags().fullScreen && maxRowsColumns_) {
        columns_ = kMaxGridCells;
        rows_ = kMaxGridCells;
    } else {
        // A hand-edited 0 would divide by zero and 50 would draw an unusable board: the counts
        // stay within what the settings window can set.
        columns_ = std::clamp(config.readInteger(config::kGridColumns), kMinGridCells, kMaxGridCells);
        rows_ = std::clamp(config.readInteger(config::kGridRows), kMinGridCells, kMaxGridCells);
    }

    const Colour background = colours_.background;
    for (const char* name :
         {"TopPanel", "Panel6", "Panel2", "Panel1", "Panel10", "Panel3", "Panel11", "Panel12", "Panel13"}) {
        if (Widget* panel = find(name)) {
            panel->setColour(background);
        }
    }
    root().setColour(background);
    if (auto* title = root().findAs<GradientPanel>("TopPanel")) {
        title->setGradientColour(std::nullopt);
    }
    if (Widget* frame = find("Panel8")) {
        frame->setColour(kGrey);
    }

    // The anchor pad takes the grid's colours.
    if (Widget* pad = find("PanelLeft")) {
        pad->setColour(colours_.gridBackground);
    }
    for (const std::string& name : anchorNames()) {
        if (auto* button = root().findAs<GradientButton>(name)) {
            setFace(*button, ButtonState::Normal, colours_.gridBackground);
            setFace(*button, ButtonState::Disabled, colours_.gridBackground);
            button->setSlot(kFocusSlot, colours_.gridBackground);
            button->setStateColour(ButtonState::Hover, ButtonColour::Border, colours_.grid);
            setFace(*button, ButtonState::Hover, colours_.rangeSelection, false);
        }
    }
    // The idle status picture takes the new colour; a target's icon and title stay as they are.
    if (statusText_->text().empty()) {
        resetTargetDisplay();
    }
    themeButtons();
    themePictures(isDark(background));

    const bool dark = isDark(background);
    const Colour text = textColourOn(background);
    for (const char* name : {"Label1", "label2", "Panel3", "Panel11", "Panel12", "Panel13"}) {
        if (Widget* widget = find(name)) {
            widget->setFontColour(text);
        }
    }
    for (const char* name : {"Panel7", "Panel8", "Panel9"}) {
        if (Widget* panel = find(name)) {
            panel->setColour(dark ? kGrey : kBlack);
        }
    }
    if (Widget* separator = find("Panel5")) {
        // Drawn like the other separator lines of the page.
        separator->setColour(dark ? kGrey : kBlack);
        separator->setVisible(colours_.gridBackground == background);
    }
    invalidate();
}

void WorkingWindow::themePictures(bool darkBackground) {
    const PictureSet set = darkBackground ? PictureSet::DarkBackground : PictureSet::LightBackground;
    std::vector<std::string> all{"xClose2"};
    for (auto names : {stripButtonNames(), commandButtonNames(), groupButtonNames(false)}) {
        all.insert(all.end(), names.begin(), names.end());
    }
    for (const std::string& name : all) {
        auto* button = root().findAs<GradientButton>(name);
        const std::string_view picture = pictureNameForButton(name, set);
        if (button != nullptr && !picture.empty()) {
            button->setGlyph(buttonPicture(picture), kPictureTransparent);
        }
    }
    // The anchor pad: the set for the grid background, each picture marked at its own position.
    const bool darkGrid = isDark(colours_.gridBackground);
    const std::vector<std::string> anchors = anchorNames();
    for (std::size_t k = 0; k < anchors.size(); ++k) {
        if (auto* button = root().findAs<GradientButton>(anchors[k])) {
            const int position = static_cast<int>(k) + 1;
            Bitmap picture = anchorPicture(position, darkGrid);
            recolourAnchor(picture, position);
            button->setGlyph(std::move(picture), kPictureTransparent);
        }
    }
}

void WorkingWindow::themeButtons() {
    const Colour background = colours_.background;
    const bool dark = isDark(background);
    std::vector<std::string> all{"xClose2"};
    for (auto names : {stripButtonNames(), commandButtonNames(), groupButtonNames(false)}) {
        all.insert(all.end(), names.begin(), names.end());
    }
    for (const std::string& name : all) {
        if (auto* button = root().findAs<GradientButton>(name)) {
            setFace(*button, ButtonState::Normal, background);
            // Commands not available yet sit on the window's own colour, their pictures greyed.
            setFace(*button, ButtonState::Disabled, background);
            button->setSlot(kFocusSlot, background);
            button->setStateColour(ButtonState::Normal, ButtonColour::Text, textColourOn(background));
        }
    }

    // Hover and pressed faces: a lighter grey over dark backgrounds when hovering, a darker one
    // when pressed, and the other way round over light ones.
    std::vector<std::string> hovered = stripButtonNames();
    const auto commands = commandButtonNames();
    hovered.insert(hovered.end(), commands.begin(), commands.end());
    std::vector<std::string> pressed = hovered;
    if (dark) {
        const auto groups = groupButtonNames(true);
        hovered.insert(hovered.end(), groups.begin(), groups.end());
    }
    for (const std::string& name : hovered) {
        if (auto* button = root().findAs<GradientButton>(name)) {
            setFace(*button, ButtonState::Hover, dark ? kGrey : kLightGrey);
        }
    }
    for (const std::string& name : pressed) {
        if (auto* button = root().findAs<GradientButton>(name)) {
            const Colour keptLight = button->colourOf(ButtonState::Pressed, ButtonColour::Light);
            setFace(*button, ButtonState::Pressed, dark ? kLightGrey : kGrey);
            if (dark && name == "SbMonitor") {
                button->setStateColour(ButtonState::Pressed, ButtonColour::Light, keptLight);
            }
        }
    }
}

} // namespace cellaro
