// Keys and the Shell sort over random lines and box texts, in either encoding.
// Read a byte a character, the sort fails exactly when the step-by-step sort
// does, and otherwise gives its order. Read as UTF-8, every key is whole
// characters of its line and the keys come out in order. Either way, every
// line comes back with its bytes unchanged.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "sort/line_table.h"
#include "sort/sort_key.h"
#include "support/line_tables.h"
#include "support/reference_shell_sort.h"
#include "support/reference_walk.h"
#include "support/split_lines.h"
#include "text/utf8.h"

namespace {

using namespace ordalis;

// Whether `part`, a view into `line`, begins and ends where UTF-8 reading
// puts a character's edge.
bool IsWholeCharacters(std::string_view line, std::string_view part) {
  if (part.empty()) return true;  // An empty key need not view its line at all.
  const auto from = static_cast<std::size_t>(part.data() - line.data());
  const std::size_t to = from + part.size();
  bool from_is_edge = from == 0;
  bool to_is_edge = to == 0;
  for (std::size_t at = 0; at < line.size();) {
    at += Utf8CharacterSize(line.substr(at));
    from_is_edge = from_is_edge || at == from;
    to_is_edge = to_is_edge || at == to;
  }
  return from_is_edge && to_is_edge;
}

// The key of `line` read as UTF-8, as the tests' own walk cuts it; false
// where the run stops.
bool ReferenceUtf8Key(std::string_view line, const KeyParameters& params, std::string_view* key) {
  const std::vector<testing::Character> characters = testing::Walk(line, Utf8Encoding());
  bool stops = false;
  const auto [first, last] = testing::WalkKey(characters, params, &stops);
  if (stops) return false;
  const std::size_t from = first == last ? 0 : characters[first].at;
  const std::size_t to = last == characters.size() ? line.size() : characters[last].at;
  *key = first == last ? std::string_view() : line.substr(from, to - from);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const auto mode = static_cast<SortMode>(input.Byte() % 4);
  const EncodingChoice choices[] = {std::nullopt, Utf8Encoding(), Windows1252Encoding()};
  const EncodingChoice choice = choices[input.Byte() % 3];
  KeyTexts texts{input.Text(), input.Text(), input.Text()};

  // The reference sort is quadratic: keep the tables small.
  std::string bytes;
  std::vector<std::string_view> source;
  for (std::string_view line : testing::SplitLines(input.Rest())) {
    if (source.size() == 64) break;
    bytes.append(line).append("\r\n");
    source.push_back(line);
  }
  LineTable table;
  // Lines of two-byte units are split another way: not this target's business.
  if (UnitEncoding(bytes, choice)) return 0;
  fuzz::Require(testing::MakeLineTable(bytes, &table, choice).ok());
  const std::vector<std::string_view> loaded = table.SortLines;
  const Status status = ShellSortLines(&table, mode, texts);

  if (table.encoding == Windows1252Encoding()) {
    std::vector<std::string> expected(source.begin(), source.end());
    const Status expected_status =
        testing::ReferenceShellSort(&expected, table.encoding, mode, texts);
    fuzz::Require(status.ok() == expected_status.ok());
    if (status.ok()) {
      for (std::size_t i = 0; i < expected.size(); ++i) {
        fuzz::Require(table.SortLines[i] == expected[i]);
      }
    }
  } else if (status.ok() && !table.SortKeys.empty()) {
    KeyParameters params;
    fuzz::Require(ParseKeyParameters(mode, texts, &params).ok());
    for (std::size_t i = 0; i < loaded.size(); ++i) {
      const std::string_view key = table.SortKeys[i];
      fuzz::Require(IsWholeCharacters(loaded[i], key));
      std::string_view expected;
      if (ReferenceUtf8Key(loaded[i], params, &expected)) {
        fuzz::Require(key == expected && (key.empty() || key.data() == expected.data()));
      }
    }
    // Each key no greater than the next, by the tests' own walk.
    const auto walked = [&](std::string_view key, std::vector<testing::Character>* characters) {
      *characters = testing::Walk(key, table.encoding);
      return testing::WalkedKey{*characters, key};
    };
    std::vector<testing::Character> before, after;
    for (std::size_t k = 1; k < table.SortLines.size(); ++k) {
      fuzz::Require(!testing::WalkLess(walked(table.SortKeys[table.source_index[k]], &after),
                                       walked(table.SortKeys[table.source_index[k - 1]], &before)));
    }
  }

  // What WriteLines writes: each source line's bytes, the mark before line 1.
  for (std::size_t k = 0; k < table.SortLines.size(); ++k) {
    const std::uint32_t from = table.source_index[k];
    std::string written(from == 0 ? HeadOf(table) : std::string_view());
    written += table.SortLines[k];
    fuzz::Require(written == source[from]);
  }

  std::string_view key;
  KeyParameters params;
  if (!ParseKeyParameters(mode, texts, &params).ok()) return 0;
  for (std::string_view line : source) {
    if (MakeSortKey(line, params, table.encoding, &key) == KeyCut::kCut) {
      fuzz::Require(key.empty() || (key.front() != ' ' && key.back() != ' '));
      fuzz::Require(key.size() <= line.size());
    }
  }
  return 0;
}
