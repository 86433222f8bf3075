// The real program playing real media: a clip named on the command line shows its frames.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "e2e/Process.h"
#include "framework/Handles.h"

using e2e::Installation;
using e2e::kStartMs;
using e2e::TitleBecomes;

namespace {

struct Capture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top-down
};

// What the screen shows in the rectangle.
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

// Keeps the capture as a BMP beside the test logs, for people to look at.
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

}  // namespace

TEST(Playback, AClipOnTheCommandLineShowsItsFrames) {
  Installation app("clip");
  app.WriteIni("[CONFIG]\r\nMOVIECHAGESCREENSIZE=1\r\n");
  const std::string clip = app.CopyMedia("clip.avi", "clip.avi");
  int p = app.Start("\"" + clip + "\"");
  HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(TitleBecomes(frame, "clip", 5000));
  ::Sleep(1200);  // well into the clip

  RECT view = wt::WindowRect(e2e::ViewOf(frame));
  Capture shot = CaptureScreen(view);
  SaveForReview(shot, "e2e-clip.bmp");
  // 320 × 240 in the 640 × 480 view fills it; the test pattern has many colours, an empty view one.
  EXPECT_GT(DistinctColours(shot, {100, 100, 540, 380}), 20u);
  EXPECT_TRUE(e2e::Responds(frame));
  EXPECT_TRUE(app.Close(p, kStartMs));
}

TEST(Playback, AHandedOverClipPlaysInTheRunningInstance) {
  Installation app("handclip");
  int first = app.Start();
  HWND frame = app.WaitForFrame(first, kStartMs);
  ASSERT_NE(frame, nullptr);
  RECT view = wt::WindowRect(e2e::ViewOf(frame));
  Capture before = CaptureScreen(view);
  EXPECT_LE(DistinctColours(before, {100, 100, 540, 380}), 2u);  // the empty view

  int second = app.Start(app.CopyMedia("clip.mp4", "movie.mp4"));
  EXPECT_TRUE(app.WaitExit(second, kStartMs));
  // The default list marks mp4 for QuickTime, which this machine does not have: nothing plays, the
  // title shows what was asked for, and the program stays responsive.
  EXPECT_TRUE(TitleBecomes(frame, "movie", 5000));
  EXPECT_TRUE(e2e::Responds(frame));

  int third = app.Start(app.CopyMedia("clip.avi", "second.avi"));
  EXPECT_TRUE(app.WaitExit(third, kStartMs));
  EXPECT_TRUE(TitleBecomes(frame, "second", 5000));
  ::Sleep(1000);
  EXPECT_GT(DistinctColours(CaptureScreen(view), {100, 100, 540, 380}), 20u);
}
