// The player view playing real media in its own window: engines chosen by kind, the output rectangle,
// audio-only entries, pictures and the slideshow, the end of an entry, seeking, skipping what does not
// play, and releasing every graph.
#include "playback/PlayerView.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/MainFrame.h"
#include "app/PlayerApp.h"
#include "config/IniProfile.h"
#include "framework/BoundedRender.h"
#include "framework/CodePage.h"
#include "wine/WineSupport.h"

namespace {

constexpr std::int64_t kSecond = CDirectShowEngine::kUnitsPerSecond;

// Wine shows the Linux file system as Z:; the settings take the media folder from there.
std::string MediaFolder() {
  std::string p = wt::MediaPath("");
  return p.substr(0, p.size() - 1);
}

class PlayerViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::DeleteFileA(SettingsFilePath().c_str());
    WriteSetting("EXT_VIDEO", "avi,mpg,mp4,wmv,asf");
    WriteSetting("SLIDESHOWTIME", "1");
    WriteSetting("MOVIECHAGESCREENSIZE", "1");
  }
  void TearDown() override {
    frame.reset();
    ::DeleteFileA(SettingsFilePath().c_str());
  }
  static void WriteSetting(const char* key, const char* value) {
    ::WritePrivateProfileStringA("CONFIG", key, value, SettingsFilePath().c_str());
  }
  void Start(int width = 800, int height = 500) {
    frame = std::make_unique<CMainFrame>();
    frame->View().LoadSettings();
    ASSERT_TRUE(frame->Create());
    ::ShowWindow(frame->Hwnd(), SW_SHOW);
    ::SetWindowPos(View().Hwnd(), nullptr, 100, 100, width, height, SWP_NOZORDER);
    wt::Pump(50);
  }
  CPlayerView& View() { return frame->View(); }
  void Open(const std::string& name) { View().FileList().OpenPath(fw::Widen(wt::MediaPath(name))); }
  void AddToPlaylist(const std::string& name) {
    ASSERT_TRUE(View().Files().AddEntry(View().Files().EntryForOpenPath(wt::MediaPath(name)))) << name;
  }
  std::string NowPlayingName() { return View().Files().NowPlaying().name; }
  // The DirectShow video window: the view's child other than the QuickTime host, or null.
  HWND VideoWindow() {
    for (HWND child = ::GetWindow(View().Hwnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
      if (child != View().QuickTimeHost().Hwnd()) return child;
    return nullptr;
  }
  // The rectangle of the video window, in the view's client coordinates (empty when there is none).
  RECT VideoWindowRect() {
    RECT r{};
    HWND child = VideoWindow();
    if (!child) return r;
    r = wt::WindowRect(child);
    ::MapWindowPoints(nullptr, View().Hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  CPlayerApp app;
  std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(PlayerViewTest, VideoPlaysInTheOutputRectangle) {
  Start(800, 500);
  struct Case {
    const char* name;
    geo::Rect expected;
  } const cases[] = {
      {"clip.wmv", {67, 0, 733, 500}},  // 4:3 in 800 × 500: bands left and right
      {"clip.mp4", {0, 25, 800, 475}},  // 16:9: bands above and below
      {"clip.avi", {67, 0, 733, 500}},
  };
  for (const Case& c : cases) {
    Open(c.name);
    EXPECT_TRUE(View().IsLoaded()) << c.name;
    EXPECT_EQ(View().Selected(), EngineSelector::kDirectShow) << c.name;
    EXPECT_FALSE(View().IsAudioOnly()) << c.name;
    EXPECT_EQ(View().OutputRect(), c.expected) << c.name;
    RECT v = VideoWindowRect();
    EXPECT_EQ((geo::Rect{v.left, v.top, v.right, v.bottom}), c.expected) << c.name;
    EXPECT_EQ(View().TotalSeconds(), 3) << c.name;
  }
  EXPECT_EQ(wt::WindowText(frame->Hwnd()), "clip");
  ASSERT_TRUE(wt::PumpUntil([&] { return View().CurrentSeconds() >= 1; }, 3000)) << View().CurrentPosition();
  EXPECT_GT(View().PlaybackFraction(), 0.2);

  // Stretched over the whole view when the aspect is not kept.
  View().Config().movieChangeScreenSize = false;
  View().UpdateOutputRect();
  EXPECT_EQ(View().OutputRect(), (geo::Rect{0, 0, 800, 500}));
}

TEST_F(PlayerViewTest, MusicIsAudioOnlyAndLeavesTheWallpaperVisible) {
  Start();
  for (const char* name : {"tone.mp3", "tone.wav", "tone.wma"}) {
    Open(name);
    EXPECT_TRUE(View().IsLoaded()) << name;
    EXPECT_EQ(View().Selected(), EngineSelector::kDirectShow) << name;
    EXPECT_TRUE(View().IsAudioOnly()) << name;
    EXPECT_EQ(View().OutputRect(), geo::Rect{}) << name;
    EXPECT_EQ(VideoWindow(), nullptr) << name;
  }
  fw::ComPtr<IBaseFilter> reader;
  EXPECT_EQ(View().DirectShow().Graph()->FindFilterByName(L"ASF Reader", reader.Put()), S_OK);
  ASSERT_TRUE(wt::PumpUntil([&] { return View().CurrentPosition() > kSecond / 2; }, 3000));
}

TEST_F(PlayerViewTest, TheEndOfAnEntryMovesOnThroughThePlaylist) {
  Start();
  AddToPlaylist("clip.avi");
  AddToPlaylist("tone.mp3");
  EXPECT_EQ(View().Start(), 0);
  EXPECT_EQ(NowPlayingName(), wt::MediaPath("clip.avi"));
  EXPECT_TRUE(View().PlayingFromPlaylist());
  View().SeekToFraction(0.9);
  ASSERT_TRUE(wt::PumpUntil([&] { return NowPlayingName() == wt::MediaPath("tone.mp3"); }, 5000));
  EXPECT_TRUE(View().IsAudioOnly());
  EXPECT_EQ(View().Files().IndexOfPlaylistCurrent(), 3);
  // No repeat: after the last entry the player stops.
  View().SeekToFraction(0.95);
  ASSERT_TRUE(wt::PumpUntil([&] { return !View().IsLoaded(); }, 5000));
  EXPECT_EQ(NowPlayingName(), "");
  EXPECT_EQ(View().Files().NowPlaying().id, 0);
  EXPECT_EQ(wt::WindowText(frame->Hwnd()), "Tarnvale");
}

TEST_F(PlayerViewTest, WindowsMediaEndsByTheGraphsCompletion) {
  // Wine's ASF reader reports no position while it plays, so its end comes from the graph's completion.
  Start();
  AddToPlaylist("clip.wmv");
  AddToPlaylist("tone.wma");
  AddToPlaylist("tone.mp3");
  View().Start();
  ASSERT_TRUE(wt::PumpUntil([&] { return NowPlayingName() == wt::MediaPath("tone.wma"); }, 6000));
  ASSERT_TRUE(wt::PumpUntil([&] { return NowPlayingName() == wt::MediaPath("tone.mp3"); }, 6000));
}

TEST_F(PlayerViewTest, SeekingPastEitherEndLandsOnTheEnds) {
  Start();
  Open("long.mp4");
  ASSERT_EQ(View().Selected(), EngineSelector::kDirectShow);
  EXPECT_EQ(View().TotalSeconds(), 30);
  View().SeekBy(10);
  EXPECT_NEAR(static_cast<double>(View().CurrentPosition()), 10.0 * kSecond, 1.0 * kSecond);
  View().SeekBy(-100);
  EXPECT_EQ(View().CurrentPosition(), View().Earliest());
  View().SeekBy(100);
  EXPECT_EQ(View().CurrentPosition(), View().Latest());
  // The end is reached: a file from the folder list with no playlist place stops.
  ASSERT_TRUE(wt::PumpUntil([&] { return !View().IsLoaded(); }, 3000));
}

TEST_F(PlayerViewTest, SeekStepsAreTheSettingsOrFourteenAndFiveInTheTvFolder) {
  WriteSetting("FTIME", "3");
  WriteSetting("RTIME", "2");
  Start();
  Open("long.mp4");
  View().SeekBy(10 - 0);
  const std::int64_t from = View().CurrentPosition();
  View().SeekForward();
  EXPECT_NEAR(static_cast<double>(View().CurrentPosition() - from), 3.0 * kSecond, 0.6 * kSecond);
  View().SeekBack();
  EXPECT_NEAR(static_cast<double>(View().CurrentPosition() - from), 1.0 * kSecond, 0.6 * kSecond);

  View().Config().tvDir = MediaFolder();
  const std::int64_t tvFrom = View().CurrentPosition();
  View().SeekForward();
  EXPECT_NEAR(static_cast<double>(View().CurrentPosition() - tvFrom), 14.0 * kSecond, 0.6 * kSecond);
  View().SeekBack();
  EXPECT_NEAR(static_cast<double>(View().CurrentPosition() - tvFrom), 9.0 * kSecond, 0.6 * kSecond);
}

TEST_F(PlayerViewTest, APictureAloneStandsStillAndFromThePlaylistItAdvances) {
  Start(800, 500);
  Open("pic.jpg");
  EXPECT_EQ(View().Selected(), EngineSelector::kPicture);
  EXPECT_TRUE(View().IsPaused());
  EXPECT_EQ(View().OutputRect(), (geo::Rect{67, 0, 733, 500}));
  wt::Pump(1500);  // longer than SLIDESHOWTIME
  EXPECT_EQ(NowPlayingName(), wt::MediaPath("pic.jpg"));

  AddToPlaylist("pic.jpg");
  AddToPlaylist("tall.jpg");
  AddToPlaylist("wide.bmp");
  View().Start();
  EXPECT_FALSE(View().IsPaused());
  EXPECT_TRUE(wt::PumpUntil([&] { return NowPlayingName() == wt::MediaPath("tall.jpg"); }, 2500));
  EXPECT_EQ(View().OutputRect(), (geo::Rect{275, 0, 525, 500}));  // 1:2 in 800 × 500
  // Pausing a shown picture stops the slideshow; playing it goes on.
  View().TogglePause();
  EXPECT_TRUE(View().IsPaused());
  wt::Pump(1500);
  EXPECT_EQ(NowPlayingName(), wt::MediaPath("tall.jpg"));
  View().TogglePause();
  EXPECT_TRUE(wt::PumpUntil([&] { return NowPlayingName() == wt::MediaPath("wide.bmp"); }, 2500));

  // A picture that does not decode shows nothing but the bands and stands still.
  View().Stop();
  Open("broken.jpg");
  EXPECT_EQ(View().Selected(), EngineSelector::kPicture);
  EXPECT_EQ(View().OutputRect(), geo::Rect{});
}

TEST_F(PlayerViewTest, WhatNoFilterRendersIsSkippedAfterAboutASecond) {
  Start();
  AddToPlaylist("random.avi");
  AddToPlaylist("tone.wav");
  const DWORD start = ::GetTickCount();
  View().Start();
  EXPECT_TRUE(View().IsLoaded());
  EXPECT_EQ(View().Selected(), EngineSelector::kNone);
  ASSERT_TRUE(wt::PumpUntil([&] { return NowPlayingName() == wt::MediaPath("tone.wav"); }, 4000));
  const DWORD waited = ::GetTickCount() - start;
  EXPECT_GE(waited, 1000u);
  EXPECT_LE(waited, 3500u);  // five polls of 250 ms, plus the opens on a busy machine
  EXPECT_EQ(View().Selected(), EngineSelector::kDirectShow);

  // Outside the playlist there is nothing to skip to: the entry is closed.
  View().Stop();
  for (const char* name : {"empty.avi", "missing.avi", "truncated.avi"}) {
    Open(name);
    ASSERT_TRUE(wt::PumpUntil([&] { return !View().IsLoaded(); }, 6000)) << name;
    EXPECT_EQ(wt::WindowText(frame->Hwnd()), "Tarnvale") << name;
  }
}

TEST_F(PlayerViewTest, ACorruptVideoFailsWithinTheBoundAndIsSkipped) {
  // Its header is whole and the rest noise: Wine's parser never returns from rendering it.
  wt::RunInChildProcess([this] {
    Start();
    const ULONGLONG start = ::GetTickCount64();
    Open("corrupt.avi");
    const ULONGLONG took = ::GetTickCount64() - start;
    EXPECT_GE(took, kRenderFileLimitMs);
    EXPECT_LT(took, kRenderFileLimitMs + 2500);
    EXPECT_EQ(View().Selected(), EngineSelector::kNone);
    EXPECT_FALSE(View().DirectShow().HoldsGraph());
    EXPECT_NE(std::string(View().DirectShow().LastDiagnostic()).find("RenderFile"), std::string::npos);
    ASSERT_TRUE(wt::PumpUntil([&] { return !View().IsLoaded(); }, 6000));
    EXPECT_EQ(wt::WindowText(frame->Hwnd()), "Tarnvale");

    // In the playlist the next entry follows, and plays.
    AddToPlaylist("corrupt.avi");
    AddToPlaylist("clip.avi");
    View().Start();
    ASSERT_TRUE(wt::PumpUntil([&] { return NowPlayingName() == wt::MediaPath("clip.avi"); }, 5000));
    EXPECT_EQ(View().Selected(), EngineSelector::kDirectShow);
    EXPECT_TRUE(wt::PumpUntil([&] { return View().CurrentPosition() > 0; }, 3000));
  });
}

TEST_F(PlayerViewTest, BackToBackOpensReleaseEveryGraph) {
  Start();
  wt::TempDir dir("opens");
  const std::string copy = dir.File("copy.avi");
  ASSERT_TRUE(::CopyFileA(wt::MediaPath("clip.avi").c_str(), copy.c_str(), FALSE));
  for (int i = 0; i < 20; ++i) {
    View().FileList().OpenPath(fw::Widen(i % 2 ? copy : wt::MediaPath("tone.mp3")));
    wt::Pump(10);
  }
  View().FileList().OpenPath(fw::Widen(copy));
  ASSERT_EQ(View().Selected(), EngineSelector::kDirectShow);
  View().Stop();
  EXPECT_FALSE(View().DirectShow().HoldsGraph());
  EXPECT_EQ(VideoWindow(), nullptr);
  EXPECT_TRUE(::DeleteFileA(copy.c_str())) << "the last file played is still open";
}

TEST_F(PlayerViewTest, PauseResumeAndThePlayModeCycle) {
  Start();
  Open("clip.avi");
  View().TogglePause();
  EXPECT_TRUE(View().IsPaused());
  const std::int64_t held = View().CurrentPosition();
  wt::Pump(400);
  EXPECT_NEAR(static_cast<double>(View().CurrentPosition()), static_cast<double>(held), 0.1 * kSecond);
  View().TogglePause();
  EXPECT_FALSE(View().IsPaused());
  ASSERT_TRUE(wt::PumpUntil([&] { return View().CurrentPosition() > held + kSecond / 4; }, 2000));

  for (int expected : {1, 2, 3, 0}) {
    View().CyclePlayMode();
    EXPECT_EQ(View().Config().playMode, expected);
    EXPECT_EQ(::GetPrivateProfileIntA("CONFIG", "PLAYMODE", -1, SettingsFilePath().c_str()), expected);
  }
  EXPECT_EQ(wt::IniSection(SettingsFilePath(), "CONFIG").size(), 20u);  // the whole section is saved
}

namespace {

// What the system's default handling of WM_SYSCOMMAND was asked to do: it tells the CBT hook before it
// starts the screen saver or powers the monitor off. The hook refuses, so nothing really happens.
std::vector<WPARAM> g_defaultSysCommands;

LRESULT CALLBACK RecordSysCommand(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_SYSCOMMAND) {
    g_defaultSysCommands.push_back(wp & 0xFFF0);
    return 1;
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

// Which of the two commands, sent to the window, reached the default handling.
std::vector<WPARAM> DefaultHandled(HWND window) {
  g_defaultSysCommands.clear();
  const HHOOK hook = ::SetWindowsHookExA(WH_CBT, &RecordSysCommand, nullptr, ::GetCurrentThreadId());
  ::SendMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
  ::SendMessageA(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2);
  ::UnhookWindowsHookEx(hook);
  return g_defaultSysCommands;
}

}  // namespace

TEST_F(PlayerViewTest, TheScreenSaverAndThePowerOffWaitWhileSomethingIsLoadedEachAsItsSettingSays) {
  struct Case {
    const char* screenSaver;
    const char* monitor;
    std::vector<WPARAM> passedWhileLoaded;
  } const cases[] = {
      {"0", "0", {SC_SCREENSAVE, SC_MONITORPOWER}},
      {"1", "0", {SC_MONITORPOWER}},
      {"0", "1", {SC_SCREENSAVE}},
      {"1", "1", {}},
  };
  Start();
  const std::vector<WPARAM> both{SC_SCREENSAVE, SC_MONITORPOWER};
  for (const Case& c : cases) {
    WriteSetting("DISABLESCREENSAVER", c.screenSaver);
    WriteSetting("DISABLEMONITOR", c.monitor);
    View().LoadSettings();
    EXPECT_EQ(DefaultHandled(View().Hwnd()), both) << c.screenSaver << c.monitor << ": nothing loaded";
    Open("tone.wav");
    ASSERT_TRUE(View().IsLoaded());
    for (HWND window : {View().Hwnd(), View().FileList().Hwnd()})
      EXPECT_EQ(DefaultHandled(window), c.passedWhileLoaded) << c.screenSaver << c.monitor;
    // The display is asked for only to keep the monitor on; the screen saver is held off by the refusal.
    EXPECT_EQ(View().RequestsDisplay(), *c.monitor == '1') << c.screenSaver << c.monitor;
    View().TogglePause();
    EXPECT_EQ(DefaultHandled(View().Hwnd()), c.passedWhileLoaded) << "paused entries too";
    View().Stop();
    EXPECT_EQ(DefaultHandled(View().Hwnd()), both) << c.screenSaver << c.monitor << ": stopped";
    EXPECT_FALSE(View().RequestsDisplay());
  }
}

// RealMedia builds a graph in Wine's DirectShow that never streams and can never be stopped again: it is
// refused as a failed open there, and the playlist goes on.
TEST_F(PlayerViewTest, RealMediaMarkedForDirectShowIsGivenUpUnderWine) {
  WriteSetting("EXT_VIDEO", "avi,rm");
  Start();
  AddToPlaylist("clip.rm");
  AddToPlaylist("tone.wav");
  View().Start();
  EXPECT_EQ(NowPlayingName(), wt::MediaPath("clip.rm"));
  EXPECT_EQ(View().Selected(), EngineSelector::kNone);
  ASSERT_TRUE(wt::PumpUntil([&] { return NowPlayingName() == wt::MediaPath("tone.wav"); }, 5000));
  EXPECT_EQ(View().Selected(), EngineSelector::kDirectShow);
}

TEST_F(PlayerViewTest, InFullScreenTheCursorHidesThreeSecondsAfterItWasShown) {
  Start();
  frame->ToggleFullScreen();
  wt::Pump(50);
  View().ShowCursorAndArm(true);
  EXPECT_TRUE(View().CursorVisible());
  wt::Pump(2500);
  EXPECT_TRUE(View().CursorVisible());
  EXPECT_TRUE(wt::PumpUntil([&] { return !View().CursorVisible(); }, 1500));
  View().ShowCursorAndArm(true);
  EXPECT_TRUE(View().CursorVisible());
}
