// Walking UTF-8 text by characters. One rule everywhere: a lead byte followed by all of its
// continuation bytes is one character; any other byte (a stray continuation byte, a sequence cut
// short, a byte that never starts a sequence) counts as one character on its own.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace cellaro::utf8 {

// The length in bytes of the character that starts at `position` (1 at or past the end).
[[nodiscard]] std::size_t characterLength(std::string_view text, std::size_t position);
// The byte offsets at which the characters start, followed by the text's length.
[[nodiscard]] std::vector<std::size_t> characterStarts(std::string_view text);
[[nodiscard]] std::size_t characterCount(std::string_view text);
// The text's first `count` characters (the whole text when it has fewer).
[[nodiscard]] std::string_view firstCharacters(std::string_view text, std::size_t count);

} // namespace cellaro::utf8
