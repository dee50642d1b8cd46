// The Shell sort exactly as the program's users know it: halving gaps, an
// insertion step per position, keys cut afresh for both lines of every
// comparison, a swap only on a strictly greater key, keys compared character
// by character on their codes. Slow, and the yardstick for the real sort's
// order of equal keys.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sort/sort_key.h"
#include "text/encoding.h"

namespace ordalis::testing {

// Negative, zero or positive as `a` is less than, equal to or greater than
// `b` by the codes of their characters in `encoding`; a prefix is less. From
// bytes that form no character on (in UTF-8), the bytes compare.
inline int ReferenceCompareKeys(std::string_view a, std::string_view b, const Encoding& encoding) {
  while (!a.empty() && !b.empty()) {
    const Decoded x = Decode(encoding, a);
    const Decoded y = Decode(encoding, b);
    if (x.code == Decoded::kNoCharacter || y.code == Decoded::kNoCharacter) return a.compare(b);
    if (x.code != y.code) return x.code < y.code ? -1 : 1;
    a.remove_prefix(x.size);
    b.remove_prefix(y.size);
  }
  return a.empty() ? (b.empty() ? 0 : -1) : 1;
}

inline Status ReferenceShellSort(std::vector<std::string>* lines, const Encoding& encoding,
                                 SortMode mode, const KeyTexts& texts) {
  const int last_index = static_cast<int>(lines->size()) - 1;
  std::string_view key_j, key_k;
  for (int gap = (last_index + 1) / 2; gap > 0; gap /= 2) {
    for (int x = 0; x <= last_index - gap; ++x) {
      for (int j = x; j >= 0; j -= gap) {
        auto& a = (*lines)[static_cast<std::size_t>(j)];
        auto& b = (*lines)[static_cast<std::size_t>(j + gap)];
        if (Status s = MakeSortKey(a, encoding, mode, texts, &key_j); !s.ok()) return s;
        if (Status s = MakeSortKey(b, encoding, mode, texts, &key_k); !s.ok()) return s;
        if (ReferenceCompareKeys(key_j, key_k, encoding) <= 0) break;
        std::swap(a, b);
      }
    }
  }
  return Status::Ok();
}

}  // namespace ordalis::testing
