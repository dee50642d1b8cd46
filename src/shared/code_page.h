// Text in the system's 8-bit code page (see SystemCodePageReading): the
// number boxes' texts as Ordalis.ini holds them.
#pragma once

#include <string>
#include <string_view>

namespace ordalis {

// Widens each character of `bytes` to 16-bit text.
std::u16string WidenFromCodePage(std::string_view bytes);

// Narrows each character back to the code page; a character the code page
// cannot hold becomes '?'. Widened text always narrows back to the same bytes.
std::string NarrowToCodePage(std::u16string_view text);

}  // namespace ordalis
