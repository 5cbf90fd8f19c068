// UTF-8 / UTF-16 conversion and system error texts for the Windows adapter.
#include "platform/win32/win32_text.h"

#include "platform/win32/win32_handles.h"

#include <climits>

namespace cellaro::win32 {

namespace {

std::optional<std::wstring> convertToWide(std::string_view utf8, DWORD flags) {
    if (utf8.empty()) {
        return std::wstring{};
    }
    if (utf8.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    const int inputLength = static_cast<int>(utf8.size());
    const int needed = ::MultiByteToWideChar(CP_UTF8, flags, utf8.data(), inputLength, nullptr, 0);
    if (needed <= 0) {
        return std::nullopt;
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    const int written = ::MultiByteToWideChar(CP_UTF8, flags, utf8.data(), inputLength, wide.data(), needed);
    if (written <= 0) {
        return std::nullopt;
    }
    wide.resize(static_cast<std::size_t>(written));
    return wide;
}

} // namespace

std::wstring toWide(std::string_view utf8) {
    return convertToWide(utf8, 0).value_or(std::wstring{});
}

std::optional<std::wstring> toWideName(std::string_view utf8) {
    if (utf8.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    return convertToWide(utf8, MB_ERR_INVALID_CHARS);
}

std::string toUtf8(std::wstring_view utf16) {
    if (utf16.empty() || utf16.size() > static_cast<std::size_t>(INT_MAX)) {
        return {};
    }
    const int inputLength = static_cast<int>(utf16.size());
    const int needed =
        ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inputLength, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(needed), '\0');
    const int written =
        ::WideCharToMultiByte(CP_UTF8, 0, utf16.data(), inputLength, utf8.data(), needed, nullptr, nullptr);
    if (written <= 0) {
        return {};
    }
    utf8.resize(static_cast<std::size_t>(written));
    return utf8;
}

std::string systemErrorText(DWORD errorCode) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const ScopedLocalMemory owner(buffer);
    if (length == 0 || buffer == nullptr) {
        return "Error " + std::to_string(errorCode);
    }
    std::wstring_view text(buffer, length);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.remove_suffix(1);
    }
    return toUtf8(text);
}

} // namespace cellaro::win32
