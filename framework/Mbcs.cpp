#include "framework/Mbcs.h"

namespace mbcs {
namespace {

// A plain constant-initialised table: the scans test every byte of every name against it.
constinit LeadBytes g_table;

}  // namespace

LeadBytes LeadBytes::Current() { return g_table; }

bool IsLeadByte(unsigned char c) { return g_table.IsLead(c); }

void SetLeadBytes(const LeadBytes& table) { g_table = table; }

void UseCodePage932() { g_table = LeadBytes(); }

std::size_t CharLength(std::string_view s, std::size_t i) { return g_table.CharLength(s, i); }

std::size_t FindLast(std::string_view s, char ch) { return g_table.FindLast(s, ch); }

std::size_t FindFirst(std::string_view s, char ch, std::size_t from) {
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i))
    if (i >= from && s[i] == ch) return i;
  return std::string_view::npos;
}

std::string LowerAscii(std::string_view s) { return g_table.LowerAscii(s); }

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
