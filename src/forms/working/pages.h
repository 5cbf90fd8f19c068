// The working window's second and third pages: the window commands with the anchor pad ("gumbi"),
// and the four window groups ("group"). Their buttons are laid out here; the window commands are
// handed to the commands page, the groups' commands arrive with the groups.
#pragma once

#include "config/board_colours.h"
#include "forms/working/button_table.h"

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

// What the commands page's buttons do. Until they are given the buttons are disabled.
struct CommandActions {
    // The anchor pad's buttons pass their placement command word.
    std::function<void(std::string_view word)> place;
    std::function<void()> tile;
    std::function<void()> transparent;
    std::function<void()> stayOnTop;
    std::function<void()> minimize;
    std::function<void()> restore;
    std::function<void()> maximize;
    std::function<void()> nextMonitor;
    std::function<void()> sleep;
};

class CommandsPage {
public:
    CommandsPage(Widget& page, const DragPanelWiring& dragPanel);

    // The buttons run these actions from now on.
    void connect(const CommandActions& actions);

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

// What the groups page's buttons do; the group is 0..3 for A..D. Until they are given the buttons
// are disabled.
struct GroupActions {
    std::function<void(int group)> minimize;     // GA1 ... GD1
    std::function<void(int group)> restore;      // GA2 ... GD2
    std::function<void(int group)> showOnly;     // GA4 ... GD4
    std::function<void(int group)> bringToFront; // GA5 ... GD5
    std::function<void()> previousShowOnly;      // GA3
    std::function<void()> nextShowOnly;          // GB3
    std::function<void()> previousToFront;       // GC3
    std::function<void()> nextToFront;           // GD3
};

class GroupsPage {
public:
    GroupsPage(Widget& page, const DragPanelWiring& dragPanel);

    [[nodiscard]] const ButtonSet& buttons() const { return buttons_; }
    void applyTheme(const BoardColours& colours, int dpi);

    // The buttons run these actions from now on.
    void connect(const GroupActions& actions);
    // The hint of the page's button of this name (GA1 ... GD5); false when there is none.
    bool setHint(std::string_view button, std::string hint);

private:
    ButtonSet buttons_;
    Panel* panel_ = nullptr;
    std::array<Panel*, 4> boxes_{};
};

} // namespace cellaro
