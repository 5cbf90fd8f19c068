// The INI document: the parsed content of the configuration file, lookups and edits by section and
// key, and its regeneration as text with CR LF line ends.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cellaro {

// Reading rules: lines end at LF, CR LF or a lone CR; a UTF-8 byte order mark at the start is
// skipped; every line is trimmed of blanks (spaces and tabs); empty lines and lines starting with ";"
// are dropped; "[name]" opens a section (name trimmed); lines before the first section are dropped;
// in a line holding "=" the trimmed text before the first "=" is the key and the trimmed rest the
// value; any other line is carried along and written back unchanged but names no key. Section and
// key names compare without regard to ASCII case. When a section name occurs more than once, lookups
// and edits use its first occurrence; the later ones are kept and written back untouched. Within a
// section, the first line naming a key is the one read and replaced.
//
// Any bytes parse (binary data and NULs included), and parse -> serialize -> parse gives the same
// document, so a second serialization equals the first.
class IniDocument {
public:
    [[nodiscard]] static IniDocument parse(std::string_view bytes);

    // The file text: for each section "[name]", then its lines ("key=value" or the carried line) in
    // order, then an empty line. Every line ends in CR LF.
    [[nodiscard]] std::string serialize() const;

    // The value of the key, or nothing when the section or the key is missing. A key present with
    // an empty value gives the empty text.
    [[nodiscard]] std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the value of an existing key in place; otherwise appends the key to the end of its
    // section, or appends a new section at the end of the document. CR and LF are removed from the
    // names and the value and they are trimmed, so what is written reads back the same and a value
    // can never start a line of its own. A key that could not be read back as written (empty after
    // that cleaning, holding "=", or starting with ";" or "[") is refused: nothing changes and the
    // result is false.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    [[nodiscard]] bool hasSection(std::string_view section) const;
    // Sections in file order, duplicates counted.
    [[nodiscard]] std::size_t sectionCount() const { return sections_.size(); }
    [[nodiscard]] bool empty() const { return sections_.empty(); }

private:
    struct Line {
        bool namesKey = false;
        std::string key;  // empty for a carried line
        std::string text; // the value, or the whole carried line
    };
    struct Section {
        std::string name;
        std::vector<Line> lines;
    };

    [[nodiscard]] const Section* findSection(std::string_view cleanName) const;
    [[nodiscard]] Section* findSection(std::string_view cleanName);

    std::vector<Section> sections_;
};

} // namespace cellaro
