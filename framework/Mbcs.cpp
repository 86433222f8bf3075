#include "framework/Mbcs.h"

namespace mbcs {
namespace {

// A plain constant-initialised table: the scans test every byte of every name against it.
constinit LeadBytes g_table;

}  // namespace

LeadBytes LeadBytes::Current() { return g_table; }

void SetLeadBytes(const LeadBytes& table) { g_table = table; }

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

}  // namespace mbcs
