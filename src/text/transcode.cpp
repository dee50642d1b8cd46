#include "transcode.h"

namespace ordalis {

bool Transcode(std::string_view text, const Encoding& from, const Encoding& to, std::string* out,
               std::optional<char32_t> replacement) {
  for (std::size_t at = 0; at < text.size();) {
    const Decoded character = Decode(from, text.substr(at));
    if (character.code == Decoded::kNoCharacter || !Encode(to, character.code, out)) {
      if (!replacement) return false;
      Encode(to, *replacement, out);
    }
    at += character.size;
  }
  return true;
}

std::string ToUtf8(std::string_view text, const Encoding& from) {
  std::string utf8;
  utf8.reserve(text.size());
  Transcode(text, from, Utf8Encoding(), &utf8, U'\uFFFD');
  return utf8;
}

std::string_view BytesOf(std::u16string_view text) {
  return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

}  // namespace ordalis
