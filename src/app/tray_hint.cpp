// The tray icon's hint texts.
#include "app/tray_hint.h"

namespace cellaro {

std::string startupTrayHint(int monitorCount, int monitorIndex) {
    std::string hint(kProductName);
    if (monitorCount > 1) {
        hint += "\r\nMonitor: " + std::to_string(monitorIndex + 1);
    }
    return hint;
}

std::string fitTrayHint(std::string_view text) {
    std::size_t position = 0;
    std::size_t characters = 0;
    while (position < text.size() && characters < kTrayHintLimit) {
        const auto lead = static_cast<unsigned char>(text[position]);
        std::size_t length = 1;
        if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        }
        // Only a complete sequence of continuation bytes counts as one character.
        bool complete = position + length <= text.size();
        for (std::size_t k = 1; complete && k < length; ++k) {
            complete = (static_cast<unsigned char>(text[position + k]) & 0xC0U) == 0x80U;
        }
        position += complete ? length : 1;
        ++characters;
    }
    return std::string(text.substr(0, position));
}

} // namespace cellaro
