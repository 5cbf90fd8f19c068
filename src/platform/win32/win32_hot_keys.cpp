// The hot keys over RegisterHotKey, one message window per slot.
#include "platform/win32/win32_hot_keys.h"

#include <utility>

namespace cellaro::win32 {

namespace {

constexpr const wchar_t* kWindowClass = L"CellaroHotKey";
constexpr int kHotKeyIdentifier = 0;

} // namespace

class Win32HotKeys::SlotWindow final : public MessageWindow {
public:
    explicit SlotWindow(std::function<void()> pressed) : pressed_(std::move(pressed)) {
        create(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, ::GetModuleHandleW(nullptr));
    }
    SlotWindow(const SlotWindow&) = delete;
    SlotWindow& operator=(const SlotWindow&) = delete;
    SlotWindow(SlotWindow&&) = delete;
    SlotWindow& operator=(SlotWindow&&) = delete;
    ~SlotWindow() override {
        unregisterHotKey();
        if (handle() != nullptr) {
            destroyWindow();
        }
    }

    bool registerHotKey(HotKeyCombination combination) {
        if (handle() == nullptr || registered_) {
            return false;
        }
        registered_ =
            ::RegisterHotKey(handle(), kHotKeyIdentifier, combination.modifiers, combination.keyCode) != 0;
        return registered_;
    }

    void unregisterHotKey() {
        if (registered_ && handle() != nullptr) {
            ::UnregisterHotKey(handle(), kHotKeyIdentifier);
        }
        registered_ = false;
    }

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_HOTKEY && static_cast<int>(wParam) == kHotKeyIdentifier && pressed_) {
            // The action may remove this slot: run a copy.
            const std::function<void()> pressed = pressed_;
            pressed();
            return 0;
        }
        return ::DefWindowProcW(handle(), message, wParam, lParam);
    }

private:
    std::function<void()> pressed_;
    bool registered_ = false;
};

Win32HotKeys::Win32HotKeys() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = MessageWindow::windowProcedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    // A second instance in the same process finds the class already there, which is fine.
    ::RegisterClassExW(&windowClass);
}

Win32HotKeys::~Win32HotKeys() = default;

HotKeySlot Win32HotKeys::addSlot(std::function<void()> pressed) {
    const HotKeySlot slot = nextSlot_++;
    slots_[slot] = std::make_unique<SlotWindow>(std::move(pressed));
    return slot;
}

void Win32HotKeys::removeSlot(HotKeySlot slot) {
    slots_.erase(slot);
}

bool Win32HotKeys::registerHotKey(HotKeySlot slot, HotKeyCombination combination) {
    const auto found = slots_.find(slot);
    return found != slots_.end() && found->second->registerHotKey(combination);
}

void Win32HotKeys::unregisterHotKey(HotKeySlot slot) {
    const auto found = slots_.find(slot);
    if (found != slots_.end()) {
        found->second->unregisterHotKey();
    }
}

} // namespace cellaro::win32
