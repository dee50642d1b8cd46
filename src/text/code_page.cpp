#include "code_page.h"

#include <cstring>

#include "transcode.h"

namespace ordalis {

std::u16string WidenFromCodePage(std::string_view bytes, const Encoding& page) {
  std::string units;
  Transcode(bytes, page, NativeUtf16Encoding(), &units, U'\uFFFD');
  std::u16string wide(units.size() / 2, u'\0');
  std::memcpy(wide.data(), units.data(), units.size());
  return wide;
}

std::string NarrowToCodePage(std::u16string_view text, const Encoding& page) {
  std::string bytes;
  Transcode(BytesOf(text), NativeUtf16Encoding(), page, &bytes, U'?');
  return bytes;
}

}  // namespace ordalis
