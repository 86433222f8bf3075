#include "controls/BmpHeader.h"

namespace {

std::uint32_t U16(std::string_view s, std::size_t at) {
  return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}
std::uint32_t U32(std::string_view s, std::size_t at) { return U16(s, at) | U16(s, at + 2) << 16; }

BmpInfo Verdict(BmpVerdict v) {
  BmpInfo info;
  info.verdict = v;
  return info;
}

}  // namespace

BmpInfo CheckBmp(std::string_view head, std::uint64_t fileSize) {
  constexpr std::size_t kFileHeader = 14;
  if (head.size() < kFileHeader + 12 || head[0] != 'B' || head[1] != 'M' || fileSize < head.size())
    return Verdict(BmpVerdict::NotBmp);
  const std::uint32_t headerSize = U32(head, 14);
  const bool core = headerSize == 12;
  if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124)
    return Verdict(BmpVerdict::BadHeader);
  if (head.size() < kFileHeader + headerSize) return Verdict(fileSize < kFileHeader + headerSize ? BmpVerdict::Truncated : BmpVerdict::NotBmp);

  std::int64_t width, height;
  std::uint32_t planes, bits, compression = 0, imageSize = 0, coloursUsed = 0;
  if (core) {
    width = U16(head, 18);
    height = U16(head, 20);
    planes = U16(head, 22);
    bits = U16(head, 24);
  } else {
    width = static_cast<std::int32_t>(U32(head, 18));
    height = static_cast<std::int32_t>(U32(head, 22));
    planes = U16(head, 26);
    bits = U16(head, 28);
    compression = U32(head, 30);
    imageSize = U32(head, 34);
    coloursUsed = U32(head, 46);
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (planes != 1) return Verdict(BmpVerdict::BadHeader);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return Verdict(BmpVerdict::BadHeader);
  // Plain rows, run-length rows of their own depth, or bit fields; JPEG and PNG inside a BMP are refused.
  const bool rle = compression == 1 || compression == 2;
  if (compression == 1 && bits != 8) return Verdict(BmpVerdict::BadHeader);
  if (compression == 2 && bits != 4) return Verdict(BmpVerdict::BadHeader);
  if (compression == 3 && bits != 16 && bits != 32) return Verdict(BmpVerdict::BadHeader);
  if (compression > 3 || (rle && topDown)) return Verdict(BmpVerdict::BadHeader);
  if (width <= 0 || height <= 0) return Verdict(BmpVerdict::BadHeader);
  if (width > kMaxBmpSide || height > kMaxBmpSide || width * height > kMaxBmpPixels) return Verdict(BmpVerdict::TooLarge);

  // Colour table (and the three masks that follow a 40-byte header with bit fields).
  const std::uint64_t maxColours = bits <= 8 ? (1u << bits) : 0;
  if (bits <= 8 && coloursUsed > maxColours) return Verdict(BmpVerdict::BadHeader);
  if (bits > 8 && coloursUsed > 256) return Verdict(BmpVerdict::BadHeader);
  const std::uint64_t colours = coloursUsed ? coloursUsed : maxColours;
  const std::uint64_t masks = compression == 3 && headerSize == 40 ? 12 : 0;
  const std::uint64_t tableEnd = kFileHeader + headerSize + masks + colours * (core ? 3 : 4);
  if (tableEnd > fileSize) return Verdict(BmpVerdict::Truncated);

  const std::uint64_t offset = U32(head, 10) ? U32(head, 10) : tableEnd;
  const std::uint64_t stride = ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
  const std::uint64_t pixels = rle ? imageSize : stride * static_cast<std::uint64_t>(height);
  if (rle && imageSize == 0) return Verdict(BmpVerdict::BadHeader);
  if (offset + pixels > fileSize) return Verdict(BmpVerdict::Truncated);

  BmpInfo info;
  info.verdict = BmpVerdict::Ok;
  info.width = static_cast<int>(width);
  info.height = static_cast<int>(height);
  info.bitsPerPixel = static_cast<int>(bits);
  return info;
}
