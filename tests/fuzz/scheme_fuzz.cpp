// Fuzz target for the preset scheme files and color.cld: any bytes give either a clean error or
// colours within 0..0xFFFFFF, and whatever is read is written back as a file that reads the same.
#include "config/scheme_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool isColour(cellaro::Colour colour) {
    return colour.value <= 0xFFFFFFU;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const cellaro::FileFormatResult<cellaro::BoardColours> scheme = cellaro::parseSchemeFile(bytes);
    check(scheme.ok() != !scheme.error.empty());
    if (scheme.ok()) {
        const cellaro::BoardColours& colours = *scheme.value;
        check(isColour(colours.background) && isColour(colours.gridBackground) && isColour(colours.grid) &&
              isColour(colours.rangeSelection) && isColour(colours.resizingWindow));
        const cellaro::FileFormatResult<cellaro::BoardColours> again =
            cellaro::parseSchemeFile(cellaro::formatSchemeFile(colours));
        check(again.ok() && *again.value == colours);
    }

    const cellaro::FileFormatResult<cellaro::ColourChooserState> chooser =
        cellaro::parseColourChooserFile(bytes);
    check(chooser.ok() != !chooser.error.empty());
    if (chooser.ok()) {
        check(isColour(chooser.value->colour));
        for (const cellaro::Colour custom : chooser.value->customColours) {
            check(isColour(custom));
        }
        const cellaro::FileFormatResult<cellaro::ColourChooserState> again =
            cellaro::parseColourChooserFile(cellaro::formatColourChooserFile(*chooser.value));
        check(again.ok() && *again.value == *chooser.value);
    }
    return 0;
}
