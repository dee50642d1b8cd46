// Every encoding through the program's own path from source to target: UTF-8,
// UTF-16LE and BE, each code page, and the choice by the bytes. A walk of
// characters written here, apart from the program's, checks what comes out:
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
#include "support/reference_utf8.h"
#include "text/characters.h"
#include "text/code_page_tables.h"
#include "text/line_reader.h"

namespace {

using namespace ordalis;

// A character as the walk sees it: where it starts, its bytes, its code.
struct Character {
  std::size_t at;
  std::size_t size;
  char32_t code;  // Past U+10FFFF for bytes of no character.
};

constexpr char32_t kNone = 0x110000;

// The characters of `text` in `encoding`.
std::vector<Character> Walk(std::string_view text, const Encoding& encoding) {
  std::vector<Character> characters;
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = [&](std::size_t i) { return char32_t{static_cast<unsigned char>(text[i])}; };
    Character c{at, 1, kNone};
    switch (encoding.form) {
      case EncodingForm::kSingleByte:
        c.code = encoding.single->codes[byte(at)];
        break;
      case EncodingForm::kDoubleByte: {
        const DoubleBytePage& page = *encoding.pairs;
        const std::uint8_t row = page.lead_row[byte(at)];
        if (row == 0) {
          c.code = page.single[byte(at)];
        } else if (at + 1 < text.size() && text[at + 1] != '\0') {
          const char32_t trail = byte(at + 1);
          c = {at, 2,
               trail < DoubleBytePage::kFirstTrail
                   ? page.default_char
                   : page.pairs[row - 1][trail - DoubleBytePage::kFirstTrail]};
        } else {
          c.code = page.default_char;
        }
        break;
      }
      case EncodingForm::kUtf8:
        if (const auto sequence = testing::ReferenceUtf8At(text, at)) {
          c = {at, sequence->first, sequence->second};
        }
        break;
      case EncodingForm::kUtf16Le:
      case EncodingForm::kUtf16Be: {
        const bool big = encoding.form == EncodingForm::kUtf16Be;
        const auto unit = [&](std::size_t i) -> char32_t {
          return big ? byte(i) << 8 | byte(i + 1) : byte(i + 1) << 8 | byte(i);
        };
        if (at + 2 > text.size()) break;  // The odd byte at the end.
        c = {at, 2, unit(at)};
        if (c.code >= 0xD800 && c.code < 0xDC00 && at + 4 <= text.size() &&
            unit(at + 2) >= 0xDC00 && unit(at + 2) < 0xE000) {
          c = {at, 4, 0x10000 + ((c.code - 0xD800) << 10) + (unit(at + 2) - 0xDC00)};
        }
        break;
      }
    }
    characters.push_back(c);
    at += c.size;
  }
  return characters;
}

// The key the walk cuts: the characters [first, last) of `characters`.
std::pair<std::size_t, std::size_t> WalkKey(const std::vector<Character>& characters,
                                            const KeyParameters& params, bool* stops) {
  const std::size_t n = characters.size();
  std::size_t first = 0, last = 0;
  switch (params.mode) {
    case SortMode::None:
      break;
    case SortMode::LeftMost:
      last = std::min<std::size_t>(n, static_cast<std::size_t>(params.count));
      break;
    case SortMode::Middle:
      first = std::min<std::size_t>(n, static_cast<std::size_t>(params.start - 1));
      last = std::min<std::size_t>(n, first + static_cast<std::size_t>(params.count));
      break;
    case SortMode::RightMost: {
      const double keep = std::nearbyint(static_cast<double>(n) - params.right_start);
      if (keep < 0 || keep > 2147483647.0) *stops = true;
      if (*stops) return {0, 0};
      first = n - std::min<std::size_t>(n, static_cast<std::size_t>(keep));
      last = n;
      break;
    }
  }
  while (first < last && characters[first].code == U' ') ++first;
  while (last > first && characters[last - 1].code == U' ') --last;
  return {first, last};
}

// A key as the walk cut it: its characters, in its line.
struct WalkedKey {
  std::span<const Character> characters;
  std::string_view line;

  // The bytes of the key from its character `i` on.
  std::string_view From(std::size_t i) const {
    const std::size_t end = characters.back().at + characters.back().size;
    return line.substr(characters[i].at, end - characters[i].at);
  }
};

// Keys in code order; from bytes of no character on, in byte order.
bool WalkLess(const WalkedKey& a, const WalkedKey& b) {
  for (std::size_t i = 0; i < a.characters.size() && i < b.characters.size(); ++i) {
    const char32_t x = a.characters[i].code, y = b.characters[i].code;
    if (x == kNone || y == kNone) return a.From(i) < b.From(i);
    if (x != y) return x < y;
  }
  return a.characters.size() < b.characters.size();
}

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

  // The step-by-step Shell sort on the walk's keys: halving gaps, a swap
  // only on a strictly greater key.
  std::vector<std::size_t> order(lines.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto key = [&](std::size_t line) {
    const auto [first, last] = keys[line];
    return WalkedKey{std::span(walked[line]).subspan(first, last - first), lines[line]};
  };
  const auto greater = [&](std::size_t x, std::size_t y) { return WalkLess(key(y), key(x)); };
  const int n = static_cast<int>(order.size());
  for (int gap = n / 2; gap > 0; gap /= 2) {
    for (int x = 0; x < n - gap; ++x) {
      for (int j = x; j >= 0; j -= gap) {
        auto& a = order[static_cast<std::size_t>(j)];
        auto& b = order[static_cast<std::size_t>(j + gap)];
        if (!greater(a, b)) break;
        std::swap(a, b);
      }
    }
  }
  for (std::size_t i = 0; i < order.size(); ++i) fuzz::Require(table.source_index[i] == order[i]);
  return 0;
}
