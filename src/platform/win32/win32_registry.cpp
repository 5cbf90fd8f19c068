// Reads and writes string values under HKCU\Software\Microsoft\Windows\CurrentVersion\Run.
#include "platform/win32/win32_registry.h"

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_text.h"

#include <windows.h>

#include <climits>

namespace cellaro::win32 {

namespace {

constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
// The Run key that the 64-bit shell reads, whichever way this program was built.
constexpr REGSAM kView = KEY_WOW64_64KEY;
// Tries at reading a value that keeps growing between the size query and the read.
constexpr int kReadAttempts = 4;

// A value name the system will act on exactly: valid UTF-8, no NUL, and not empty (the empty name
// is the key's default value, never an autostart entry).
std::optional<std::wstring> valueName(const std::string& name) {
    auto wide = toWideName(name);
    if (!wide || wide->empty()) {
        return std::nullopt;
    }
    return wide;
}

ScopedRegistryKey openRunKey(REGSAM access, LONG* status) {
    HKEY key = nullptr;
    *status = ::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, access | kView, &key);
    return ScopedRegistryKey(*status == ERROR_SUCCESS ? key : nullptr);
}

} // namespace

std::optional<std::string> Win32AutostartRegistry::runValue(const std::string& name) const {
    const auto wideName = valueName(name);
    if (!wideName) {
        return std::nullopt;
    }
    LONG status = ERROR_SUCCESS;
    const ScopedRegistryKey key = openRunKey(KEY_QUERY_VALUE, &status);
    if (!key) {
        return std::nullopt;
    }
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        DWORD type = 0;
        DWORD bytes = 0;
        status = ::RegQueryValueExW(key.get(), wideName->c_str(), nullptr, &type, nullptr, &bytes);
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        // Room for one more character, so the text ends in NUL even when it was stored without one.
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD capacity = static_cast<DWORD>((text.size() - 1) * sizeof(wchar_t));
        status = ::RegQueryValueExW(key.get(), wideName->c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(text.data()), &capacity);
        if (status == ERROR_MORE_DATA) {
            continue;
        }
        if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        text.resize(capacity / sizeof(wchar_t));
        // Stored strings normally include their terminator, and may carry more than one.
        const auto end = text.find(L'\0');
        if (end != std::wstring::npos) {
            text.resize(end);
        }
        return toUtf8(text);
    }
    return std::nullopt;
}

bool Win32AutostartRegistry::setRunValue(const std::string& name, const std::string& command) {
    const auto wideName = valueName(name);
    const auto wideCommand = toWideName(command);
    if (!wideName || !wideCommand || wideCommand->size() >= (UINT_MAX / sizeof(wchar_t)) - 1) {
        return false;
    }
    HKEY rawKey = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE | kView, nullptr, &rawKey, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const ScopedRegistryKey key(rawKey);
    const auto bytes = static_cast<DWORD>((wideCommand->size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.get(), wideName->c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(wideCommand->c_str()), bytes) == ERROR_SUCCESS;
}

bool Win32AutostartRegistry::deleteRunValue(const std::string& name) {
    const auto wideName = valueName(name);
    if (!wideName) {
        return false;
    }
    LONG status = ERROR_SUCCESS;
    const ScopedRegistryKey key = openRunKey(KEY_SET_VALUE, &status);
    if (!key) {
        return status == ERROR_FILE_NOT_FOUND; // no Run key: no value either
    }
    status = ::RegDeleteValueW(key.get(), wideName->c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

} // namespace cellaro::win32
