// Text in an 8-bit code page, by default the system's (SystemCodePageEncoding):
// the number boxes' texts as Ordalis.ini holds them.
#pragma once

#include <string>
#include <string_view>

#include "encoding.h"

namespace ordalis {

// Widens each character of `bytes` to 16-bit text.
std::u16string WidenFromCodePage(std::string_view bytes,
                                 const Encoding& page = SystemCodePageEncoding());

// Narrows each character back to the code page; a character the code page
// cannot hold becomes '?'. Widened text narrows back to the same bytes where
// the page writes each character as it was read: every byte of a single-byte
// page, but not a lead byte that pairs with nothing in a double-byte one,
// which comes back as '?' (on code page 932 the bytes 82 41 as 3F 41).
std::string NarrowToCodePage(std::u16string_view text,
                             const Encoding& page = SystemCodePageEncoding());

}  // namespace ordalis
