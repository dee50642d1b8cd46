// Every code page Ordalis reads, read as Windows reads it: each byte, each
// lead byte with each byte after it and a lead byte at the end, by Ordalis's
// encoding and by MultiByteToWideChar, with the lead bytes GetCPInfoEx lists.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "text/encoding.h"
#include "text/utf16.h"

namespace ordalis {
namespace {

// `bytes` read by Windows, as UTF-16.
std::u16string WindowsReads(int page, const std::string& bytes) {
  wchar_t wide[8];
  const int length = MultiByteToWideChar(static_cast<UINT>(page), 0, bytes.data(),
                                         static_cast<int>(bytes.size()), wide, 8);
  return std::u16string(wide, wide + (length > 0 ? length : 0));
}

// `bytes` read by the encoding, as UTF-16.
std::u16string OrdalisReads(const Encoding& encoding, std::string_view bytes) {
  std::u16string wide;
  while (!bytes.empty()) {
    const Decoded character = Decode(encoding, bytes);
    ForEachUtf16Unit(character.code, [&](char32_t unit) { wide += static_cast<char16_t>(unit); });
    bytes.remove_prefix(character.size);
  }
  return wide;
}

std::string Hex(const std::string& bytes) {
  std::string hex;
  for (char byte : bytes) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X ", static_cast<unsigned char>(byte));
    hex += digits;
  }
  return hex;
}

TEST(CodePagesTest, EveryPageReadsEveryByteAndPairAsWindowsDoes) {
  for (int page : {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
    const Encoding encoding = *CodePageEncoding(page);
    CPINFOEXW info{};
    ASSERT_TRUE(GetCPInfoExW(static_cast<UINT>(page), 0, &info)) << page;
    int differences = 0;
    std::size_t sequences = 0;
    const auto compare = [&](const std::string& bytes) {
      ++sequences;
      if (OrdalisReads(encoding, bytes) == WindowsReads(page, bytes)) return;
      if (++differences <= 5)
        ADD_FAILURE() << "cp" << page << " reads " << Hex(bytes) << "otherwise";
    };
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      bool lead = false;
      for (int range = 0; range < MAX_LEADBYTES && info.LeadByte[range] != 0; range += 2) {
        lead = lead || (b >= info.LeadByte[range] && b <= info.LeadByte[range + 1]);
      }
      EXPECT_EQ(Decode(encoding, std::string{byte, 'Q'}).size, lead ? 2u : 1u)
          << "cp" << page << ": whether " << Hex(std::string(1, byte)) << "leads a pair";
      if (b == '\r') continue;  // Lines end there before they are read.
      compare(std::string{byte, 'Q'});
      if (!lead) continue;
      compare(std::string(1, byte));  // At a line's end.
      for (int t = 0; t < 256; ++t) {
        if (t != '\r') compare(std::string{byte, static_cast<char>(t), 'Q'});
      }
    }
    EXPECT_EQ(differences, 0) << "cp" << page << ": of " << sequences << " sequences";
    std::printf("cp%d: %zu sequences, %d read otherwise than Windows\n", page, sequences,
                differences);
  }
}

}  // namespace
}  // namespace ordalis
