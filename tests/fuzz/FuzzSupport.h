#pragma once
// What the fuzz targets share: a property check that stops the run (libFuzzer keeps the input), an INI
// text read the way the system's profile functions read a file, and the character rules the checks are
// stated in.

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/Profile.h"
#include "framework/Mbcs.h"

#define FUZZ_CHECK(condition)                                                                    \
  do {                                                                                           \
    if (!(condition)) {                                                                          \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);     \
      std::abort();                                                                              \
    }                                                                                            \
  } while (0)

namespace fuzz {

// The bytes as UTF-16 units (little-endian pairs; an odd last byte is dropped), as a wide text arrives.
inline std::wstring WideText(const std::uint8_t* data, std::size_t size) {
  std::wstring w;
  for (std::size_t i = 0; i + 1 < size; i += 2) w += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
  return w;
}

inline std::string_view Text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

inline std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// An INI file in memory: "[SECTION]" lines and "KEY=value" lines, names without regard to case, values
// without the blanks around them, the first of two equal keys winning. A NUL ends a line, as the value
// the system hands back ends there.
class IniText : public Profile {
 public:
  explicit IniText(std::string_view text = {}) {
    std::string section;
    std::size_t i = 0;
    while (i < text.size()) {
      std::size_t end = text.find_first_of(std::string_view("\r\n\0", 3), i);
      if (end == std::string_view::npos) end = text.size();
      Line(text.substr(i, end - i), section);
      i = end + 1;
    }
  }

  std::string ReadString(const char* section, const char* key, const char* fallback) override {
    auto it = m_keys.find(Name(section, key));
    return it == m_keys.end() ? std::string(fallback) : it->second;
  }
  bool WriteString(const char* section, const char* key, const char* value) override {
    m_keys[Name(section, key)] = value;
    return true;
  }

  // Every value the text holds, in no particular order.
  std::vector<std::string> Values() const {
    std::vector<std::string> out;
    for (const auto& [name, value] : m_keys) out.push_back(value);
    return out;
  }

 private:
  static std::string Name(std::string_view section, std::string_view key) {
    return Upper(section) + '\n' + Upper(key);
  }
  static std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
  }
  void Line(std::string_view line, std::string& section) {
    line = Trim(line);
    if (!line.empty() && line.front() == '[') {
      const std::size_t close = line.find(']');
      section = std::string(Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1)));
      return;
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos || section.empty()) return;
    m_keys.emplace(Name(section, Trim(line.substr(0, eq))), std::string(Trim(line.substr(eq + 1))));
  }

  std::map<std::string, std::string> m_keys;
};

// The character boundaries of s by the lead-byte table: starts[i] is true where a character begins (a
// lead byte at the very end is a character of its own).
inline std::vector<bool> CharacterStarts(std::string_view s) {
  std::vector<bool> starts(s.size() + 1, false);
  std::size_t i = 0;
  while (i < s.size()) {
    starts[i] = true;
    i += mbcs::CharLength(s, i);
  }
  starts[s.size()] = true;
  return starts;
}

// cut is the longest prefix of whole characters of s within max bytes.
inline bool IsCharacterCut(std::string_view s, std::string_view cut, std::size_t max) {
  if (cut.size() > max || s.substr(0, cut.size()) != cut) return false;
  const std::vector<bool> starts = CharacterStarts(s);
  if (!starts[cut.size()]) return false;
  if (cut.size() == s.size()) return true;
  std::size_t next = cut.size() + 1;
  while (!starts[next]) ++next;
  return next > max;
}

}  // namespace fuzz
