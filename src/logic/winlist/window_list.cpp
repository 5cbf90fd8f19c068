// The window list model: enumeration, the sort, entries with carried-over marks, the acceptance
// test and the groups' member texts.
#include "logic/winlist/window_list.h"

#include "core/ascii.h"
#include "core/utf8.h"
#include "platform/desktop.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <unordered_map>

namespace cellaro {

namespace {

// Titles whose windows are never listed, compared whole and case-sensitively.
constexpr std::array<std::string_view, 10> kExcludedTitles{
    "Program Manager", "MainForm27182818", "Start",   "StartForm", "Preview-306118",
    "tVbar-802.40",    "TorVane",          "Torvane", "Empty",     "Cellaro"};
constexpr std::string_view kExcludedPrefix = "Orbispan";
constexpr std::string_view kExcludedWord = "CORPORATION";
// The desktop's title: its capture is skipped, so its size reads 0 x 0.
constexpr std::string_view kProgramManager = "Program Manager";

// The sort filter keeps the codes strictly between "(" and "~".
constexpr unsigned char kFirstKeptCode = 0x29;
constexpr unsigned char kLastKeptCode = 0x7D;

// The case-insensitive order of the sort items. The items are made only of the codes 0x29 to 0x7D
// (everything else was filtered out), so an ordinal comparison of their ASCII lower-case forms is
// the collation of these ASCII-only items.
bool itemLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(ascii::lower(x)) < static_cast<unsigned char>(ascii::lower(y));
    });
}

std::string withoutCharacter(std::string text, char removed) {
    std::erase(text, removed);
    return text;
}

} // namespace

bool WindowEntry::member(int group) const {
    return group >= 0 && group < kGroupCount && marks.groups.at(static_cast<std::size_t>(group));
}

WindowId WindowEntry::window() const {
    return windowFromHandleText(handleText);
}

WindowId windowFromHandleText(std::string_view text) {
    if (text.empty()) {
        return kNoWindow;
    }
    constexpr std::uintptr_t kMax = std::numeric_limits<std::uintptr_t>::max();
    std::uintptr_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return kNoWindow;
        }
        const auto digit = static_cast<std::uintptr_t>(c - '0');
        if (value > (kMax - digit) / 10) {
            return kNoWindow; // too large
        }
        value = value * 10 + digit;
    }
    return WindowId{value};
}

std::string handleTextOf(WindowId window) {
    return std::to_string(window.value);
}

std::string listTitle(std::string_view title) {
    if (title.empty()) {
        return std::string(kEmptyTitle);
    }
    return std::string(utf8::firstCharacters(title, kTitleBufferCharacters - 1));
}

std::string sortKey(std::string_view title) {
    std::string key(utf8::firstCharacters(title, kSortKeyCharacters));
    return withoutCharacter(withoutCharacter(std::move(key), ','), '=');
}

std::vector<std::string>
sortedHandleTexts(const std::vector<std::pair<std::string, WindowId>>& visibleWindows) {
    if (visibleWindows.empty()) {
        return {};
    }
    std::string enumeration;
    for (const auto& [title, window] : visibleWindows) {
        enumeration += sortKey(title);
        enumeration += '=';
        enumeration += handleTextOf(window);
        enumeration += ", ";
    }
    std::string filtered;
    filtered.reserve(enumeration.size());
    for (const char c : enumeration) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= kFirstKeptCode && code <= kLastKeptCode) {
            filtered += c;
        }
    }
    if (!filtered.empty()) {
        filtered.pop_back(); // the comma after the last item
    }
    std::vector<std::string> items;
    items.reserve(visibleWindows.size());
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = filtered.find(',', start);
        items.push_back(
            filtered.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    std::stable_sort(items.begin(), items.end(), itemLess);
    std::vector<std::string> handles;
    handles.reserve(items.size());
    for (const std::string& item : items) {
        const std::size_t equals = item.find('=');
        handles.push_back(equals == std::string::npos ? std::string() : item.substr(equals + 1));
    }
    return handles;
}

bool acceptedForList(std::string_view title, Size size) {
    const int width = size.width == 0 ? 1 : size.width;
    const int height = size.height == 0 ? 1 : size.height;
    if (width < kMinimumListedSize || height < kMinimumListedSize) {
        return false;
    }
    if (std::ranges::find(kExcludedTitles, title) != kExcludedTitles.end()) {
        return false;
    }
    if (title.starts_with(kExcludedPrefix)) {
        return false;
    }
    std::string upper(title);
    std::ranges::transform(upper, upper.begin(), ascii::upper);
    return upper.find(kExcludedWord) == std::string::npos;
}

WindowList::WindowList(const Desktop& desktop) : desktop_(desktop) {}

void WindowList::snapshot() {
    for (const WindowEntry& entry : entries_) {
        carryOver_[entry.handleText] = entry.marks;
    }
}

int WindowList::build() {
    rowTexts_.clear();
    entries_.clear();

    // Enumeration: every visible top-level window with its title as the list reads it.
    std::vector<std::pair<std::string, WindowId>> visible;
    for (const WindowId window : desktop_.topLevelWindows()) {
        std::string title = listTitle(desktop_.title(window));
        if (!desktop_.isVisible(window)) {
            continue;
        }
        visible.emplace_back(std::move(title), window);
    }

    const std::vector<std::string> handles = sortedHandleTexts(visible);
    entries_.reserve(handles.size());
    rowTexts_.reserve(handles.size());
    for (const std::string& handleText : handles) {
        const WindowId window = windowFromHandleText(handleText);
        // A window that vanished (or was hidden) between enumeration and sort leaves its slot
        // empty; the slot is skipped, with no partial row.
        if (!window || !desktop_.isVisible(window)) {
            continue;
        }
        WindowRowText row{listTitle(desktop_.className(window)), handleText,
                          std::to_string(desktop_.processId(window)), listTitle(desktop_.title(window))};

        WindowEntry entry;
        entry.title = row.title;
        entry.handleText = row.handleText;
        if (const auto found = carryOver_.find(handleText); found != carryOver_.end()) {
            entry.marks = found->second;
        }

        // The acceptance test measures the window rectangle; the desktop's capture is skipped, so
        // it keeps the size 0 x 0.
        Size size;
        if (entry.title != kProgramManager) {
            if (const std::optional<Rect> rect = desktop_.windowRect(window)) {
                size = Size{rect->width(), rect->height()};
            }
        }
        entry.listed = acceptedForList(entry.title, size);

        entries_.push_back(std::move(entry));
        rowTexts_.push_back(std::move(row));
    }
    return count();
}

std::array<std::string, kGroupCount> WindowList::memberTexts() const {
    std::array<std::string, kGroupCount> texts;
    for (int g = 0; g < kGroupCount; ++g) {
        std::string text;
        bool any = false;
        for (const WindowEntry& entry : entries_) {
            if (!entry.listed || !entry.member(g) || !entry.window()) {
                continue;
            }
            if (any) {
                text += '\r';
            }
            text += entry.title;
            any = true;
        }
        texts.at(static_cast<std::size_t>(g)) = any ? std::move(text) : std::string(kNoGroupText);
    }
    return texts;
}

} // namespace cellaro
