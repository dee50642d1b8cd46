// Text in an 8-bit code page, by default the system's (SystemCodePageEncoding),
// widened to 16-bit text and narrowed back: the number boxes' texts as
// Ordalis.ini holds them, and as ordalis-sort takes them from its options.
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
// each byte or pair reads as a character of its own: every byte of a
// single-byte page, but not a pair a double-byte page leaves unassigned or a
// lone lead byte, which read as the page's default character and come back
// as its bytes (on code page 932 the bytes 82 41 read as U+30FB and come
// back as 81 45).
std::string NarrowToCodePage(std::u16string_view text,
                             const Encoding& page = SystemCodePageEncoding());

}  // namespace ordalis
