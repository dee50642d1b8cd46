// The line table of one sort run: loading it from the source, sorting it with
// a Shell sort on the lines' keys, and writing it to the target.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shared/sort_mode.h"
#include "shared/status.h"
#include "sort/sort_key.h"

namespace ordalis {

// A source may hold at most this many lines (indexes 0 to 10000).
inline constexpr int kLineSlots = 10001;

struct LineTable {
  std::vector<std::u16string> SortLines;  // The lines, widened from the code page.
  std::vector<std::u16string> SortKeys;   // Each line's key, once the sort has cut them.
  std::int16_t LastIndex = -1;            // Index of the last line; -1 for no lines.
  bool lone_line_feed = false;            // Some line feed ended no line and stayed in its line.
};

// Fills `table` from the file at `path` by the line rule of SplitLines.
// Fails, leaving the table empty, when the file cannot be read or holds more
// than kLineSlots lines.
Status LoadLines(const std::string& path, LineTable* table);

// Sorts the lines in ascending order of their keys. The order of lines with
// equal keys is the one a Shell sort with halving gaps (n/2, n/4, ..., 1) and
// an insertion step that swaps only on a strictly greater key produces. With
// fewer than two lines no key is cut and the sort cannot fail; otherwise it
// fails when the texts or any line give no key, and the table is unchanged.
Status ShellSortLines(LineTable* table, SortMode mode, const KeyTexts& texts);

// Writes every line followed by CR LF to `path`, replacing the file whole or
// leaving it as it was.
Status WriteLines(const std::string& path, const LineTable& table);

}  // namespace ordalis
