// The local date and time in the user's short date and long time formats.
#include "platform/win32/win32_clock.h"

#include "platform/win32/win32_text.h"

#include <windows.h>

#include <array>

namespace cellaro::win32 {

namespace {

// Longer than any format the locale settings let the user enter.
constexpr int kFormattedLength = 128;

} // namespace

DateTimeTexts Win32Clock::now() const {
    SYSTEMTIME local{};
    ::GetLocalTime(&local);
    DateTimeTexts texts;
    std::array<wchar_t, kFormattedLength> buffer{};
    if (::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, buffer.data(),
                          kFormattedLength, nullptr) > 0) {
        texts.date = toUtf8(buffer.data());
    }
    if (::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &local, nullptr, buffer.data(), kFormattedLength) >
        0) {
        texts.time = toUtf8(buffer.data());
    }
    return texts;
}

} // namespace cellaro::win32
