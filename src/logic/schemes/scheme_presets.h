// The colour schemes: the scheme indexes, the ten presets named after cities with their built-in
// colours, and the texts of the scheme label on the Grids page.
#pragma once

#include "config/board_colours.h"
#include "config/scheme_file.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace cellaro {

// The scheme index (ColorIDX): 0 changed by the user, 1..10 a preset, 20 the default colours.
inline constexpr int kModifiedSchemeIndex = 0;
inline constexpr int kDefaultSchemeIndex = 20;

// The scheme label's text before the first load.
inline constexpr std::string_view kInitialSchemeLabel = "Color scheme";
inline constexpr std::string_view kModifiedSchemeLabel = "Modified Color scheme";
inline constexpr std::string_view kDefaultSchemeLabel = "Default Color scheme";
inline constexpr std::string_view kPresetSchemeLabelPrefix = "Color scheme name: ";
// The hint of every save button (with its trailing blank).
inline constexpr std::string_view kSaveSchemeHint = "Save color scheme ";

struct SchemePreset {
    int index = 0;         // 1..10, also the slot of its file
    std::string_view name; // the scheme button's caption
    BoardColours colours;  // used while the slot has no saved file
};

// In index order: the "Color Scheme" box shows 1..5 in its first row and 6..10 in its second.
inline constexpr std::array<SchemePreset, kSchemeSlotCount> kSchemePresets{{
    {1,
     "Auckland",
     {Colour{16086644}, Colour{11517140}, Colour{8421504}, Colour{15525360}, Colour{13090761}}},
    {2, "Dakar", {Colour{3506144}, Colour{12554396}, Colour{0}, Colour{11199443}, Colour{11199443}}},
    {3, "Milano", {Colour{0}, Colour{4674285}, Colour{0}, Colour{16777215}, Colour{4674285}}},
    {4,
     "Chuquicamata",
     {Colour{6391505}, Colour{13741153}, Colour{16777215}, Colour{16742052}, Colour{6410668}}},
    {5, "Brno", {Colour{10916977}, Colour{2831313}, Colour{15066597}, Colour{3473393}, Colour{13904692}}},
    {6,
     "Indianapolis",
     {Colour{10921638}, Colour{13732488}, Colour{15066597}, Colour{16754175}, Colour{9098892}}},
    {7, "Chengdu", {Colour{12756322}, Colour{14021304}, Colour{10329501}, Colour{3658224}, Colour{11456926}}},
    {8, "Sunnyvale", {Colour{58098}, Colour{13937483}, Colour{15066597}, Colour{10023027}, Colour{7588191}}},
    {9, "Berlin", {Colour{10915749}, Colour{13620332}, Colour{15066597}, Colour{16745857}, Colour{7131606}}},
    {10, "Paris", {Colour{8404992}, Colour{13423577}, Colour{8421504}, Colour{6538433}, Colour{12673988}}},
}};

// The preset with that index, or null outside 1..10.
[[nodiscard]] constexpr const SchemePreset* findSchemePreset(int index) {
    for (const SchemePreset& preset : kSchemePresets) {
        if (preset.index == index) {
            return &preset;
        }
    }
    return nullptr;
}

// The scheme label's text for an index: "Modified Color scheme" (0), "Color scheme name: " and the
// preset's name (1..10), "Default Color scheme" (20). Nothing for any other index: the label then
// keeps the text it has.
[[nodiscard]] std::optional<std::string> schemeLabelText(int index);

} // namespace cellaro
