#include "key_order.h"

#include "code_pages.h"
#include "utf16.h"

namespace ordalis {

const ByteMap& IdentityByteMap() {
  static constexpr ByteMap kIdentity = [] {
    ByteMap map{};
    for (std::size_t b = 0; b < 256; ++b) map[b] = static_cast<std::uint8_t>(b);
    return map;
  }();
  return kIdentity;
}

const ByteMap* OrderByteMap(const Encoding& encoding) {
  switch (encoding.form) {
    case EncodingForm::kSingleByte:
      return &encoding.single->order;
    case EncodingForm::kUtf8:
      return &IdentityByteMap();
    default:
      return nullptr;
  }
}

void AppendOrderBytes(const Encoding& encoding, std::string_view key, std::string* out) {
  // Written in place: a push per byte would cost more than the rest.
  const std::size_t start = out->size();
  if (encoding.form == EncodingForm::kDoubleByte) {
    const DoubleBytePage& page = *encoding.pairs;
    out->resize(start + 2 * key.size());
    char* to = out->data() + start;
    for (std::size_t at = 0; at < key.size();) {
      // DoubleByteSize and DoubleByteCode in one look at the lead byte.
      const std::uint8_t row = page.lead_row[static_cast<unsigned char>(key[at])];
      char16_t code =
          row == 0 ? page.single[static_cast<unsigned char>(key[at])] : page.default_char;
      if (row != 0 && at + 1 < key.size() && key[at + 1] != '\0') {
        code = PairCode(page, row, static_cast<unsigned char>(key[++at]));
      }
      ++at;
      *to++ = static_cast<char>(code >> 8);
      *to++ = static_cast<char>(code & 0xFF);
    }
    out->resize(static_cast<std::size_t>(to - out->data()));
    return;
  }
  const bool big_endian = encoding.form == EncodingForm::kUtf16Be;
  out->resize(start + key.size() / 2 * 3);
  char* to = out->data() + start;
  for (std::size_t at = 0; at + 2 <= key.size(); at += 2) {
    char32_t code = Utf16UnitAt(key, at, big_endian);
    if (IsHighSurrogate(code) && at + 4 <= key.size()) {
      const char32_t next = Utf16UnitAt(key, at + 2, big_endian);
      if (IsLowSurrogate(next)) {
        code = FromSurrogates(code, next);
        at += 2;
      }
    }
    *to++ = static_cast<char>(code >> 16);
    *to++ = static_cast<char>((code >> 8) & 0xFF);
    *to++ = static_cast<char>(code & 0xFF);
  }
  out->resize(static_cast<std::size_t>(to - out->data()));
}

}  // namespace ordalis
