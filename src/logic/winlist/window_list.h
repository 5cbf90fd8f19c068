// The window list: the user's top-level windows as the window manager list last built them, each
// held as one window entry with its selection mark and its membership in the four window groups
// A, B, C and D. The window manager list is the only writer; the group commands, the groups
// navigation menu and the group shortcuts read the entries of the last build. Plain logic over
// the desktop port.
#pragma once

#include "core/geometry.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace cellaro {

class Desktop;

// Groups are numbered 0 to 3 for A to D.
inline constexpr int kGroupCount = 4;
inline constexpr std::array<char, kGroupCount> kGroupLetters{'A', 'B', 'C', 'D'};
// A group's member text when it has no live member (also the group buttons' first hint).
inline constexpr std::string_view kNoGroupText = "No windows group was created";
// The title read for a window without one.
inline constexpr std::string_view kEmptyTitle = "Empty";
// Titles are read into a buffer of this many characters (one is the terminator).
inline constexpr std::size_t kTitleBufferCharacters = 255;
// The sort key is made from this many characters of the title.
inline constexpr std::size_t kSortKeyCharacters = 20;
// A window narrower or lower than this is not listed.
inline constexpr int kMinimumListedSize = 20;

struct WindowMarks {
    bool selected = false;
    std::array<bool, kGroupCount> groups{};
    friend bool operator==(const WindowMarks&, const WindowMarks&) = default;
};

struct WindowEntry {
    std::string title;      // UTF-8, as read when the row was built; kEmptyTitle when it had none
    std::string handleText; // the window handle in decimal
    WindowMarks marks;
    // The row passed the acceptance test and is shown with its check boxes. A row taken out keeps
    // its entry (title, handle and carried-over marks), but the walks over the rows skip it.
    bool listed = true;

    // Marked as a member of the group (0..3).
    [[nodiscard]] bool member(int group) const;
    // The window of the handle text (no window for a text that is not a plain decimal number).
    [[nodiscard]] WindowId window() const;
};

// What the sort step reads of each window it keeps: the strings-table row of one listed window.
struct WindowRowText {
    std::string className;     // kEmptyTitle when it has none
    std::string handleText;    // decimal
    std::string processIdText; // decimal
    std::string title;         // kEmptyTitle when it has none
};

// A text made only of decimal digits gives its value as a window; any other text (empty, signed,
// with spaces, too large) gives no window.
[[nodiscard]] WindowId windowFromHandleText(std::string_view text);
[[nodiscard]] std::string handleTextOf(WindowId window);

// The title as the list reads it: at most kTitleBufferCharacters - 1 characters, kEmptyTitle when
// empty.
[[nodiscard]] std::string listTitle(std::string_view title);
// The sort key of a title: its first kSortKeyCharacters characters with every "," and then every
// "=" removed.
[[nodiscard]] std::string sortKey(std::string_view title);
// The sort of the enumeration: one item "key=handle" per visible window (title, window) in
// enumeration order; characters outside 0x29..0x7D are dropped from the whole text, and the items
// are ordered case-insensitively as whole texts, so equal keys order by the handle's decimal text
// compared as text. Returns the handle text of each item in sorted order.
[[nodiscard]] std::vector<std::string>
sortedHandleTexts(const std::vector<std::pair<std::string, WindowId>>& visibleWindows);
// The acceptance test: a window of this title and size (width and height of its window rectangle)
// stays listed.
[[nodiscard]] bool acceptedForList(std::string_view title, Size size);

class WindowList {
public:
    explicit WindowList(const Desktop& desktop);

    // The entries of the last build, in row order; empty before the first build.
    [[nodiscard]] int count() const { return static_cast<int>(entries_.size()); }
    [[nodiscard]] const std::vector<WindowEntry>& entries() const { return entries_; }
    [[nodiscard]] WindowEntry& entry(int row) { return entries_.at(static_cast<std::size_t>(row)); }
    [[nodiscard]] const WindowEntry& entry(int row) const {
        return entries_.at(static_cast<std::size_t>(row));
    }

    // The marks of the current entries go to the carry-over table, one slot per handle text: the
    // newest marks win for every handle listed now (a mark the user cleared stays cleared), and
    // handles not listed now keep what they had, for a window that comes back.
    void snapshot();
    // The build, without the snapshot: enumerates the desktop's visible top-level windows, sorts
    // them, and makes one entry per sorted window that still exists and is visible (a window that
    // vanished meanwhile is skipped), with the carried marks of its handle text, then applies the
    // acceptance test to it. Returns the number of entries.
    int build();
    // The strings-table row of each entry of the last build (same index as the entry); empty once
    // discarded.
    [[nodiscard]] const std::vector<WindowRowText>& rowTexts() const { return rowTexts_; }
    void discardRowTexts() { rowTexts_.clear(); }

    // The member text of each group: the titles of the group's listed live members in row order,
    // separated by carriage returns, or kNoGroupText when it has none.
    [[nodiscard]] std::array<std::string, kGroupCount> memberTexts() const;

private:
    const Desktop& desktop_;
    std::vector<WindowEntry> entries_;
    std::vector<WindowRowText> rowTexts_;
    std::unordered_map<std::string, WindowMarks> carryOver_;
};

} // namespace cellaro
