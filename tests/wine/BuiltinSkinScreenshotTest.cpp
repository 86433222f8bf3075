// The built-in skin as the program shows it: a window draws every built-in strip from the executable's
// resources, frame by frame, at the places of the contact sheet that resgen drew; a screenshot of the
// window must match the sheet pixel for pixel in every strip.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/SkinBitmap.h"
#include "framework/Gdi.h"
#include "framework/Window.h"
#include "res/BuiltinBitmaps.h"
#include "wine/Pixels.h"
#include "wine/WineSupport.h"

namespace {

class StripBoard : public fw::Window {
 public:
  bool Create() {
    for (const BuiltinBitmap& b : kBuiltinBitmaps) {
      auto& strip = strips.emplace_back(std::make_unique<CSkinBitmap>());
      if (!strip->LoadFromResource(b.id, b.frameWidth, b.frameCount)) return false;
    }
    return CreateEx(WS_EX_TOPMOST, nullptr, "strips", WS_POPUP | WS_VISIBLE, 0, 0, sheet::kWidth, sheet::kHeight,
                    nullptr, nullptr);
  }
  std::vector<std::unique_ptr<CSkinBitmap>> strips;

 protected:
  bool OnMessage(fw::Msg& m) override {
    if (m.msg != WM_PAINT) return false;
    fw::PaintDC dc(Hwnd());
    RECT all{0, 0, sheet::kWidth, sheet::kHeight};
    fw::FillSolid(dc.Get(), all, RGB(40, 40, 40));
    for (std::size_t i = 0; i < kBuiltinBitmapCount; ++i) {
      const BuiltinBitmap& b = kBuiltinBitmaps[i];
      sheet::Origin at = sheet::StripOrigin(i);
      for (int f = 0; f < b.frameCount; ++f)
        strips[i]->DrawFrame(f, dc.Get(), at.x + f * b.frameWidth, at.y, b.frameWidth, b.height);
    }
    return true;
  }
};

}  // namespace

TEST(BuiltinSkinScreenshot, EveryStripOnScreenMatchesTheContactSheet) {
  const std::string sheetPath = wt::ExeFolder() + "..\\res-gen\\ContactSheet.bmp";
  fw::Bitmap sheetImage(static_cast<HBITMAP>(
      ::LoadImageA(nullptr, sheetPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  ASSERT_TRUE(sheetImage) << sheetPath;
  wt::PixelTarget expected(sheet::kWidth, sheet::kHeight);
  {
    fw::MemoryDC source(expected.Dc());
    fw::SelectGuard select(source.Get(), sheetImage.Get());
    ::BitBlt(expected.Dc(), 0, 0, sheet::kWidth, sheet::kHeight, source.Get(), 0, 0, SRCCOPY);
  }

  StripBoard board;
  ASSERT_TRUE(board.Create());
  ::UpdateWindow(board.Hwnd());
  wt::Pump(100);
  wt::PixelTarget screen(sheet::kWidth, sheet::kHeight);
  ASSERT_TRUE(screen.CopyFrom(nullptr, 0, 0));  // the screen itself, where the window stands

  int wrong = 0;
  for (std::size_t i = 0; i < kBuiltinBitmapCount; ++i) {
    const BuiltinBitmap& b = kBuiltinBitmaps[i];
    sheet::Origin at = sheet::StripOrigin(i);
    int wrongHere = 0;
    for (int y = at.y; y < at.y + b.height; ++y)
      for (int x = at.x; x < at.x + b.width; ++x) wrongHere += screen.At(x, y) != expected.At(x, y);
    EXPECT_EQ(wrongHere, 0) << b.file << " (" << b.id << ") differs on screen";
    wrong += wrongHere;
  }
  // A few spot checks that the comparison compares something: see-through corners and lit faces.
  sheet::Origin play = sheet::StripOrigin(4);
  ASSERT_EQ(kBuiltinBitmaps[4].id, static_cast<unsigned>(IDB_PLAYSW));
  EXPECT_EQ(screen.At(play.x, play.y), RGB(kKeyRed, kKeyGreen, kKeyBlue));
  EXPECT_NE(screen.At(play.x + 16, play.y + 16), screen.At(play.x + 32 + 16, play.y + 16)) << "hover differs";
  if (wrong) wt::SaveBmp(screen, wt::ExeFolder() + "BuiltinSkinScreenshot.bmp");
}
