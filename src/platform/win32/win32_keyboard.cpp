// Display names of virtual keys from the current keyboard layout.
#include "platform/win32/win32_keyboard.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

namespace cellaro::win32 {

namespace {

// Bit 24 of a key message's lParam: the key's scan code has the extended (E0) prefix.
constexpr LONG kExtendedKeyFlag = 1L << 24;

} // namespace

bool isExtendedKey(std::uint8_t virtualKey) {
    switch (virtualKey) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_NUMLOCK:
    case VK_DIVIDE:
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_SNAPSHOT:
    case VK_CANCEL:
        return true;
    default:
        return false;
    }
}

std::optional<std::string> Win32KeyNames::displayName(std::uint8_t virtualKey) const {
    const UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    if (scanCode == 0) {
        return std::nullopt;
    }
    LONG keyData = static_cast<LONG>((scanCode & 0xFFU) << 16U);
    if (isExtendedKey(virtualKey)) {
        keyData |= kExtendedKeyFlag;
    }
    wchar_t name[64];
    const int length = ::GetKeyNameTextW(keyData, name, static_cast<int>(std::size(name)));
    if (length <= 0) {
        return std::nullopt;
    }
    return toUtf8(std::wstring_view(name, static_cast<std::size_t>(length)));
}

} // namespace cellaro::win32
