// Skin bitmap strips with real GDI: loading from files and resources, what bad files fall back to, frame
// drawing and its bounds, and the shared switch face cache with its clearing.
#include "controls/SkinBitmap.h"

#include <gtest/gtest.h>

#include <memory>

#include "controls/SkinSwitch.h"
#include "controls/SwitchBitmapCache.h"
#include "res/ResourceIds.h"
#include "wine/Pixels.h"
#include "wine/WineSupport.h"

namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);
constexpr COLORREF kKey = RGB(128, 0, 128);

std::string BuiltinFile(const char* name) { return wt::ExeFolder() + "..\\res-gen\\" + name; }

// What a frame of a strip looks like, drawn on its own.
void DrawInto(CSkinBitmap& strip, int frame, wt::PixelTarget& target) {
  target.Fill(kSentinel);
  ASSERT_TRUE(strip.DrawFrame(frame, target.Dc(), 0, 0, target.Width(), target.Height()));
}

bool SamePixels(const wt::PixelTarget& a, const wt::PixelTarget& b) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.At(x, y) != b.At(x, y)) return false;
  return true;
}

// The frame of a built-in resource strip, for comparing.
void DrawBuiltin(unsigned id, int frameWidth, int frameCount, int frame, wt::PixelTarget& target) {
  CSkinBitmap builtin;
  ASSERT_TRUE(builtin.LoadFromResource(id, frameWidth, frameCount));
  DrawInto(builtin, frame, target);
}

class SkinBitmapTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearSwitchBitmapCache(); }
  void TearDown() override { ClearSwitchBitmapCache(); }
  wt::TempDir skin{"skin"};
};

}  // namespace

TEST_F(SkinBitmapTest, ResourceStripsLoadWithTheirGeometry) {
  CSkinBitmap strip;
  EXPECT_FALSE(strip.IsLoaded());
  EXPECT_FALSE(strip.ImageSize());
  ASSERT_TRUE(strip.LoadFromResource(IDB_NUMBER, 16, 13));
  EXPECT_TRUE(strip.IsLoaded());
  EXPECT_EQ(strip.ResourceId(), static_cast<unsigned>(IDB_NUMBER));
  EXPECT_TRUE(strip.FilePath().empty());
  EXPECT_EQ(strip.FrameWidth(), 16);
  EXPECT_EQ(strip.FrameCount(), 13);
  ASSERT_TRUE(strip.ImageSize());
  EXPECT_EQ(*strip.ImageSize(), (geo::Size{208, 32}));

  strip.ReleaseImage();
  EXPECT_FALSE(strip.IsLoaded());
  EXPECT_EQ(strip.ResourceId(), 0u);
  EXPECT_EQ(strip.FrameWidth(), 16) << "releasing keeps the geometry";

  EXPECT_FALSE(strip.LoadFromResource(9999, 32, 4));
  EXPECT_FALSE(strip.IsLoaded());
}

TEST_F(SkinBitmapTest, AFileCopyOfABuiltinStripDrawsLikeTheResource) {
  CSkinBitmap file;
  ASSERT_TRUE(file.LoadFromFile(BuiltinFile("PLAYSW.bmp"), 32, 4));
  EXPECT_EQ(file.FilePath(), BuiltinFile("PLAYSW.bmp"));
  EXPECT_EQ(file.ResourceId(), 0u);
  for (int frame = 0; frame < 4; ++frame) {
    wt::PixelTarget fromFile(32, 32), fromResource(32, 32);
    DrawInto(file, frame, fromFile);
    DrawBuiltin(IDB_PLAYSW, 32, 4, frame, fromResource);
    EXPECT_TRUE(SamePixels(fromFile, fromResource)) << "frame " << frame;
    EXPECT_EQ(fromFile.At(0, 0), kKey) << "the corners are see-through";
  }
}

TEST_F(SkinBitmapTest, AnyDepthTheLoaderReadsIsTaken) {
  ASSERT_TRUE(wt::WriteFile(skin.File("deep.bmp"), wt::Bmp24(128, 32, [](int x, int) { return RGB(x, 200, 7); })));
  CSkinBitmap strip;
  ASSERT_TRUE(strip.LoadFromFile(skin.File("deep.bmp"), 32, 4));
  wt::PixelTarget target(32, 32);
  DrawInto(strip, 2, target);
  EXPECT_EQ(target.At(0, 0), RGB(64, 200, 7));
  EXPECT_EQ(target.At(31, 31), RGB(95, 200, 7));
}

TEST_F(SkinBitmapTest, BadFilesAreRefusedAndTheSwitchFaceFallsBack) {
  const std::string good = wt::SolidBmp24(128, 32, RGB(10, 20, 30));
  std::string absurd = good;
  absurd[18] = absurd[19] = absurd[20] = '\x7f';  // width about 8 million
  std::string hugeHeight = good;
  hugeHeight[22] = hugeHeight[23] = '\xff', hugeHeight[24] = '\x0f';
  std::string jpeg = "\xff\xd8\xff\xe0" + std::string(300, '\0');
  struct Case {
    const char* what;
    std::string bytes;
  } const cases[] = {
      {"truncated", good.substr(0, good.size() / 2)},
      {"only a file header", good.substr(0, 14)},
      {"absurd width", absurd},
      {"absurd height", hugeHeight},
      {"a PNG renamed .bmp", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + std::string(100, '\0')},
      {"a JPEG renamed .bmp", jpeg},
      {"narrower than four frames", wt::SolidBmp24(100, 32, RGB(10, 20, 30))},
      {"empty", ""},
  };
  for (const Case& c : cases) {
    ClearSwitchBitmapCache();
    const std::string path = skin.File("PLAYSW.bmp");
    ASSERT_TRUE(wt::WriteFile(path, c.bytes));
    CSkinBitmap strip;
    EXPECT_FALSE(strip.LoadFromFile(path, 32, 4)) << c.what;
    EXPECT_FALSE(strip.IsLoaded()) << c.what;
    std::shared_ptr<CSkinBitmap> face = GetSwitchBitmap(IDB_PLAYSW, path);
    EXPECT_TRUE(face->IsLoaded()) << c.what;
    EXPECT_EQ(face->ResourceId(), static_cast<unsigned>(IDB_PLAYSW)) << c.what << ": the built-in face";
  }
  // The good file is taken from the skin folder.
  ClearSwitchBitmapCache();
  ASSERT_TRUE(wt::WriteFile(skin.File("PLAYSW.bmp"), good));
  EXPECT_EQ(GetSwitchBitmap(IDB_PLAYSW, skin.File("PLAYSW.bmp"))->FilePath(), skin.File("PLAYSW.bmp"));
}

// An 8-bit run-length BMP of 128 × 32 whose runs and jumps overshoot the image on every row.
std::string OverrunningRle() {
  std::string codes;
  for (int i = 0; i < 200; ++i) codes += std::string("\xff\x05", 2);  // runs of 255 pixels
  codes += std::string("\x00\x02\xff\xff", 4);                     // a jump far outside
  codes += std::string("\xff\x07\x00\x01", 4);                     // one more run, end of bitmap
  std::string s(54 + 1024, '\0');
  auto put32 = [&](std::size_t at, unsigned v) {
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  s[0] = 'B', s[1] = 'M';
  put32(2, static_cast<unsigned>(s.size() + codes.size()));
  put32(10, 54 + 1024);
  put32(14, 40);
  put32(18, 128);
  put32(22, 32);
  s[26] = 1, s[28] = 8;
  put32(30, 1);  // BI_RLE8
  put32(34, static_cast<unsigned>(codes.size()));
  for (int i = 0; i < 256; ++i) put32(54 + 4 * i, static_cast<unsigned>(i * 0x010101));
  return s + codes;
}

TEST_F(SkinBitmapTest, RunLengthCodesThatOvershootTheImageDoNoHarm) {
  ASSERT_TRUE(wt::WriteFile(skin.File("rle.bmp"), OverrunningRle()));
  CSkinBitmap strip;
  // The decoder clips the runs to the image; whether it then takes the file or refuses it, nothing breaks.
  if (strip.LoadFromFile(skin.File("rle.bmp"), 32, 4)) {
    EXPECT_EQ(*strip.ImageSize(), (geo::Size{128, 32}));
    wt::PixelTarget target(32, 32);
    EXPECT_TRUE(strip.DrawFrame(3, target.Dc(), 0, 0, 32, 32));
  }
  EXPECT_TRUE(GetSwitchBitmap(IDB_PLAYSW, skin.File("rle.bmp"))->IsLoaded());
}

TEST_F(SkinBitmapTest, FramesOutsideTheStripDrawNothing) {
  CSkinBitmap strip;
  ASSERT_TRUE(strip.LoadFromResource(IDB_PLAYSW, 32, 4));
  wt::PixelTarget target(32, 32);
  for (int frame : {4, -1, 100}) {
    EXPECT_FALSE(strip.DrawFrame(frame, target.Dc(), 0, 0, 32, 32)) << frame;
    EXPECT_TRUE(target.AllAre({0, 0, 32, 32}, kSentinel)) << frame;
  }
  // The digit renderer's unlit glyphs ask for frames 13 to 25.
  CSkinBitmap digits;
  ASSERT_TRUE(digits.LoadFromResource(IDB_NUMBER, 16, 13));
  for (int frame = 13; frame <= 25; ++frame) EXPECT_FALSE(digits.DrawFrame(frame, target.Dc(), 0, 0, 16, 32));
  EXPECT_TRUE(target.AllAre({0, 0, 32, 32}, kSentinel));
  CSkinBitmap empty;
  EXPECT_FALSE(empty.DrawFrame(0, target.Dc(), 0, 0, 32, 32));
}

TEST_F(SkinBitmapTest, ACopyIsNeverStretchedNorReadPastTheImage) {
  CSkinBitmap icon;
  ASSERT_TRUE(icon.LoadFromResource(IDB_VOLUME, 16, 1));
  wt::PixelTarget whole(16, 16);
  DrawInto(icon, 0, whole);
  wt::PixelTarget larger(24, 24);
  DrawInto(icon, 0, larger);  // a 24 × 24 square asked of a 16 × 16 image: the image, then nothing
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(larger.At(x, y), whole.At(x, y));
  EXPECT_TRUE(larger.AllAre({16, 0, 24, 24}, kSentinel));
  EXPECT_TRUE(larger.AllAre({0, 16, 24, 24}, kSentinel));
}

TEST_F(SkinBitmapTest, ASkinWithoutNumberBmpDrawsTheBuiltinDigits) {
  CSkinBitmap digits;
  ASSERT_TRUE(digits.LoadFromFileOrResource(skin.File("NUMBER.bmp"), IDB_NUMBER, 16, 13));
  EXPECT_EQ(digits.ResourceId(), static_cast<unsigned>(IDB_NUMBER));
  wt::PixelTarget eight(16, 32), space(16, 32);
  DrawInto(digits, 8, eight);
  DrawInto(digits, 11, space);
  EXPECT_EQ(eight.At(0, 0), kKey);
  // The middle bar of the 8 is lit: a light cyan, not the key.
  COLORREF middle = eight.At(8, 16);
  EXPECT_NE(middle, kKey);
  EXPECT_GT(GetGValue(middle), 150);
  EXPECT_GT(GetBValue(middle), 200);
  EXPECT_TRUE(space.AllAre({0, 0, 16, 32}, kKey)) << "the space glyph is all see-through";
  // The skin's own file wins once it exists.
  ASSERT_TRUE(wt::WriteFile(skin.File("NUMBER.bmp"), wt::SolidBmp24(208, 32, RGB(250, 0, 0))));
  ASSERT_TRUE(digits.LoadFromFileOrResource(skin.File("NUMBER.bmp"), IDB_NUMBER, 16, 13));
  DrawInto(digits, 8, eight);
  EXPECT_EQ(eight.At(8, 16), RGB(250, 0, 0));
}

TEST_F(SkinBitmapTest, TheCacheKeepsTheFirstImageOfAnIdWhateverPathFollows) {
  wt::TempDir other("skin2");
  ASSERT_TRUE(wt::WriteFile(skin.File("PLAYSW.bmp"), wt::SolidBmp24(128, 32, RGB(200, 0, 0))));
  ASSERT_TRUE(wt::WriteFile(other.File("PLAYSW.bmp"), wt::SolidBmp24(128, 32, RGB(0, 0, 200))));
  std::shared_ptr<CSkinBitmap> first = GetSwitchBitmap(IDB_PLAYSW, skin.File("PLAYSW.bmp"));
  std::shared_ptr<CSkinBitmap> second = GetSwitchBitmap(IDB_PLAYSW, other.File("PLAYSW.bmp"));
  EXPECT_EQ(first, second);
  wt::PixelTarget target(32, 32);
  DrawInto(*second, 0, target);
  EXPECT_EQ(target.At(5, 5), RGB(200, 0, 0));
  EXPECT_EQ(SwitchBitmapCacheSize(), 1u);

  ClearSwitchBitmapCache();
  EXPECT_EQ(SwitchBitmapCacheSize(), 0u);
  DrawInto(*GetSwitchBitmap(IDB_PLAYSW, other.File("PLAYSW.bmp")), 0, target);
  EXPECT_EQ(target.At(5, 5), RGB(0, 0, 200)) << "after a clear the new skin's file is read";
}

TEST_F(SkinBitmapTest, AFaceFoundNowhereIsCachedEmpty) {
  std::shared_ptr<CSkinBitmap> missing = GetSwitchBitmap(9999, skin.File("NOSUCH.bmp"));
  EXPECT_FALSE(missing->IsLoaded());
  EXPECT_EQ(SwitchBitmapCacheSize(), 1u);
  ASSERT_TRUE(wt::WriteFile(skin.File("NOSUCH.bmp"), wt::SolidBmp24(128, 32, RGB(9, 9, 9))));
  EXPECT_EQ(GetSwitchBitmap(9999, skin.File("NOSUCH.bmp")), missing) << "not looked for again until a clear";
  wt::PixelTarget target(32, 32);
  EXPECT_FALSE(missing->DrawFrame(0, target.Dc(), 0, 0, 32, 32));
}

TEST_F(SkinBitmapTest, ClearingTheCacheLeavesNoSwitchWithADanglingFace) {
  wt::TempDir other("skin2");
  ASSERT_TRUE(wt::WriteFile(skin.File("STOPSW.bmp"), wt::SolidBmp24(128, 32, RGB(200, 0, 0))));
  ASSERT_TRUE(wt::WriteFile(other.File("STOPSW.bmp"), wt::SolidBmp24(128, 32, RGB(0, 0, 200))));

  HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
  ASSERT_TRUE(parent);
  {
    CSkinSwitch a, b;
    ASSERT_TRUE(a.Create(parent, {0, 0, 32, 32}, ID_STOP_SWITCH, IDB_STOPSW, skin.File("STOPSW.bmp")));
    ASSERT_TRUE(b.Create(parent, {40, 0, 72, 32}, ID_STOP_SWITCH, IDB_STOPSW, skin.File("STOPSW.bmp")));
    std::weak_ptr<CSkinBitmap> oldFace = GetSwitchBitmap(IDB_STOPSW, "");
    ClearSwitchBitmapCache();

    // Both switches still draw the old strip, which lives on as long as one of them shows it.
    wt::PixelTarget target(32, 32);
    a.Redraw();
    ::RedrawWindow(b.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_FALSE(oldFace.expired());
    EXPECT_EQ(a.Face(), oldFace.lock().get());
    ASSERT_TRUE(target.CopyFrom(b.Hwnd()));
    EXPECT_EQ(target.At(5, 5), RGB(200, 0, 0));

    // The owners reload: the new skin's strip, and the old one is gone with its last switch.
    a.SetBitmap(IDB_STOPSW, other.File("STOPSW.bmp"));
    EXPECT_FALSE(oldFace.expired());
    b.SetBitmap(IDB_STOPSW, other.File("STOPSW.bmp"));
    EXPECT_TRUE(oldFace.expired());
    EXPECT_EQ(a.Face(), b.Face());
    ASSERT_TRUE(target.CopyFrom(b.Hwnd()));
    EXPECT_EQ(target.At(5, 5), RGB(0, 0, 200));

    ClearSwitchBitmapCache();
    wt::Pump(30);  // paints after a clear reach live strips only
  }
  ::DestroyWindow(parent);
}
