#include "terminal_width.h"

#include <algorithm>
#include <iterator>

namespace ordalis {
namespace {

struct Range {
  char32_t first;
  char32_t last;
};

// Combining marks of the blocks a data file is likely to hold, and the
// zero-width spaces and joiners.
constexpr Range kZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x0610, 0x061A}, {0x064B, 0x065F},
    {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},
    {0x200B, 0x200F}, {0x20D0, 0x20FF}, {0x302A, 0x302D}, {0x3099, 0x309A}, {0xFE00, 0xFE0F},
    {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF},
};

// East Asian Wide and Fullwidth characters, and the emoji terminals draw wide.
constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x2614, 0x2615},   {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},
    {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},   {0xA960, 0xA97F},   {0xAC00, 0xD7A3},
    {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},
    {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD},
    {0x30000, 0x3FFFD},
};

template <std::size_t N>
bool InRanges(char32_t c, const Range (&ranges)[N]) {
  const Range* found =
      std::upper_bound(std::begin(ranges), std::end(ranges), c,
                       [](char32_t value, const Range& r) { return value < r.first; });
  return found != std::begin(ranges) && c <= std::prev(found)->last;
}

}  // namespace

int TerminalWidth(char32_t c) {
  if (c < 0x300) return 1;
  if (InRanges(c, kZeroWidth)) return 0;
  if (InRanges(c, kWide)) return 2;
  return 1;
}

}  // namespace ordalis
