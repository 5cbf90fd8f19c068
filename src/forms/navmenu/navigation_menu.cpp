// The groups navigation menu: its layout, the step buttons and their hints, Pop1, keeping the bar in
// front, and the message hook that pauses that while a screen saver runs.
#include "forms/navmenu/navigation_menu.h"

#include "config/config_keys.h"
#include "core/monitors.h"
#include "core/product.h"
#include "logic/pictures.h"
#include "logic/winlist/group_commands.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"
#include "platform/shell.h"
#include "platform/system_state.h"
#include "widgets/button_look.h"
#include "widgets/gradient_button.h"
#include "widgets/gradient_panel.h"
#include "widgets/panel.h"

#include <string>
#include <utility>
#include <vector>

namespace cellaro {

namespace {

constexpr Size kStepSize{50, 29};
constexpr int kStepTop = 6;
constexpr Rect kSeparatorBounds = Rect::fromBounds(114, 5, 1, 30);
constexpr Rect kHamburgerBounds = Rect::fromBounds(226, 7, 50, 27);
// The hamburger's three lines, in a picture of the command pictures' size (96-DPI pixels).
constexpr int kHamburgerLineLeft = 3;
constexpr int kHamburgerLineRight = 17;
constexpr std::array<int, 3> kHamburgerLineTops{5, 9, 13};
constexpr int kHamburgerLineWidth = 2;
constexpr Colour kWhite = Colour::rgb(255, 255, 255);

// A step button: its control name, left edge, picture (the working window's button of the same
// step shows it too), the group step it runs and the hint that names what that step brings up.
// Each runs its row of the command table.
struct StepButton {
    std::string_view name;
    int left;
    Glyph glyph;
    std::string GroupStepHints::*hint;
};

constexpr std::array<StepButton, 4> kStepButtons{{
    {"XNazaj", 8, Glyph::PreviousGroupToFront, &GroupStepHints::previousToFront},
    {"xNaprej", 62, Glyph::NextGroupToFront, &GroupStepHints::nextToFront},
    {"xNazaj2", 117, Glyph::PreviousGroupShowOnly, &GroupStepHints::previousShowOnly},
    {"xNaprej2", 171, Glyph::NextGroupShowOnly, &GroupStepHints::nextShowOnly},
}};

NativeWindowStyle menuStyle(Point position) {
    NativeWindowStyle style;
    // Titled as the program's other windows, so that the window list and the tracking pass it by.
    style.title = std::string(kProductName);
    style.bounds = Rect::fromBounds(position.x, position.y, NavigationMenu::kClientSize.width,
                                    NavigationMenu::kClientSize.height);
    style.topmost = true;
    style.toolWindow = true;
    style.roundedCorners = NavigationMenu::kCorners;
    return style;
}

// Flat, in fixed colours: the window's colour, lighter grey under the pointer, darker pressed.
void colourButton(GradientButton& button) {
    applyFlatLook(button, FlatButtonLook{NavigationMenu::kColour, NavigationMenu::kHoverColour,
                                         NavigationMenu::kPressedColour});
    setButtonFace(button, ButtonState::Disabled, NavigationMenu::kColour);
}

Bitmap hamburgerPicture(int dpi) {
    ScaledPicture picture(kCommandPictureSize, kPictureTransparent, dpi);
    for (const int top : kHamburgerLineTops) {
        picture.horizontalStroke(kHamburgerLineLeft, kHamburgerLineRight, top, kHamburgerLineWidth, kWhite);
    }
    return std::move(picture).take();
}

MenuItem menuItem(std::string name, std::string caption, int id) {
    MenuItem item;
    item.name = std::move(name);
    item.caption = std::move(caption);
    item.id = id;
    return item;
}

} // namespace

NavigationMenu::NavigationMenu(const NavigationMenuServices& services)
    : Form(services.host, "fFloat", menuStyle(services.position)), services_(services),
      keepInFrontTimer_(services.loop, kKeepInFrontIntervalMs) {
    root().setBounds(Rect::fromBounds(0, 0, kClientSize.width, kClientSize.height));
    root().setColour(kColour);
    panel_ = &root().add<GradientPanel>("RGPanel1");
    panel_->setBounds(root().bounds());
    panel_->setColour(kColour);
    panel_->setGradientColour(std::nullopt);
    // The panel's background drags the window as the working window's panels do, the release's own
    // point ending the drag.
    panel_->setDragsWindow(false);
    windowDrag_.attach(*this, *panel_);
    buildButtons();
    paintPictures();
    showHints(services_.groups.hints());
    services_.groups.addHintsListener([this](const GroupStepHints& hints) { showHints(hints); });

    services_.host.setHintStyle(HintStyle{kWhite, 500, 6000});
    keepInFrontTimer_.onTimer = [this] { keepInFront(); };
    followScreenSaver();
    services_.loop.setMessageHook([this] { followScreenSaver(); });
}

NavigationMenu::~NavigationMenu() {
    services_.loop.setMessageHook({});
}

void NavigationMenu::buildButtons() {
    for (std::size_t index = 0; index < kStepButtons.size(); ++index) {
        const StepButton& spec = kStepButtons.at(index);
        auto& button = panel_->add<GradientButton>(std::string(spec.name));
        button.setBounds(Rect::fromBounds(spec.left, kStepTop, kStepSize.width, kStepSize.height));
        colourButton(button);
        button.onClick = [this, name = spec.name] {
            if (const std::optional<CommandCall> call = commandOfButton(name); call && services_.run) {
                services_.run(call->from(CommandSource::NavigationMenu));
            }
            // The bar stays above the windows the step brought up.
            services_.desktop.setZOrder(id(), ZOrder::Top);
        };
        stepButtons_.at(index) = &button;
    }
    separator_ = &panel_->add<Panel>("Panel1");
    separator_->setBounds(kSeparatorBounds);
    separator_->setColour(kSeparatorColour);

    hamburger_ = &panel_->add<GradientButton>("xHamburger");
    hamburger_->setBounds(kHamburgerBounds);
    colourButton(*hamburger_);
    hamburger_->onClick = [this] { openMenu(); };
}

void NavigationMenu::paintPictures() {
    const int dpi = scale().dpi;
    for (std::size_t index = 0; index < kStepButtons.size(); ++index) {
        stepButtons_.at(index)->setGlyph(
            drawGlyph(kStepButtons.at(index).glyph, PictureSet::DarkBackground, dpi), kPictureTransparent);
    }
    hamburger_->setGlyph(hamburgerPicture(dpi), kPictureTransparent);
}

void NavigationMenu::showHints(const GroupStepHints& hints) {
    for (std::size_t index = 0; index < kStepButtons.size(); ++index) {
        stepButtons_.at(index)->setHint(hints.*kStepButtons.at(index).hint);
    }
}

// XNazajClick, xNaprejClick, xNazaj2Click, xNaprej2Click

void NavigationMenu::toggle() {
    if (visible()) {
        close();
    } else {
        show(true);
        followScreenSaver();
    }
}

void NavigationMenu::setKeepInFront(bool enabled) {
    keepInFrontTimer_.setEnabled(enabled);
}

// Timer1Timer
void NavigationMenu::keepInFront() {
    if (!visible()) {
        return;
    }
    const Desktop& desktop = services_.desktop;
    const WindowId foreground = desktop.foregroundWindow();
    const bool userIsElsewhere =
        foreground == desktop.findWindowByTitle(std::string(kProductName)) ||
        (services_.trayMenuForeground && foreground == services_.trayMenuForeground()) ||
        foreground == menuForeground_ ||
        (services_.settingsWindowInvolved && services_.settingsWindowInvolved(foreground));
    if (!userIsElsewhere) {
        services_.desktop.setZOrder(id(), ZOrder::Top);
    }
}

std::vector<MenuItem> NavigationMenu::menuItems() {
    MenuItem separator;
    separator.name = "N1";
    separator.separator = true;
    return {menuItem("Managegroups1", "Manage groups", ManageGroups),
            menuItem("Groupsoptions1", "Expand navigation", ExpandNavigation), separator,
            menuItem("Close1", "Close", Close)};
}

// xHamburgerClick: the menu opens at the client point (button left, button height), as the bar has
// always placed it.
void NavigationMenu::openMenu() {
    const Rect button = hamburger_->bounds();
    const Point client = scale().physical(Point{button.left, button.height()});
    const Rect window = bounds();
    // Pop1Popup
    menuForeground_ = services_.desktop.foregroundWindow();
    const auto chosen =
        services_.shell.trackPopupMenu(menuItems(), Point{window.left + client.x, window.top + client.y});
    if (chosen) {
        runMenuCommand(*chosen);
    }
}

void NavigationMenu::runMenuCommand(int command) {
    switch (command) {
    case ManageGroups: // Managegroups1Click
        if (services_.run) {
            services_.run(CommandCall::of(Command::ManageGroups).from(CommandSource::NavigationMenu));
        }
        break;
    case ExpandNavigation: // Groupsoptions1Click
        if (services_.run) {
            services_.run(CommandCall::of(Command::ExpandNavigation).from(CommandSource::NavigationMenu));
        }
        break;
    case Close: // Close1Click
        close();
        break;
    default:
        break;
    }
}

void NavigationMenu::followScreenSaver() {
    // Hidden, the bar's timer has nothing to do: the system is not asked on every message then.
    if (!visible()) {
        return;
    }
    keepInFrontTimer_.setEnabled(!services_.system.screenSaverRunning());
}

// FormActivate: kept on the primary screen, and topmost. A menu that lies on no monitor (one was
// unplugged) comes onto the primary.
void NavigationMenu::activated() {
    const std::vector<Monitor> monitors = services_.desktop.monitors();
    const Monitor screen = primaryMonitor(monitors);
    const int width = screen.bounds.width();
    const int height = screen.bounds.height();
    if (!onAnyMonitor(bounds(), monitors)) {
        setBounds(Rect::fromBounds(screen.bounds.left + width - config::kNavigationMenuLeftFromScreenRight,
                                   screen.bounds.top + config::kNavigationMenuTop.defaultValue,
                                   bounds().width(), bounds().height()));
    }
    if (bounds().left > width - 100) {
        setLeft(width - 450);
    }
    if (bounds().bottom > height) {
        setTop(height - bounds().height());
    }
    window().setTopmost(true);
}

void NavigationMenu::scaleChanged() {
    paintPictures();
}

} // namespace cellaro
