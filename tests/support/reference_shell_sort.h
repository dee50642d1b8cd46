// The Shell sort exactly as the program's users know it: halving gaps, an
// insertion step per position, keys cut afresh for both lines of every
// comparison, a swap only on a strictly greater key, keys compared character
// by character on their codes. Keys are cut and compared by the tests' own
// walk (reference_walk.h), not the program's. Slow, and the yardstick for
// the real sort's order of equal keys.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "base/status.h"
#include "sort/sort_key.h"
#include "support/reference_walk.h"
#include "text/encoding.h"

namespace ordalis::testing {

// The step-by-step Shell sort of `items`: halving gaps, an insertion step
// per position, a swap only where `greater(a, b)` says a's key is strictly
// greater than b's. `greater` gives nothing where the run stops; then so
// does the sort, returning false.
template <typename Item, typename Greater>
bool StepByStepShellSort(std::vector<Item>* items, Greater greater) {
  const int n = static_cast<int>(items->size());
  for (int gap = n / 2; gap > 0; gap /= 2) {
    for (int x = 0; x < n - gap; ++x) {
      for (int j = x; j >= 0; j -= gap) {
        Item& a = (*items)[static_cast<std::size_t>(j)];
        Item& b = (*items)[static_cast<std::size_t>(j + gap)];
        const std::optional<bool> swap = greater(a, b);
        if (!swap) return false;
        if (!*swap) break;
        std::swap(a, b);
      }
    }
  }
  return true;
}

inline Status ReferenceShellSort(std::vector<std::string>* lines, const Encoding& encoding,
                                 SortMode mode, const KeyTexts& texts) {
  if (lines->size() < 2) return Status::Ok();  // Nothing is compared.
  KeyParameters params;
  if (Status s = ParseKeyParameters(mode, texts, &params); !s.ok()) return s;
  // The key of `line` as the walk cuts it; false where the run stops.
  const auto cut = [&](const std::string& line, std::vector<Character>* characters,
                       WalkedKey* key) {
    *characters = Walk(line, encoding);
    bool stops = false;
    const auto [first, last] = WalkKey(*characters, params, &stops);
    *key = {std::span<const Character>(*characters).subspan(first, last - first), line};
    return !stops;
  };
  std::vector<Character> characters_j, characters_k;
  WalkedKey key_j, key_k;
  const bool sorted = StepByStepShellSort(
      lines, [&](const std::string& a, const std::string& b) -> std::optional<bool> {
        if (!cut(a, &characters_j, &key_j) || !cut(b, &characters_k, &key_k)) return std::nullopt;
        return WalkLess(key_k, key_j);
      });
  if (!sorted) return Status::Error("a line is shorter than the start column");
  return Status::Ok();
}

}  // namespace ordalis::testing
