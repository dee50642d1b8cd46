#include "code_page.h"

#include "native_path.h"
#include "text_reading.h"
#include "utf8.h"

namespace ordalis {

std::u16string WidenFromCodePage(std::string_view bytes) {
  return Utf16FromUtf8(Utf8Of(bytes, SystemCodePageReading()));
}

std::string NarrowToCodePage(std::u16string_view text) {
  const TextReading& page = SystemCodePageReading();
  const std::string utf8 = Utf8FromUtf16(text);
  std::string bytes;
  for (std::size_t at = 0; at < utf8.size();) {
    const std::size_t length = Utf8SequenceLength(utf8.substr(at), Surrogates::Allowed);
    const char32_t code = DecodeUtf8(utf8.substr(at));
    if (!page.Encode(code, &bytes)) bytes += '?';
    at += length == 0 ? 1 : length;
  }
  return bytes;
}

}  // namespace ordalis
