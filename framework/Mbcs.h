#pragma once
// Multibyte (ANSI code page) string helpers. The program's strings are in the Japanese code page 932,
// where a double-byte character's trail byte may be 0x5C ('\') or 0x2E ('.'): every scan for a separator
// walks the string character by character so that a trail byte is never taken for one.
// Win32-free: the lead-byte table defaults to code page 932 and the Win32 start-up may load the system's.

#include <cstddef>
#include <string>
#include <string_view>

namespace mbcs {

// A lead-byte table with the character walk on it. The free functions below walk the program's current
// table; a loop over many names takes a copy (LeadBytes::Current()) so that each byte's test is inline.
class LeadBytes {
 public:
  // Code page 932: lead bytes 0x81-0x9F and 0xE0-0xFC.
  constexpr LeadBytes() : m_lead() {
    for (int b = 0; b < 256; ++b) m_lead[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  }
  // The table in which isLead(b) tells whether b is a lead byte.
  template <class IsLead>
  static LeadBytes Where(IsLead isLead) {
    LeadBytes t;
    for (int b = 0; b < 256; ++b) t.m_lead[b] = isLead(static_cast<unsigned char>(b));
    return t;
  }
  // A copy of the program's current table.
  static LeadBytes Current();

  bool IsLead(unsigned char c) const { return m_lead[c]; }
  // Byte length of the character that starts at s[i] (1 or 2; 1 for a lead byte at the very end).
  std::size_t CharLength(std::string_view s, std::size_t i) const {
    return (m_lead[static_cast<unsigned char>(s[i])] && i + 1 < s.size()) ? 2 : 1;
  }
  // Index of the last single-byte character ch, or npos.
  std::size_t FindLast(std::string_view s, char ch) const {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < s.size(); i += CharLength(s, i))
      if (s[i] == ch) found = i;
    return found;
  }
  // ASCII letters to lower case; double-byte characters are left as they are.
  std::string LowerAscii(std::string_view s) const {
    std::string out(s);
    for (std::size_t i = 0; i < out.size();) {
      std::size_t n = CharLength(out, i);
      if (n == 1 && out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
      i += n;
    }
    return out;
  }

 private:
  bool m_lead[256];
};

// Replaces the lead-byte table. Used once at start-up.
void SetLeadBytes(const LeadBytes& table);

// Byte length of the character that starts at s[i] (1 or 2; 1 for a lead byte at the very end).
std::size_t CharLength(std::string_view s, std::size_t i);

// Index of the last single-byte character ch, or npos. ch must be an ASCII character.
std::size_t FindLast(std::string_view s, char ch);

// Index of the first single-byte character ch at or after from, or npos.
std::size_t FindFirst(std::string_view s, char ch, std::size_t from = 0);

// ASCII letters to lower case; double-byte characters are left as they are.
std::string LowerAscii(std::string_view s);

// Cuts s to at most n bytes without splitting a double-byte character.
std::string_view CutBytes(std::string_view s, std::size_t n);

}  // namespace mbcs
