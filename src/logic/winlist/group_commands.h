// What can be done with a window group as a whole: minimise it, restore it, show only it, bring it
// to the front, and step to the previous or next group that has members in a show-only and a
// bring-to-front flavour, with the hints that name the windows a step will bring up. The working
// window's group page, the groups navigation menu and the group shortcuts call these; they read
// the window list of the last build and never change it.
#pragma once

#include "logic/winlist/window_list.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace cellaro {

class Desktop;
class EventLoop;

// The four step hints, each named by the working-window button and the navigation-menu button
// that show it.
struct GroupStepHints {
    std::string previousShowOnly; // GA3, xNazaj2
    std::string nextShowOnly;     // GB3, xNaprej2
    std::string previousToFront;  // GC3, XNazaj
    std::string nextToFront;      // GD3, xNaprej
    friend bool operator==(const GroupStepHints&, const GroupStepHints&) = default;
};

// The hints of the sixteen group buttons (GA1 ... GD5) for these member texts: each button's fixed
// prefix followed by its group's member text. Name and hint, groups A to D, each in the order of
// minimise (x1), restore (x2), show only (x4), bring to front (x5).
struct GroupButtonHint {
    std::string button;
    std::string hint;
};
[[nodiscard]] std::vector<GroupButtonHint>
groupButtonHints(const std::array<std::string, kGroupCount>& memberTexts);

class GroupCommands {
public:
    GroupCommands(Desktop& desktop, EventLoop& loop, const WindowList& list);

    // GA1 ... GD1: each member minimised, unless the desktop window is in the foreground.
    void minimize(int group);
    // GA2 ... GD2: each member restored.
    void restore(int group);
    // GA4 ... GD4: the listed live members restored and every other listed window minimised, in row
    // order.
    void showOnly(int group);
    // GA5 ... GD5: each listed live member forced to the foreground in turn; the last one in row
    // order ends up in front.
    void bringToFront(int group);

    // The steps: the flavour's current group moves back (A to D after A) or forward to the next
    // group with live members, visiting the other three first and the current one last, and the
    // flavour's operation runs on it; with none found nothing moves. The hints are refreshed.
    void previousShowOnly(); // GA3
    void nextShowOnly();     // GB3
    void previousToFront();  // GC3
    void nextToFront();      // GD3

    // At least one entry is marked for the group and has a handle text other than "0".
    [[nodiscard]] bool hasLiveMembers(int group) const;
    [[nodiscard]] int currentShowOnlyGroup() const { return currentShowOnly_; }
    [[nodiscard]] int currentToFrontGroup() const { return currentToFront_; }

    // The member texts published by the window manager list when it closed (empty until then).
    [[nodiscard]] const std::array<std::string, kGroupCount>& memberTexts() const { return memberTexts_; }
    void setMemberTexts(const std::array<std::string, kGroupCount>& texts) { memberTexts_ = texts; }

    // The four hint refreshes: for each step, the member text of the group it would reach; with
    // no group having live members, group A's text for the forward steps and kNoGroupText for the
    // backward ones. Every listener hears the new hints.
    void refreshHints();
    [[nodiscard]] const GroupStepHints& hints() const { return hints_; }
    void addHintsListener(std::function<void(const GroupStepHints&)> listener);

private:
    // The group a step from `current` in this direction (-1 or +1) reaches, or `current` when no
    // group has live members; found tells which.
    [[nodiscard]] int stepTarget(int current, int direction, bool& found) const;
    void forceToForeground(WindowId window);
    // The operations without the running check, for the steps that run them.
    void runShowOnly(int group);
    void runBringToFront(int group);
    // One step of a flavour: moves `current` to the group found and runs the flavour's operation.
    void step(int& current, int direction, bool toFront);

    Desktop& desktop_;
    EventLoop& loop_;
    const WindowList& list_;
    int currentShowOnly_ = 0;
    int currentToFront_ = 0;
    std::array<std::string, kGroupCount> memberTexts_{};
    GroupStepHints hints_{std::string(kNoGroupText), std::string(kNoGroupText), std::string(kNoGroupText),
                          std::string(kNoGroupText)};
    std::vector<std::function<void(const GroupStepHints&)>> listeners_;
    bool running_ = false; // an operation is processing messages: a second one does nothing
};

} // namespace cellaro
