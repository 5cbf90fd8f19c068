// The groups navigation menu (TfFloat): a small floating bar that stays above the other windows and
// steps through the window groups without the working window: previous and next group brought to
// the front, previous and next group shown alone, and a menu with "Manage groups", "Expand
// navigation" and "Close". The tray item shows and hides it; it is never destroyed before the
// program ends.
#pragma once

#include "core/geometry.h"
#include "logic/commands.h"
#include "widgets/form.h"
#include "widgets/form_timer.h"
#include "widgets/window_drag.h"

#include <array>
#include <functional>
#include <string_view>
#include <vector>

namespace cellaro {

class Desktop;
class EventLoop;
class GradientButton;
class GradientPanel;
class GroupCommands;
class Panel;
class Shell;
class SystemState;
struct GroupStepHints;
struct MenuItem;

// What the navigation menu works with, given by the program.
struct NavigationMenuServices {
    FormHost& host;
    Desktop& desktop;
    EventLoop& loop;
    Shell& shell;
    SystemState& system;
    GroupCommands& groups;
    // Where the bar starts, in physical screen pixels (read and clamped from the configuration).
    Point position;
    // The step buttons' and the menu's commands ("Manage groups", "Expand navigation").
    CommandRunner run;
    // The window that was in the foreground when the tray menu last opened.
    std::function<WindowId()> trayMenuForeground;
    // The settings window is this foreground window, or is visible.
    std::function<bool(WindowId foreground)> settingsWindowInvolved;
};

class NavigationMenu final : public Form {
public:
    static constexpr Size kClientSize{284, 41};
    static constexpr Size kCorners{13, 13};
    static constexpr Colour kColour = Colour::rgb(67, 74, 84);
    static constexpr Colour kHoverColour = Colour::rgb(124, 124, 124);
    static constexpr Colour kPressedColour = Colour::rgb(100, 100, 100);
    static constexpr Colour kSeparatorColour = Colour::rgb(192, 192, 192);
    static constexpr int kKeepInFrontIntervalMs = 300;
    // Pop1's item ids.
    enum MenuCommand : int { ManageGroups = 1, ExpandNavigation = 2, Close = 3 };

    // FormCreate: the layout, the hint timing, the place at the given position, and the
    // application's message hook.
    explicit NavigationMenu(const NavigationMenuServices& services);
    ~NavigationMenu() override; // takes the message hook away again

    // The tray item: shows the bar when hidden, hides it when shown.
    void toggle();
    // Timer1: on or off. The working window switches it off while the pointer is over it, the
    // window manager list while it shows; the message hook switches it on again.
    void setKeepInFront(bool enabled);
    [[nodiscard]] bool keepingInFront() const { return keepInFrontTimer_.enabled(); }
    // Timer1Timer: the bar to the top of the window order, unless a window of the program's own
    // that the user is working with is in the foreground.
    void keepInFront();
    // xHamburgerClick: Pop1 at the hamburger button's lower left corner.
    void openMenu();
    // Pop1's items, in order.
    [[nodiscard]] static std::vector<MenuItem> menuItems();
    // The window that was in the foreground when Pop1 last opened.
    [[nodiscard]] WindowId menuForeground() const { return menuForeground_; }

protected:
    void activated() override; // FormActivate
    void scaleChanged() override;

private:
    void buildButtons();
    void paintPictures();
    void showHints(const GroupStepHints& hints);
    // One of the four step buttons pressed: the step, then the bar back on top.
    void runMenuCommand(int command);
    // The message hook: Timer1 runs unless a screen saver does.
    void followScreenSaver();

    NavigationMenuServices services_;
    FormTimer keepInFrontTimer_;
    WindowDrag windowDrag_;
    WindowId menuForeground_;
    GradientPanel* panel_ = nullptr;
    Panel* separator_ = nullptr;
    std::array<GradientButton*, 4> stepButtons_{};
    GradientButton* hamburger_ = nullptr;
};

} // namespace cellaro
