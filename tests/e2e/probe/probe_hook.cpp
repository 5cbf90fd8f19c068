// Hook library of the end-to-end probe: loaded into the process that owns an open popup menu or a
// tooltip, it reads the menu's items or the tooltip's text there (Wine does not let another process
// read them) and sends them back to the probe as text through WM_COPYDATA. It also hands a window
// the WM_DPICHANGED that moving onto a monitor of another scale would bring, which Wine never sends
// (all its monitors share one scale) and whose rectangle cannot cross from another process.
#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {

// Escapes the characters that would break the probe's tab-separated lines.
std::wstring escaped(const std::wstring& text) {
    std::wstring result;
    for (const wchar_t character : text) {
        switch (character) {
        case L'\\':
            result += L"\\\\";
            break;
        case L'\t':
            result += L"\\t";
            break;
        case L'\r':
            result += L"\\r";
            break;
        case L'\n':
            result += L"\\n";
            break;
        default:
            result += character;
            break;
        }
    }
    return result;
}

std::wstring flagsText(UINT type, UINT state, bool hasSubmenu) {
    std::wstring flags;
    const auto add = [&flags](const wchar_t* flag) {
        if (!flags.empty()) {
            flags += L',';
        }
        flags += flag;
    };
    if ((type & MFT_SEPARATOR) != 0) {
        add(L"separator");
    }
    if ((state & MFS_CHECKED) != 0) {
        add(L"checked");
    }
    if ((state & MFS_GRAYED) != 0) {
        add(L"grayed");
    }
    if ((state & MFS_DEFAULT) != 0) {
        add(L"default");
    }
    if (hasSubmenu) {
        add(L"popup");
    }
    return flags.empty() ? L"none" : flags;
}

// One line per item, submenu items after their parent with a dotted index ("6.0").
void describeMenu(HMENU menu, HWND menuWindow, const std::wstring& prefix, std::wstring* lines) {
    const int count = ::GetMenuItemCount(menu);
    for (int index = 0; index < count; ++index) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_ID | MIIM_STRING;
        wchar_t text[512] = {};
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(sizeof(text) / sizeof(text[0]) - 1);
        if (::GetMenuItemInfoW(menu, static_cast<UINT>(index), TRUE, &info) == FALSE) {
            continue;
        }
        RECT rect{};
        const bool hasRect = menuWindow != nullptr &&
                             ::GetMenuItemRect(menuWindow, menu, static_cast<UINT>(index), &rect) != FALSE;
        const std::wstring position = prefix + std::to_wstring(index);
        *lines += L"item\tindex=" + position + L"\tid=" + std::to_wstring(info.wID) + L"\tflags=" +
                  flagsText(info.fType, info.fState, info.hSubMenu != nullptr) + L"\trect=";
        *lines += hasRect ? std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
                                std::to_wstring(rect.right) + L"," + std::to_wstring(rect.bottom)
                          : std::wstring(L"none");
        // Whether the menu shows the item selected (under the pointer) is a field of its own, so
        // that the flags describe only what the program asked for.
        *lines += L"\thilite=" + std::to_wstring((info.fState & MFS_HILITE) != 0 ? 1 : 0);
        *lines += L"\ttext=" + escaped(text) + L"\n";
        if (info.hSubMenu != nullptr) {
            describeMenu(info.hSubMenu, nullptr, position + L".", lines);
        }
    }
}

std::wstring describeTooltip(HWND tooltip) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    // A notification balloon is a tracked tool, not the current one under the pointer: its first.
    if (::SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) == FALSE &&
        ::SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)) == FALSE) {
        return L"error\tno current tool\n";
    }
    constexpr int kTextCapacity = 1024;
    wchar_t text[kTextCapacity] = {};
    tool.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, kTextCapacity, reinterpret_cast<LPARAM>(&tool));
    text[kTextCapacity - 1] = L'\0';
    return L"tooltip\ttext=" + escaped(text) + L"\n";
}

// The window's own dots per inch (its monitor's), 96 where the system cannot tell.
UINT windowDpi(HWND window) {
    using ForWindowFunction = UINT(WINAPI*)(HWND);
    const auto forWindow = reinterpret_cast<ForWindowFunction>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = forWindow != nullptr ? forWindow(window) : 0;
    return dpi != 0 ? dpi : 96;
}

} // namespace

// Runs in the owner's thread before each sent message reaches its window. The probe's
// registered request messages: "describe" carries the probe's reply window in wParam; "DPI
// changed" carries the suggested rectangle's left and top in wParam, its width and height in
// lParam, and the window gets WM_DPICHANGED with that rectangle at its own dots per inch.
extern "C" __declspec(dllexport) LRESULT CALLBACK probeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    const UINT requestMessage = ::RegisterWindowMessageW(L"CellaroProbeDescribeMenu");
    const UINT dpiChangedMessage = ::RegisterWindowMessageW(L"CellaroProbeDpiChanged");
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message != nullptr && message->message == dpiChangedMessage) {
        const int left = static_cast<short>(LOWORD(message->wParam));
        const int top = static_cast<short>(HIWORD(message->wParam));
        RECT suggested{left, top, left + static_cast<short>(LOWORD(message->lParam)),
                       top + static_cast<short>(HIWORD(message->lParam))};
        const UINT dpi = windowDpi(message->hwnd);
        ::SendMessageW(message->hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
    }
    if (code == HC_ACTION && message != nullptr && message->message == requestMessage) {
        wchar_t className[64] = {};
        ::GetClassNameW(message->hwnd, className, 64);
        std::wstring lines;
        if (::lstrcmpiW(className, TOOLTIPS_CLASSW) == 0) {
            lines = describeTooltip(message->hwnd);
        } else if (const auto menu =
                       reinterpret_cast<HMENU>(::SendMessageW(message->hwnd, MN_GETHMENU, 0, 0));
                   menu != nullptr) {
            describeMenu(menu, message->hwnd, L"", &lines);
        } else {
            lines = L"error\tno menu handle\n";
        }
        COPYDATASTRUCT data{};
        data.dwData = 1;
        data.cbData = static_cast<DWORD>(lines.size() * sizeof(wchar_t));
        data.lpData = lines.data();
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(reinterpret_cast<HWND>(message->wParam), WM_COPYDATA,
                              reinterpret_cast<WPARAM>(message->hwnd), reinterpret_cast<LPARAM>(&data),
                              SMTO_ABORTIFHUNG, 5000, &ignored);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
