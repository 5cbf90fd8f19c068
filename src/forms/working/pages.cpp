// The commands page and the groups page: layout from their button tables, and theming.
#include "forms/working/pages.h"

#include "logic/command_layout.h"
#include "logic/contrast.h"
#include "widgets/gradient_button.h"
#include "widgets/label.h"
#include "widgets/panel.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

namespace cellaro {

namespace {

constexpr Colour kGrey = Colour::rgb(128, 128, 128);
constexpr Colour kBlack = Colour::rgb(0, 0, 0);
constexpr std::string_view kNoGroupHint = "No windows group was created";

constexpr Rect commandAt(int x) {
    return Rect::fromBounds(x, 10, 30, 28);
}

constexpr std::array<ButtonSpec, 8> kCommandButtons{{
    {"XI3", commandAt(8), "Tile", ButtonRole::Command},
    {"XI4", commandAt(43), "Transparent", ButtonRole::Command},
    {"XI5", commandAt(79), "Stay on top", ButtonRole::Command},
    {"XI6", commandAt(122), "Minimize", ButtonRole::Command},
    {"XI7", commandAt(158), "Restore", ButtonRole::Command},
    {"XI8", commandAt(193), "Maximize", ButtonRole::Command},
    {"xi1", commandAt(228), "Move to Next Monitor", ButtonRole::Command},
    {"XI9", commandAt(293), "Sleep", ButtonRole::Command},
}};

// The 3 x 3 anchor pad, in reading order.
constexpr Rect anchorAt(int column, int row) {
    return Rect::fromBounds(1 + column * 66, 1 + row * 40, 64, 38);
}

constexpr std::array<ButtonSpec, 9> kAnchorButtons{{
    {"x1", anchorAt(0, 0), "Top left", ButtonRole::Anchor},
    {"X2", anchorAt(1, 0), "Top center", ButtonRole::Anchor},
    {"X3", anchorAt(2, 0), "Top right", ButtonRole::Anchor},
    {"X4", anchorAt(0, 1), "Middle left", ButtonRole::Anchor},
    {"X5", anchorAt(1, 1), "Middle center", ButtonRole::Anchor},
    {"X6", anchorAt(2, 1), "Middle right", ButtonRole::Anchor},
    {"X7", anchorAt(0, 2), "Bottom left", ButtonRole::Anchor},
    {"X8", anchorAt(1, 2), "Bottom center", ButtonRole::Anchor},
    {"X9", anchorAt(2, 2), "Bottom right", ButtonRole::Anchor},
}};

constexpr Rect navigationAt(int x) {
    return Rect::fromBounds(x, 4, 30, 28);
}

constexpr std::array<ButtonSpec, 4> kNavigationButtons{{
    {"GC3", navigationAt(60), kNoGroupHint, ButtonRole::GroupNavigation},
    {"GD3", navigationAt(122), kNoGroupHint, ButtonRole::GroupNavigation},
    {"GA3", navigationAt(184), kNoGroupHint, ButtonRole::GroupNavigation},
    {"GB3", navigationAt(247), kNoGroupHint, ButtonRole::GroupNavigation},
}};

struct GroupBox {
    std::string_view panel;
    std::string_view letter;
    Point at;
    std::array<ButtonSpec, 4> buttons;
};

constexpr Rect memberAt(int x, int y) {
    return Rect::fromBounds(x, y, 36, 28);
}

constexpr std::array<ButtonSpec, 4> groupButtons(std::string_view n5, std::string_view n4,
                                                 std::string_view n1, std::string_view n2) {
    return {{{n5, memberAt(2, 4), "", ButtonRole::GroupFocus},
             {n4, memberAt(74, 4), "", ButtonRole::GroupFocus},
             {n1, memberAt(2, 44), "Minimize", ButtonRole::GroupWindowAction},
             {n2, memberAt(74, 44), "Restore", ButtonRole::GroupWindowAction}}};
}

constexpr std::array<GroupBox, 4> kGroupBoxes{{
    {"Panel3", "A", {60, 38}, groupButtons("GA5", "GA4", "GA1", "GA2")},
    {"Panel11", "B", {180, 38}, groupButtons("GB5", "GB4", "GB1", "GB2")},
    {"Panel12", "C", {60, 120}, groupButtons("GC5", "GC4", "GC1", "GC2")},
    {"Panel13", "D", {180, 120}, groupButtons("GD5", "GD4", "GD1", "GD2")},
}};

Panel& addPanel(Widget& parent, std::string name, const Rect& bounds) {
    auto& panel = parent.add<Panel>(std::move(name));
    panel.setBounds(bounds);
    return panel;
}

} // namespace

CommandsPage::CommandsPage(Widget& page, const DragPanelWiring& dragPanel) {
    panel_ = &addPanel(page, "Panel1", Rect{0, 0, page.bounds().width(), page.bounds().height()});
    dragPanel(*panel_);
    for (const ButtonSpec& spec : kCommandButtons) {
        GradientButton& button = buttons_.add(*panel_, spec);
        button.setEnabled(false);
        if (spec.name == "xi1") {
            nextMonitor_ = &button;
        }
    }
    dividers_ = {&addPanel(*panel_, "Panel7", Rect::fromBounds(115, 12, 1, 24)),
                 &addPanel(*panel_, "Panel9", Rect::fromBounds(275, 12, 1, 24))};
    separator_ = &addPanel(*panel_, "Panel5", Rect::fromBounds(63, 52, 201, 1));
    separator_->setVisible(false);

    frame_ = &addPanel(*panel_, "Panel8", Rect::fromBounds(63, 58, 201, 124));
    dragPanel(*frame_);
    pad_ = &addPanel(*frame_, "PanelLeft", Rect::fromBounds(1, 1, 199, 122));
    dragPanel(*pad_);
    for (const ButtonSpec& spec : kAnchorButtons) {
        buttons_.add(*pad_, spec).setEnabled(false);
    }
}

void CommandsPage::centre(int halfWidth) {
    const Rect bounds = panel_->bounds();
    panel_->setBounds(
        Rect::fromBounds(halfWidth - bounds.width() / 2, bounds.top, bounds.width(), bounds.height()));
}

void CommandsPage::applyTheme(const BoardColours& colours, int dpi) {
    const bool dark = isDark(colours.background);
    const Colour line = dark ? kGrey : kBlack;
    panel_->setColour(colours.background);
    // The anchor pad takes the grid's colours.
    pad_->setColour(colours.gridBackground);
    for (Panel* divider : dividers_) {
        divider->setColour(line);
    }
    frame_->setColour(line);
    // Drawn like the other separator lines of the page.
    separator_->setColour(line);
    separator_->setVisible(colours.gridBackground == colours.background);
    for (const PlacedButton& placed : buttons_.buttons()) {
        themeButton(placed, colours, dpi);
    }
}

namespace {

// Every button with a row in the command table runs its call.
void connectButtons(const ButtonSet& buttons, const CommandRunner& run) {
    for (const PlacedButton& placed : buttons.buttons()) {
        if (const std::optional<CommandCall> call = commandOfButton(placed.spec->name); call && run) {
            placed.button->onClick = [run, call = *call] { run(call); };
            placed.button->setEnabled(true);
        }
    }
}

} // namespace

void CommandsPage::connect(const CommandRunner& run) {
    connectButtons(buttons_, run);
}

GroupsPage::GroupsPage(Widget& page, const DragPanelWiring& dragPanel) {
    panel_ = &addPanel(page, "Panel10", Rect{0, 0, page.bounds().width(), page.bounds().height()});
    dragPanel(*panel_);

    auto& caption = panel_->add<Label>("labelGroups");
    caption.setBounds(Rect::fromBounds(16, 40, 24, 156));
    caption.setText("G\nr\no\nu\np\ns");
    caption.setWordWrap(true);
    caption.setAlignment(TextAlign::Centre);
    caption.setFontColour(Colour::rgb(255, 0, 0));

    for (const ButtonSpec& spec : kNavigationButtons) {
        buttons_.add(*panel_, spec).setEnabled(false);
    }
    for (std::size_t k = 0; k < kGroupBoxes.size(); ++k) {
        const GroupBox& group = kGroupBoxes.at(k);
        Panel& box =
            addPanel(*panel_, std::string(group.panel), Rect::fromBounds(group.at.x, group.at.y, 112, 76));
        box.setCaption(std::string(group.letter));
        dragPanel(box);
        boxes_.at(k) = &box;
        for (const ButtonSpec& spec : group.buttons) {
            buttons_.add(box, spec).setEnabled(false);
        }
    }
}

void GroupsPage::connect(const CommandRunner& run) {
    connectButtons(buttons_, run);
}

bool GroupsPage::setHint(std::string_view button, std::string hint) {
    for (const PlacedButton& placed : buttons_.buttons()) {
        if (placed.spec->name == button) {
            placed.button->setHint(std::move(hint));
            return true;
        }
    }
    return false;
}

void GroupsPage::applyTheme(const BoardColours& colours, int dpi) {
    panel_->setColour(colours.background);
    for (Panel* box : boxes_) {
        box->setColour(colours.background);
        box->setFontColour(textColourOn(colours.background));
    }
    for (const PlacedButton& placed : buttons_.buttons()) {
        themeButton(placed, colours, dpi);
    }
}

} // namespace cellaro
