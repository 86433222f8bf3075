#include "controls/BmpHeader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct BmpLayout {
  std::int32_t width = 128, height = 32;
  std::uint16_t bits = 8, planes = 1;
  std::uint32_t headerSize = 40, compression = 0, imageSize = 0, coloursUsed = 0;
  std::int64_t offsetDelta = 0;  // added to the true pixel offset
  std::int64_t sizeDelta = 0;    // bytes added (or cut) at the end
};

void Put16(std::string& s, std::uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, std::uint32_t v) {
  Put16(s, v & 0xFFFF);
  Put16(s, v >> 16);
}

std::string MakeBmp(const BmpLayout& b) {
  const bool core = b.headerSize == 12;
  const std::uint64_t colours = b.coloursUsed ? b.coloursUsed : (b.bits <= 8 ? 1u << b.bits : 0);
  const std::uint64_t table = colours * (core ? 3 : 4) + (b.compression == 3 && b.headerSize == 40 ? 12 : 0);
  const std::uint64_t offset = 14 + b.headerSize + table;
  const std::uint64_t height = b.height < 0 ? -static_cast<std::int64_t>(b.height) : b.height;
  const std::uint64_t stride = ((static_cast<std::uint64_t>(b.width > 0 ? b.width : 0) * b.bits + 31) / 32) * 4;
  const std::uint64_t pixels = b.compression == 1 || b.compression == 2 ? b.imageSize : stride * height;
  std::string s = "BM";
  Put32(s, static_cast<std::uint32_t>(offset + pixels));
  Put32(s, 0);
  Put32(s, static_cast<std::uint32_t>(offset + b.offsetDelta));
  Put32(s, b.headerSize);
  if (core) {
    Put16(s, static_cast<std::uint32_t>(b.width));
    Put16(s, static_cast<std::uint32_t>(b.height));
    Put16(s, b.planes);
    Put16(s, b.bits);
  } else {
    Put32(s, static_cast<std::uint32_t>(b.width));
    Put32(s, static_cast<std::uint32_t>(b.height));
    Put16(s, b.planes);
    Put16(s, b.bits);
    Put32(s, b.compression);
    Put32(s, b.imageSize);
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, b.coloursUsed);
    Put32(s, 0);
    s.resize(14 + b.headerSize, '\0');
  }
  // Sizes beyond what a test file should hold are only claimed, not written.
  const std::uint64_t body = std::min<std::uint64_t>(table + pixels, 1u << 20);
  s.append(static_cast<std::size_t>(body), '\x11');
  if (b.sizeDelta < 0)
    s.resize(s.size() - static_cast<std::size_t>(-b.sizeDelta));
  else
    s.append(static_cast<std::size_t>(b.sizeDelta), '\0');
  return s;
}

BmpVerdict Check(const std::string& file) {
  return CheckBmp(std::string_view(file).substr(0, kBmpHeadBytes), file.size()).verdict;
}

}  // namespace

TEST(CheckBmp, AcceptsTheDepthsAndLayoutsTheLoaderReads) {
  struct Case {
    const char* what;
    BmpLayout layout;
  } const cases[] = {
      {"8-bit strip", {}},
      {"1-bit", {.bits = 1}},
      {"4-bit with 16 colours", {.bits = 4}},
      {"8-bit with a short colour table", {.coloursUsed = 20}},
      {"24-bit", {.bits = 24}},
      {"24-bit of an odd width (padded rows)", {.width = 33, .bits = 24}},
      {"32-bit with bit fields", {.bits = 32, .compression = 3}},
      {"16-bit with bit fields", {.bits = 16, .compression = 3}},
      {"top-down rows", {.height = -32, .bits = 24}},
      {"OS/2 core header", {.bits = 24, .headerSize = 12}},
      {"version 5 header", {.bits = 32, .headerSize = 124}},
      {"run-length 8-bit", {.compression = 1, .imageSize = 300}},
      {"trailing bytes after the pixels", {.sizeDelta = 100}},
  };
  for (const Case& c : cases) EXPECT_EQ(Check(MakeBmp(c.layout)), BmpVerdict::Ok) << c.what;

  BmpInfo info = CheckBmp(MakeBmp({.height = -36, .bits = 24}), MakeBmp({.height = -36, .bits = 24}).size());
  EXPECT_EQ(info.width, 128);
  EXPECT_EQ(info.height, 36);
  EXPECT_EQ(info.bitsPerPixel, 24);
}

TEST(CheckBmp, TurnsAwayDamagedAndForeignFiles) {
  struct Case {
    const char* what;
    std::string file;
    BmpVerdict verdict;
  } const cases[] = {
      {"empty file", "", BmpVerdict::NotBmp},
      {"signature only", "BM", BmpVerdict::NotBmp},
      {"a PNG renamed .bmp", std::string("\x89PNG\r\n\x1a\n", 8) + std::string(200, '\0'), BmpVerdict::NotBmp},
      {"a JPEG renamed .bmp", std::string("\xff\xd8\xff\xe0", 4) + std::string(200, '\0'), BmpVerdict::NotBmp},
      {"pixels cut short", MakeBmp({.sizeDelta = -1}), BmpVerdict::Truncated},
      {"only the headers", MakeBmp({}).substr(0, 54), BmpVerdict::Truncated},
      {"header cut short", MakeBmp({}).substr(0, 30), BmpVerdict::Truncated},
      {"colour table cut short", MakeBmp({}).substr(0, 54 + 100), BmpVerdict::Truncated},
      {"pixel offset past the end", MakeBmp({.offsetDelta = 1 << 20}), BmpVerdict::Truncated},
      {"absurd dimensions", MakeBmp({.width = 100000, .height = 100000, .bits = 24}), BmpVerdict::TooLarge},
      {"too many pixels in all", MakeBmp({.width = 16384, .height = 16384, .bits = 1}), BmpVerdict::TooLarge},
      {"negative width", MakeBmp({.width = -128}), BmpVerdict::BadHeader},
      {"zero height", MakeBmp({.height = 0}), BmpVerdict::BadHeader},
      {"unknown header size", MakeBmp({.headerSize = 20}), BmpVerdict::BadHeader},
      {"two planes", MakeBmp({.planes = 2}), BmpVerdict::BadHeader},
      {"7 bits per pixel", MakeBmp({.bits = 7}), BmpVerdict::BadHeader},
      {"more colours than the depth holds", MakeBmp({.bits = 4, .coloursUsed = 17}), BmpVerdict::BadHeader},
      {"absurd colour count", MakeBmp({.bits = 24, .coloursUsed = 0xFFFFFFFF}), BmpVerdict::BadHeader},
      {"run-length code of the wrong depth", MakeBmp({.bits = 24, .compression = 1, .imageSize = 10}), BmpVerdict::BadHeader},
      {"run-length without a size", MakeBmp({.compression = 1}), BmpVerdict::BadHeader},
      {"run-length top-down", MakeBmp({.height = -32, .compression = 1, .imageSize = 10}), BmpVerdict::BadHeader},
      {"bit fields at 8 bits", MakeBmp({.compression = 3}), BmpVerdict::BadHeader},
      {"embedded JPEG", MakeBmp({.bits = 24, .compression = 4}), BmpVerdict::BadHeader},
      {"embedded PNG", MakeBmp({.bits = 24, .compression = 5}), BmpVerdict::BadHeader},
  };
  for (const Case& c : cases) EXPECT_EQ(Check(c.file), c.verdict) << c.what;
}

TEST(CheckBmp, AFileSizeBelowWhatWasReadIsNotBelieved) {
  std::string file = MakeBmp({});
  EXPECT_EQ(CheckBmp(std::string_view(file).substr(0, kBmpHeadBytes), 60).verdict, BmpVerdict::NotBmp);
}
