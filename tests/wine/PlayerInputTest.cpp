// The player view's input in its real window: keys, Alt+F4, the wheel's scan, clicks, dragging and the
// border of the borderless window.
#include "playback/PlayerView.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/MainFrame.h"
#include "app/PlayerApp.h"
#include "config/IniProfile.h"
#include "framework/CodePage.h"
#include "wine/WineSupport.h"

namespace {

constexpr std::int64_t kSecond = CDirectShowEngine::kUnitsPerSecond;

class PlayerInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::DeleteFileA(SettingsFilePath().c_str());
    ::WritePrivateProfileStringA("CONFIG", "EXT_VIDEO", "avi,mp4", SettingsFilePath().c_str());
    ::WritePrivateProfileStringA("CONFIG", "SLIDESHOWTIME", "60", SettingsFilePath().c_str());
  }
  void TearDown() override {
    frame.reset();
    ::DeleteFileA(SettingsFilePath().c_str());
  }
  void Start() {
    frame = std::make_unique<CMainFrame>();
    View().LoadSettings();
    ASSERT_TRUE(frame->Create());
    ::ShowWindow(frame->Hwnd(), SW_SHOW);
    ::SetWindowPos(View().Hwnd(), nullptr, 100, 100, 800, 500, SWP_NOZORDER);
    wt::Pump(50);
  }
  CPlayerView& View() { return frame->View(); }
  void Key(WPARAM vk, LPARAM repeat = 1) { ::SendMessageA(View().Hwnd(), WM_KEYDOWN, vk, repeat); }
  void Wheel(int delta) { ::SendMessageA(View().Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0); }
  void Add(const std::string& name) {
    View().Files().AddEntry(View().Files().EntryForOpenPath(wt::MediaPath(name)));
  }
  std::string Playing() { return View().Files().NowPlaying().name; }
  // A press and release of the left button with the pointer at client point (x, y), moving to (x2, y2)
  // in between when asked.
  void Click(int x, int y, int x2, int y2) {
    POINT p{x, y}, q{x2, y2};
    ::ClientToScreen(View().Hwnd(), &p);
    ::ClientToScreen(View().Hwnd(), &q);
    ::SetCursorPos(p.x, p.y);
    ::SendMessageA(View().Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    if (x2 != x || y2 != y) {
      ::SetCursorPos(q.x, q.y);
      ::SendMessageA(View().Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x2, y2));
    }
    ::SendMessageA(View().Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x2, y2));
  }

  CPlayerApp app;
  std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(PlayerInputTest, KeysDriveThePlayer) {
  Start();
  Add("clip.avi");
  Add("tone.mp3");
  Key(' ');  // nothing loaded: the playlist starts
  EXPECT_EQ(Playing(), wt::MediaPath("clip.avi"));
  Key('P');
  EXPECT_TRUE(View().IsPaused());
  Key(' ');
  EXPECT_FALSE(View().IsPaused());
  Key(VK_DOWN, 2);  // merged auto-repeats do nothing
  EXPECT_EQ(Playing(), wt::MediaPath("clip.avi"));
  Key(VK_DOWN);
  EXPECT_EQ(Playing(), wt::MediaPath("tone.mp3"));
  Key(VK_UP);
  EXPECT_EQ(Playing(), wt::MediaPath("clip.avi"));
  Key('7');
  EXPECT_EQ(View().Config().playMode, 1);
  Key('S');
  EXPECT_FALSE(View().IsLoaded());
  Key(VK_RETURN);
  EXPECT_TRUE(View().FileList().IsShown());
  Key(VK_F1);  // shown in list mode 0: the playlist
  EXPECT_EQ(View().FileList().ListMode(), 1);
  Key('0');
  EXPECT_TRUE(frame->IsMaximised());
  Key(VK_F11);
  EXPECT_FALSE(frame->IsMaximised());
}

// Every key of the seek and volume operations, sent to the view's window: the seeks move a paused video
// by the 10 s of FTIME and RTIME, the volume keys move the volume their way.
TEST_F(PlayerInputTest, SeekAndVolumeKeysThroughTheWindow) {
  Start();
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("long.mp4")));
  ASSERT_TRUE(View().IsLoaded());
  View().SetPause(true);
  const struct {
    WPARAM vk;
    int seconds;  // the seek; 0 for a volume key
    int volume;   // the volume's direction
  } keys[] = {
      {VK_LEFT, -10, 0},   {'8', -10, 0},  {VK_NUMPAD8, -10, 0}, {VK_F8, -10, 0},
      {VK_RIGHT, 10, 0},   {'9', 10, 0},   {VK_NUMPAD9, 10, 0},  {VK_F9, 10, 0},
      {'5', 0, -1},        {VK_NUMPAD5, 0, -1}, {VK_F5, 0, -1},
      {'6', 0, 1},         {VK_NUMPAD6, 0, 1},  {VK_F6, 0, 1},
  };
  for (const auto& k : keys) {
    SCOPED_TRACE(k.vk);
    View().SeekToFraction(0.5);
    View().ControlPanel().SetVolume(0.5);
    const std::int64_t before = View().CurrentPosition();
    const double level = View().Volume();
    Key(k.vk);
    EXPECT_NEAR(static_cast<double>(View().CurrentPosition() - before), k.seconds * static_cast<double>(kSecond),
                0.5 * kSecond);
    if (k.volume > 0) EXPECT_GT(View().Volume(), level);
    if (k.volume < 0) EXPECT_LT(View().Volume(), level);
    if (k.volume == 0) EXPECT_EQ(View().Volume(), level);
  }
}

// The panels take no keyboard or wheel of their own: what they get reaches the view.
TEST_F(PlayerInputTest, KeysTheWheelAndSystemKeysOnThePanelsReachTheView) {
  Start();
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("long.mp4")));
  ASSERT_TRUE(View().IsLoaded());
  const HWND panels[] = {View().ControlPanel().Hwnd(), View().WindowButtons().Hwnd()};
  for (const HWND panel : panels) {
    SCOPED_TRACE(panel == panels[0] ? "control panel" : "window buttons");
    ::SendMessageA(panel, WM_KEYDOWN, 'P', 1);
    EXPECT_TRUE(View().IsPaused());
    ::SendMessageA(panel, WM_KEYDOWN, 'P', 1);
    EXPECT_FALSE(View().IsPaused());
    ::SendMessageA(panel, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(View().ScanSpeed(), 1);
    ::SendMessageA(panel, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(View().ScanSpeed(), 0);
  }
  // Alt+F4 on the window buttons closes the program as on the view.
  ::SendMessageA(panels[1], WM_SYSKEYDOWN, VK_F4, 1 << 29);
  EXPECT_FALSE(frame->Exists());
}

// The middle button, on the view and on the control panel: the playlist starts when nothing is loaded,
// else a press pauses or goes on; a double click pauses or goes on in any case.
TEST_F(PlayerInputTest, TheMiddleButtonStartsPausesAndGoesOn) {
  Start();
  Add("clip.avi");
  for (const HWND target : {View().Hwnd(), View().ControlPanel().Hwnd()}) {
    SCOPED_TRACE(target == View().Hwnd() ? "view" : "control panel");
    View().Stop();
    ASSERT_FALSE(View().IsLoaded());
    ::SendMessageA(target, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(Playing(), wt::MediaPath("clip.avi"));
    ASSERT_TRUE(View().IsLoaded());
    EXPECT_FALSE(View().IsPaused());
    ::SendMessageA(target, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(View().IsPaused());
    ::SendMessageA(target, WM_MBUTTONDBLCLK, MK_MBUTTON, MAKELPARAM(10, 10));
    EXPECT_FALSE(View().IsPaused());
  }
  View().Stop();
  ::SendMessageA(View().Hwnd(), WM_MBUTTONDBLCLK, MK_MBUTTON, MAKELPARAM(10, 10));
  EXPECT_FALSE(View().IsLoaded()) << "a double click starts nothing";
}

TEST_F(PlayerInputTest, AltF4ClosesThroughTheFrameAndOtherSystemKeysDoNothing) {
  Start();
  EXPECT_EQ(::SendMessageA(View().Hwnd(), WM_SYSCHAR, ' ', 1 << 29), 0);  // Alt+Space: no system menu
  EXPECT_TRUE(::IsWindow(frame->Hwnd()));
  ::PostMessageA(View().FileList().Hwnd(), WM_SYSKEYDOWN, VK_F4, 1 << 29);
  // Through the loop's pre-translation, as the program's message loop runs it.
  EXPECT_TRUE(wt::WaitUntil([&] { app.PumpPending(); return !frame->Exists(); }, 5000));
  EXPECT_TRUE(frame->IsClosing());
}

TEST_F(PlayerInputTest, TheWheelScansBothWaysAndStopsAtTheStart) {
  Start();
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("long.mp4")));
  ASSERT_EQ(View().Selected(), EngineSelector::kDirectShow);
  for (int i = 0; i < 3; ++i) Wheel(-120);
  EXPECT_EQ(View().ScanSpeed(), 3);
  // Eight times real time: well beyond what one second of playing gives.
  ASSERT_TRUE(wt::PumpUntil([&] { return View().CurrentPosition() > 5 * kSecond; }, 2500));
  Wheel(120);  // one notch the other way: normal speed at once
  EXPECT_EQ(View().ScanSpeed(), 0);
  for (int i = 0; i < 4; ++i) Wheel(120);
  EXPECT_EQ(View().ScanSpeed(), -4);
  ASSERT_TRUE(wt::PumpUntil([&] { return View().ScanSpeed() == 0; }, 4000));
  EXPECT_LT(View().CurrentPosition(), 2 * kSecond);
  EXPECT_TRUE(View().IsLoaded());
}

TEST_F(PlayerInputTest, TheWheelOverAPictureTurnsThePages) {
  Start();
  Add("pic.jpg");
  Add("tall.jpg");
  View().Start();
  Wheel(-120);
  EXPECT_EQ(Playing(), wt::MediaPath("tall.jpg"));
  Wheel(120);
  EXPECT_EQ(Playing(), wt::MediaPath("pic.jpg"));
  Wheel(-240);  // not one notch: nothing
  EXPECT_EQ(Playing(), wt::MediaPath("pic.jpg"));
  EXPECT_EQ(View().ScanSpeed(), 0);
}

TEST_F(PlayerInputTest, AClickOpensTheListAndADragMovesTheWindow) {
  Start();
  Click(400, 20, 400, 20);  // the buttons' band at the top: no list
  EXPECT_FALSE(View().FileList().IsShown());
  Click(400, 300, 400, 300);
  EXPECT_TRUE(View().FileList().IsShown());
  View().FileList().HideList();

  const RECT before = wt::WindowRect(View().Hwnd());
  Click(400, 300, 450, 330);
  const RECT after = wt::WindowRect(View().Hwnd());
  EXPECT_EQ(after.left - before.left, 50);
  EXPECT_EQ(after.top - before.top, 30);
  EXPECT_EQ(wt::WindowRect(frame->Hwnd()).left, after.left);  // the frame follows
  EXPECT_FALSE(View().FileList().IsShown());
  // In full screen the window stays put.
  frame->ToggleFullScreen();
  wt::Pump(50);
  const RECT full = wt::WindowRect(View().Hwnd());
  Click(400, 300, 450, 330);
  EXPECT_EQ(wt::WindowRect(View().Hwnd()).left, full.left);
}

TEST_F(PlayerInputTest, TheBorderSizesTheWindowWhileWindowed) {
  Start();
  const RECT r = wt::WindowRect(View().Hwnd());
  auto hit = [&](int x, int y) {
    return ::SendMessageA(View().Hwnd(), WM_NCHITTEST, 0, MAKELPARAM(x, y));
  };
  EXPECT_EQ(hit(r.left + 3, (r.top + r.bottom) / 2), HTLEFT);
  EXPECT_EQ(hit(r.right - 2, r.bottom - 2), HTBOTTOMRIGHT);
  EXPECT_EQ(hit((r.left + r.right) / 2, (r.top + r.bottom) / 2), HTCLIENT);

  // Over a video the press reaches the view itself, which sizes the window by its own rule.
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("clip.avi")));
  ::SetCursorPos(r.right - 3, r.bottom - 3);
  ::SendMessageA(View().Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  ::SetCursorPos(r.right + 47, r.bottom + 17);
  ::SendMessageA(View().Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, 0);
  ::SendMessageA(View().Hwnd(), WM_LBUTTONUP, 0, 0);
  const RECT sized = wt::WindowRect(View().Hwnd());
  EXPECT_EQ(sized.right - sized.left, (r.right - r.left) + 50);
  EXPECT_EQ(sized.bottom - sized.top, (r.bottom - r.top) + 20);
  EXPECT_FALSE(View().FileList().IsShown());  // a border press is no click

  frame->ToggleFullScreen();
  wt::Pump(50);
  const RECT full = wt::WindowRect(View().Hwnd());
  EXPECT_EQ(hit(full.left + 3, (full.top + full.bottom) / 2), HTCLIENT);
}

TEST_F(PlayerInputTest, MediaKeysPlayPauseStopSkipAndMute) {
  Start();
  Add("clip.avi");
  Add("tone.mp3");
  auto command = [&](HWND to, int code) {
    return ::SendMessageA(to, WM_APPCOMMAND, reinterpret_cast<WPARAM>(to), MAKELPARAM(0, code));
  };
  EXPECT_EQ(command(View().Hwnd(), APPCOMMAND_MEDIA_PLAY_PAUSE), TRUE);
  EXPECT_EQ(Playing(), wt::MediaPath("clip.avi"));
  command(View().Hwnd(), APPCOMMAND_MEDIA_PAUSE);
  EXPECT_TRUE(View().IsPaused());
  command(View().Hwnd(), APPCOMMAND_MEDIA_PLAY);
  EXPECT_FALSE(View().IsPaused());
  command(View().Hwnd(), APPCOMMAND_MEDIA_NEXTTRACK);
  EXPECT_EQ(Playing(), wt::MediaPath("tone.mp3"));

  // The list, which has the keyboard while it is shown, hands them on.
  View().FileList().ShowList();
  const double before = View().Volume();
  ASSERT_GT(before, 0.0);
  command(View().FileList().Hwnd(), APPCOMMAND_VOLUME_MUTE);
  EXPECT_EQ(View().Volume(), 0.0);
  command(View().FileList().Hwnd(), APPCOMMAND_VOLUME_MUTE);
  EXPECT_EQ(View().Volume(), before);
  EXPECT_EQ(command(View().FileList().Hwnd(), APPCOMMAND_BROWSER_HOME), 0);  // not the player's

  // The key itself: Wine makes no WM_APPCOMMAND of it, the player does.
  ::SendMessageA(View().FileList().Hwnd(), WM_KEYDOWN, VK_MEDIA_STOP, 1);
  EXPECT_FALSE(View().IsLoaded());
}

// Stop, previous track and the volume keys, each as the WM_APPCOMMAND Windows makes of the key and as the
// key itself (which the player turns into the command under Wine).
TEST_F(PlayerInputTest, MediaKeysStopGoBackAndSetTheVolume) {
  Start();
  Add("clip.avi");
  Add("tone.mp3");
  for (const bool viaKey : {false, true}) {
    SCOPED_TRACE(viaKey ? "key" : "WM_APPCOMMAND");
    auto press = [&](int command, WPARAM vk) {
      if (viaKey)
        Key(vk);
      else
        ::SendMessageA(View().Hwnd(), WM_APPCOMMAND, reinterpret_cast<WPARAM>(View().Hwnd()), MAKELPARAM(0, command));
    };
    press(APPCOMMAND_MEDIA_PLAY_PAUSE, VK_MEDIA_PLAY_PAUSE);
    ASSERT_EQ(Playing(), wt::MediaPath("clip.avi"));
    press(APPCOMMAND_MEDIA_NEXTTRACK, VK_MEDIA_NEXT_TRACK);
    EXPECT_EQ(Playing(), wt::MediaPath("tone.mp3"));
    press(APPCOMMAND_MEDIA_PREVIOUSTRACK, VK_MEDIA_PREV_TRACK);
    EXPECT_EQ(Playing(), wt::MediaPath("clip.avi"));

    View().ControlPanel().SetVolume(0.5);
    press(APPCOMMAND_VOLUME_UP, VK_VOLUME_UP);
    const double raised = View().Volume();
    EXPECT_GT(raised, 0.5);
    press(APPCOMMAND_VOLUME_DOWN, VK_VOLUME_DOWN);
    press(APPCOMMAND_VOLUME_DOWN, VK_VOLUME_DOWN);
    EXPECT_LT(View().Volume(), 0.5);

    press(APPCOMMAND_MEDIA_STOP, VK_MEDIA_STOP);
    EXPECT_FALSE(View().IsLoaded());
    press(APPCOMMAND_MEDIA_STOP, VK_MEDIA_STOP);  // stopped: the command stays stopped
    EXPECT_FALSE(View().IsLoaded());
  }
}

// The mute key toggles against the volume as it stands, and TN.INI keeps the level the user had before
// muting: a program that ends muted does not start silent.
TEST_F(PlayerInputTest, MuteTogglesAgainstTheVolumeAsItStandsAndTheSettingsKeepTheLevelBeforeIt) {
  Start();
  auto mute = [&] {
    ::SendMessageA(View().Hwnd(), WM_APPCOMMAND, reinterpret_cast<WPARAM>(View().Hwnd()),
                   MAKELPARAM(0, APPCOMMAND_VOLUME_MUTE));
  };
  View().ControlPanel().SetVolume(0.7);
  const double level = View().Volume();
  mute();
  EXPECT_EQ(View().Volume(), 0.0);
  Key('6');  // volume up while muted
  const double raised = View().Volume();
  ASSERT_GT(raised, 0.0);
  mute();
  EXPECT_EQ(View().Volume(), 0.0) << "the raised volume is muted, not the old level given back";
  mute();
  EXPECT_EQ(View().Volume(), raised);

  View().ControlPanel().SetVolume(level);
  mute();
  ::SendMessageA(frame->Hwnd(), WM_CLOSE, 0, 0);
  ASSERT_FALSE(frame->Exists());
  EXPECT_NEAR(::GetPrivateProfileIntA("CONFIG", "VOLUME", -1, SettingsFilePath().c_str()), level * 100, 1.0);
}
