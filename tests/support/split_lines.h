// The line rule written the plain way, all at once: the reference that the
// block-by-block LineReader of the program is checked against.
#pragma once

#include <string_view>
#include <vector>

namespace ordalis::testing {

// Splits `bytes` into lines. A line ends at CR or at a CR LF pair, and the
// terminator is not part of the line. A lone LF stays inside its line. A last
// line without a terminator is still a line; a trailing terminator adds no
// empty line; empty input gives no lines.
inline std::vector<std::string_view> SplitLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t cr = bytes.find('\r', start);
    if (cr == std::string_view::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, cr - start));
    start = cr + 1;
    if (start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace ordalis::testing
