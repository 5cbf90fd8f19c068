// One global shortcut over the hot-key port.
#include "logic/shortcuts/hot_key.h"

namespace cellaro {

HotKeyCombination hotKeyCombination(ShortcutValue value) {
    HotKeyCombination combination;
    combination.keyCode = shortcutKeyCode(value);
    if ((value & kShortcutShift) != 0) {
        combination.modifiers |= kHotKeyShift;
    }
    if ((value & kShortcutCtrl) != 0) {
        combination.modifiers |= kHotKeyControl;
    }
    if ((value & kShortcutAlt) != 0) {
        combination.modifiers |= kHotKeyAlt;
    }
    return combination;
}

HotKey::HotKey(HotKeys& hotKeys)
    : hotKeys_(hotKeys), slot_(hotKeys.addSlot([this] {
          if (onHotKey) {
              onHotKey();
          }
      })) {}

HotKey::~HotKey() {
    unregisterKey();
    hotKeys_.removeSlot(slot_);
}

void HotKey::loaded() {
    if (enabled_) {
        registerKey();
    }
}

void HotKey::setKey(ShortcutValue value) {
    if (value == key_) {
        return;
    }
    key_ = value;
    unregisterKey();
    if (enabled_) {
        registerKey();
    }
}

void HotKey::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled) {
        registerKey();
    } else {
        unregisterKey();
    }
}

void HotKey::suspend() {
    if (!suspended_ && registered_) {
        hotKeys_.unregisterHotKey(slot_);
    }
    suspended_ = true;
}

void HotKey::resume() {
    if (!suspended_) {
        return;
    }
    suspended_ = false;
    if (registered_) {
        registered_ = hotKeys_.registerHotKey(slot_, hotKeyCombination(key_));
    }
}

void HotKey::registerKey() {
    if (registered_ || shortcutKeyCode(key_) == 0) {
        return;
    }
    registered_ = hotKeys_.registerHotKey(slot_, hotKeyCombination(key_));
}

void HotKey::unregisterKey() {
    if (registered_) {
        hotKeys_.unregisterHotKey(slot_);
        registered_ = false;
    }
}

} // namespace cellaro
