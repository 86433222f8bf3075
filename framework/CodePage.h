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

// The code-page form of w into out (its room reused), as the ANSI functions give it: look-alike letters,
// else '?', where the code page has no character. Whether it is exact is not asked (a listing's names).
inline void NarrowFormInto(std::wstring_view w, std::string& out) {
  bool ascii = true;
  for (wchar_t c : w) ascii = ascii && c < 0x80;
  if (ascii) {
    out.assign(w.begin(), w.end());
    return;
  }
  out.resize(w.size() * 2);  // at most two bytes for each unit
  const int n = ::WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
}

// The same, true when the form is exact (it converts back to w).
inline bool NarrowInto(std::wstring_view w, std::string& out) {
  out.clear();
  if (w.empty()) return true;
  bool ascii = true;
  for (wchar_t c : w) ascii = ascii && c < 0x80;
  if (ascii) {
    out.assign(w.begin(), w.end());
    return true;
  }
  const int length = static_cast<int>(w.size());
  out.resize(w.size() * 2);
  // Without look-alikes the system tells whether every character has its own form.
  BOOL substituted = FALSE;
  int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w.data(), length, out.data(), static_cast<int>(out.size()),
                                nullptr, &substituted);
  if (n > 0 && !substituted) {
    out.resize(static_cast<std::size_t>(n));
    return true;
  }
  n = ::WideCharToMultiByte(CP_ACP, 0, w.data(), length, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return false;
}

inline CodePageName Narrow(std::wstring_view w) {
  CodePageName out;
  out.exact = NarrowInto(w, out.text);
  return out;
}

// The short (8.3) form of an existing path in the code page; empty where the volume keeps no short names.
inline CodePageName ShortPathOf(const std::wstring& path) {
  wchar_t shortPath[MAX_PATH] = {};
  const DWORD n = ::GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
  return n > 0 && n < MAX_PATH ? Narrow(std::wstring_view(shortPath, n)) : CodePageName{};
}

// The path of a loaded module (null: the program) in a code-page form that names it: the path itself, else
// its short form where the code page cannot hold it (a program unpacked under a user folder such as
// "C:\Users\Zoë"); empty when it cannot be read.
inline std::string ModulePath(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);  // cut short: ask again with more room
  }
  const CodePageName longForm = Narrow(path);
  return CodePagePathOf(longForm, longForm.exact ? CodePageName{} : ShortPathOf(path)).value_or(longForm.text);
}

}  // namespace fw
