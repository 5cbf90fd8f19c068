// The preset scheme files and the colour chooser's file: their text, reading and atomic writing.
#include "config/scheme_file.h"

#include "config/config_file.h"
#include "config/ini_document.h"
#include "core/error_report.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace cellaro {

namespace {

constexpr std::string_view kSchemeSection = "Scheme";
constexpr std::string_view kChooserSection = "ColourChooser";
constexpr std::string_view kVersionKey = "Version";
constexpr std::string_view kChooserColourKey = "Colour";
constexpr std::string_view kCustomColourKeyPrefix = "Custom";

// The files hold a few lines; anything much longer is not one of them, and is not parsed at all.
constexpr std::size_t kMaxFileSize = 65536;
constexpr std::uint32_t kMaxColour = 0xFFFFFF;

struct SchemeKey {
    std::string_view key;
    Colour BoardColours::*field;
};

constexpr std::array<SchemeKey, 5> kSchemeKeys{{
    {"Background", &BoardColours::background},
    {"GridBackground", &BoardColours::gridBackground},
    {"Grid", &BoardColours::grid},
    {"RangeSelection", &BoardColours::rangeSelection},
    {"ResizingWindow", &BoardColours::resizingWindow},
}};

std::string customColourKey(std::size_t index) {
    return std::string(kCustomColourKeyPrefix) + std::to_string(index + 1);
}

// Text as this program writes it: no control characters but tabs and line ends.
bool looksLikeText(std::string_view bytes) {
    return std::none_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n';
    });
}

constexpr std::string_view kForeignFormat =
    "it is not in the format this version of Cellaro writes (an older version or another program may "
    "have written it)";

// Parses the bytes as the document of one section with the right version, or says why not.
std::optional<IniDocument> parseVersioned(std::string_view bytes, std::string_view section,
                                          std::string& error) {
    if (bytes.size() > kMaxFileSize) {
        error = "the file is too large to be one of Cellaro's";
        return std::nullopt;
    }
    if (bytes.empty()) {
        error = "the file is empty";
        return std::nullopt;
    }
    if (!looksLikeText(bytes)) {
        error = std::string(kForeignFormat);
        return std::nullopt;
    }
    IniDocument document = IniDocument::parse(bytes);
    if (!document.hasSection(section)) {
        error = std::string(kForeignFormat) + ": the section [" + std::string(section) + "] is missing";
        return std::nullopt;
    }
    // Every line the program writes ends with a line end; a file cut short in its last line could
    // otherwise pass a shortened colour value for a whole one.
    if (bytes.back() != '\n' && bytes.back() != '\r') {
        error = "the file is cut short";
        return std::nullopt;
    }
    const std::optional<std::string> version = document.value(section, kVersionKey);
    if (!version) {
        error = std::string(kForeignFormat) + ": the version is missing";
        return std::nullopt;
    }
    if (parseConfigInteger(*version) != kSchemeFileVersion) {
        error =
            "it was written in format version " + *version + ", which this version of Cellaro does not read";
        return std::nullopt;
    }
    return document;
}

std::optional<Colour> readColour(const IniDocument& document, std::string_view section, std::string_view key,
                                 std::string& error) {
    const std::optional<std::string> text = document.value(section, key);
    if (!text) {
        error = "the colour " + std::string(key) + " is missing";
        return std::nullopt;
    }
    const std::optional<int> value = parseConfigInteger(*text);
    if (!value || *value < 0 || static_cast<std::uint32_t>(*value) > kMaxColour) {
        error = "the colour " + std::string(key) + " is not a colour value";
        return std::nullopt;
    }
    return Colour{static_cast<std::uint32_t>(*value)};
}

void writeColour(IniDocument& document, std::string_view section, std::string_view key, Colour colour) {
    // Section and key are this file's own constants, always accepted.
    static_cast<void>(document.setValue(section, key, std::to_string(colour.value & kMaxColour)));
}

IniDocument versionedDocument(std::string_view section) {
    IniDocument document;
    static_cast<void>(document.setValue(section, kVersionKey, std::to_string(kSchemeFileVersion)));
    return document;
}

template <typename T>
StoredFileRead<T> readStored(const FileSystem& files, const std::string& path,
                             FileFormatResult<T> (*parse)(std::string_view)) {
    FileReadResult read = files.read(path);
    using Status = typename StoredFileRead<T>::Status;
    switch (read.status) {
    case FileReadResult::Status::NotFound:
        return StoredFileRead<T>{Status::Missing, T{}, {}, false};
    case FileReadResult::Status::Error:
        return StoredFileRead<T>{Status::Error, T{}, readFailedText(path, read.error), false};
    case FileReadResult::Status::Ok:
        break;
    }
    FileFormatResult<T> parsed = parse(read.data);
    if (!parsed.ok()) {
        return StoredFileRead<T>{Status::Error, T{}, unusableFileText(path, parsed.error), true};
    }
    return StoredFileRead<T>{Status::Ok, std::move(*parsed.value), {}, false};
}

} // namespace

std::string schemeFileName(int slot) {
    if (slot < 1 || slot > kSchemeSlotCount) {
        return {};
    }
    // Each name is "P0" followed by the slot number, so the tenth is P010.IDX.
    return "P0" + std::to_string(slot) + ".IDX";
}

std::string schemeFilePath(const FileSystem& files, int slot) {
    return files.programDirectory() + schemeFileName(slot);
}

FileFormatResult<BoardColours> parseSchemeFile(std::string_view bytes) {
    FileFormatResult<BoardColours> result;
    const std::optional<IniDocument> document = parseVersioned(bytes, kSchemeSection, result.error);
    if (!document) {
        return result;
    }
    BoardColours colours;
    for (const SchemeKey& entry : kSchemeKeys) {
        const std::optional<Colour> colour = readColour(*document, kSchemeSection, entry.key, result.error);
        if (!colour) {
            return result;
        }
        colours.*entry.field = *colour;
    }
    result.value = colours;
    return result;
}

std::string formatSchemeFile(const BoardColours& colours) {
    IniDocument document = versionedDocument(kSchemeSection);
    for (const SchemeKey& entry : kSchemeKeys) {
        writeColour(document, kSchemeSection, entry.key, colours.*entry.field);
    }
    return document.serialize();
}

std::string colourChooserFilePath(const FileSystem& files) {
    return files.programDirectory() + std::string(kColourChooserFileName);
}

FileFormatResult<ColourChooserState> parseColourChooserFile(std::string_view bytes) {
    FileFormatResult<ColourChooserState> result;
    const std::optional<IniDocument> document = parseVersioned(bytes, kChooserSection, result.error);
    if (!document) {
        return result;
    }
    ColourChooserState state;
    const std::optional<Colour> colour =
        readColour(*document, kChooserSection, kChooserColourKey, result.error);
    if (!colour) {
        return result;
    }
    state.colour = *colour;
    for (std::size_t i = 0; i < state.customColours.size(); ++i) {
        const std::optional<Colour> custom =
            readColour(*document, kChooserSection, customColourKey(i), result.error);
        if (!custom) {
            return result;
        }
        state.customColours.at(i) = *custom;
    }
    result.value = state;
    return result;
}

std::string formatColourChooserFile(const ColourChooserState& state) {
    IniDocument document = versionedDocument(kChooserSection);
    writeColour(document, kChooserSection, kChooserColourKey, state.colour);
    for (std::size_t i = 0; i < state.customColours.size(); ++i) {
        writeColour(document, kChooserSection, customColourKey(i), state.customColours.at(i));
    }
    return document.serialize();
}

StoredFileRead<BoardColours> readSchemeFile(const FileSystem& files, int slot) {
    if (schemeFileName(slot).empty()) {
        return {};
    }
    return readStored(files, schemeFilePath(files, slot), &parseSchemeFile);
}

FileWriteResult writeSchemeFile(FileSystem& files, int slot, const BoardColours& colours) {
    if (schemeFileName(slot).empty()) {
        return FileWriteResult{false, "There is no colour scheme " + std::to_string(slot) + "."};
    }
    const std::string path = schemeFilePath(files, slot);
    FileWriteResult written = files.writeAtomic(path, formatSchemeFile(colours));
    if (!written.ok) {
        written.error = saveFailedText(path, written.error);
    }
    return written;
}

StoredFileRead<ColourChooserState> readColourChooserFile(const FileSystem& files) {
    return readStored(files, colourChooserFilePath(files), &parseColourChooserFile);
}

FileWriteResult writeColourChooserFile(FileSystem& files, const ColourChooserState& state) {
    const std::string path = colourChooserFilePath(files);
    FileWriteResult written = files.writeAtomic(path, formatColourChooserFile(state));
    if (!written.ok) {
        written.error = saveFailedText(path, written.error);
    }
    return written;
}

} // namespace cellaro
