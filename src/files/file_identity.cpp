#include "file_identity.h"

#include <algorithm>

namespace ordalis {

bool HasNoId(const FileIdentity& identity) {
  return std::all_of(identity.id.begin(), identity.id.end(), [](std::uint8_t b) { return b == 0; });
}

bool IsSameIdentity(const FileIdentity& a, const FileIdentity& b) {
  if (a.volume != b.volume) return false;
  if (HasNoId(a) || HasNoId(b)) return !a.final_name.empty() && a.final_name == b.final_name;
  return a.id == b.id;
}

}  // namespace ordalis
