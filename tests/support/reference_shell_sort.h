// The Shell sort exactly as the program's users know it: halving gaps, an
// insertion step per position, keys cut afresh for both lines of every
// comparison, a swap only on a strictly greater key. Slow, and the yardstick
// for the real sort's order of equal keys.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sort/sort_key.h"

namespace ordalis::testing {

inline Status ReferenceShellSort(std::vector<std::u16string>* lines, SortMode mode,
                                 const KeyTexts& texts) {
  const int last_index = static_cast<int>(lines->size()) - 1;
  std::u16string key_j, key_k;
  for (int gap = (last_index + 1) / 2; gap > 0; gap /= 2) {
    for (int x = 0; x <= last_index - gap; ++x) {
      for (int j = x; j >= 0; j -= gap) {
        auto& a = (*lines)[static_cast<std::size_t>(j)];
        auto& b = (*lines)[static_cast<std::size_t>(j + gap)];
        if (Status s = MakeSortKey(a, mode, texts, &key_j); !s.ok()) return s;
        if (Status s = MakeSortKey(b, mode, texts, &key_k); !s.ok()) return s;
        if (CompareKeys(key_j, key_k) <= 0) break;
        std::swap(a, b);
      }
    }
  }
  return Status::Ok();
}

}  // namespace ordalis::testing
