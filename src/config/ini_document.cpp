// The INI document: parsing any bytes, lookups, in-place edits and regeneration.
#include "config/ini_document.h"

#include "core/ascii.h"

#include <algorithm>
#include <utility>

namespace cellaro {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// What a name or value becomes when written: no CR or LF (they would end the line), no blanks at
// either end (reading trims them).
std::string cleanForWriting(std::string_view text) {
    std::string cleaned;
    cleaned.reserve(text.size());
    for (char c : text) {
        if (c != '\r' && c != '\n') {
            cleaned.push_back(c);
        }
    }
    return std::string(trimBlanks(cleaned));
}

bool isSectionHeader(std::string_view trimmedLine) {
    return trimmedLine.size() >= 2 && trimmedLine.front() == '[' && trimmedLine.back() == ']';
}

} // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument document;
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    Section* current = nullptr;
    std::size_t position = 0;
    while (position <= bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", position);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string_view line = trimBlanks(bytes.substr(position, end - position));
        position = end + 1; // a CR LF pair leaves an empty line between them, which is dropped

        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (isSectionHeader(line)) {
            const std::string_view name = trimBlanks(line.substr(1, line.size() - 2));
            current = &document.sections_.emplace_back(Section{std::string(name), {}});
            continue;
        }
        if (current == nullptr) {
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            current->lines.push_back(Line{false, {}, std::string(line)});
        } else {
            current->lines.push_back(Line{true, std::string(trimBlanks(line.substr(0, equals))),
                                          std::string(trimBlanks(line.substr(equals + 1)))});
        }
    }
    return document;
}

std::string IniDocument::serialize() const {
    std::size_t length = 0;
    for (const Section& section : sections_) {
        length += section.name.size() + 6;
        for (const Line& line : section.lines) {
            length += line.key.size() + line.text.size() + 3;
        }
    }
    std::string text;
    text.reserve(length);
    for (const Section& section : sections_) {
        text += '[';
        text += section.name;
        text += "]\r\n";
        for (const Line& line : section.lines) {
            if (line.namesKey) {
                text += line.key;
                text += '=';
            }
            text += line.text;
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

const IniDocument::Section* IniDocument::findSection(std::string_view cleanName) const {
    const auto found = std::find_if(sections_.begin(), sections_.end(), [&](const Section& section) {
        return ascii::equalIgnoringCase(section.name, cleanName);
    });
    return found == sections_.end() ? nullptr : &*found;
}

IniDocument::Section* IniDocument::findSection(std::string_view cleanName) {
    return const_cast<Section*>(std::as_const(*this).findSection(cleanName));
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const {
    const Section* found = findSection(cleanForWriting(section));
    if (found == nullptr) {
        return std::nullopt;
    }
    const std::string cleanKey = cleanForWriting(key);
    for (const Line& line : found->lines) {
        if (line.namesKey && ascii::equalIgnoringCase(line.key, cleanKey)) {
            return line.text;
        }
    }
    return std::nullopt;
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string cleanKey = cleanForWriting(key);
    if (cleanKey.empty() || cleanKey.find('=') != std::string::npos || cleanKey.front() == ';' ||
        cleanKey.front() == '[') {
        return false;
    }
    std::string cleanSection = cleanForWriting(section);
    std::string cleanValue = cleanForWriting(value);

    Section* target = findSection(cleanSection);
    if (target == nullptr) {
        target = &sections_.emplace_back(Section{std::move(cleanSection), {}});
    }
    for (Line& line : target->lines) {
        if (line.namesKey && ascii::equalIgnoringCase(line.key, cleanKey)) {
            line.text = std::move(cleanValue);
            return true;
        }
    }
    target->lines.push_back(Line{true, std::move(cleanKey), std::move(cleanValue)});
    return true;
}

bool IniDocument::hasSection(std::string_view section) const {
    return findSection(cleanForWriting(section)) != nullptr;
}

} // namespace cellaro
