// The working window's second and third pages: the window commands with the anchor pad ("gumbi"),
// and the four window groups ("group"). Their buttons are laid out here; the window commands are
// handed to the commands page, the groups' commands arrive with the groups.
#pragma once

#include "config/board_colours.h"
#include "forms/working/button_table.h"
#include "logic/commands.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace cellaro {

class GradientButton;
class Panel;
class Widget;

// Pressing these panels drags the window: the frame wires each one it is given.
using DragPanelWiring = std::function<void(Widget&)>;

class CommandsPage {
public:
    CommandsPage(Widget& page, const DragPanelWiring& dragPanel);

    // The buttons run their commands from now on; until then they are disabled.
    void connect(const CommandRunner& run);

    [[nodiscard]] Panel& panel() { return *panel_; }
    [[nodiscard]] const ButtonSet& buttons() const { return buttons_; }
    [[nodiscard]] GradientButton& nextMonitorButton() { return *nextMonitor_; }

    // The buttons' group centred in a window of this half width (FormActivate).
    void centre(int halfWidth);
    void applyTheme(const BoardColours& colours, int dpi);

private:
    ButtonSet buttons_;
    Panel* panel_ = nullptr;
    Panel* frame_ = nullptr;     // Panel8, round the anchor pad
    Panel* pad_ = nullptr;       // PanelLeft
    Panel* separator_ = nullptr; // Panel5, shown when the pad has the window's colour
    std::array<Panel*, 2> dividers_{};
    GradientButton* nextMonitor_ = nullptr;
};

class GroupsPage {
public:
    GroupsPage(Widget& page, const DragPanelWiring& dragPanel);

    [[nodiscard]] const ButtonSet& buttons() const { return buttons_; }
    void applyTheme(const BoardColours& colours, int dpi);

    // The buttons run their commands from now on; until then they are disabled.
    void connect(const CommandRunner& run);
    // The hint of the page's button of this name (GA1 ... GD5); false when there is none.
    bool setHint(std::string_view button, std::string hint);

private:
    ButtonSet buttons_;
    Panel* panel_ = nullptr;
    std::array<Panel*, 4> boxes_{};
};

} // namespace cellaro
