// How many cells of a terminal a character takes.
#pragma once

namespace ordalis {

// 0 for a combining mark or a zero-width character, 2 for a wide East Asian
// character or an emoji, 1 for every other character.
int TerminalWidth(char32_t c);

}  // namespace ordalis
