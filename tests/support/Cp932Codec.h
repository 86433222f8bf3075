#pragma once
// Code page 932 for native tests, through the C library's converter: wide text is held as UTF-16 units in
// wchar_t, as on Windows. A character without a code-page form becomes '?' and makes the form inexact.

#include <iconv.h>

#include <string>
#include <string_view>

#include "framework/WidePath.h"

namespace cp932 {

namespace detail {
// Converts in with cd; false when any of it does not convert.
inline bool Convert(const char* from, const char* to, std::string_view in, std::string& out) {
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string buffer(in.size() * 4 + 8, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = buffer.data();
  std::size_t dstLeft = buffer.size();
  const bool ok = ::iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1) && srcLeft == 0;
  ::iconv_close(cd);
  out.assign(buffer.data(), buffer.size() - dstLeft);
  return ok;
}
}  // namespace detail

inline std::wstring Widen(std::string_view s) {
  std::string units;
  if (!detail::Convert("CP932", "UTF-16LE", s, units)) return {};
  std::wstring w;
  for (std::size_t i = 0; i + 1 < units.size(); i += 2)
    w += static_cast<wchar_t>(static_cast<unsigned char>(units[i]) | (static_cast<unsigned char>(units[i + 1]) << 8));
  return w;
}

inline CodePageName Narrow(std::wstring_view w) {
  CodePageName out;
  for (std::size_t i = 0; i < w.size();) {
    const std::size_t n = wide::IsHighSurrogate(w[i]) && i + 1 < w.size() && wide::IsLowSurrogate(w[i + 1]) ? 2 : 1;
    std::string units;
    for (std::size_t k = 0; k < n; ++k) {
      units += static_cast<char>(w[i + k] & 0xFF);
      units += static_cast<char>((w[i + k] >> 8) & 0xFF);
    }
    std::string text;
    if (detail::Convert("UTF-16LE", "CP932", units, text)) {
      out.text += text;
    } else {
      out.text += '?';
      out.exact = false;
    }
    i += n;
  }
  return out;
}

}  // namespace cp932
