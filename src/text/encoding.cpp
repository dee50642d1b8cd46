#include "encoding.h"

#include <algorithm>
#include <bit>

namespace ordalis {
namespace {

bool IsBigEndian(const Encoding& encoding) { return encoding.form == EncodingForm::kUtf16Be; }

}  // namespace

Encoding Utf8Encoding() { return {EncodingForm::kUtf8, "UTF-8"}; }
Encoding Utf16LeEncoding() { return {EncodingForm::kUtf16Le, "UTF-16LE"}; }
Encoding Utf16BeEncoding() { return {EncodingForm::kUtf16Be, "UTF-16BE"}; }

Encoding NativeUtf16Encoding() {
  return std::endian::native == std::endian::big ? Utf16BeEncoding() : Utf16LeEncoding();
}

Encoding Windows1252Encoding() { return *CodePageEncoding(1252); }

std::optional<Encoding> CodePageEncoding(int number) {
  if (const SingleBytePage* page = FindSingleBytePage(number)) {
    return Encoding{EncodingForm::kSingleByte, page->name, page, nullptr};
  }
  if (const DoubleBytePage* page = FindDoubleBytePage(number)) {
    return Encoding{EncodingForm::kDoubleByte, page->name, nullptr, page};
  }
  return std::nullopt;
}

std::optional<Encoding> EncodingNamed(std::string_view name) {
  if (name == "utf-8") return Utf8Encoding();
  if (name == "utf-16le") return Utf16LeEncoding();
  if (name == "utf-16be") return Utf16BeEncoding();
  if (name == "windows-1252") return Windows1252Encoding();
  if (!name.starts_with("cp") || name.size() > 6) return std::nullopt;
  int number = 0;
  for (char c : name.substr(2)) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return CodePageEncoding(number);
}

int CodePageOfLocale(std::string_view locale) {
  // The language, and its territory where one language has two pages.
  const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
  const std::string_view territory = locale.substr(0, locale.find_first_of(".@"));
  struct Page {
    int number;
    std::string_view locales;
  };
  static constexpr Page kPages[] = {
      {874, "th"},
      {932, "ja"},
      {936, "zh_CN zh_SG"},
      {949, "ko"},
      {950, "zh_TW zh_HK zh_MO"},
      {1250, "pl cs sk hu sl hr ro sq bs"},
      {1251, "ru uk be bg mk sr kk ky mn tt"},
      {1253, "el"},
      {1254, "tr az"},
      {1255, "he yi"},
      {1256, "ar fa ur"},
      {1257, "lt lv et"},
      {1258, "vi"},
  };
  const auto lists = [](std::string_view list, std::string_view name) {
    for (std::size_t at = 0; at <= list.size();) {
      const std::size_t end = std::min(list.find(' ', at), list.size());
      if (list.substr(at, end - at) == name) return true;
      at = end + 1;
    }
    return false;
  };
  for (const Page& page : kPages) {
    if (lists(page.locales, territory) || lists(page.locales, language)) return page.number;
  }
  return 1252;
}

Encoding SystemCodePageEncoding() {
  static const Encoding encoding = [] {
    const int page = SystemCodePageNumber();
    if (page == kUtf8CodePage) return Utf8Encoding();
    return CodePageEncoding(page).value_or(Windows1252Encoding());
  }();
  return encoding;
}

bool Encode(const Encoding& encoding, char32_t code, std::string* out) {
  switch (encoding.form) {
    case EncodingForm::kSingleByte:
      return EncodeInPage(*encoding.single, code, out);
    case EncodingForm::kDoubleByte:
      return EncodeInPage(*encoding.pairs, code, out);
    case EncodingForm::kUtf8:
      if (code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code)) return false;
      AppendUtf8(code, out);
      return true;
    case EncodingForm::kUtf16Le:
    case EncodingForm::kUtf16Be:
      if (code > 0x10FFFF) return false;
      AppendUtf16(code, IsBigEndian(encoding), out);
      return true;
  }
  return false;
}

const ByteMap& IdentityByteMap() {
  static constexpr ByteMap kIdentity = [] {
    ByteMap map{};
    for (std::size_t b = 0; b < 256; ++b) map[b] = static_cast<std::uint8_t>(b);
    return map;
  }();
  return kIdentity;
}

const ByteMap* OrderByteMap(const Encoding& encoding) {
  switch (RowOf(encoding).key_order) {
    case KeyOrder::kBytes:
      return &IdentityByteMap();
    case KeyOrder::kPageOrder:
      return &encoding.single->order;
    case KeyOrder::kCodes:
      return nullptr;
  }
  return nullptr;
}

}  // namespace ordalis
