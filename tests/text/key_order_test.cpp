#include "text/key_order.h"

#include <gtest/gtest.h>

#include <string>

#include "text/encoding.h"

namespace ordalis {
namespace {

using namespace std::string_literals;

// Each key's order bytes are its characters' codes, high byte first, so
// that they order as the codes do where the key's own bytes do not.
TEST(KeyOrderTest, OrderBytesAreTheCharactersCodes) {
  const Encoding cp932 = *CodePageEncoding(932);
  const struct {
    const char* what;
    Encoding encoding;
    std::string key;
    std::string order;
  } cases[] = {
      {"cp932: a single byte and a pair", cp932, "A\x82\xA0", "\0A\x30\x42"s},
      // 81 91 is below A1 as bytes, but U+FFE0 is above U+FF61.
      {"cp932: fullwidth cent, a pair", cp932, "\x81\x91", "\xFF\xE0"},
      {"cp932: halfwidth full stop, a single byte", cp932, "\xA1", "\xFF\x61"},
      // U+1F600 is above U+FFFD, though its first unit D83D is below FFFD.
      {"UTF-16LE: a surrogate pair", Utf16LeEncoding(), "\x3D\xD8\x00\xDE"s, "\x01\xF6\x00"s},
      {"UTF-16LE: U+FFFD", Utf16LeEncoding(), "\xFD\xFF", "\0\xFF\xFD"s},
      {"UTF-16BE: a lone surrogate as itself", Utf16BeEncoding(), "\xD8\x3D", "\0\xD8\x3D"s},
      {"UTF-16LE: the odd byte at the end is left out", Utf16LeEncoding(), "a\0z"s, "\0\0a"s},
  };
  for (const auto& c : cases) {
    std::string order = "kept";
    AppendOrderBytes(c.encoding, c.key, &order);
    EXPECT_EQ(order, "kept" + c.order) << c.what;
  }
  std::string cent, stop;
  AppendOrderBytes(cp932, "\x81\x91", &cent);
  AppendOrderBytes(cp932, "\xA1", &stop);
  EXPECT_GT(cent, stop);
}

}  // namespace
}  // namespace ordalis
