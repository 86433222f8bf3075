#pragma once
// Conversions between the system's ANSI code page and the wide form of names.

#include <string>
#include <string_view>

#include "framework/WidePath.h"
#include "framework/Win32.h"

namespace fw {

// Every code-page character has a wide form; invalid bytes become U+FFFD.
inline std::wstring Widen(std::string_view s) {
  if (s.empty()) return {};
  const int length = static_cast<int>(s.size());
  const int n = ::MultiByteToWideChar(CP_ACP, 0, s.data(), length, nullptr, 0);
  if (n <= 0) return {};
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, s.data(), length, w.data(), n);
  return w;
}

// The code-page form as the ANSI functions give it (best-fit letters, else '?'); exact when it converts
// back to the same wide text.
inline CodePageName Narrow(std::wstring_view w) {
  CodePageName out;
  if (w.empty()) return out;
  bool ascii = true;
  for (wchar_t c : w) ascii = ascii && c < 0x80;
  if (ascii) {
    out.text.assign(w.begin(), w.end());
    return out;
  }
  const int length = static_cast<int>(w.size());
  const int n = ::WideCharToMultiByte(CP_ACP, 0, w.data(), length, nullptr, 0, nullptr, nullptr);
  if (n <= 0) {
    out.exact = false;
    return out;
  }
  out.text.resize(static_cast<std::size_t>(n));
  ::WideCharToMultiByte(CP_ACP, 0, w.data(), length, out.text.data(), n, nullptr, nullptr);
  out.exact = Widen(out.text) == w;
  return out;
}

// The short (8.3) form of an existing path in the code page; empty where the volume keeps no short names.
inline CodePageName ShortPathOf(const std::wstring& path) {
  wchar_t shortPath[MAX_PATH] = {};
  const DWORD n = ::GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
  return n > 0 && n < MAX_PATH ? Narrow(std::wstring_view(shortPath, n)) : CodePageName{};
}

}  // namespace fw
