// What every verb of the end-to-end probe writes with: UTF-8 lines on standard output, texts escaped
// so that they never break the tab-separated fields, handles in hexadecimal and rectangles as four
// numbers.
#pragma once

#include <windows.h>

#include <string>

namespace probe {

// Writes the text to standard output as UTF-8.
inline void write(const std::wstring& text) {
    if (text.empty()) {
        return;
    }
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                            0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes, nullptr,
                          nullptr);
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()), &written,
                nullptr);
}

// Escapes the characters that would break the tab-separated lines.
inline std::wstring escaped(const std::wstring& text) {
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

// A handle or a bit set as the lines print it ("0x1a2b").
inline std::wstring hex(unsigned long long value) {
    wchar_t buffer[32] = {};
    ::wsprintfW(buffer, L"0x%I64x", value);
    return buffer;
}

// "left,top,right,bottom".
inline std::wstring rectText(const RECT& rect) {
    return std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," +
           std::to_wstring(rect.right) + L"," + std::to_wstring(rect.bottom);
}

} // namespace probe
