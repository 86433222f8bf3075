#include "e2e/Screen.h"

#include <cstdlib>
#include <set>

#include "controls/SkinBitmap.h"
#include "framework/Handles.h"
#include "wine/Pixels.h"
#include "wine/WineSupport.h"

namespace e2e {

namespace {

constexpr COLORREF kFaceKey = RGB(128, 0, 128);

std::uint32_t Pack(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
  if ((a | b) & kSeeThrough) return false;
  for (int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
      return false;
  return true;
}

unsigned Le(const std::string& s, std::size_t at, int bytes) {
  unsigned v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

}  // namespace

Capture CaptureScreen(const RECT& r) {
  Capture c;
  c.width = r.right - r.left;
  c.height = r.bottom - r.top;
  fw::WindowDC screen(nullptr);
  fw::MemoryDC dc(screen.Get());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = c.width;
  info.bmiHeader.biHeight = -c.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  fw::Bitmap bmp(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  fw::SelectGuard keep(dc.Get(), bmp.Get());
  ::BitBlt(dc.Get(), 0, 0, c.width, c.height, screen.Get(), r.left, r.top, SRCCOPY);
  ::GdiFlush();
  // The fourth byte is whatever the drawing left there (0 for plain GDI under Wine): not a colour.
  auto* p = static_cast<std::uint32_t*>(bits);
  c.pixels.resize(static_cast<std::size_t>(c.width) * c.height);
  for (std::size_t i = 0; i < c.pixels.size(); ++i) c.pixels[i] = p[i] & 0xFFFFFF;
  return c;
}

void SaveForReview(const Capture& c, const std::string& name) {
  wt::WriteFile(wt::ReviewPath(name), wt::Bmp24(c.width, c.height, [&](int x, int y) {
                  const std::uint32_t v = c.At(x, y);
                  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
                }));
}

Capture LoadReview(const std::string& name) {
  const std::string s = wt::ReadFile(wt::ReviewPath(name));
  Capture c;
  if (s.size() < 54 || s[0] != 'B' || s[1] != 'M') return c;
  const unsigned offset = Le(s, 10, 4), bits = Le(s, 28, 2);
  const int width = static_cast<int>(Le(s, 18, 4)), rawHeight = static_cast<int>(Le(s, 22, 4));
  const int height = rawHeight < 0 ? -rawHeight : rawHeight;
  if ((bits != 24 && bits != 32) || width <= 0) return c;
  const std::size_t row = bits == 24 ? (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3}
                                     : static_cast<std::size_t>(width) * 4;
  if (offset + row * height > s.size()) return c;
  c.width = width;
  c.height = height;
  c.pixels.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const std::size_t line = offset + row * static_cast<std::size_t>(rawHeight < 0 ? y : height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const std::size_t at = line + static_cast<std::size_t>(x) * (bits / 8);
      std::uint32_t v = Le(s, at, 3);
      if (bits == 32 && static_cast<unsigned char>(s[at + 3]) != 0xFF) v = kSeeThrough;
      c.pixels[static_cast<std::size_t>(y) * width + x] = v;
    }
  }
  return c;
}

std::size_t DistinctColours(const Capture& c, const RECT& area) {
  std::set<std::uint32_t> colours;
  for (int y = area.top; y < area.bottom; y += 2)
    for (int x = area.left; x < area.right; x += 2) colours.insert(c.At(x, y));
  return colours.size();
}

double ChangedShare(const Capture& a, const Capture& b) {
  if (a.pixels.size() != b.pixels.size() || a.pixels.empty()) return 0.0;
  std::size_t changed = 0, n = 0;
  for (std::size_t i = 0; i < a.pixels.size(); i += 7, ++n) changed += a.pixels[i] != b.pixels[i];
  return static_cast<double>(changed) / static_cast<double>(n);
}

double FaceMatch(const Capture& c, int x, int y, CSkinBitmap& strip, int frame) {
  const int w = strip.FrameWidth();
  const std::optional<geo::Size> size = strip.ImageSize();
  if (!size || w <= 0 || x < 0 || y < 0 || x + w > c.width || y + size->cy > c.height) return 0.0;
  wt::PixelTarget face(w, size->cy, kFaceKey);
  if (!strip.DrawFrame(frame, face.Dc(), 0, 0, w, size->cy)) return 0.0;
  std::size_t shown = 0, total = 0;
  for (int fy = 0; fy < size->cy; ++fy)
    for (int fx = 0; fx < w; ++fx) {
      const COLORREF f = face.At(fx, fy);
      if (f == kFaceKey) continue;
      ++total;
      shown += Near(c.At(x + fx, y + fy), Pack(f), 24);
    }
  return total ? static_cast<double>(shown) / static_cast<double>(total) : 0.0;
}

bool ShowsTextOn(const Capture& c, const RECT& area, COLORREF paper) {
  if (area.left < 0 || area.top < 0 || area.right > c.width || area.bottom > c.height || area.right <= area.left ||
      area.bottom <= area.top)
    return false;
  std::size_t ink = 0, ground = 0, total = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x, ++total) {
      const std::uint32_t v = c.At(x, y);
      if (v & kSeeThrough) continue;
      const int luma = (static_cast<int>((v >> 16) & 0xFF) * 3 + static_cast<int>((v >> 8) & 0xFF) * 6 +
                        static_cast<int>(v & 0xFF)) / 10;
      ink += luma < 100;
      ground += Near(v, Pack(paper), 12);
    }
  return ink >= 6 && ground * 3 >= total;
}

}  // namespace e2e
