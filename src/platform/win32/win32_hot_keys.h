// The hot keys over RegisterHotKey: one hidden message-only window per slot, each registering its
// combination under the identifier 0, so that slots never clash over identifiers and each
// WM_HOTKEY reaches the one action of the window it was posted to.
#pragma once

#include "platform/hot_keys.h"
#include "platform/win32/win32_message_window.h"

#include <functional>
#include <map>
#include <memory>

namespace cellaro::win32 {

class Win32HotKeys final : public HotKeys {
public:
    Win32HotKeys();
    ~Win32HotKeys() override;
    Win32HotKeys(const Win32HotKeys&) = delete;
    Win32HotKeys& operator=(const Win32HotKeys&) = delete;
    Win32HotKeys(Win32HotKeys&&) = delete;
    Win32HotKeys& operator=(Win32HotKeys&&) = delete;

    [[nodiscard]] HotKeySlot addSlot(std::function<void()> pressed) override;
    void removeSlot(HotKeySlot slot) override;
    [[nodiscard]] bool registerHotKey(HotKeySlot slot, HotKeyCombination combination) override;
    void unregisterHotKey(HotKeySlot slot) override;

private:
    class SlotWindow;

    std::map<HotKeySlot, std::unique_ptr<SlotWindow>> slots_;
    HotKeySlot nextSlot_ = 1;
};

} // namespace cellaro::win32
