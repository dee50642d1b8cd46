// The order of keys whose characters take more than a byte each way: their
// characters' codes as bytes that compare as plain bytes, so that keys are
// ranked without decoding them again. Keys of the other encodings compare
// through OrderByteMap (encoding.h).
#pragma once

#include <string>
#include <string_view>

#include "encoding.h"

namespace ordalis {

// Appends bytes for `key` whose plain byte order is the order of its
// characters' codes: each character's code, high byte first, in
// CodeBytes(encoding) bytes. The odd byte at the end of UTF-16 is left out.
// REQUIRES: OrderByteMap(encoding) is nullptr.
void AppendOrderBytes(const Encoding& encoding, std::string_view key, std::string* out);

}  // namespace ordalis
