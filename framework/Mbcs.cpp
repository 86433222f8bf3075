#include "framework/Mbcs.h"

#include <algorithm>

namespace mbcs {
namespace {

constexpr bool Lead932(int b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

struct LeadTable {
  bool lead[256];
  constexpr LeadTable() : lead() {
    for (int b = 0; b < 256; ++b) lead[b] = Lead932(b);
  }
};

// A plain constant-initialised table: the scans call IsLeadByte for every byte of every name.
LeadTable g_table;

}  // namespace

bool IsLeadByte(unsigned char c) { return g_table.lead[c]; }

void SetLeadBytes(const bool (&lead)[256]) { std::copy(std::begin(lead), std::end(lead), g_table.lead); }

void UseCodePage932() { g_table = LeadTable(); }

std::size_t CharLength(std::string_view s, std::size_t i) {
  return (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

std::size_t FindLast(std::string_view s, char ch) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i))
    if (s[i] == ch) found = i;
  return found;
}

std::size_t FindFirst(std::string_view s, char ch, std::size_t from) {
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i))
    if (i >= from && s[i] == ch) return i;
  return std::string_view::npos;
}

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size();) {
    std::size_t n = CharLength(out, i);
    if (n == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
    i += n;
  }
  return out;
}

std::string_view CutBytes(std::string_view s, std::size_t n) {
  if (s.size() <= n) return s;
  std::size_t end = 0;
  while (end < n) {
    std::size_t len = CharLength(s, end);
    if (end + len > n) break;
    end += len;
  }
  return s.substr(0, end);
}

int Compare(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    std::size_t na = CharLength(a, i), nb = CharLength(b, j);
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

std::size_t CountBackslashes(std::string_view s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i))
    if (s[i] == '\\') ++n;
  return n;
}

}  // namespace mbcs
