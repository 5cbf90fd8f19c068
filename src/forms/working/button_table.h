// The buttons of the working window's strips and pages, each listed once: its control name, place,
// hint and role. The layout builds the buttons from these tables and the theming pass colours them
// by role, through the typed pointers the layout kept.
#pragma once

#include "config/board_colours.h"
#include "core/geometry.h"

#include <span>
#include <string_view>
#include <vector>

namespace cellaro {

class GradientButton;
class Widget;

enum class ButtonRole {
    Strip,             // the title and status strips' page and tool buttons
    Close,             // the title strip's close button
    Command,           // the window commands
    Anchor,            // the 3 x 3 anchor pad, coloured like the grid
    GroupNavigation,   // previous and next group
    GroupWindowAction, // minimise or restore a group's windows
    GroupFocus,        // show only a group, or bring it to the front
};

struct ButtonSpec {
    std::string_view name;
    Rect bounds; // in its parent panel
    std::string_view hint;
    ButtonRole role = ButtonRole::Strip;
};

struct PlacedButton {
    const ButtonSpec* spec = nullptr;
    GradientButton* button = nullptr;
};

// The buttons one part of the window made from its table.
class ButtonSet {
public:
    // Adds the button to the parent, keeps it, and returns it.
    GradientButton& add(Widget& parent, const ButtonSpec& spec);
    [[nodiscard]] std::span<const PlacedButton> buttons() const { return buttons_; }

private:
    std::vector<PlacedButton> buttons_;
};

// The theming pass for one button: faces, text and picture for the window's colours, the picture
// made for the window's dots per inch.
void themeButton(const PlacedButton& placed, const BoardColours& colours, int dpi);

} // namespace cellaro
