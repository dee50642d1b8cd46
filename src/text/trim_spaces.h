// Trimming the spaces around keys, box texts and settings values.
#pragma once

#include <string_view>

namespace ordalis {

// Returns `text` without its leading and trailing spaces. Only the space
// character counts; tabs and other blanks stay.
template <typename Char>
std::basic_string_view<Char> TrimSpaces(std::basic_string_view<Char> text) {
  const std::size_t first = text.find_first_not_of(Char{' '});
  if (first == std::basic_string_view<Char>::npos) return {};
  const std::size_t last = text.find_last_not_of(Char{' '});
  return text.substr(first, last - first + 1);
}

}  // namespace ordalis
