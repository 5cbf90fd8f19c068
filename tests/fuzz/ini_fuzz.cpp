// Fuzz target for the INI document: any bytes parse, regeneration is stable, and an edit made with
// fuzzer-chosen names and value reads back the same after a round trip through text.
#include "config/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    cellaro::IniDocument document = cellaro::IniDocument::parse(bytes);
    const std::string first = document.serialize();
    if (cellaro::IniDocument::parse(first).serialize() != first) {
        std::abort();
    }

    // The first three bytes pick lengths for a section, a key and a value taken from the input.
    if (size >= 3) {
        const std::size_t sectionLength = data[0] % 8;
        const std::size_t keyLength = data[1] % 8;
        const std::size_t valueLength = data[2] % 16;
        std::string_view rest = bytes.substr(3);
        const auto take = [&rest](std::size_t length) {
            const std::string_view piece = rest.substr(0, length);
            rest.remove_prefix(piece.size());
            return std::string(piece);
        };
        const std::string section = take(sectionLength);
        const std::string key = take(keyLength);
        const std::string value = take(valueLength);
        if (document.setValue(section, key, value)) {
            const std::string edited = document.serialize();
            const cellaro::IniDocument reread = cellaro::IniDocument::parse(edited);
            if (reread.value(section, key) != document.value(section, key) || reread.serialize() != edited) {
                std::abort();
            }
        }
    }
    return 0;
}
