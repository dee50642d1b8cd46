// Which encoding a source is read in: named by the user, or decided from the
// source's own bytes, in the two steps the loader takes them in. Every rule
// of the choice is here but one: which code page a source in none of the
// Unicode forms falls back to, the system's, which SystemCodePageEncoding
// (encoding.h) gives.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "encoding.h"

namespace ordalis {

// What the user asked for: an encoding to read in whatever the bytes, or
// nothing, to decide by them.
using EncodingChoice = std::optional<Encoding>;

// Step 1, before any line is split, since UTF-16 ends its lines at units of
// its own: UTF-16 when asked for, or, when deciding, when `first_bytes` start
// with a UTF-16 byte order mark; nothing otherwise.
std::optional<Encoding> UnitEncoding(std::string_view first_bytes, EncodingChoice choice);

struct DetectedEncoding {
  Encoding encoding;
  std::size_t mark_size = 0;  // The byte order mark that opens line 1: no part of it.
};

// Step 2, once the lines are split by the units of step 1 (`units`): the
// encoding they are read in. When deciding and step 1 found none: UTF-8
// when the first line starts with its byte order mark, or when every line
// is valid UTF-8 and some character in it takes more than one byte; the
// system's code page otherwise, which also covers plain ASCII, where all
// encodings agree. Nothing when the `source_bytes` read cannot be whole
// units of `units` (UTF-16 of an odd number of bytes).
std::optional<DetectedEncoding> DetectEncoding(std::optional<Encoding> units,
                                               std::span<const std::string_view> lines,
                                               std::uintmax_t source_bytes, EncodingChoice choice);

}  // namespace ordalis
