#pragma once
// A look at a BMP file's headers before the system loader is given the file, so that a damaged or
// hostile file (truncated, absurdly large, another format under a .bmp name) is turned away instead of
// being read past its end. Win32-free.

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class BmpVerdict {
  Ok,
  NotBmp,        // no "BM" signature or too short for the headers
  BadHeader,     // header size, planes, depth or compression that no loader should be asked to read
  TooLarge,      // dimensions beyond what any skin strip needs
  Truncated,     // the colour table or the pixels reach past the end of the file
};

struct BmpInfo {
  BmpVerdict verdict = BmpVerdict::NotBmp;
  int width = 0, height = 0;  // height positive whatever the row order
  int bitsPerPixel = 0;
};

// Largest side and pixel count accepted for a skin bitmap.
inline constexpr int kMaxBmpSide = 16384;
inline constexpr std::int64_t kMaxBmpPixels = std::int64_t{1} << 24;
// How many leading bytes CheckBmp needs at most to see every header.
inline constexpr std::size_t kBmpHeadBytes = 14 + 124;

// head: the first bytes of the file (at least kBmpHeadBytes unless the file is shorter); fileSize: the
// whole file's size.
BmpInfo CheckBmp(std::string_view head, std::uint64_t fileSize);
