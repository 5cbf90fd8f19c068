// One global shortcut (TfisHotKey): a shortcut value registered with the platform while enabled,
// and the action run when the platform reports it.
#pragma once

#include "config/shortcut_text.h"
#include "platform/hot_keys.h"

#include <functional>

namespace cellaro {

// The platform combination of a shortcut value: its key code and Shift, Ctrl, Alt as the platform's
// flags (the value has no bit for the Windows logo key).
[[nodiscard]] HotKeyCombination hotKeyCombination(ShortcutValue value);

class HotKey {
public:
    // Enabled, no key, not registered; the slot is taken at once.
    explicit HotKey(HotKeys& hotKeys);
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;
    HotKey(HotKey&&) = delete;
    HotKey& operator=(HotKey&&) = delete;
    // Unregisters and gives the slot back.
    ~HotKey();

    // Loaded: registers when enabled.
    void loaded();
    // An unchanged value does nothing (no new attempt either); a new one unregisters, then
    // registers again when enabled.
    void setKey(ShortcutValue value);
    // True registers, false unregisters.
    void setEnabled(bool enabled);

    // While suspended the combination is given back to the system (so that it can be typed), and
    // the key still counts as registered; resuming registers it again (registered() says whether
    // that worked). Nothing else may change the hot key while it is suspended.
    void suspend();
    void resume();
    [[nodiscard]] bool suspended() const { return suspended_; }

    [[nodiscard]] ShortcutValue key() const { return key_; }
    [[nodiscard]] bool enabled() const { return enabled_; }
    [[nodiscard]] bool registered() const { return registered_; }

    // OnHotKey: run when the platform reports the shortcut; may be empty.
    std::function<void()> onHotKey;

private:
    // Only when not registered already; a value of 0 binds nothing.
    void registerKey();
    void unregisterKey();

    HotKeys& hotKeys_;
    HotKeySlot slot_;
    ShortcutValue key_ = 0;
    bool enabled_ = true;
    bool registered_ = false;
    bool suspended_ = false;
};

} // namespace cellaro
