// The line table of one sort run: loading it from the source, sorting it with
// a Shell sort on the lines' keys, and writing it to the target.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shared/sort_mode.h"
#include "shared/status.h"
#include "shared/text_encoding.h"
#include "sort/sort_key.h"

namespace ordalis {

// A source may hold at most this many lines (indexes 0 to 10000).
inline constexpr int kLineSlots = 10001;

// The lines are held as the source's own bytes, read as `encoding` says, so
// every byte is written back unchanged. A UTF-8 byte order mark is no part
// of the first line: it is remembered and written once before the lines.
struct LineTable {
  std::shared_ptr<const std::string> text;  // The lines' bytes, end to end; the lines view them.
  std::vector<std::string_view> SortLines;  // The lines, without their line ends.
  std::vector<std::string_view> SortKeys;   // The sort's keys, in the order lines were loaded.
  std::vector<std::uint32_t> source_index;  // Where each line of SortLines stood in the source.
  std::int16_t LastIndex = -1;              // Index of the last line; -1 for no lines.
  bool lone_line_feed = false;              // Some line feed ended no line and stayed in its line.
  TextEncoding encoding = TextEncoding::Windows1252;
  bool byte_order_mark = false;  // The source began with a UTF-8 byte order mark.
};

// Makes the table of `bytes` by the line rule of LineReader. Fails, leaving
// the table empty, for more than kLineSlots lines.
Status MakeLineTable(std::string bytes, LineTable* table,
                     EncodingChoice encoding = EncodingChoice::Auto);

// Fills `table` from the file at `path`, reading no further than the start of
// the line after the last one a table holds. Fails, leaving the table empty,
// when the file cannot be read or held, or holds more than kLineSlots lines.
Status LoadLines(const std::string& path, LineTable* table,
                 EncodingChoice encoding = EncodingChoice::Auto);

// The same for an open stream such as standard input, which the caller
// closes; `name` names it in messages.
Status LoadLinesFromStream(std::FILE* stream, const std::string& name, LineTable* table,
                           EncodingChoice encoding = EncodingChoice::Auto);

// Sorts the lines in ascending order of their keys. The order of lines with
// equal keys is the one a Shell sort with halving gaps (n/2, n/4, ..., 1) and
// an insertion step that swaps only on a strictly greater key produces. With
// fewer than two lines no key is cut and the sort cannot fail; otherwise it
// fails when the texts or any line give no key, and the table is unchanged.
Status ShellSortLines(LineTable* table, SortMode mode, const KeyTexts& texts);

// Writes every line followed by CR LF to `path`, after the byte order mark
// if the source had one, replacing the file whole or leaving it as it was.
Status WriteLines(const std::string& path, const LineTable& table);

}  // namespace ordalis
