// The control panel as a real window over a real view: its place and Z order, hover show and the
// one-second hide, the click and command swallowed while it is hidden, its switches and sliders driving
// the player with real media, the status line drawn in the glyphs of the built-in strips, and what it
// writes to TN.INI when it closes.
#include "controls/ControlPanel.h"

#include <gtest/gtest.h>

#include "controls/PanelKey.h"
#include "controls/PanelZOrder.h"
#include "controls/SwitchFrame.h"
#include "framework/CodePage.h"
#include "playback/PlaybackMath.h"
#include "res/ResourceIds.h"
#include "wine/PanelFixture.h"
#include "wine/Pixels.h"

namespace {

constexpr std::int64_t kSecond = CDirectShowEngine::kUnitsPerSecond;

// A built-in strip, for comparing what the panel drew with the frames it should have drawn.
class Strip {
 public:
  Strip(unsigned id, int frameWidth, int frames) : m_width(frameWidth) {
    m_bitmap.LoadFromResource(id, frameWidth, frames);
  }
  // Pixels of image at (x, y) that differ from the frame drawn over the key colour; on the screen the
  // see-through pixels show what lies beneath, so there only the frame's own pixels are compared.
  int Differences(const wt::PixelTarget& image, int x, int y, int frame, bool onScreen = false) {
    wt::PixelTarget expected(m_width, 32, kPanelKeyColour);
    m_bitmap.DrawFrame(frame, expected.Dc(), 0, 0, m_width, 32);
    int wrong = 0;
    for (int j = 0; j < 32; ++j)
      for (int i = 0; i < m_width; ++i)
        if (!onScreen || expected.At(i, j) != kPanelKeyColour) wrong += image.At(x + i, y + j) != expected.At(i, j);
    return wrong;
  }
  // Differences of every glyph of text drawn lit from x.
  int TextDifferences(const wt::PixelTarget& image, int x, int y, const std::string& text, bool onScreen = false) {
    int wrong = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
      wrong += Differences(image, x + 16 * static_cast<int>(i), y, GlyphFrame(text[i]), onScreen);
    return wrong;
  }

 private:
  CSkinBitmap m_bitmap;
  int m_width;
};

class ControlPanelTest : public wt::PanelFixture {
 protected:
  void Open(const char* name) { View().FileList().OpenPath(fw::Widen(wt::MediaPath(name))); }
  void AddToPlaylist(const std::string& path) {
    ASSERT_TRUE(View().Files().AddEntry(View().Files().EntryForOpenPath(path))) << path;
  }
  HWND Child(UINT id) { return ::GetDlgItem(Panel().Hwnd(), static_cast<int>(id)); }
  // The slider's own visibility, whether the panel is shown or not.
  bool PositionSliderShown() {
    return (::GetWindowLongPtrA(Child(ID_POSITION_SLIDER), GWL_STYLE) & WS_VISIBLE) != 0;
  }
  unsigned PlayFace() { return Panel().PlaySwitch().Face()->ResourceId(); }
  // The status line as drawn into a 634 × 88 surface.
  void RenderInto(wt::PixelTarget& image) { Panel().Render(image.Dc()); }
  void UseTestSources() { Panel().SetStatusSources(speed, paused, total, current, kind); }
  long GraphVolume() {
    fw::ComPtr<IBasicAudio> audio;
    long volume = 1;
    if (SUCCEEDED(View().DirectShow().Graph()->QueryInterface(IID_IBasicAudio, audio.PutVoid())))
      audio->get_Volume(&volume);
    return volume;
  }

  // Stand-ins for the view's playback fields, for states the media cannot give on demand.
  int speed = 0, total = 0, current = 0;
  bool paused = false;
  EntryKind kind = 0;
  Strip digits{IDB_NUMBER, 16, 13};
  Strip indicator{IDB_INDICATOR, 32, 5};
};

}  // namespace

TEST_F(ControlPanelTest, ItFloatsAtTheBottomRightOfTheViewAboveItWithoutActivation) {
  Start(100, 100, 800, 500);
  const HWND panel = Panel().Hwnd();
  EXPECT_TRUE(wt::SameRect(wt::WindowRect(panel), RECT{266, 512, 900, 600}));
  EXPECT_EQ(View().ControlPanelRect(), (geo::Rect{266, 512, 900, 600}));
  EXPECT_FALSE(::IsWindowVisible(panel)) << "created hidden; shown on demand";
  EXPECT_EQ(::GetWindow(panel, GW_OWNER), View().Hwnd());
  // A system menu or the activation would make it a window-manager window under Wine.
  EXPECT_FALSE(::GetWindowLongPtrA(panel, GWL_STYLE) & (WS_SYSMENU | WS_CAPTION));
  EXPECT_TRUE(::GetWindowLongPtrA(panel, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(::SendMessageA(panel, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame->Hwnd()), 0), MA_NOACTIVATE);

  struct Place {
    UINT id;
    RECT r;
  } const places[] = {
      {ID_SHOW_FILE_LIST, {22, 10, 54, 42}}, {ID_SHOW_PLAYLIST, {56, 10, 88, 42}},
      {ID_PLAYMODE_SWITCH, {90, 10, 122, 42}}, {ID_BACK_SWITCH, {124, 10, 156, 42}},
      {ID_FORWARD_SWITCH, {158, 10, 190, 42}}, {ID_SETTINGS_SWITCH, {22, 44, 54, 76}},
      {ID_STOP_SWITCH, {56, 44, 88, 76}},     {ID_PLAY_SWITCH, {90, 44, 122, 76}},
      {ID_PREVIOUS_SWITCH, {124, 44, 156, 76}}, {ID_NEXT_SWITCH, {158, 44, 190, 76}},
      {ID_VOLUME_SLIDER, {208, 16, 296, 32}}, {ID_POSITION_SLIDER, {304, 16, 612, 32}},
  };
  for (const Place& p : places) {
    RECT r = wt::WindowRect(Child(p.id));
    ::MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(wt::SameRect(r, p.r)) << p.id;
  }

  Panel().ShowPanel();
  PumpApp(300);
  EXPECT_TRUE(::IsWindowVisible(panel));
  EXPECT_TRUE(wt::Above(panel, View().Hwnd()));
  EXPECT_NE(::GetActiveWindow(), panel);
  // A view that moves takes the panel along, still shown.
  ::SetWindowPos(View().Hwnd(), nullptr, 50, 60, 1000, 700, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(wt::SameRect(wt::WindowRect(panel), RECT{416, 672, 1050, 760}));
  EXPECT_TRUE(::IsWindowVisible(panel));
}

TEST_F(ControlPanelTest, HoverShowsItAndItHidesASecondAfterThePointerLeaves) {
  Start();
  const HWND panel = Panel().Hwnd();
  CursorInto(panel);
  Tick(panel, CControlPanel::kHoverTimer);
  EXPECT_TRUE(Panel().IsShown());
  EXPECT_TRUE(Panel().HideArmed());
  EXPECT_TRUE(::IsWindowVisible(panel));
  ParkCursor();
  Tick(panel, CControlPanel::kHoverTimer);
  EXPECT_TRUE(Panel().IsShown()) << "the countdown runs";
  Tick(panel, CControlPanel::kHideTimer);
  EXPECT_FALSE(Panel().IsShown());
  EXPECT_FALSE(Panel().HideArmed());
  EXPECT_FALSE(::IsWindowVisible(panel));

  // While the list is open the panel stays, wherever the pointer is; closing the list hides it at once.
  View().FileList().ShowList();
  EXPECT_TRUE(Panel().IsShown());
  Tick(panel, CControlPanel::kHideTimer);
  Tick(panel, CControlPanel::kHoverTimer);
  EXPECT_TRUE(Panel().IsShown());
  View().FileList().HideList();
  EXPECT_FALSE(Panel().IsShown());
  EXPECT_FALSE(::IsWindowVisible(panel));

  // Minimised: the frame hides it, and hovering its place does not bring it back.
  Panel().ShowPanel();
  ::ShowWindow(frame->Hwnd(), SW_MINIMIZE);
  EXPECT_FALSE(Panel().IsShown());
  EXPECT_FALSE(::IsWindowVisible(panel));
  CursorInto(panel);
  Tick(panel, CControlPanel::kHoverTimer);
  EXPECT_FALSE(Panel().IsShown());
  EXPECT_TRUE(Panel().HideArmed());
}

TEST_F(ControlPanelTest, AClickOrACommandWhileItIsHiddenOnlyBringsItBack) {
  Start();
  const HWND play = Child(ID_PLAY_SWITCH);
  ASSERT_FALSE(Panel().IsShown());
  ::PostMessageA(play, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16, 16));
  PumpApp(30);
  EXPECT_TRUE(Panel().IsShown());
  EXPECT_NE(Panel().PlaySwitch().CurrentFrame(), FRAME_PRESSED) << "the press never reached the switch";

  Open("clip.avi");
  ASSERT_TRUE(View().IsLoaded());
  Panel().AutoHide(false);
  Post(Panel().Hwnd(), ID_STOP_SWITCH);
  EXPECT_TRUE(View().IsLoaded()) << "the command was dropped";
  EXPECT_TRUE(Panel().IsShown());
  Post(Panel().Hwnd(), ID_STOP_SWITCH);
  EXPECT_FALSE(View().IsLoaded());
}

TEST_F(ControlPanelTest, ItsSwitchesAndSlidersDriveThePlayer) {
  WriteSetting("FTIME", "1");
  WriteSetting("RTIME", "1");
  Start();
  const HWND panel = Panel().Hwnd();
  AddToPlaylist(wt::MediaPath("clip.avi"));
  AddToPlaylist(wt::MediaPath("tone.mp3"));
  Panel().ShowPanel();

  Post(panel, ID_PLAY_SWITCH);  // nothing loaded: the playlist starts
  ASSERT_TRUE(View().IsLoaded());
  EXPECT_EQ(View().Files().NowPlaying().name, wt::MediaPath("clip.avi"));
  EXPECT_TRUE(Panel().HideArmed()) << "a video starts the countdown";
  Panel().ShowPanel();
  Panel().Redraw();
  EXPECT_EQ(PlayFace(), static_cast<unsigned>(IDB_PAUSESW));
  Post(panel, ID_PLAY_SWITCH);
  EXPECT_TRUE(View().IsPaused());
  EXPECT_EQ(PlayFace(), static_cast<unsigned>(IDB_PLAYSW));
  EXPECT_TRUE(Panel().IsShown() && Panel().HideArmed());
  Post(panel, ID_PLAY_SWITCH);
  EXPECT_FALSE(View().IsPaused());

  Panel().ShowPanel();
  Post(panel, ID_NEXT_SWITCH);
  EXPECT_EQ(View().Files().NowPlaying().name, wt::MediaPath("tone.mp3"));
  EXPECT_FALSE(Panel().HideArmed()) << "music leaves the panel up";
  ASSERT_TRUE(wt::PumpUntil([&] { return View().CurrentPosition() > kSecond / 2; }, 3000));
  const std::int64_t before = View().CurrentPosition();
  Post(panel, ID_FORWARD_SWITCH);
  EXPECT_GE(View().CurrentPosition(), before + kSecond * 9 / 10);
  const std::int64_t ahead = View().CurrentPosition();
  Post(panel, ID_BACK_SWITCH);
  EXPECT_LT(View().CurrentPosition(), ahead - kSecond / 2);

  // The sliders: a click on the track centres the thumb there and the player follows.
  const HWND volume = Child(ID_VOLUME_SLIDER), position = Child(ID_POSITION_SLIDER);
  ::SendMessageA(volume, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(80, 8));
  ::SendMessageA(volume, WM_LBUTTONUP, 0, MAKELPARAM(80, 8));
  PumpApp(20);
  EXPECT_DOUBLE_EQ(Panel().GetVolume(), 1.0);
  EXPECT_DOUBLE_EQ(View().Volume(), 1.0);
  EXPECT_EQ(GraphVolume(), ::DirectShowVolume(1.0));
  ::SendMessageA(position, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(154, 8));
  ::SendMessageA(position, WM_LBUTTONUP, 0, MAKELPARAM(154, 8));
  PumpApp(20);
  EXPECT_NEAR(static_cast<double>(View().CurrentPosition()), 0.5 * static_cast<double>(View().Latest()),
              0.35 * kSecond);

  ASSERT_TRUE(wt::PumpUntil([&] { return View().CurrentSeconds() >= 1; }, 3000));
  Post(panel, ID_PREVIOUS_SWITCH);  // a second or more in: the same entry again
  EXPECT_EQ(View().Files().NowPlaying().name, wt::MediaPath("tone.mp3"));
  EXPECT_EQ(View().CurrentSeconds(), 0);

  Post(panel, ID_PLAYMODE_SWITCH);
  EXPECT_EQ(View().Config().playMode, 1);
  EXPECT_EQ(Panel().PlayModeSwitch().Face()->ResourceId(), static_cast<unsigned>(IDB_REPEATALLSW));
  EXPECT_EQ(ReadSetting("PLAYMODE"), "1");

  Post(panel, ID_STOP_SWITCH);
  EXPECT_FALSE(View().IsLoaded());
  EXPECT_EQ(PlayFace(), static_cast<unsigned>(IDB_PLAYSW));
  EXPECT_DOUBLE_EQ(Panel().PlaybackFraction(), 0.0);

  Post(panel, ID_SHOW_PLAYLIST);
  EXPECT_TRUE(View().FileList().IsShown());
  EXPECT_EQ(View().FileList().ListMode(), 1);
  Post(panel, ID_SHOW_FILE_LIST);
  EXPECT_EQ(View().FileList().ListMode(), 0);
  EXPECT_TRUE(Panel().IsShown());

}

TEST_F(ControlPanelTest, TheStatusLineDrawsTheGlyphsOfTheBuiltInStrips) {
  Start();
  wt::PixelTarget image(634, 88, RGB(1, 2, 3));
  const RECT timeRect{314, 44, 634, 76};

  // Nothing open: the stopped indicator and four unlit spaces; the time area is see-through.
  RenderInto(image);
  EXPECT_EQ(indicator.Differences(image, 218, 44, INDICATOR_STOPPED), 0);
  EXPECT_EQ(digits.TextDifferences(image, 250, 44, "    "), 0);
  EXPECT_TRUE(image.AllAre(timeRect, kPanelKeyColour));
  EXPECT_TRUE(PositionSliderShown());

  Open("clip.avi");
  ASSERT_TRUE(View().IsLoaded());
  UseTestSources();
  kind = KIND_VIDEO;
  current = 3725;
  total = 7384;
  speed = -3;
  int litPhases = 0;
  for (int phase = 0; phase < 2; ++phase) {
    Tick(Panel().Hwnd(), CControlPanel::kBlinkTimer);
    const bool lit = Panel().CurrentStatus().indicator == INDICATOR_SCAN_BACK;
    litPhases += lit;
    RenderInto(image);
    if (lit)
      EXPECT_EQ(indicator.Differences(image, 218, 44, INDICATOR_SCAN_BACK), 0);
    else
      EXPECT_TRUE(image.AllAre(RECT{218, 44, 250, 76}, kPanelKeyColour));
    EXPECT_EQ(digits.TextDifferences(image, 250, 44, "X8  "), 0);
    EXPECT_EQ(digits.TextDifferences(image, 314, 44, "01:02:05  02:03:04  "), 0);
  }
  EXPECT_EQ(litPhases, 1) << "the indicator blinks";

  speed = 0;
  RenderInto(image);
  EXPECT_EQ(indicator.Differences(image, 218, 44, INDICATOR_PLAYING), 0);
  EXPECT_EQ(PlayFace(), static_cast<unsigned>(IDB_PAUSESW));
  paused = true;
  RenderInto(image);
  EXPECT_EQ(indicator.Differences(image, 218, 44, INDICATOR_PAUSED), 0);
  EXPECT_EQ(PlayFace(), static_cast<unsigned>(IDB_PLAYSW));

  // The third of twelve playlist pictures behind two command entries (index 4 of 14).
  for (int i = 0; i < 12; ++i) {
    const std::string path = home.File("p" + std::to_string(10 + i) + ".jpg");
    EXPECT_TRUE(wt::WriteFile(path, "x")) << "could not write a test file";
    AddToPlaylist(path);
  }
  ASSERT_EQ(View().Files().Count(), 14);
  View().Files().NowPlaying() = View().Files().EntryAt(4);
  View().Files().PlaylistCurrent() = View().Files().EntryAt(4);
  kind = KIND_PICTURE | ENGINE_PICTURE;
  RenderInto(image);
  EXPECT_EQ(digits.TextDifferences(image, 314, 44, "     003   012      "), 0);
  EXPECT_FALSE(PositionSliderShown());
  // A picture from a folder has no place: nothing there.
  View().Files().PlaylistCurrent() = View().Files().EntryAt(5);
  RenderInto(image);
  EXPECT_TRUE(image.AllAre(timeRect, kPanelKeyColour));

  // As the user sees it over the playing video, for review.
  kind = KIND_VIDEO;
  paused = false;
  Panel().ShowPanel();
  Panel().Redraw();
  PumpApp(100);
  const RECT on = wt::WindowRect(Panel().Hwnd());
  wt::PixelTarget shot(634, 88);
  ASSERT_TRUE(shot.CopyFrom(nullptr, on.left, on.top));
  wt::SaveBmp(shot, wt::ReviewPath("control-panel.bmp"));
  EXPECT_EQ(digits.TextDifferences(shot, 314, 44, "01:02:05  02:03:04  ", true), 0) << "the time on the screen";
}

// The clock timer, five times a second, puts on the screen what changed in the time without a full redraw
// being asked for: one glyph, then two.
TEST_F(ControlPanelTest, TheClockTimerRedrawsTheTimeAsItChanges) {
  Start();
  Open("clip.avi");
  ASSERT_TRUE(View().IsLoaded());
  UseTestSources();
  kind = KIND_VIDEO;
  current = 10;
  total = 20;
  Panel().ShowPanel();
  Panel().Redraw();
  PumpApp(100);
  auto onScreen = [&](const std::string& text) {
    const RECT on = wt::WindowRect(Panel().Hwnd());
    wt::PixelTarget shot(634, 88);
    shot.CopyFrom(nullptr, on.left, on.top);
    return digits.TextDifferences(shot, 314, 44, text, true);
  };
  ASSERT_EQ(onScreen("00:00:10  00:00:20  "), 0);
  current = 11;
  PumpApp(600);
  EXPECT_EQ(onScreen("00:00:11  00:00:20  "), 0);
  current = 19;
  total = 21;
  PumpApp(600);
  EXPECT_EQ(onScreen("00:00:19  00:00:21  "), 0);
}

TEST_F(ControlPanelTest, TheVolumeAndThePlaceAreWrittenWhenItCloses) {
  Start();
  const CSkinSlider& volume = Panel().VolumeSlider();
  EXPECT_EQ(volume.Model().Thumb(), 16 + 28) << "VOLUME 50 by default";
  EXPECT_DOUBLE_EQ(View().Volume(), 0.5);
  Open("tone.mp3");
  EXPECT_EQ(GraphVolume(), ::DirectShowVolume(0.5)) << "the open applies the panel's volume";

  struct Case {
    int k;
    const char* stored;
  } const cases[] = {{26, "46"}, {25, "44"}};
  for (const Case& c : cases) {
    if (!frame) Start();
    Panel().SetVolume(c.k / 56.0);
    const RECT place = wt::WindowRect(Panel().Hwnd());
    ::SendMessageA(frame->Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(frame->Exists());
    frame.reset();
    EXPECT_EQ(ReadSetting("VOLUME"), c.stored) << c.k;
    EXPECT_EQ(ReadSetting("STATUS_LEFT", "POSITION"), std::to_string(place.left));
    EXPECT_EQ(ReadSetting("STATUS_TOP", "POSITION"), std::to_string(place.top));
    EXPECT_EQ(ReadSetting("STATUS_RIGHT", "POSITION"), std::to_string(place.right));
    EXPECT_EQ(ReadSetting("STATUS_BOTTOM", "POSITION"), std::to_string(place.bottom));
  }
  // Read back at the next start.
  Start();
  EXPECT_EQ(Panel().VolumeSlider().Model().Thumb(), 16 + 25);
}
