#include "key_order.h"

namespace ordalis {

void AppendOrderBytes(const Encoding& encoding, std::string_view key, std::string* out) {
  // Written in place: a push per byte would cost more than the rest.
  const std::size_t width = CodeBytes(encoding);
  const std::size_t start = out->size();
  out->resize(start + key.size() / UnitSize(encoding) * width);
  char* to = out->data() + start;
  WithDecoder(encoding, [&](auto decode) {
    for (std::size_t at = 0; at < key.size();) {
      const Decoded character = decode(std::string_view(key.data() + at, key.size() - at));
      at += character.size;
      if (character.code == Decoded::kNoCharacter) continue;
      if (width == 3) *to++ = static_cast<char>(character.code >> 16);
      *to++ = static_cast<char>((character.code >> 8) & 0xFF);
      *to++ = static_cast<char>(character.code & 0xFF);
    }
    return 0;
  });
  out->resize(static_cast<std::size_t>(to - out->data()));
}

}  // namespace ordalis
