#pragma once
// Plain definitions the list orders are checked against: the byte-wise multibyte comparison and the depth
// of a path, written out character by character with the program's walk.

#include <cstddef>
#include <string_view>

#include "framework/Mbcs.h"

namespace mbcs_ref {

// Byte-wise comparison, a lead/trail pair compared as one character by its code value. Returns <0, 0, >0.
inline int Compare(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    std::size_t na = mbcs::CharLength(a, i), nb = mbcs::CharLength(b, j);
    unsigned ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
    if (na == 2) ca = (ca << 8) | static_cast<unsigned char>(a[i + 1]);
    if (nb == 2) cb = (cb << 8) | static_cast<unsigned char>(b[j + 1]);
    if (ca != cb) return ca < cb ? -1 : 1;
    i += na;
    j += nb;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

// Number of single-byte backslashes in s.
inline std::size_t CountBackslashes(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); i += mbcs::CharLength(s, i))
    if (s[i] == '\\') ++n;
  return n;
}

}  // namespace mbcs_ref
