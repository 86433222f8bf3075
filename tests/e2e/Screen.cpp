#include "e2e/Screen.h"

#include <set>

#include "framework/Handles.h"
#include "wine/WineSupport.h"

namespace e2e {

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
  auto* p = static_cast<std::uint32_t*>(bits);
  c.pixels.assign(p, p + static_cast<std::size_t>(c.width) * c.height);
  return c;
}

void SaveForReview(const Capture& c, const std::string& name) {
  std::string path = wt::ExeFolder() + "..\\..\\test-logs\\" + name;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = c.width;
  ih.biHeight = -c.height;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  const DWORD bytes = static_cast<DWORD>(c.pixels.size() * 4);
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + bytes;
  std::string file(reinterpret_cast<const char*>(&fh), sizeof fh);
  file.append(reinterpret_cast<const char*>(&ih), sizeof ih);
  file.append(reinterpret_cast<const char*>(c.pixels.data()), bytes);
  wt::WriteFile(path, file);
}

std::size_t DistinctColours(const Capture& c, const RECT& area) {
  std::set<std::uint32_t> colours;
  for (int y = area.top; y < area.bottom; y += 2)
    for (int x = area.left; x < area.right; x += 2)
      colours.insert(c.pixels[static_cast<std::size_t>(y) * c.width + x] & 0xFFFFFF);
  return colours.size();
}


double ChangedShare(const Capture& a, const Capture& b) {
  if (a.pixels.size() != b.pixels.size() || a.pixels.empty()) return 0.0;
  std::size_t changed = 0, n = 0;
  for (std::size_t i = 0; i < a.pixels.size(); i += 7, ++n) changed += (a.pixels[i] & 0xFFFFFF) != (b.pixels[i] & 0xFFFFFF);
  return static_cast<double>(changed) / static_cast<double>(n);
}

}  // namespace e2e
