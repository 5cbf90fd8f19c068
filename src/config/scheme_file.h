// The files beside CRO.cfg that keep the colour settings: one file per preset slot with the five
// colours saved into it (P01.IDX ... P09.IDX, P010.IDX), and color.cld with the colour chooser's
// last colour and its sixteen custom colours.
//
// Both are small INI texts read and written only by this program, CR LF line ends, a version line
// first so that a later layout can be told apart:
//
//   P03.IDX                          color.cld
//   [Scheme]                         [ColourChooser]
//   Version=1                        Version=1
//   Background=0                     Colour=4674285
//   GridBackground=4674285           Custom1=16777215
//   Grid=0                           ...
//   RangeSelection=16777215          Custom16=16777215
//   ResizingWindow=4674285
//
// Colours are 0x00BBGGRR written in decimal (read also as "0x" hexadecimal, as in CRO.cfg). A file
// is valid when it is at most 64 KiB, ends with a line end (CR or LF), and its section holds
// "Version=1" and every colour key, each with a value from 0 to 0xFFFFFF. Other keys and sections
// are ignored, names compare without regard to case, and lines may end in LF alone. Anything else
// (a missing or unknown version, a missing or unparsable colour, binary garbage, an empty or
// truncated file) is an error with a message to show, and the caller keeps what it had; a file in
// another format (binary, or without the section and its version) is told apart as such.
#pragma once

#include "config/board_colours.h"
#include "core/geometry.h"
#include "platform/files.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cellaro {

inline constexpr int kSchemeSlotCount = 10;
inline constexpr int kSchemeFileVersion = 1;
inline constexpr std::string_view kColourChooserFileName = "color.cld";

// What reading a file gave: the value, or the message of why there is none.
template <typename T> struct FileFormatResult {
    std::optional<T> value;
    std::string error;
    [[nodiscard]] bool ok() const { return value.has_value(); }
};

// The slot's file name: "P01.IDX" ... "P09.IDX" and, for slot 10, "P010.IDX" (a zero before the 10).
// Empty for a slot outside 1..10.
[[nodiscard]] std::string schemeFileName(int slot);
// The program directory followed by that name.
[[nodiscard]] std::string schemeFilePath(const FileSystem& files, int slot);

// The five colours of a saved scheme, from a file's bytes.
[[nodiscard]] FileFormatResult<BoardColours> parseSchemeFile(std::string_view bytes);
[[nodiscard]] std::string formatSchemeFile(const BoardColours& colours);

// The colour chooser's state kept between runs: the colour it last showed and its custom colours.
struct ColourChooserState {
    static constexpr std::size_t kCustomColourCount = 16;
    Colour colour{0};
    // The chooser's own starting custom colours are white.
    std::array<Colour, kCustomColourCount> customColours = [] {
        std::array<Colour, kCustomColourCount> white{};
        white.fill(Colour{0xFFFFFF});
        return white;
    }();
    friend bool operator==(const ColourChooserState&, const ColourChooserState&) = default;
};

[[nodiscard]] std::string colourChooserFilePath(const FileSystem& files);
[[nodiscard]] FileFormatResult<ColourChooserState> parseColourChooserFile(std::string_view bytes);
[[nodiscard]] std::string formatColourChooserFile(const ColourChooserState& state);

// Reading a file from the program directory: it may be missing (not an error), be read and
// understood, or fail with a message naming the file and the reason.
template <typename T> struct StoredFileRead {
    enum class Status { Ok, Missing, Error };
    Status status = Status::Missing;
    T value{};
    std::string error;
    // The error is in the file's content (it was read, but is not a valid file of its kind).
    bool unusable = false;
};

// A slot outside 1..10 has no file: it reads as missing and is not written.
[[nodiscard]] StoredFileRead<BoardColours> readSchemeFile(const FileSystem& files, int slot);
// Replaces the slot's file whole (atomically, like CRO.cfg); the error text names the file.
[[nodiscard]] FileWriteResult writeSchemeFile(FileSystem& files, int slot, const BoardColours& colours);

[[nodiscard]] StoredFileRead<ColourChooserState> readColourChooserFile(const FileSystem& files);
[[nodiscard]] FileWriteResult writeColourChooserFile(FileSystem& files, const ColourChooserState& state);

} // namespace cellaro
