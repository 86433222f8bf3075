// The BMP header check on any file: it reads only the head it is given, and a bitmap it lets through
// has sane dimensions and its pixels inside the file.

#include <memory>

#include "controls/BmpHeader.h"
#include "FuzzSupport.h"

namespace {

std::uint32_t Le32(std::string_view s, std::size_t at) {
  std::uint32_t v = 0;
  for (int b = 3; b >= 0; --b) v = (v << 8) | static_cast<unsigned char>(s[at + b]);
  return v;
}

void Check(std::string_view file, std::uint64_t fileSize) {
  // The head in a buffer of its own size, so that a read past it is caught.
  const std::size_t n = std::min(file.size(), kBmpHeadBytes);
  auto head = std::make_unique<char[]>(n ? n : 1);
  std::copy(file.begin(), file.begin() + n, head.get());
  const BmpInfo info = CheckBmp(std::string_view(head.get(), n), fileSize);
  if (info.verdict != BmpVerdict::Ok) return;
  FUZZ_CHECK(info.width > 0 && info.width <= kMaxBmpSide && info.height > 0 && info.height <= kMaxBmpSide);
  FUZZ_CHECK(std::int64_t{info.width} * info.height <= kMaxBmpPixels);
  const int bits = info.bitsPerPixel;
  FUZZ_CHECK(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
  const std::uint32_t headerSize = Le32(file, 14);
  FUZZ_CHECK(fileSize >= 14 + headerSize);
  const std::uint32_t compression = headerSize == 12 ? 0 : Le32(file, 30);
  if (compression == 0 || compression == 3) {
    const std::uint64_t stride = ((std::uint64_t{static_cast<unsigned>(info.width)} * bits + 31) / 32) * 4;
    const std::uint64_t offset = Le32(file, 10);
    if (offset != 0) FUZZ_CHECK(offset + stride * static_cast<unsigned>(info.height) <= fileSize);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file = fuzz::Text(data, size);
  Check(file, file.size());
  // A file that claims more bytes than were read (it grew, or the read came up short).
  if (size >= 4) Check(file.substr(0, size - 4), file.size());
  return 0;
}
