// Text at the edge of the Windows adapter: UTF-8 (the program's text) to and from UTF-16 (the
// system's), and the system's message text for an error code.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace cellaro::win32 {

// UTF-8 to UTF-16 for display text (titles, key names): invalid sequences become U+FFFD.
std::wstring toWide(std::string_view utf8);
// UTF-8 to UTF-16 for names the system acts on (file paths, registry value names): nothing for
// invalid UTF-8 or an embedded NUL, which the system would silently cut the name at, so that a
// malformed name can never address a different file or value than the one asked for.
std::optional<std::wstring> toWideName(std::string_view utf8);
// UTF-16 to UTF-8: unpaired surrogates become U+FFFD.
std::string toUtf8(std::wstring_view utf16);

// The system's message for an error code, without the trailing line break ("Error 1234" when the
// system has none).
std::string systemErrorText(DWORD errorCode);

} // namespace cellaro::win32
