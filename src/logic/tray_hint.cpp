// The tray icon's hint texts.
#include "logic/tray_hint.h"

#include "core/utf8.h"

namespace cellaro {

std::string startupTrayHint(int monitorCount, int monitorIndex) {
    std::string hint(kProductName);
    if (monitorCount > 1) {
        hint += "\r\nMonitor: " + std::to_string(monitorIndex + 1);
    }
    return hint;
}

std::string fitTrayHint(std::string_view text) {
    return std::string(utf8::firstCharacters(text, kTrayHintLimit));
}

} // namespace cellaro
