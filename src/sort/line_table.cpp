#include "line_table.h"

#include <algorithm>
#include <array>
#include <new>
#include <numeric>

#include "files/durable_replace.h"
#include "files/file_reading.h"
#include "files/file_system.h"
#include "text/characters.h"
#include "text/key_order.h"

namespace ordalis {
namespace {

// Room set aside for the text before reading: more than an ordinary source
// needs, so it rarely grows, and little enough to be no burden.
constexpr std::uintmax_t kReserveLimit = std::uintmax_t{8} << 20;

// Eight bytes of `bytes` from `from`, each through `map`, as one number, the
// first the highest; missing bytes count as the lowest.
std::uint64_t Prefix(std::string_view bytes, std::size_t from, const ByteMap& map) {
  std::uint64_t prefix = 0;
  for (std::size_t i = from; i < from + 8; ++i) {
    prefix <<= 8;
    if (i < bytes.size()) prefix |= map[static_cast<unsigned char>(bytes[i])];
  }
  return prefix;
}

// Compares `a` and `b` byte by byte through `map`.
bool LessThrough(std::string_view a, std::string_view b, const ByteMap& map) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const std::uint8_t x = map[static_cast<unsigned char>(a[i])];
    const std::uint8_t y = map[static_cast<unsigned char>(b[i])];
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

// Gives each line a rank so that equal keys share a rank and ranks order as
// keys do; the sort then compares small integers instead of strings.
std::vector<std::uint32_t> RankKeys(const std::vector<std::string_view>& keys,
                                    const Encoding& encoding, std::uint32_t* distinct_keys) {
  // Each key as bytes that order as its characters' codes: the key itself
  // read through the encoding's byte map, or, where characters take more
  // than a byte each way, its order bytes, all end to end.
  const ByteMap* const byte_map = OrderByteMap(encoding);
  const ByteMap& map = byte_map != nullptr ? *byte_map : IdentityByteMap();
  std::string order_bytes;
  std::vector<std::size_t> starts(byte_map != nullptr ? 0 : keys.size() + 1);
  for (std::size_t i = 0; i < keys.size() && byte_map == nullptr; ++i) {
    starts[i] = order_bytes.size();
    AppendOrderBytes(encoding, keys[i], &order_bytes);
  }
  if (byte_map == nullptr) starts[keys.size()] = order_bytes.size();
  const auto order_of = [&](std::size_t line) {
    if (byte_map != nullptr) return keys[line];
    return std::string_view(order_bytes).substr(starts[line], starts[line + 1] - starts[line]);
  };
  // Keys of up to 16 such bytes compare by their two prefixes and their
  // length alone; only longer ones need a look at the rest.
  struct Entry {
    std::uint64_t head;
    std::uint64_t tail;
    std::uint32_t length;
    std::uint32_t line;
  };
  std::vector<Entry> entries(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::string_view bytes = order_of(i);
    entries[i] = {Prefix(bytes, 0, map), Prefix(bytes, 8, map),
                  static_cast<std::uint32_t>(std::min<std::size_t>(bytes.size(), 0xFFFFFFFF)),
                  static_cast<std::uint32_t>(i)};
  }
  const auto less = [&order_of, &map](const Entry& a, const Entry& b) {
    if (a.head != b.head) return a.head < b.head;
    if (a.tail != b.tail) return a.tail < b.tail;
    if (a.length <= 16 || b.length <= 16) return a.length < b.length;
    return LessThrough(order_of(a.line).substr(16), order_of(b.line).substr(16), map);
  };
  // Data files often come sorted already, or sorted the other way round.
  // Ranks do not depend on the order of lines within equal keys, so a
  // reversed file may simply be turned round.
  const auto greater = [&less](const Entry& a, const Entry& b) { return less(b, a); };
  if (std::is_sorted(entries.begin(), entries.end(), greater)) {
    std::reverse(entries.begin(), entries.end());
  } else if (!std::is_sorted(entries.begin(), entries.end(), less)) {
    std::sort(entries.begin(), entries.end(), less);
  }
  std::vector<std::uint32_t> rank(keys.size());
  std::uint32_t current = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i > 0 && less(entries[i - 1], entries[i])) ++current;
    rank[entries[i].line] = current;
  }
  *distinct_keys = entries.empty() ? 0 : current + 1;
  return rank;
}

// An item of the sort: a line's rank above its index, so that comparing the
// upper halves compares keys and moving an item moves its line.
using Item = std::uint64_t;
std::uint32_t RankOf(Item item) { return static_cast<std::uint32_t>(item >> 32); }

// Sorts the chain of positions first, first + gap, ... stably by rank.
// This is exactly what the insertion step of a Shell sort pass does to each
// chain, since it moves a line only past strictly greater keys. Insertion is
// quick on the nearly sorted chains the earlier passes leave; once it has
// moved too much, a stable sort of the chain as it stands finishes the job in
// n log n with the same result, because the insertion so far has kept the
// order of equal keys.
void SortChain(std::vector<Item>* items, std::size_t first, std::size_t gap,
               std::vector<std::uint64_t>* scratch) {
  Item* data = items->data();
  const std::size_t size = items->size();
  const std::size_t budget = 16 * ((size - first + gap - 1) / gap) + 64;
  std::size_t moves = 0;
  std::size_t p = first + gap;
  for (; p < size && moves <= budget; p += gap) {
    const Item item = data[p];
    std::size_t q = p;
    while (q > first && RankOf(data[q - gap]) > RankOf(item)) {
      data[q] = data[q - gap];
      q -= gap;
      ++moves;
    }
    data[q] = item;
  }
  if (p >= size) return;

  // Rank, then place in the chain, then the line: unique values, so an
  // ordinary sort is a stable sort by rank.
  scratch->clear();
  std::uint64_t place = 0;
  for (std::size_t at = first; at < size; at += gap, ++place) {
    const Item item = data[at];
    scratch->push_back(std::uint64_t{RankOf(item)} << 40 | place << 20 | (item & 0xFFFFF));
  }
  std::sort(scratch->begin(), scratch->end());
  std::size_t at = first;
  for (std::uint64_t packed : *scratch) {
    data[at] = (packed >> 40) << 32 | (packed & 0xFFFFF);
    at += gap;
  }
}

}  // namespace

Status ReadLines(LineReader& reader, const std::string& what, std::uintmax_t size,
                 EncodingChoice encoding, LineTable* table) {
  *table = LineTable{};
  const std::optional<Encoding> units = UnitEncoding(reader.Peek(2), encoding);
  if (units) {
    const std::string_view line_end = LineEnd(*units);
    reader.SetLineEnds(line_end.substr(0, line_end.size() / 2),
                       line_end.substr(line_end.size() / 2));
  }
  auto text = std::make_shared<std::string>();
  std::vector<std::size_t> ends;  // Where each line ends in `text`.
  try {
    // Enough room for an ordinary source at once; a larger one grows as read.
    text->reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, kReserveLimit)));
    ends.reserve(kLineSlots);
    while (!reader.AtEnd()) {
      if (ends.size() == kLineSlots) {
        return Status::Error(Status::Code::kTooManyLines,
                             "the source has more than " + std::to_string(kLineSlots) + " lines");
      }
      reader.AppendLine(text.get());
      ends.push_back(text->size());
    }
  } catch (const std::bad_alloc&) {
    text.reset();  // Gives the memory back before the message needs some.
    return Status::Error("cannot read " + what + ": it is too large to hold in memory");
  }
  if (reader.error().failed()) return Status::Error(ReadErrorMessage(what, reader.error()));

  table->SortLines.resize(ends.size());
  table->source_index.resize(ends.size());
  std::size_t start = 0;
  for (std::size_t i = 0; i < ends.size(); ++i) {
    table->SortLines[i] = std::string_view(*text).substr(start, ends[i] - start);
    table->source_index[i] = static_cast<std::uint32_t>(i);
    start = ends[i];
  }
  const std::optional<DetectedEncoding> detected =
      DetectEncoding(units, table->SortLines, reader.bytes_read(), encoding);
  if (!detected) {
    *table = LineTable{};
    return Status::Error("cannot read " + what + " as " + std::string(units->name) +
                         ": it has an odd number of bytes");
  }
  table->encoding = detected->encoding;
  if (detected->mark_size > 0) {
    table->SortLines[0].remove_prefix(detected->mark_size);
    table->byte_order_mark = true;
  }
  table->LastIndex = static_cast<std::int16_t>(static_cast<int>(ends.size()) - 1);
  // Line ends are not kept in `text`, so every line feed in it stayed in its line.
  table->lone_line_feed = HoldsLineFeed(table->encoding, table->SortLines);
  table->text = std::move(text);
  return Status::Ok();
}

Status LoadLines(const std::string& path, LineTable* table, EncodingChoice encoding) {
  *table = LineTable{};
  std::FILE* file = nullptr;
  if (Status s = OpenForReading(path, &file); !s.ok()) return s;
  LineReader reader([file](char* buffer, std::size_t size, SystemError* error) {
    return ReadBytes(file, buffer, size, error);
  });
  Status loaded = ReadLines(reader, Quoted(path), SizeOf(file), encoding, table);
  std::fclose(file);
  return loaded;
}

Status LoadLinesFromStream(std::FILE* stream, const std::string& name, LineTable* table,
                           EncodingChoice encoding) {
  LineReader reader(stream);
  return ReadLines(reader, name, 0, encoding, table);
}

Status CutKeys(const LineTable& table, SortMode mode, const KeyTexts& texts,
               std::vector<std::string_view>* keys, std::optional<std::size_t>* stopped_line) {
  keys->clear();
  KeyParameters params;
  if (Status s = ParseKeyParameters(mode, texts, &params); !s.ok()) return s;
  keys->reserve(table.SortLines.size());
  for (std::string_view line : table.SortLines) {
    std::string_view key;
    if (const KeyCut cut = MakeSortKey(line, params, table.encoding, &key); cut != KeyCut::kCut) {
      *stopped_line = keys->size();
      return Status::Error(Status::Code::kKeyNotCut, KeyCutMessage(cut, keys->size() + 1, params));
    }
    keys->push_back(key);
  }
  return Status::Ok();
}

Status ShellSortLines(LineTable* table, SortMode mode, const KeyTexts& texts,
                      std::optional<std::size_t>* stopped_line) {
  const auto count = static_cast<std::size_t>(table->LastIndex + 1);
  if (count < 2) return Status::Ok();  // The first gap is 0: nothing is compared.

  // Every line takes part in the first pass, so cutting all keys up front
  // fails exactly when comparing them would.
  std::vector<std::string_view> keys;
  std::optional<std::size_t> stopped;
  if (Status s = CutKeys(*table, mode, texts, &keys, &stopped); !s.ok()) {
    table->SortKeys = std::move(keys);
    if (stopped_line != nullptr) *stopped_line = stopped;
    return s;
  }

  std::uint32_t distinct_keys = 0;
  const std::vector<std::uint32_t> rank = RankKeys(keys, table->encoding, &distinct_keys);
  std::vector<Item> items(count);
  if (distinct_keys == count) {
    // Every key differs, so the passes can only end in key order.
    for (std::size_t i = 0; i < count; ++i) items[rank[i]] = Item{rank[i]} << 32 | i;
  } else {
    for (std::size_t i = 0; i < count; ++i) items[i] = Item{rank[i]} << 32 | i;
    std::vector<std::uint64_t> scratch;
    scratch.reserve(count);
    for (std::size_t gap = count / 2; gap > 0; gap /= 2) {
      for (std::size_t first = 0; first < gap; ++first) SortChain(&items, first, gap, &scratch);
    }
  }

  std::vector<std::string_view> lines(count);
  std::vector<std::uint32_t> source_index(count);
  for (std::size_t i = 0; i < count; ++i) {
    const auto from = static_cast<std::size_t>(items[i] & 0xFFFFFFFF);
    lines[i] = table->SortLines[from];
    source_index[i] = table->source_index[from];
  }
  table->SortLines = std::move(lines);
  table->source_index = std::move(source_index);
  table->SortKeys = std::move(keys);
  return Status::Ok();
}

std::string_view HeadOf(const LineTable& table) {
  return table.byte_order_mark ? ByteOrderMark(table.encoding) : std::string_view();
}

Status WriteLines(const std::string& path, const LineTable& table) {
  return WriteLinesAtomically(path, table.SortLines, LineEnd(table.encoding), HeadOf(table));
}

}  // namespace ordalis
