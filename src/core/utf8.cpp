// Walking UTF-8 text by characters.
#include "core/utf8.h"

namespace cellaro::utf8 {

namespace {

bool isContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0U) == 0x80U;
}

// The length a lead byte announces; 1 for bytes that start no multi-byte sequence.
std::size_t announcedLength(char byte) {
    const auto lead = static_cast<unsigned char>(byte);
    if (lead >= 0xF0U && lead <= 0xF4U) {
        return 4;
    }
    if (lead >= 0xE0U && lead <= 0xEFU) {
        return 3;
    }
    if (lead >= 0xC2U && lead <= 0xDFU) {
        return 2;
    }
    return 1;
}

} // namespace

std::size_t characterLength(std::string_view text, std::size_t position) {
    if (position >= text.size()) {
        return 1;
    }
    const std::size_t length = announcedLength(text[position]);
    if (position + length > text.size()) {
        return 1;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (!isContinuation(text[position + k])) {
            return 1;
        }
    }
    return length;
}

std::vector<std::size_t> characterStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t position = 0; position < text.size(); position += characterLength(text, position)) {
        starts.push_back(position);
    }
    starts.push_back(text.size());
    return starts;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t position = 0; position < text.size(); position += characterLength(text, position)) {
        ++count;
    }
    return count;
}

std::string_view firstCharacters(std::string_view text, std::size_t count) {
    std::size_t position = 0;
    for (std::size_t seen = 0; position < text.size() && seen < count; ++seen) {
        position += characterLength(text, position);
    }
    return text.substr(0, position);
}

} // namespace cellaro::utf8
