// The sliders as real windows: the volume slider of the control panel (track, thumb, icon and their
// colours, clicks, drags and the posted reports) and the file slider popup that pages the list.
#include "controls/SkinSlider.h"

#include <gtest/gtest.h>

#include <vector>

#include "config/SkinDefinition.h"
#include "controls/FileSlider.h"
#include "res/ResourceIds.h"
#include "wine/Pixels.h"
#include "wine/WineSupport.h"

namespace {

constexpr COLORREF kKey = RGB(128, 0, 128);

// The slider's parent: records commands (with the fraction read when each is handled) and wheel turns.
class Panel : public fw::Window {
 public:
  struct Report {
    UINT id;
    double fraction;
  };
  std::vector<Report> reports;
  std::vector<std::pair<WPARAM, LPARAM>> wheels;
  const CSkinSlider* watched = nullptr;

  bool Create(int width = 640, int height = 480) {
    return CreateEx(0, nullptr, "panel", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100, 100, width, height, nullptr,
                    nullptr);
  }
  int Count(UINT id) const {
    int n = 0;
    for (const Report& r : reports) n += r.id == id;
    return n;
  }

 protected:
  bool OnMessage(fw::Msg& m) override {
    if (m.msg == WM_MOUSEWHEEL) {
      wheels.emplace_back(m.wp, m.lp);
      return true;
    }
    if (m.msg != WM_COMMAND) return false;
    reports.push_back({m.CommandId(), watched ? watched->GetFraction() : -1});
    return true;
  }
};

class FakeList : public IScrollTarget {
 public:
  std::vector<double> fractions;
  void ScrollToFraction(double fraction) override { fractions.push_back(fraction); }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// A skin whose slider colours are easy to tell apart.
CSkinDefinition ColourfulSkin() {
  CSkinDefinition skin;
  skin.sliderBaseColor = RGB(200, 200, 200);
  skin.sliderBaseFrameColor = RGB(10, 10, 10);
  skin.sliderBarColor = RGB(250, 250, 250);
  skin.sliderOnBarColor = RGB(0, 250, 0);
  skin.sliderBarFrameColor = RGB(20, 0, 0);
  return skin;
}

class VolumeSliderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(panel.Create());
    ASSERT_TRUE(slider.Create(panel.Hwnd(), {208, 16, 296, 32}, ID_VOLUME_SLIDER, false, false, IDB_VOLUME,
                              "Z:\\nowhere\\volume.bmp", true));
    panel.watched = &slider;
    wt::Pump(20);
  }
  void Send(UINT msg, int x, int y) { ::SendMessageA(slider.Hwnd(), msg, msg == WM_MOUSEMOVE ? 0 : MK_LBUTTON, At(x, y)); }
  COLORREF Shown(int x, int y) {
    wt::PixelTarget shown(88, 16);
    shown.CopyFrom(slider.Hwnd());
    return shown.At(x, y);
  }

  CSkinDefinition skin = ColourfulSkin();
  Panel panel;
  CSkinSlider slider{skin};
};

}  // namespace

TEST_F(VolumeSliderTest, DrawsIconTrackAndThumbInTheSkinsColours) {
  EXPECT_TRUE(::IsWindowVisible(slider.Hwnd()));
  EXPECT_TRUE(::GetWindowLongPtrA(slider.Hwnd(), GWL_STYLE) & WS_CLIPSIBLINGS);
  EXPECT_EQ(slider.Model().Track(), (geo::Rect{16, 0, 88, 16}));
  slider.SetFraction(0.5);
  EXPECT_EQ(slider.Model().Thumb(), 44);  // 16 + 28
  EXPECT_EQ(Shown(40, 8), RGB(200, 200, 200)) << "track";
  EXPECT_EQ(Shown(16, 0), RGB(10, 10, 10)) << "track frame";
  EXPECT_EQ(Shown(50, 8), RGB(250, 250, 250)) << "thumb";
  EXPECT_EQ(Shown(44, 8), RGB(20, 0, 0)) << "thumb frame";
  // The icon: the built-in speaker, drawn whole in the 16 × 16 square, see-through where it is empty.
  wt::PixelTarget shown(16, 16), icon(16, 16);
  shown.CopyFrom(slider.Hwnd());
  CSkinBitmap speaker;
  ASSERT_TRUE(speaker.LoadFromResource(IDB_VOLUME, 16, 1));
  speaker.DrawFrame(0, icon.Dc(), 0, 0, 16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(shown.At(x, y), icon.At(x, y)) << x << "," << y;
  EXPECT_EQ(shown.At(0, 0), kKey);
  EXPECT_EQ(panel.Count(ID_VOLUME_SLIDER), 0) << "SetFraction is not reported";
  wt::Pump(30);
  EXPECT_EQ(panel.Count(ID_VOLUME_SLIDER), 0);
}

TEST_F(VolumeSliderTest, ClickingTheTrackCentresTheThumbAndReportsTheChange) {
  Send(WM_LBUTTONDOWN, 70, 8);
  EXPECT_EQ(slider.Model().Thumb(), 62);
  EXPECT_TRUE(slider.IsDragging());
  EXPECT_EQ(::GetCapture(), slider.Hwnd());
  EXPECT_EQ(Shown(70, 8), RGB(0, 250, 0)) << "lit while held";
  wt::PumpUntil([&] { return panel.Count(ID_VOLUME_SLIDER) == 1; }, 500);
  ASSERT_EQ(panel.Count(ID_VOLUME_SLIDER), 1);
  EXPECT_DOUBLE_EQ(panel.reports.back().fraction, 46.0 / 56);
  Send(WM_LBUTTONUP, 70, 8);
  EXPECT_FALSE(slider.IsDragging());
  EXPECT_EQ(slider.Model().Thumb(), 62);
  wt::PumpUntil([&] { return panel.Count(ID_VOLUME_SLIDER) == 2; }, 500);
  EXPECT_EQ(panel.Count(ID_VOLUME_SLIDER), 2);
}

TEST_F(VolumeSliderTest, DraggingStopsAtBothEndsAndNeverCoversTheIcon) {
  slider.SetFraction(0.5);
  Send(WM_MOUSEMOVE, 50, 8);
  Send(WM_LBUTTONDOWN, 50, 8);
  ASSERT_TRUE(slider.IsDragging());
  Send(WM_MOUSEMOVE, -60, 8);
  EXPECT_EQ(slider.Model().Thumb(), 16);
  EXPECT_EQ(Shown(8, 0), kKey) << "the icon square keeps its icon";
  slider.SetFraction(1.0);
  EXPECT_EQ(slider.Model().Thumb(), 16) << "SetFraction is ignored during the drag";
  Send(WM_MOUSEMOVE, 400, 8);
  EXPECT_EQ(slider.Model().Thumb(), 72);
  Send(WM_MOUSEMOVE, 70, 8);
  Send(WM_LBUTTONUP, 70, 8);
  wt::Pump(30);
  ASSERT_GE(panel.Count(ID_VOLUME_SLIDER), 2);
  EXPECT_DOUBLE_EQ(panel.reports.back().fraction, slider.GetFraction()) << "the parent reads the latest step";
  slider.SetFraction(0.25);
  EXPECT_EQ(slider.Model().Thumb(), 30);
}

TEST_F(VolumeSliderTest, HoverLightsTheThumbAndLosingTheMouseEndsADrag) {
  Send(WM_MOUSEMOVE, 20, 8);
  EXPECT_EQ(Shown(22, 8), RGB(0, 250, 0));
  EXPECT_EQ(::GetCapture(), slider.Hwnd());
  Send(WM_MOUSEMOVE, 80, 8);
  EXPECT_EQ(Shown(22, 8), RGB(250, 250, 250));
  EXPECT_NE(::GetCapture(), slider.Hwnd());

  Send(WM_LBUTTONDOWN, 70, 8);
  ASSERT_TRUE(slider.IsDragging());
  ::SetCapture(panel.Hwnd());  // something else takes the mouse: the drag must not stay stuck
  EXPECT_FALSE(slider.IsDragging());
  ::ReleaseCapture();
  slider.SetFraction(0.0);
  EXPECT_EQ(slider.Model().Thumb(), 16);
}

TEST(FileSlider, HostsAVerticalPagingSliderThatHidesWhenEverythingFits) {
  CSkinDefinition skin = ColourfulSkin();
  Panel list;
  ASSERT_TRUE(list.Create());
  FakeList rows;
  CFileSlider fileSlider(skin);
  ASSERT_TRUE(fileSlider.Create(rows, list.Hwnd()));
  EXPECT_FALSE(::IsWindowVisible(fileSlider.Hwnd()));
  EXPECT_EQ(::GetWindow(fileSlider.Hwnd(), GW_OWNER), list.Hwnd());
  EXPECT_TRUE(::GetWindowLongPtrA(fileSlider.Hwnd(), GWL_STYLE) & WS_POPUP);
  EXPECT_TRUE(::GetWindowLongPtrA(fileSlider.Hwnd(), GWL_STYLE) & WS_CLIPCHILDREN);
  CSkinSlider& slider = fileSlider.Slider();
  EXPECT_EQ(::GetParent(slider.Hwnd()), fileSlider.Hwnd());
  EXPECT_EQ(::GetDlgCtrlID(slider.Hwnd()), ID_FILE_SLIDER);

  // The list places it at its right edge, 16 wide and as tall as the list.
  ::SetWindowPos(fileSlider.Hwnd(), nullptr, 600, 120, 16, 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  EXPECT_EQ(slider.Model().Track(), (geo::Rect{0, 0, 16, 400}));
  EXPECT_TRUE(slider.Model().Vertical());

  slider.SetPageInfo(0, 10, 10);
  EXPECT_FALSE(::IsWindowVisible(slider.Hwnd()));
  slider.SetPageInfo(0, 10, 1000);
  EXPECT_TRUE(::IsWindowVisible(slider.Hwnd()));
  EXPECT_EQ(slider.Model().ThumbSize(), 16);

  // A page click before the thumb while the list is within its first page goes to the track start,
  // and the list is told.
  slider.SetPageInfo(5, 10, 100);
  slider.SetFraction(5.0 / 90);
  ASSERT_EQ(slider.Model().Thumb(), 20);
  ::SendMessageA(slider.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(8, 5));
  EXPECT_EQ(slider.Model().Thumb(), 0);
  EXPECT_TRUE(wt::PumpUntil([&] { return !rows.fractions.empty(); }, 500));
  EXPECT_EQ(rows.fractions, std::vector<double>{0.0});
  ::SendMessageA(slider.Hwnd(), WM_LBUTTONUP, 0, At(8, 5));
  ::SendMessageA(slider.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(8, 300));
  wt::PumpUntil([&] { return rows.fractions.size() == 2; }, 500);
  ASSERT_EQ(rows.fractions.size(), 2u);
  EXPECT_DOUBLE_EQ(rows.fractions[1], 60.0 / 360);

  // Resizing keeps the fraction.
  ::SetWindowPos(fileSlider.Hwnd(), nullptr, 0, 0, 16, 200, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  EXPECT_EQ(slider.Model().Track(), (geo::Rect{0, 0, 16, 200}));
  EXPECT_EQ(slider.Model().Thumb(), 26);  // (60 / 360) × (200 − 40), truncated

  fileSlider.Hide();
  EXPECT_FALSE(::IsWindowVisible(fileSlider.Hwnd()));
}

TEST(FileSlider, PassesTheWheelOnToItsOwner) {
  CSkinDefinition skin;
  Panel list;
  ASSERT_TRUE(list.Create());
  FakeList rows;
  CFileSlider fileSlider(skin);
  ASSERT_TRUE(fileSlider.Create(rows, list.Hwnd()));
  const WPARAM wp = MAKEWPARAM(MK_SHIFT, static_cast<WORD>(-WHEEL_DELTA));
  const LPARAM lp = MAKELPARAM(610, 300);
  ::SendMessageA(fileSlider.Hwnd(), WM_MOUSEWHEEL, wp, lp);
  ASSERT_EQ(list.wheels.size(), 1u);
  EXPECT_EQ(list.wheels[0].first, wp);
  EXPECT_EQ(list.wheels[0].second, lp);
  // A turn that reaches the slider itself goes the same way.
  ::SendMessageA(fileSlider.Slider().Hwnd(), WM_MOUSEWHEEL, wp, lp);
  EXPECT_EQ(list.wheels.size(), 2u);
  EXPECT_TRUE(rows.fractions.empty());
}
