// The global shortcuts: loading, applying and running them.
#include "logic/shortcuts/shortcut_set.h"

#include "config/config_keys.h"
#include "config/settings.h"

#include <cstddef>
#include <stdexcept>
#include <utility>

namespace cellaro {

namespace {

std::size_t indexOf(int number) {
    for (std::size_t index = 0; index < kShortcutTable.size(); ++index) {
        if (kShortcutTable[index].number == number) {
            return index;
        }
    }
    throw std::out_of_range("no shortcut has this number");
}

void call(const std::function<void()>& operation) {
    if (operation) {
        operation();
    }
}

void callForGroup(const std::function<void(int)>& operation, char group) {
    if (operation && group >= 'A' && group <= 'D') {
        operation(group - 'A');
    }
}

} // namespace

ShortcutSet::ShortcutSet(HotKeys& hotKeys, const KeyNames& keyNames, ShortcutOperations operations)
    : names_(keyNames), operations_(std::move(operations)) {
    for (std::size_t index = 0; index < kShortcutTable.size(); ++index) {
        hotKeys_[index] = std::make_unique<HotKey>(hotKeys);
        const ShortcutAction action = kShortcutTable[index].action;
        const char group = kShortcutTable[index].group;
        hotKeys_[index]->onHotKey = [this, action, group] { run(action, group); };
        hotKeys_[index]->loaded();
    }
}

ShortcutSet::~ShortcutSet() = default;

void ShortcutSet::load(const SettingsModel& settings) {
    applyInLoadOrder([&](int number) {
        return config::findShortcutKey(number) == nullptr
                   ? ShortcutValue{0}
                   : shortcutFromText(settings.shortcutText(number), names_);
    });
}

void ShortcutSet::apply(const std::function<ShortcutValue(int number)>& valueOf, SettingsModel& settings) {
    applyInApplyOrder(valueOf);
    for (const config::ShortcutKey& key : config::kShortcutKeys) {
        const std::string current = text(key.number);
        settings.setShortcutText(key.number,
                                 current.empty() ? std::string(config::kNoShortcutText) : current);
    }
}

void ShortcutSet::applyInLoadOrder(const std::function<ShortcutValue(int)>& valueOf) {
    applyInOrder(kLoadOrder, valueOf);
}

void ShortcutSet::applyInApplyOrder(const std::function<ShortcutValue(int)>& valueOf) {
    applyInOrder(kApplyOrder, valueOf);
}

void ShortcutSet::applyInOrder(const std::array<int, 32>& order,
                               const std::function<ShortcutValue(int)>& valueOf) {
    for (const int number : order) {
        hotKey(number).setKey(valueOf(number));
    }
}

HotKey& ShortcutSet::hotKey(int number) {
    return *hotKeys_[indexOf(number)];
}

const HotKey& ShortcutSet::hotKey(int number) const {
    return *hotKeys_[indexOf(number)];
}

std::string ShortcutSet::text(int number) const {
    return shortcutToText(hotKey(number).key(), names_);
}

void ShortcutSet::run(ShortcutAction action, char group) const {
    switch (action) {
    case ShortcutAction::ShowCellaro:
        call(operations_.showCellaro);
        break;
    case ShortcutAction::StayOnTop:
        call(operations_.stayOnTop);
        break;
    case ShortcutAction::Transparent:
        call(operations_.transparent);
        break;
    case ShortcutAction::NextMonitor:
        call(operations_.nextMonitor);
        break;
    case ShortcutAction::FullScreenGridMonitor1:
        call(operations_.fullScreenGridMonitor1);
        break;
    case ShortcutAction::FullScreenGridMonitor2:
        call(operations_.fullScreenGridMonitor2);
        break;
    case ShortcutAction::Minimize:
        call(operations_.minimize);
        break;
    case ShortcutAction::Restore:
        call(operations_.restore);
        break;
    case ShortcutAction::Maximize:
        call(operations_.maximize);
        break;
    case ShortcutAction::Tile:
        call(operations_.tile);
        break;
    case ShortcutAction::Sleep:
        call(operations_.sleep);
        break;
    case ShortcutAction::FocusActiveWindow:
        call(operations_.focusActiveWindow);
        break;
    case ShortcutAction::KillTarget:
        call(killTarget);
        break;
    case ShortcutAction::GroupsNavigationMenu:
        call(operations_.groupsNavigationMenu);
        break;
    case ShortcutAction::ManageGroups:
        call(operations_.manageGroups);
        break;
    // The labelled "Next group" shortcuts step back and the "Previous group" ones forward: the
    // table's operation column names the step button each repeats.
    case ShortcutAction::BringToFrontGroupBack:
        call(operations_.previousGroupToFront);
        break;
    case ShortcutAction::BringToFrontGroupForward:
        call(operations_.nextGroupToFront);
        break;
    case ShortcutAction::ShowOnlyGroupBack:
        call(operations_.previousGroupShowOnly);
        break;
    case ShortcutAction::ShowOnlyGroupForward:
        call(operations_.nextGroupShowOnly);
        break;
    case ShortcutAction::ShowOnlyGroup:
        callForGroup(operations_.showOnlyGroup, group);
        break;
    case ShortcutAction::BringGroupToFront:
        callForGroup(operations_.bringGroupToFront, group);
        break;
    case ShortcutAction::MinimizeGroup:
        callForGroup(operations_.minimizeGroup, group);
        break;
    case ShortcutAction::RestoreGroup:
        callForGroup(operations_.restoreGroup, group);
        break;
    }
}

} // namespace cellaro
