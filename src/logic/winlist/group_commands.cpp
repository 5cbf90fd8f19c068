// The group commands: minimise, restore, show only and bring to front a window group, the steps
// through the groups with members, and the hints that name what a step brings up.
#include "logic/winlist/group_commands.h"

#include "core/scoped_flag.h"
#include "platform/desktop.h"
#include "platform/event_loop.h"

#include <optional>
#include <utility>

namespace cellaro {

namespace {

constexpr std::string_view kRule = "____________________"; // 20 underscores

// The prefixes of the four buttons of a group, in the order minimise, restore, show only, bring to
// front; group A's carry square brackets.
constexpr std::array<std::string_view, 4> kGroupAPrefixes{"[ Minimize ]", "[ Restore ]", "[ Show Only ]",
                                                          "[ Bring to Front ]"};
constexpr std::array<std::string_view, 4> kOtherGroupPrefixes{"Minimize", "Restore", "Show Only",
                                                              "Bring to Front"};
// The buttons' numbers in the same order.
constexpr std::array<char, 4> kButtonNumbers{'1', '2', '4', '5'};

} // namespace

std::vector<GroupButtonHint> groupButtonHints(const std::array<std::string, kGroupCount>& memberTexts) {
    std::vector<GroupButtonHint> hints;
    hints.reserve(static_cast<std::size_t>(kGroupCount) * kButtonNumbers.size());
    for (std::size_t g = 0; g < static_cast<std::size_t>(kGroupCount); ++g) {
        const auto& prefixes = g == 0 ? kGroupAPrefixes : kOtherGroupPrefixes;
        for (std::size_t b = 0; b < kButtonNumbers.size(); ++b) {
            std::string button{'G', kGroupLetters.at(g), kButtonNumbers.at(b)};
            std::string hint(prefixes.at(b));
            hint += '\r';
            hint += kRule;
            hint += '\r';
            hint += memberTexts.at(g);
            hints.push_back(GroupButtonHint{std::move(button), std::move(hint)});
        }
    }
    return hints;
}

GroupCommands::GroupCommands(Desktop& desktop, EventLoop& loop, const WindowList& list)
    : desktop_(desktop), loop_(loop), list_(list) {}

void GroupCommands::minimize(int group) {
    if (running_) {
        return;
    }
    const ScopedFlag guard(running_);
    for (const WindowEntry& entry : list_.entries()) {
        // The call is issued for every marked entry, also one whose handle text gives no window.
        if (entry.member(group) && desktop_.foregroundWindow() != desktop_.desktopWindow()) {
            desktop_.show(entry.window(), ShowCommand::Minimize);
        }
    }
}

void GroupCommands::restore(int group) {
    if (running_) {
        return;
    }
    const ScopedFlag guard(running_);
    for (const WindowEntry& entry : list_.entries()) {
        if (entry.member(group)) {
            desktop_.show(entry.window(), ShowCommand::Restore);
        }
    }
}

void GroupCommands::showOnly(int group) {
    if (running_) {
        return;
    }
    const ScopedFlag guard(running_);
    runShowOnly(group);
}

void GroupCommands::bringToFront(int group) {
    if (running_) {
        return;
    }
    const ScopedFlag guard(running_);
    runBringToFront(group);
}

void GroupCommands::runShowOnly(int group) {
    // Indexes, not iterators: the pending messages run between entries.
    for (int row = 0; row < list_.count(); ++row) {
        const WindowEntry& entry = list_.entry(row);
        if (entry.listed) {
            const WindowId window = entry.window();
            if (window) {
                desktop_.show(window, entry.member(group) ? ShowCommand::Restore : ShowCommand::Minimize);
            }
        }
        loop_.processPendingMessages();
    }
}

void GroupCommands::runBringToFront(int group) {
    for (int row = 0; row < list_.count(); ++row) {
        const WindowEntry& entry = list_.entry(row);
        if (entry.listed && entry.member(group)) {
            const WindowId window = entry.window();
            if (window) {
                forceToForeground(window);
            }
        }
        loop_.processPendingMessages();
    }
}

void GroupCommands::forceToForeground(WindowId window) {
    const std::optional<WindowPlacement> placement = desktop_.placement(window);
    const bool minimised = placement && placement->state == ShowState::Minimized;
    if (!minimised && desktop_.foregroundWindow() == window) {
        return;
    }
    // The port restores a minimised window itself and lifts the system's foreground restrictions
    // (thread-input attachment, lock time-out). The restore is asked for once only: a second one,
    // queued before the window's thread carried out the first, would bring a maximised window back
    // at its normal size.
    desktop_.setForeground(window);
}

void GroupCommands::step(int& current, int direction, bool toFront) {
    if (running_) {
        return;
    }
    {
        const ScopedFlag guard(running_);
        bool found = false;
        const int target = stepTarget(current, direction, found);
        if (found) {
            current = target;
            if (toFront) {
                runBringToFront(target);
            } else {
                runShowOnly(target);
            }
        }
    }
    refreshHints();
}

void GroupCommands::previousShowOnly() {
    step(currentShowOnly_, -1, false);
}

void GroupCommands::nextShowOnly() {
    step(currentShowOnly_, +1, false);
}

void GroupCommands::previousToFront() {
    step(currentToFront_, -1, true);
}

void GroupCommands::nextToFront() {
    step(currentToFront_, +1, true);
}

bool GroupCommands::hasLiveMembers(int group) const {
    for (const WindowEntry& entry : list_.entries()) {
        if (entry.member(group) && entry.window()) {
            return true;
        }
    }
    return false;
}

int GroupCommands::stepTarget(int current, int direction, bool& found) const {
    int group = current;
    do {
        group = (group + direction + kGroupCount) % kGroupCount;
        if (hasLiveMembers(group)) {
            found = true;
            return group;
        }
    } while (group != current);
    found = false;
    return current;
}

void GroupCommands::refreshHints() {
    const auto text = [this](int group) { return memberTexts_.at(static_cast<std::size_t>(group)); };
    const auto hint = [this, &text](int current, int direction) {
        bool found = false;
        const int target = stepTarget(current, direction, found);
        if (found) {
            return text(target);
        }
        return direction > 0 ? text(0) : std::string(kNoGroupText);
    };
    hints_.nextToFront = hint(currentToFront_, +1);
    hints_.previousToFront = hint(currentToFront_, -1);
    hints_.nextShowOnly = hint(currentShowOnly_, +1);
    hints_.previousShowOnly = hint(currentShowOnly_, -1);
    for (const auto& listener : listeners_) {
        listener(hints_);
    }
}

void GroupCommands::addHintsListener(std::function<void(const GroupStepHints&)> listener) {
    listeners_.push_back(std::move(listener));
}

} // namespace cellaro
