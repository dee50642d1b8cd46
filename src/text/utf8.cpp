#include "utf8.h"

namespace ordalis {

char32_t DecodeUtf8(std::string_view text) {
  const auto byte = [&text](std::size_t i) { return static_cast<char32_t>(text[i]) & 0xFF; };
  const std::size_t length = Utf8SequenceLength(text, Surrogates::Allowed);
  if (length <= 1) return byte(0);
  char32_t code = byte(0) & (0x7Fu >> length);
  for (std::size_t i = 1; i < length; ++i) code = code << 6 | (byte(i) & 0x3F);
  return code;
}

void AppendUtf8(char32_t code, std::string* out) {
  const auto byte = [out](char32_t value) { out->push_back(static_cast<char>(value)); };
  if (code < 0x80) {
    byte(code);
  } else if (code < 0x800) {
    byte(0xC0 | (code >> 6));
    byte(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    byte(0xE0 | (code >> 12));
    byte(0x80 | ((code >> 6) & 0x3F));
    byte(0x80 | (code & 0x3F));
  } else {
    byte(0xF0 | (code >> 18));
    byte(0x80 | ((code >> 12) & 0x3F));
    byte(0x80 | ((code >> 6) & 0x3F));
    byte(0x80 | (code & 0x3F));
  }
}

}  // namespace ordalis
