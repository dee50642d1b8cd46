// Text from one encoding into another, character by character.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "encoding.h"

namespace ordalis {

// Appends `text`, read in `from`, to `*out` in `to`. Bytes that form no
// character, and a character `to` cannot hold, become `replacement`; with no
// replacement the transcoding stops at the first of them and returns false.
bool Transcode(std::string_view text, const Encoding& from, const Encoding& to, std::string* out,
               std::optional<char32_t> replacement = std::nullopt);

// `text`, read in `from`, as UTF-8; what forms no character, or no character
// UTF-8 can hold (a lone surrogate), becomes U+FFFD.
std::string ToUtf8(std::string_view text, const Encoding& from);

// The bytes of `text` as a std::u16string holds them (NativeUtf16Encoding).
std::string_view BytesOf(std::u16string_view text);

}  // namespace ordalis
