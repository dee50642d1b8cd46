#include "wide_text.h"

#include <algorithm>
#include <bit>

#include "transcode.h"
#include "utf16.h"
#include "utf8.h"

namespace ordalis {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    // Surrogates pass, so that a Windows name holding a lone one comes back.
    const std::size_t length = Utf8SequenceLength(utf8.substr(i), Surrogates::Allowed);
    if (length == 0) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    ForEachUtf16Unit(DecodeUtf8(utf8.substr(i, length)),
                     [&out](char32_t unit) { out.push_back(static_cast<char16_t>(unit)); });
    i += length;
  }
  return out;
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
  const std::string_view bytes = BytesOf(utf16);
  constexpr bool big_endian = std::endian::native == std::endian::big;
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t size = 0;
    AppendUtf8(ReadUtf16(bytes.substr(at), big_endian, &size), &out);
    at += size;
  }
  return out;
}

std::wstring WideFromUtf8(std::string_view utf8) {
  const std::u16string text = Utf16FromUtf8(utf8);
  return std::wstring(text.begin(), text.end());
}

std::string Utf8FromWide(std::wstring_view wide) {
  std::u16string text(wide.size(), u'\0');
  std::transform(wide.begin(), wide.end(), text.begin(),
                 [](wchar_t unit) { return static_cast<char16_t>(unit); });
  return Utf8FromUtf16(text);
}

}  // namespace ordalis
