#include "line_table.h"

#include <algorithm>
#include <numeric>

#include "shared/code_page.h"
#include "shared/text_file.h"

namespace ordalis {
namespace {

bool HasLoneLineFeed(std::string_view bytes) {
  for (std::size_t i = bytes.find('\n'); i != std::string_view::npos; i = bytes.find('\n', i + 1)) {
    if (i == 0 || bytes[i - 1] != '\r') return true;
  }
  return false;
}

// Gives each line a rank so that equal keys share a rank and ranks order as
// keys do; the sort then compares small integers instead of strings.
std::vector<std::uint32_t> RankKeys(const std::vector<std::u16string>& keys) {
  std::vector<std::uint32_t> by_key(keys.size());
  std::iota(by_key.begin(), by_key.end(), 0u);
  std::sort(by_key.begin(), by_key.end(), [&keys](std::uint32_t a, std::uint32_t b) {
    return CompareKeys(keys[a], keys[b]) < 0;
  });
  std::vector<std::uint32_t> rank(keys.size());
  std::uint32_t current = 0;
  for (std::size_t i = 0; i < by_key.size(); ++i) {
    if (i > 0 && CompareKeys(keys[by_key[i - 1]], keys[by_key[i]]) != 0) ++current;
    rank[by_key[i]] = current;
  }
  return rank;
}

// One pass of the Shell sort with gap `gap`. The insertion step that swaps on
// a strictly greater key is a stable sort of each chain of positions
// r, r + gap, r + 2 * gap, ...; sorting each chain stably gives the same
// order with far fewer comparisons on inputs that defeat the halving gaps.
void SortChains(std::vector<std::uint32_t>* order, const std::vector<std::uint32_t>& rank,
                std::size_t gap) {
  std::vector<std::uint64_t> chain;
  for (std::size_t r = 0; r < gap; ++r) {
    bool sorted = true;
    for (std::size_t p = r + gap; p < order->size(); p += gap) {
      if (rank[(*order)[p - gap]] > rank[(*order)[p]]) {
        sorted = false;
        break;
      }
    }
    if (sorted) continue;
    // Rank, then position within the chain, then the line: unique values, so
    // an ordinary sort is a stable sort by rank.
    chain.clear();
    std::uint64_t position = 0;
    for (std::size_t p = r; p < order->size(); p += gap, ++position) {
      const std::uint32_t line = (*order)[p];
      chain.push_back(std::uint64_t{rank[line]} << 40 | position << 20 | line);
    }
    std::sort(chain.begin(), chain.end());
    std::size_t p = r;
    for (std::uint64_t packed : chain) {
      (*order)[p] = static_cast<std::uint32_t>(packed & 0xFFFFF);
      p += gap;
    }
  }
}

}  // namespace

Status LoadLines(const std::string& path, LineTable* table) {
  *table = LineTable{};
  std::string bytes;
  if (Status s = ReadWholeFile(path, &bytes); !s.ok()) return s;
  const std::vector<std::string_view> lines = SplitLines(bytes);
  if (lines.size() > static_cast<std::size_t>(kLineSlots)) {
    return Status::Error("the source has more than " + std::to_string(kLineSlots) + " lines");
  }
  table->SortLines.reserve(lines.size());
  for (std::string_view line : lines) table->SortLines.push_back(WidenFromCodePage(line));
  table->LastIndex = static_cast<std::int16_t>(static_cast<int>(lines.size()) - 1);
  table->lone_line_feed = HasLoneLineFeed(bytes);
  return Status::Ok();
}

Status ShellSortLines(LineTable* table, SortMode mode, const KeyTexts& texts) {
  const auto count = static_cast<std::size_t>(table->LastIndex + 1);
  if (count < 2) return Status::Ok();  // The first gap is 0: nothing is compared.

  // Every line takes part in the first pass, so cutting all keys up front
  // fails exactly when comparing them would.
  KeySpec spec;
  if (Status s = ParseKeySpec(mode, texts, &spec); !s.ok()) return s;
  std::vector<std::u16string> keys(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (Status s = CutKey(table->SortLines[i], spec, &keys[i]); !s.ok()) {
      return Status::Error("line " + std::to_string(i + 1) + " " + s.message());
    }
  }

  const std::vector<std::uint32_t> rank = RankKeys(keys);
  std::vector<std::uint32_t> order(count);
  std::iota(order.begin(), order.end(), 0u);
  for (std::size_t gap = count / 2; gap > 0; gap /= 2) SortChains(&order, rank, gap);

  std::vector<std::u16string> lines(count);
  table->SortKeys.assign(count, std::u16string());
  for (std::size_t i = 0; i < count; ++i) {
    lines[i] = std::move(table->SortLines[order[i]]);
    table->SortKeys[i] = std::move(keys[order[i]]);
  }
  table->SortLines = std::move(lines);
  return Status::Ok();
}

Status WriteLines(const std::string& path, const LineTable& table) {
  std::string bytes;
  std::size_t size = 0;
  for (const std::u16string& line : table.SortLines) size += line.size() + 2;
  bytes.reserve(size);
  for (int i = 0; i <= table.LastIndex; ++i) {
    bytes += NarrowToCodePage(table.SortLines[static_cast<std::size_t>(i)]);
    bytes += "\r\n";
  }
  return WriteFileAtomically(path, bytes);
}

}  // namespace ordalis
