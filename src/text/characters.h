// Walking the characters of a line in an encoding, for cutting keys by
// column: a column is a character, never part of one.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "encoding.h"

namespace ordalis {

// The index `count` characters on from `from` in `line`, or its end.
std::size_t Advance(const Encoding& encoding, std::string_view line, std::size_t from,
                    std::size_t count);

// How many characters `line` holds.
std::size_t CountCharacters(const Encoding& encoding, std::string_view line);

// `text` without the spaces (U+0020) at either end.
std::string_view TrimSpaces(const Encoding& encoding, std::string_view text);

// Whether any of `lines` holds a line feed character, which then stayed
// inside its line. A byte 0A that is the second of a pair is no line feed.
// REQUIRES: `lines` lie end to end in one text, in order, as a LineTable
// holds them.
bool HoldsLineFeed(const Encoding& encoding, std::span<const std::string_view> lines);

}  // namespace ordalis
