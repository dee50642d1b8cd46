// The one conversion between UTF-8 and UTF-16 strings, for names and for the
// text a system takes in UTF-16 (Windows' API, its console). Text in an
// encoding of a source goes through Transcode instead.
#pragma once

#include <string>
#include <string_view>

namespace ordalis {

// UTF-16 text from UTF-8, and back. A UTF-16 surrogate without its partner
// (Windows allows them in file names) is carried as its own three bytes, as
// WTF-8 does, so every Windows name survives the round trip; bytes that are
// not UTF-8 become U+FFFD.
std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

// The same for the wide strings of Windows' API, whose wchar_t is 16 bits.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace ordalis
