#pragma once
// Multibyte (ANSI code page) string helpers. The program's strings are in the Japanese code page 932,
// where a double-byte character's trail byte may be 0x5C ('\') or 0x2E ('.'): every scan for a separator
// walks the string character by character so that a trail byte is never taken for one.
// Win32-free: the lead-byte table defaults to code page 932 and the Win32 start-up may load the system's.

#include <cstddef>
#include <string>
#include <string_view>

namespace mbcs {

// True when c starts a double-byte character in the current table.
bool IsLeadByte(unsigned char c);

// Replaces the lead-byte table; lead[b] is true for every lead byte b. Used once at start-up.
void SetLeadBytes(const bool (&lead)[256]);

// Restores the built-in code page 932 table.
void UseCodePage932();

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

// Byte-wise comparison, a lead/trail pair compared as one character by its code value. Returns <0, 0, >0.
int Compare(std::string_view a, std::string_view b);

// Number of single-byte backslashes in s.
std::size_t CountBackslashes(std::string_view s);

}  // namespace mbcs
