#pragma once
// Little-endian fields of the BMP and ICO files resgen writes.
#include <cstdio>

namespace resgen {

inline void Put16(std::FILE* f, unsigned v) {
  std::fputc(static_cast<int>(v & 0xFF), f);
  std::fputc(static_cast<int>((v >> 8) & 0xFF), f);
}

inline void Put32(std::FILE* f, unsigned v) {
  Put16(f, v & 0xFFFF);
  Put16(f, v >> 16);
}

}  // namespace resgen
