#include "ByteWriter.h"
#include "Palette.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "res/BuiltinBitmaps.h"

namespace resgen {

namespace {

struct Ramp {
  Rgb dark, middle, light;
  int steps;
};

// Ramps through a saturated middle (192 colours in all), so gradients of one hue and its blends with white and black quantise
// smoothly.
constexpr Ramp kRamps[] = {
    {{0, 0, 0}, {128, 128, 128}, {255, 255, 255}, 24},      // greys
    {{6, 9, 14}, {52, 64, 82}, {176, 190, 210}, 32},        // slate: switch bodies, row backgrounds
    {{120, 150, 172}, {180, 206, 224}, {242, 247, 251}, 16},  // pale blue: the cursor row
    {{0, 24, 36}, {0, 150, 200}, {214, 250, 255}, 24},      // cyan: hover and pressed light
    {{0, 30, 10}, {40, 190, 80}, {205, 255, 215}, 20},      // green: play, add
    {{40, 0, 0}, {210, 44, 40}, {255, 205, 195}, 20},       // red: remove, stop
    {{40, 20, 0}, {240, 150, 20}, {255, 238, 185}, 24},     // amber: the playing row, folders
    {{0, 10, 50}, {50, 110, 230}, {195, 218, 255}, 16},     // blue: video
    {{50, 0, 30}, {225, 70, 150}, {255, 205, 232}, 16},     // pink: music
};

unsigned char Lerp(unsigned char a, unsigned char b, double t) {
  return static_cast<unsigned char>(std::lround(a + (b - a) * t));
}

std::array<Rgb, 256> BuildPalette() {
  std::array<Rgb, 256> p{};
  int n = 0;
  for (const Ramp& r : kRamps) {
    for (int i = 0; i < r.steps; ++i) {
      double t = r.steps > 1 ? double(i) / (r.steps - 1) * 2 : 0;
      const Rgb& a = t <= 1 ? r.dark : r.middle;
      const Rgb& b = t <= 1 ? r.middle : r.light;
      double u = t <= 1 ? t : t - 1;
      p[n++] = {Lerp(a.r, b.r, u), Lerp(a.g, b.g, u), Lerp(a.b, b.b, u)};
    }
  }
  for (int r = 0; r < 4; ++r)
    for (int g = 0; g < 4; ++g)
      for (int b = 0; b < 4; ++b)
        if (n < kKeyIndex && !(r == g && g == b))  // the greys are in their ramp already
          p[n++] = {static_cast<unsigned char>(r * 85), static_cast<unsigned char>(g * 85),
                    static_cast<unsigned char>(b * 85)};
  while (n < kKeyIndex) p[n++] = {0, 0, 0};
  p[kKeyIndex] = {kKeyRed, kKeyGreen, kKeyBlue};
  return p;
}

unsigned char Byte(double v) { return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

// Weighted distance: the eye tells greens apart best and blues worst.
int Distance(const Rgb& a, int r, int g, int b) {
  int dr = a.r - r, dg = a.g - g, db = a.b - b;
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

unsigned char Nearest(int r, int g, int b) {
  static std::map<int, unsigned char> memo;
  int key = (r << 16) | (g << 8) | b;
  if (auto it = memo.find(key); it != memo.end()) return it->second;
  const auto& pal = StripPalette();
  int best = 0, bestDistance = Distance(pal[0], r, g, b);
  for (int i = 1; i < kKeyIndex; ++i) {
    int d = Distance(pal[i], r, g, b);
    if (d < bestDistance) best = i, bestDistance = d;
  }
  return memo[key] = static_cast<unsigned char>(best);
}


}  // namespace

const std::array<Rgb, 256>& StripPalette() {
  static const std::array<Rgb, 256> palette = BuildPalette();
  return palette;
}

IndexedImage Quantize(const Canvas& c) {
  IndexedImage out(c.Width(), c.Height());
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      const Colour& p = c.At(x, y);
      out.At(x, y) = p.a < 0.5 ? static_cast<unsigned char>(kKeyIndex) : Nearest(Byte(p.r), Byte(p.g), Byte(p.b));
    }
  return out;
}

void Paste(IndexedImage& dst, const IndexedImage& src, int x0, int y0) {
  for (int y = 0; y < src.height; ++y)
    for (int x = 0; x < src.width; ++x)
      if (x0 + x >= 0 && y0 + y >= 0 && x0 + x < dst.width && y0 + y < dst.height) dst.At(x0 + x, y0 + y) = src.At(x, y);
}

Canvas ToCanvas(const IndexedImage& image, const Colour* keyShownAs) {
  Canvas c(image.width, image.height);
  const auto& pal = StripPalette();
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      unsigned char i = image.At(x, y);
      c.At(x, y) = i == kKeyIndex && keyShownAs ? *keyShownAs : Colour::Rgb(pal[i].r, pal[i].g, pal[i].b);
    }
  return c;
}

bool WriteBmp8(const IndexedImage& image, const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const unsigned row = static_cast<unsigned>((image.width + 3) & ~3);
  const unsigned bits = row * static_cast<unsigned>(image.height);
  const unsigned offset = 14 + 40 + 256 * 4;
  std::fputc('B', f);
  std::fputc('M', f);
  Put32(f, offset + bits);
  Put32(f, 0);
  Put32(f, offset);
  Put32(f, 40);
  Put32(f, static_cast<unsigned>(image.width));
  Put32(f, static_cast<unsigned>(image.height));
  Put16(f, 1);
  Put16(f, 8);
  Put32(f, 0);  // BI_RGB
  Put32(f, bits);
  Put32(f, 2835);
  Put32(f, 2835);
  Put32(f, 256);
  Put32(f, 0);
  for (const Rgb& c : StripPalette()) {
    std::fputc(c.b, f);
    std::fputc(c.g, f);
    std::fputc(c.r, f);
    std::fputc(0, f);
  }
  for (int y = image.height - 1; y >= 0; --y) {
    std::fwrite(&image.px[static_cast<std::size_t>(y) * image.width], 1, static_cast<std::size_t>(image.width), f);
    for (unsigned pad = static_cast<unsigned>(image.width); pad < row; ++pad) std::fputc(0, f);
  }
  return std::fclose(f) == 0;
}

}  // namespace resgen
