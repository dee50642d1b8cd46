// Whether two files are one, from what the system says of each.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ordalis {

// What identifies a file on Windows: its volume, its file ID and, for a
// file system that gives no ID, its final name.
struct FileIdentity {
  std::uint64_t volume = 0;
  // The 128-bit file ID, or the 64-bit file index in its low bytes where
  // the system has no longer one; all 0 where the file system gives none
  // (some virtual and network folders).
  std::array<std::uint8_t, 16> id{};
  // The name the file is finally reached by, as the system compares names
  // (letter case folded); asked for only where `id` is 0.
  std::wstring final_name;
};

// True when `a` and `b` are one file: the same ID on the same volume, or,
// where either ID is 0, the same volume and the same final name. Two files
// with no ID and unknown final names are never taken for one.
bool IsSameIdentity(const FileIdentity& a, const FileIdentity& b);

// True when `identity` has no file ID, so that its final name is needed.
bool HasNoId(const FileIdentity& identity);

}  // namespace ordalis
