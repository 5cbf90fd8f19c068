// Tests of what a form tells assistive technology: its items (the showing widgets that have a
// role, in tree order, with their names, values, states and bounds in physical pixels) and the
// focus events, whose indices must name the focused one of those items.
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_event_loop.h"
#include "platform/sim/sim_form_host.h"
#include "widgets/check_box.h"
#include "widgets/form.h"
#include "widgets/gradient_button.h"
#include "widgets/panel.h"
#include "widgets/spin_edit.h"
#include "widgets/track_bar.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace cellaro {
namespace {

NativeWindowStyle formStyle() {
    NativeWindowStyle style;
    style.bounds = Rect::fromBounds(100, 100, 400, 300);
    return style;
}

// In tree order: a panel at (10, 20) with the OK button (captioned, with a hint as well), a button
// known by its hint only, the Auto-hide check box and the Rows spin editor; a hidden panel with a
// button; a disabled panel with a track bar; and a plain widget that is a tab stop but has no role.
class AccessibleItemsTest : public ::testing::Test {
protected:
    explicit AccessibleItemsTest(int dpi = kBaseDpi) : desktop(withMonitor(ownDesktop, dpi)) {
        group.setBounds(Rect::fromBounds(10, 20, 300, 100));
        ok.setBounds(Rect::fromBounds(6, 4, 80, 24));
        ok.setCaption("OK");
        ok.setHint("Saves the settings");
        undo.setBounds(Rect::fromBounds(90, 4, 24, 24));
        undo.setHint("Undo");
        autoHide.setBounds(Rect::fromBounds(6, 40, 80, 18));
        autoHide.setCaption("Auto-hide");
        rows.setBounds(Rect::fromBounds(100, 40, 60, SpinEdit::kPreferredHeight));
        rows.setRange(1, 10);
        rows.setValue(6);
        hidden.setVisible(false);
        hidden.add<GradientButton>("HiddenButton").setCaption("Hidden");
        disabled.setEnabled(false);
        track.setRange(0, 255);
        track.setPosition(128);
        plain.setTabStop(true);
    }

    static sim::SimDesktop& withMonitor(sim::SimDesktop& desktop, int dpi) {
        Monitor monitor = sim::SimDesktop::makeMonitor(0, 0, 1920, 1080, 40, true);
        monitor.dpi = dpi;
        desktop.addMonitor(monitor);
        return desktop;
    }

    [[nodiscard]] std::vector<std::pair<std::string, AccessibleRole>> namesAndRoles() const {
        std::vector<std::pair<std::string, AccessibleRole>> seen;
        for (const AccessibleItem& item : form.accessibleItems()) {
            seen.emplace_back(item.name, item.role);
        }
        return seen;
    }
    [[nodiscard]] std::vector<int> focusEvents() const { return host.focusEvents(form.id()); }
    // The indices of the items in the focused state.
    [[nodiscard]] std::vector<int> focusedItems() const {
        std::vector<int> focused;
        const std::vector<AccessibleItem> items = form.accessibleItems();
        for (std::size_t index = 0; index < items.size(); ++index) {
            if (items[index].focused) {
                focused.push_back(static_cast<int>(index));
            }
        }
        return focused;
    }

    sim::SimDesktop ownDesktop;
    sim::SimDesktop& desktop;
    sim::SimEventLoop loop;
    sim::SimFormHost host{desktop, loop};
    Form form{host, "Settings", formStyle()};
    Panel& group = form.root().add<Panel>("Group");
    GradientButton& ok = group.add<GradientButton>("OK");
    GradientButton& undo = group.add<GradientButton>("Undo");
    CheckBox& autoHide = group.add<CheckBox>("AutoHide");
    SpinEdit& rows = group.add<SpinEdit>("Rows");
    Panel& hidden = form.root().add<Panel>("Hidden");
    Panel& disabled = form.root().add<Panel>("Disabled");
    TrackBar& track = disabled.add<TrackBar>("Track");
    Widget& plain = form.root().add<Widget>("Plain");
};

TEST_F(AccessibleItemsTest, ItemsAreTheShowingWidgetsWithARoleInTreeOrderNamedByCaptionElseHint) {
    using Named = std::vector<std::pair<std::string, AccessibleRole>>;
    EXPECT_EQ(namesAndRoles(), (Named{{"OK", AccessibleRole::PushButton},
                                      {"Undo", AccessibleRole::PushButton},
                                      {"Auto-hide", AccessibleRole::CheckBox},
                                      {"", AccessibleRole::SpinBox},
                                      {"", AccessibleRole::Slider}}));
    // Shown, the hidden panel's button takes its place in the tree's order; a role given to a plain
    // widget makes it an item.
    hidden.setVisible(true);
    plain.setAccessibleRole(AccessibleRole::Link);
    plain.setCaption("Help");
    EXPECT_EQ(namesAndRoles(), (Named{{"OK", AccessibleRole::PushButton},
                                      {"Undo", AccessibleRole::PushButton},
                                      {"Auto-hide", AccessibleRole::CheckBox},
                                      {"", AccessibleRole::SpinBox},
                                      {"Hidden", AccessibleRole::PushButton},
                                      {"", AccessibleRole::Slider},
                                      {"Help", AccessibleRole::Link}}));
}

TEST_F(AccessibleItemsTest, ItemsTellTheirValuesCheckedStateAvailabilityAndWhetherTheyTakeTheFocus) {
    autoHide.setChecked(true);
    ok.setTabStop(true);
    undo.setTabStop(false);
    const std::vector<AccessibleItem> items = form.accessibleItems();
    ASSERT_EQ(items.size(), 5U);
    const AccessibleItem& okItem = items[0];
    const AccessibleItem& undoItem = items[1];
    const AccessibleItem& autoHideItem = items[2];
    const AccessibleItem& rowsItem = items[3];
    const AccessibleItem& trackItem = items[4];
    EXPECT_TRUE(okItem.focusable);    // a tab stop
    EXPECT_FALSE(undoItem.focusable); // none
    EXPECT_TRUE(autoHideItem.checked);
    EXPECT_FALSE(okItem.checked);
    EXPECT_EQ(rowsItem.value, "6");
    EXPECT_TRUE(rowsItem.focusable);
    // Disabled through its panel: unavailable, and still reporting its position.
    EXPECT_TRUE(trackItem.disabled);
    EXPECT_EQ(trackItem.value, "128");
    EXPECT_FALSE(rowsItem.disabled);
    // The user's changes show at the next question.
    ASSERT_TRUE(rows.focus());
    host.pressKey(form, vk::kUp);
    host.click(form, Point{10 + 6 + 5, 20 + 40 + 5});
    EXPECT_EQ(form.accessibleItems()[3].value, "7");
    EXPECT_FALSE(form.accessibleItems()[2].checked);
}

TEST_F(AccessibleItemsTest, FocusEventsNameTheFocusedItemAmongThoseShowingAtTheTime) {
    ASSERT_TRUE(rows.focus());
    EXPECT_EQ(focusEvents(), std::vector<int>{3});
    EXPECT_EQ(focusedItems(), std::vector<int>{3});
    // With the button before it hidden, the editor is the third item: the next event says so.
    undo.setVisible(false);
    ASSERT_TRUE(form.setFocus(nullptr));
    ASSERT_TRUE(rows.focus());
    EXPECT_EQ(focusEvents(), (std::vector<int>{3, -1, 2}));
    EXPECT_EQ(focusedItems(), std::vector<int>{2});
    // A tab stop with no role is no item: the event names none, and no item is focused.
    host.pressKey(form, vk::kTab);
    ASSERT_EQ(form.focused(), &plain);
    EXPECT_EQ(focusEvents().back(), -1);
    EXPECT_TRUE(focusedItems().empty());
}

TEST_F(AccessibleItemsTest, BoundsAreInTheClientAreaAcrossNestedPanels) {
    const std::vector<AccessibleItem> items = form.accessibleItems();
    ASSERT_EQ(items.size(), 5U);
    EXPECT_EQ(items[0].bounds, (Rect{16, 24, 96, 48}));
    EXPECT_EQ(items[3].bounds, Rect::fromBounds(110, 60, 60, SpinEdit::kPreferredHeight));
}

// ----- At 144 DPI -----

class AccessibleItemsAt144Test : public AccessibleItemsTest {
protected:
    AccessibleItemsAt144Test() : AccessibleItemsTest(144) {}
};

TEST_F(AccessibleItemsAt144Test, BoundsAreInPhysicalPixelsAtTheWindowsScale) {
    ASSERT_EQ(form.scale().dpi, 144);
    const std::vector<AccessibleItem> items = form.accessibleItems();
    ASSERT_EQ(items.size(), 5U);
    // The OK button, (16, 24) 80 x 24 in device-independent pixels.
    EXPECT_EQ(items[0].bounds, (Rect{24, 36, 144, 72}));
    // The Undo button, (100, 24) 24 x 24.
    EXPECT_EQ(items[1].bounds, (Rect{150, 36, 186, 72}));
}

} // namespace
} // namespace cellaro
