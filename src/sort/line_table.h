// The line table of one sort run: loading it from the source, sorting it with
// a Shell sort on the lines' keys, and writing it to the target.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "sort/sort_key.h"
#include "sort/sort_mode.h"
#include "text/detect_encoding.h"
#include "text/encoding.h"
#include "text/line_reader.h"

namespace ordalis {

// A source may hold at most this many lines (indexes 0 to 10000).
inline constexpr int kLineSlots = 10001;

// The lines are held as the source's own bytes, read in `encoding`, so every
// byte is written back unchanged. The encoding's byte order mark is no part
// of the first line: it is remembered and written once before the lines.
struct LineTable {
  std::shared_ptr<const std::string> text;  // The lines' bytes, end to end; the lines view them.
  std::vector<std::string_view> SortLines;  // The lines, without their line ends.
  std::vector<std::string_view> SortKeys;   // The sort's keys, in the order lines were loaded.
  std::vector<std::uint32_t> source_index;  // Where each line of SortLines stood in the source.
  std::int16_t LastIndex = -1;              // Index of the last line; -1 for no lines.
  bool lone_line_feed = false;              // Some line feed ended no line and stayed in its line.
  Encoding encoding = Windows1252Encoding();
  bool byte_order_mark = false;  // The source began with the encoding's byte order mark.
};

// Fills `table` with the lines of `reader`, reading no further than the
// start of the line after the last one a table holds, in the encoding
// `encoding` names or the source's bytes decide. `what` names the source in
// messages; `size` is its size in bytes when known, or 0. Fails, leaving the
// table empty, when the source cannot be read or held, or holds more than
// kLineSlots lines.
Status ReadLines(LineReader& reader, const std::string& what, std::uintmax_t size,
                 EncodingChoice encoding, LineTable* table);

// ReadLines of the file at `path`.
Status LoadLines(const std::string& path, LineTable* table, EncodingChoice encoding = {});

// ReadLines of an open stream such as standard input, which the caller
// closes; `name` names it in messages.
Status LoadLinesFromStream(std::FILE* stream, const std::string& name, LineTable* table,
                           EncodingChoice encoding = {});

// Cuts the key of every line of the table, in its order, into `*keys`.
// Fails when the texts give no key; then `*stopped_line` is left alone. Fails
// when a line gives none; then `*keys` holds the keys of the lines before it
// and `*stopped_line` is that line's index. The message says why, naming
// the line by its number.
Status CutKeys(const LineTable& table, SortMode mode, const KeyTexts& texts,
               std::vector<std::string_view>* keys, std::optional<std::size_t>* stopped_line);

// Sorts the lines in ascending order of their keys. The order of lines with
// equal keys is the one a Shell sort with halving gaps (n/2, n/4, ..., 1) and
// an insertion step that swaps only on a strictly greater key produces. With
// fewer than two lines no key is cut and the sort cannot fail; otherwise it
// fails, as CutKeys does, when the texts or any line give no key. The lines
// are then as they were, and SortKeys holds the keys cut before the line
// named in `*stopped_line`, when that is given.
Status ShellSortLines(LineTable* table, SortMode mode, const KeyTexts& texts,
                      std::optional<std::size_t>* stopped_line = nullptr);

// What is written before the lines: the encoding's byte order mark when the
// source began with it, or nothing.
std::string_view HeadOf(const LineTable& table);

// Writes every line followed by CR LF in the table's encoding to `path`,
// after HeadOf(table), replacing the file whole or leaving it as it was.
Status WriteLines(const std::string& path, const LineTable& table);

}  // namespace ordalis
