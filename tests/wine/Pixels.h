#pragma once
// Pixel helpers for the drawing tests: a 32-bit surface to draw into and read back, a copy of what a
// window or the screen shows, and BMP files written on the fly for skin folders.

#include <functional>
#include <string>

#include "framework/Handles.h"
#include "framework/Win32.h"
#include "wine/WineSupport.h"

namespace wt {

// A top-down 32-bit DIB section with its own memory DC.
class PixelTarget {
 public:
  PixelTarget(int width, int height, COLORREF fill = RGB(1, 2, 3)) : m_width(width), m_height(height), m_dc(nullptr) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    m_bitmap.Reset(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &m_bits, nullptr, 0));
    m_old = ::SelectObject(m_dc.Get(), m_bitmap.Get());
    Fill(fill);
  }
  PixelTarget(const PixelTarget&) = delete;
  PixelTarget& operator=(const PixelTarget&) = delete;
  ~PixelTarget() { ::SelectObject(m_dc.Get(), m_old); }

  HDC Dc() const { return m_dc.Get(); }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  void Fill(COLORREF c) {
    ::GdiFlush();
    for (int i = 0; i < m_width * m_height; ++i) Bits()[i] = Pack(c);
  }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    unsigned v = Bits()[y * m_width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  // True when every pixel of the rectangle still has colour c.
  bool AllAre(const RECT& r, COLORREF c) const {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (At(x, y) != c) return false;
    return true;
  }
  // Copies the screen, or a window's client area, at (x, y) into this surface.
  bool CopyFrom(HWND window, int x = 0, int y = 0) {
    fw::WindowDC source(window);
    return ::BitBlt(m_dc.Get(), 0, 0, m_width, m_height, source.Get(), x, y, SRCCOPY) != FALSE;
  }

 private:
  static unsigned Pack(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
  unsigned* Bits() const { return static_cast<unsigned*>(m_bits); }

  int m_width, m_height;
  fw::MemoryDC m_dc;
  fw::Bitmap m_bitmap;
  void* m_bits = nullptr;
  HGDIOBJ m_old = nullptr;
};

// The bytes of a 24-bit BMP whose pixel (x, y) is colour(x, y).
inline std::string Bmp24(int width, int height, const std::function<COLORREF(int, int)>& colour) {
  const int row = (width * 3 + 3) & ~3;
  const unsigned image = static_cast<unsigned>(row * height);
  std::string s(54 + image, '\0');
  auto put32 = [&](std::size_t at, unsigned v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  s[0] = 'B';
  s[1] = 'M';
  put32(2, 54 + image);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<unsigned>(width));
  put32(22, static_cast<unsigned>(height));
  s[26] = 1;
  s[28] = 24;
  put32(34, image);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      COLORREF c = colour(x, height - 1 - y);
      std::size_t at = 54 + static_cast<std::size_t>(y) * row + x * 3;
      s[at] = static_cast<char>(GetBValue(c));
      s[at + 1] = static_cast<char>(GetGValue(c));
      s[at + 2] = static_cast<char>(GetRValue(c));
    }
  return s;
}

inline std::string SolidBmp24(int width, int height, COLORREF c) {
  return Bmp24(width, height, [c](int, int) { return c; });
}

// Writes the surface as a BMP file, for people to look at.
inline void SaveBmp(const PixelTarget& image, const std::string& path) {
  WriteFile(path, Bmp24(image.Width(), image.Height(), [&](int x, int y) { return image.At(x, y); }));
}

// Where the tests leave their pictures: build/test-logs, beside the other logs.
inline std::string ReviewPath(const std::string& name) { return ExeFolder() + "..\\..\\test-logs\\" + name; }

}  // namespace wt
