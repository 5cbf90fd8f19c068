// Hook library of the end-to-end probe: loaded into the process that owns an open popup menu or a
// tooltip, it reads the menu's items or the tooltip's text there (Wine does not let another process
// read them) and sends them back to the probe as text through WM_COPYDATA.
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
    if (::SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) == FALSE) {
        return L"error\tno current tool\n";
    }
    constexpr int kTextCapacity = 1024;
    wchar_t text[kTextCapacity] = {};
    tool.lpszText = text;
    ::SendMessageW(tooltip, TTM_GETTEXTW, kTextCapacity, reinterpret_cast<LPARAM>(&tool));
    text[kTextCapacity - 1] = L'\0';
    return L"tooltip\ttext=" + escaped(text) + L"\n";
}

} // namespace

// Runs in the owner's thread before each sent message reaches its window. The probe's
// registered request message carries the probe's reply window in wParam.
extern "C" __declspec(dllexport) LRESULT CALLBACK probeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    const UINT requestMessage = ::RegisterWindowMessageW(L"CellaroProbeDescribeMenu");
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
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
