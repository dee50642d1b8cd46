// Times SortFile (load, sort, write) over files of the largest size a source
// may have, with the key orders that matter to a Shell sort, and over the
// input that defeats halving gaps. The files are generated into a temporary
// folder that is removed at exit.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "files/durable_replace.h"
#include "sort/line_table.h"
#include "sort/sort_file.h"
#include "sort/sort_key.h"
#include "text/detect_encoding.h"
#include "text/transcode.h"

namespace ordalis {
namespace {

namespace fs = std::filesystem;

constexpr int kKeyWidth = 12;    // The default left-most count.
constexpr int kLineBytes = 100;  // With CR LF: 10001 lines make about 1 MB.
// With 8193 lines the gaps are 4096, 2048, ..., 2, 1: all even but the last,
// so positions of one parity never meet until the final pass.
constexpr int kWorstLines = 8193;

enum class Shape {
  Random,
  Sorted,
  Reversed,
  AllEqual,
  FewDistinct,
  AlternatingHalves,
  AlternatingPairs,  // The same with every key twice: equal keys at stake in every pass.
};

std::string NumberKey(long value) {
  char key[kKeyWidth + 1];
  std::snprintf(key, sizeof key, "%012ld", value);
  return key;
}

std::vector<std::string> Keys(Shape shape, std::mt19937& random) {
  const auto lines = static_cast<std::size_t>(
      shape == Shape::AlternatingHalves || shape == Shape::AlternatingPairs ? kWorstLines
                                                                            : kLineSlots);
  std::vector<std::string> keys(lines);
  static constexpr char kAlphabet[] =
      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  std::uniform_int_distribution<std::size_t> letter(0, sizeof kAlphabet - 2);
  switch (shape) {
    case Shape::Random:
      for (std::string& key : keys) {
        for (int i = 0; i < kKeyWidth; ++i) key += kAlphabet[letter(random)];
      }
      break;
    case Shape::Sorted:
    case Shape::Reversed:
      for (std::size_t i = 0; i < lines; ++i) {
        keys[i] = NumberKey(static_cast<long>(shape == Shape::Sorted ? i : lines - 1 - i) * 37);
      }
      break;
    case Shape::AllEqual:
      std::fill(keys.begin(), keys.end(), NumberKey(42));
      break;
    case Shape::FewDistinct: {
      std::uniform_int_distribution<long> pick(0, 7);
      for (std::string& key : keys) key = NumberKey(pick(random) * 1000);
      break;
    }
    case Shape::AlternatingHalves:
    case Shape::AlternatingPairs: {
      // Even positions take the keys above the median, odd ones those below.
      const std::size_t below = lines / 2;
      std::vector<long> low(below), high(lines - below);
      std::iota(low.begin(), low.end(), 0L);
      std::iota(high.begin(), high.end(), static_cast<long>(below));
      std::shuffle(low.begin(), low.end(), random);
      std::shuffle(high.begin(), high.end(), random);
      for (std::size_t i = 0; i < lines; ++i) {
        const long value = i % 2 == 0 ? high[i / 2] : low[i / 2];
        keys[i] = NumberKey(shape == Shape::AlternatingPairs ? value / 2 : value);
      }
      break;
    }
  }
  return keys;
}

// A scratch folder for the generated sources and the targets.
class BenchFiles {
 public:
  BenchFiles() {
    std::string pattern = (fs::temp_directory_path() / "ordalis-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
  }
  ~BenchFiles() {
    std::error_code ec;
    if (!folder_.empty()) fs::remove_all(folder_, ec);
  }
  BenchFiles(const BenchFiles&) = delete;
  BenchFiles& operator=(const BenchFiles&) = delete;

  // The source of `shape`, written on first use; empty when it cannot be.
  std::string Source(Shape shape, const std::string& name) {
    if (folder_.empty()) return {};
    const fs::path path = folder_ / (name + ".dat");
    if (fs::exists(path)) return path.string();
    std::mt19937 random(20240607u + static_cast<unsigned>(shape));
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string bytes;
    for (const std::string& key : Keys(shape, random)) {
      bytes += key;
      bytes += ' ';
      for (int i = kKeyWidth + 1; i < kLineBytes - 2; ++i)
        bytes += static_cast<char>(letter(random));
      bytes += "\r\n";
    }
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out.flush()) return {};
    return path.string();
  }

  std::string Target(const std::string& name) const {
    return (folder_ / (name + ".sorted")).string();
  }

 private:
  fs::path folder_;
};

BenchFiles& Files() {
  static BenchFiles files;
  return files;
}

void BM_SortFile(benchmark::State& state, Shape shape, const std::string& name) {
  const std::string source = Files().Source(shape, name);
  if (source.empty()) {
    state.SkipWithError("cannot write the generated source");
    return;
  }
  const std::string target = Files().Target(name);
  const KeyTexts texts;  // Left-most 12, the window's defaults.
  for (auto _ : state) {
    const Status status = SortFile(source, target, {SortMode::LeftMost, texts});
    if (!status.ok()) {
      state.SkipWithError(status.message().c_str());
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(fs::file_size(source)));
}

BENCHMARK_CAPTURE(BM_SortFile, random, Shape::Random, "random")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortFile, sorted, Shape::Sorted, "sorted")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortFile, reversed, Shape::Reversed, "reversed")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortFile, all_equal, Shape::AllEqual, "all_equal")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortFile, few_distinct, Shape::FewDistinct, "few_distinct")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortFile, alternating_halves_8193, Shape::AlternatingHalves,
                  "alternating_halves")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortFile, alternating_pairs_8193, Shape::AlternatingPairs, "alternating_pairs")
    ->Unit(benchmark::kMillisecond);

// UTF-8 text as bench/compare_with_gnu_sort.sh makes it: five accented
// letters and two CJK characters, then a 12-character key with a CJK
// character at every third place, then ASCII letters; 100 bytes a line.
std::string Utf8Source() {
  if (Files().Target("").empty()) return {};
  const std::string path = Files().Target("utf8") + ".dat";
  if (fs::exists(path)) return path;
  static constexpr const char* kAccented[] = {"é", "ö", "ñ", "å", "ç", "ü", "ø", "è"};
  static constexpr const char* kCjk[] = {"日", "本", "中", "文", "語", "字", "東", "京",
                                         "北", "海", "道", "山", "川", "田", "村", "町"};
  static constexpr char kAlphabet[] =
      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  std::mt19937 random(20240607u);
  const auto pick = [&random](std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
  };
  std::string bytes;
  for (int line = 0; line < kLineSlots; ++line) {
    for (int i = 0; i < 5; ++i) bytes += kAccented[pick(std::size(kAccented))];
    for (int i = 0; i < 2; ++i) bytes += kCjk[pick(std::size(kCjk))];
    bytes += ' ';
    for (int i = 0; i < kKeyWidth; ++i) {
      if (i % 3 == 0) {
        bytes += kCjk[pick(std::size(kCjk))];
      } else {
        bytes += kAlphabet[pick(sizeof kAlphabet - 1)];
      }
    }
    bytes += ' ';
    for (int i = 0; i < 60; ++i) bytes += static_cast<char>('a' + pick(26));
    bytes += "\r\n";
  }
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out.flush()) return {};
  return path;
}

// Columns 9 to 20 of UTF-8 text: the encoding is detected, and every key is
// cut by counting characters.
void BM_SortUtf8File(benchmark::State& state) {
  const std::string source = Utf8Source();
  if (source.empty()) {
    state.SkipWithError("cannot write the generated source");
    return;
  }
  const std::string target = Files().Target("utf8");
  const KeyTexts texts{u"12", u"12", u"9"};
  for (auto _ : state) {
    const Status status = SortFile(source, target, {SortMode::Middle, texts});
    if (!status.ok()) {
      state.SkipWithError(status.message().c_str());
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(fs::file_size(source)));
}

BENCHMARK(BM_SortUtf8File)->Unit(benchmark::kMillisecond);

// The UTF-8 source in another encoding, each character it cannot hold as
// '?', after the encoding's byte order mark: the same sort in other units.
std::string EncodedSource(const Encoding& encoding) {
  const std::string utf8_path = Utf8Source();
  if (utf8_path.empty()) return {};
  const std::string path = Files().Target(std::string(encoding.name)) + ".dat";
  if (fs::exists(path)) return path;
  std::ifstream in(utf8_path, std::ios::binary);
  const std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string bytes(ByteOrderMark(encoding));
  Transcode(utf8, Utf8Encoding(), encoding, &bytes, U'?');
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  if (!out.flush()) return {};
  return path;
}

// BM_SortUtf8File's sort with the source in `encoding`, named as
// --encoding names it.
void BM_SortEncodedFile(benchmark::State& state, const char* encoding) {
  const Encoding named = *EncodingNamed(encoding);
  const std::string source = EncodedSource(named);
  if (source.empty()) {
    state.SkipWithError("cannot write the generated source");
    return;
  }
  const std::string target = Files().Target(std::string(named.name) + "-sorted");
  const KeyTexts texts{u"12", u"12", u"9"};
  for (auto _ : state) {
    const Status status = SortFile(source, target, {SortMode::Middle, texts, named});
    if (!status.ok()) {
      state.SkipWithError(status.message().c_str());
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(fs::file_size(source)));
}

BENCHMARK_CAPTURE(BM_SortEncodedFile, utf8, "utf-8")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortEncodedFile, cp932, "cp932")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortEncodedFile, utf16le, "utf-16le")->Unit(benchmark::kMillisecond);

// The one pass that decides how a source is read.
void BM_DetectEncoding(benchmark::State& state) {
  LineTable table;
  if (!LoadLines(Utf8Source(), &table).ok()) {
    state.SkipWithError("cannot load the generated source");
    return;
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(DetectEncoding(std::nullopt, table.SortLines, 0, std::nullopt));
  }
}

BENCHMARK(BM_DetectEncoding)->Unit(benchmark::kMicrosecond);

// The fixed cost of replacing a target, whatever its size: the temporary
// file, the flush, the rename and making the rename durable.
void BM_ReplaceSmallTarget(benchmark::State& state) {
  const std::string target = Files().Target("small");
  for (auto _ : state) {
    const Status status = WriteFileAtomically(target, "a\r\nb\r\n");
    if (!status.ok()) {
      state.SkipWithError(status.message().c_str());
      break;
    }
  }
}

BENCHMARK(BM_ReplaceSmallTarget)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ordalis

BENCHMARK_MAIN();
