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

} // namespace

ShortcutSet::ShortcutSet(HotKeys& hotKeys, const KeyNames& keyNames, CommandRunner run)
    : names_(keyNames), run_(std::move(run)) {
    for (std::size_t index = 0; index < kShortcutTable.size(); ++index) {
        hotKeys_[index] = std::make_unique<HotKey>(hotKeys);
        const std::optional<CommandCall> call = commandOfShortcut(kShortcutTable[index].number);
        hotKeys_[index]->onHotKey = [this, call] {
            if (call && run_) {
                run_(*call);
            }
        };
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
    const bool wasSuspended = suspended_;
    setSuspended(false);
    for (const int number : order) {
        hotKey(number).setKey(valueOf(number));
    }
    setSuspended(wasSuspended);
}

void ShortcutSet::setSuspended(bool suspended) {
    if (suspended == suspended_) {
        return;
    }
    suspended_ = suspended;
    for (const std::unique_ptr<HotKey>& key : hotKeys_) {
        if (suspended) {
            key->suspend();
        } else {
            key->resume();
        }
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

} // namespace cellaro
