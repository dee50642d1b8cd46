// Every encoding through the program's own path from source to target: UTF-8,
// UTF-16LE and BE, each code page, and the choice by the bytes. The tests'
// own walk of characters (support/reference_walk.h), apart from the
// program's, checks what comes out:
// the lines are the source's lines, byte for byte; each key is whole
// characters and the one the walk cuts; both count the same characters; and
// the lines stand in the order of a step-by-step Shell sort on the walk's keys.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_input.h"
#include "sort/sort_file.h"
#include "support/reference_shell_sort.h"
#include "support/reference_walk.h"
#include "text/characters.h"
#include "text/line_reader.h"

namespace {

using namespace ordalis;
using namespace ordalis::testing;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const int pages[] = {874,  1250, 1251, 1252, 1253, 1254, 1255,
                       1256, 1257, 1258, 932,  936,  949,  950};
  const std::uint8_t pick = input.Byte() % 18;
  EncodingChoice choice;
  if (pick == 1) choice = Utf8Encoding();
  if (pick == 2) choice = Utf16LeEncoding();
  if (pick == 3) choice = Utf16BeEncoding();
  if (pick >= 4) choice = CodePageEncoding(pages[pick - 4]);
  SortRequest request;
  request.mode = static_cast<SortMode>(input.Byte() % 4);
  request.texts = {input.Text(), input.Text(), input.Text()};
  request.encoding = choice;
  const std::string bytes(input.Rest().substr(0, 1024));

  const SortSource source{"the input", [&bytes](LineTable* table, EncodingChoice encoding) {
                            LineReader reader(bytes, 7);  // Small blocks: lines across them.
                            return ReadLines(reader, "the input", bytes.size(), encoding, table);
                          }};
  std::optional<LineTable> sorted;
  const Status status = SortSourceToTarget(source, request, [&sorted](const LineTable& table) {
    sorted = table;
    return Status::Ok();
  });
  if (!status.ok()) return 0;  // A run that stops writes nothing: not this target's business.
  fuzz::Require(sorted.has_value());
  const LineTable& table = *sorted;
  const Encoding& encoding = table.encoding;
  if (choice) fuzz::Require(encoding == *choice);

  // The source's lines by the line rule, in the encoding's units, without the mark.
  const std::size_t unit = UnitSize(encoding);
  std::vector<std::string_view> lines;
  std::string_view rest(bytes);
  const std::string_view cr = LineEnd(encoding).substr(0, unit),
                         lf = LineEnd(encoding).substr(unit);
  while (!rest.empty()) {
    std::size_t end = 0;
    while (end < rest.size() && rest.substr(end, unit) != cr) end += unit;
    lines.push_back(rest.substr(0, end));
    const bool at_cr = end < rest.size();
    rest.remove_prefix(std::min(rest.size(), end + unit));
    if (at_cr && rest.starts_with(lf)) rest.remove_prefix(unit);
  }
  fuzz::Require(table.SortLines.size() == lines.size());
  if (table.byte_order_mark) lines.front().remove_prefix(ByteOrderMark(encoding).size());

  KeyParameters params;
  fuzz::Require(ParseKeyParameters(request.mode, request.texts, &params).ok() || lines.size() < 2);
  std::vector<std::vector<Character>> walked;
  std::vector<std::pair<std::size_t, std::size_t>> keys;
  std::vector<std::string_view> held(lines.size());  // The table's own line of each source line.
  for (std::size_t i = 0; i < lines.size(); ++i) {
    // Written back: each line's bytes, as the source had them.
    fuzz::Require(table.SortLines[i] == lines[table.source_index[i]]);
    held[table.source_index[i]] = table.SortLines[i];
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    walked.push_back(Walk(lines[i], encoding));
    fuzz::Require(CountCharacters(encoding, lines[i]) == walked[i].size());
    if (lines.size() < 2) continue;  // A single line is never compared.
    bool stops = false;
    keys.push_back(WalkKey(walked[i], params, &stops));
    fuzz::Require(!stops);
    // The key the sort cut: whole characters, the same ones.
    const auto [first, last] = keys[i];
    const std::string_view key = table.SortKeys[i];
    const std::size_t from = first == last ? 0 : walked[i][first].at;
    const std::size_t to = last == walked[i].size() ? lines[i].size() : walked[i][last].at;
    fuzz::Require(first == last ? key.empty()
                                : key.data() == held[i].data() + from && key.size() == to - from);
  }
  if (lines.size() < 2) return 0;

  // The step-by-step Shell sort on the walk's keys.
  std::vector<std::size_t> order(lines.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto key = [&](std::size_t line) {
    const auto [first, last] = keys[line];
    return WalkedKey{std::span(walked[line]).subspan(first, last - first), lines[line]};
  };
  StepByStepShellSort(&order, [&](std::size_t x, std::size_t y) -> std::optional<bool> {
    return WalkLess(key(y), key(x));
  });
  for (std::size_t i = 0; i < order.size(); ++i) fuzz::Require(table.source_index[i] == order[i]);
  return 0;
}
