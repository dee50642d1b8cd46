// The order of keys: by their characters' codes, compared as plain bytes so
// that keys of any encoding are ranked without decoding them one by one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "encoding.h"

namespace ordalis {

using ByteMap = std::array<std::uint8_t, 256>;

// The map that leaves each byte as it is.
const ByteMap& IdentityByteMap();

// When keys in `encoding` order as their bytes do, each byte taken through a
// map, that map: UTF-8's bytes order as its code points, and a single-byte
// page's through each byte's place among its codes. nullptr otherwise.
const ByteMap* OrderByteMap(const Encoding& encoding);

// Appends bytes for `key` whose plain byte order is the order of its
// characters' codes: each character's code, high byte first, in 2 bytes for
// a double-byte page and 3 for UTF-16. REQUIRES: OrderByteMap(encoding) is
// nullptr.
void AppendOrderBytes(const Encoding& encoding, std::string_view key, std::string* out);

}  // namespace ordalis
