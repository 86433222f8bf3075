// The QuickTime and RealPlayer engines of the player view, playing real files through the stand-in
// components beside the tests: the open, the time scale and length, the output rectangle and the host
// windows, position, seeking, pausing, the volume, the end, the mouse handed to the view, entries that
// do not play, and the video renderer chosen under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "app/MainFrame.h"
#include "app/PlayerApp.h"
#include "config/IniProfile.h"
#include "framework/BoundedRender.h"
#include "framework/CodePage.h"
#include "framework/VideoRenderer.h"
#include "playback/PlayerView.h"
#include "wine/WineSupport.h"

namespace {

// The mouse messages that reach the view's window procedure.
struct Seen {
  UINT msg;
  LPARAM lp;
};
std::vector<Seen> g_seen;
WNDPROC g_viewProc = nullptr;

LRESULT CALLBACK RecordingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) g_seen.push_back({msg, lp});
  return ::CallWindowProcA(g_viewProc, h, msg, wp, lp);
}

std::size_t ScreenColours(const RECT& r) {
  fw::WindowDC screen(nullptr);
  std::set<COLORREF> colours;
  for (int y = r.top; y < r.bottom; y += 6)
    for (int x = r.left; x < r.right; x += 6) colours.insert(::GetPixel(screen.Get(), x, y));
  return colours.size();
}

class EngineStandIns : public ::testing::Test {
 protected:
  void SetUp() override {
    ::DeleteFileA(SettingsFilePath().c_str());
    Write("EXT_VIDEO", "avi,mp4(q),mov(q),junk(q),wmv(r),rm(r),real(r)");
    Write("EXT_AUDIO", "wav,mp3(q)");
    Write("EXT_PICTURE", "jpg,qpic(q)");
    Write("MOVIECHAGESCREENSIZE", "1");
  }
  void TearDown() override {
    if (g_viewProc && frame) ::SetWindowLongPtrA(View().Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_viewProc));
    g_viewProc = nullptr;
    frame.reset();
    ::DeleteFileA(SettingsFilePath().c_str());
  }
  static void Write(const char* key, const char* value) {
    ::WritePrivateProfileStringA("CONFIG", key, value, SettingsFilePath().c_str());
  }
  void Start() {
    frame = std::make_unique<CMainFrame>();
    frame->View().LoadSettings();
    ASSERT_TRUE(frame->Create());
    ::ShowWindow(frame->Hwnd(), SW_SHOW);
    ::SetWindowPos(View().Hwnd(), nullptr, 100, 100, 800, 500, SWP_NOZORDER);
    wt::Pump(50);
  }
  void RecordViewMouse() {
    g_seen.clear();
    g_viewProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(View().Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc)));
  }
  CPlayerView& View() { return frame->View(); }
  // A copy of a media file under another name (so that its extension picks the engine).
  std::string Copy(const std::string& media, const std::string& as) {
    std::string path = dir.File(as);
    EXPECT_TRUE(::CopyFileA(wt::MediaPath(media).c_str(), path.c_str(), FALSE)) << media;
    return path;
  }
  // The entry, followed by a sound, does not open, and the sound plays after it.
  void ExpectSkippedInTime(const std::string& path) {
    AddToPlaylist(path);
    AddToPlaylist(wt::MediaPath("tone.wav"));
    const ULONGLONG start = ::GetTickCount64();
    View().Start();
    EXPECT_LT(::GetTickCount64() - start, kRenderFileLimitMs + 3000);
    EXPECT_TRUE(View().IsLoaded());
    EXPECT_EQ(View().Selected(), EngineSelector::kNone);
    EXPECT_FALSE(View().QuickTimeHost().Shown());
    ASSERT_TRUE(wt::PumpUntil([&] { return NowPlaying() == wt::MediaPath("tone.wav"); }, 5000));
    EXPECT_EQ(View().Selected(), EngineSelector::kDirectShow);
  }
  void AddToPlaylist(const std::string& path) {
    ASSERT_TRUE(View().Files().AddEntry(View().Files().EntryForOpenPath(path))) << path;
  }
  std::string NowPlaying() { return View().Files().NowPlaying().name; }
  RECT OnScreen(const geo::Rect& r) {
    RECT s{r.left, r.top, r.right, r.bottom};
    ::MapWindowPoints(View().Hwnd(), nullptr, reinterpret_cast<POINT*>(&s), 2);
    return s;
  }
  bool WaitRealPlayerReady(unsigned ms = 6000) {
    return wt::PumpUntil([&] { return View().Selected() == EngineSelector::kRealPlayer && !View().RealPlayerNotReady(); },
                         ms);
  }

  CPlayerApp app;
  std::unique_ptr<CMainFrame> frame;
  wt::TempDir dir{"standins"};
};

}  // namespace

TEST_F(EngineStandIns, QuickTimePlaysAnMp4InItsHostInTheMoviesTimeScale) {
  Start();
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("clip.mp4")));
  ASSERT_EQ(View().Selected(), EngineSelector::kQuickTime);
  EXPECT_FALSE(View().IsAudioOnly());
  // ffmpeg writes a movie header in thousandths of a second.
  EXPECT_EQ(View().UnitsPerSecond(), 1000);
  EXPECT_EQ(View().Latest(), 3000);
  EXPECT_EQ(View().TotalSeconds(), 3);
  EXPECT_EQ(View().OutputRect(), (geo::Rect{0, 25, 800, 475}));  // 16:9 in 800 × 500
  // The host covers the view from its corner to the movie's bottom-right corner.
  const CQuickTimeHost& host = View().QuickTimeHost();
  ASSERT_TRUE(host.Shown());
  EXPECT_EQ(::GetDlgItem(View().Hwnd(), CQuickTimeHost::kControlId), host.Hwnd());
  RECT hostRect = wt::WindowRect(host.Hwnd());
  ::MapWindowPoints(nullptr, View().Hwnd(), reinterpret_cast<POINT*>(&hostRect), 2);
  EXPECT_EQ((geo::Rect{hostRect.left, hostRect.top, hostRect.right, hostRect.bottom}), (geo::Rect{0, 0, 800, 475}));
  EXPECT_EQ(wt::WindowText(View().Hwnd()), "clip.mp4");
  ASSERT_TRUE(wt::PumpUntil([&] { return View().CurrentSeconds() >= 1; }, 4000));
  EXPECT_GT(ScreenColours(OnScreen(View().OutputRect())), 20u);
  // It ends by itself; outside the playlist the player stops.
  ASSERT_TRUE(wt::PumpUntil([&] { return !View().IsLoaded(); }, 6000));
  EXPECT_FALSE(host.Shown());
  EXPECT_FALSE(::IsWindowVisible(host.Hwnd()));
}

TEST_F(EngineStandIns, QuickTimeSeeksPausesAndTakesTheVolume) {
  Start();
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("long.mp4")));
  ASSERT_EQ(View().Selected(), EngineSelector::kQuickTime);
  EXPECT_EQ(View().TotalSeconds(), 30);
  const std::int64_t second = View().UnitsPerSecond();
  View().SeekBy(10);
  EXPECT_NEAR(static_cast<double>(View().CurrentPosition()), 10.0 * second, 1.0 * second);
  View().TogglePause();
  const std::int64_t held = View().CurrentPosition();
  wt::Pump(500);
  EXPECT_NEAR(static_cast<double>(View().CurrentPosition()), static_cast<double>(held), 0.1 * second);
  View().TogglePause();
  ASSERT_TRUE(wt::PumpUntil([&] { return View().CurrentPosition() > held + second / 4; }, 3000));
  View().SetVolume(0.0);
  View().SetVolume(1.0);
  View().SeekBy(100);
  EXPECT_EQ(View().CurrentPosition(), View().Latest());
  ASSERT_TRUE(wt::PumpUntil([&] { return !View().IsLoaded(); }, 3000));
}

TEST_F(EngineStandIns, QuickTimeMovAudioAndPictureEntries) {
  Start();
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("clip.mov")));
  ASSERT_EQ(View().Selected(), EngineSelector::kQuickTime);
  EXPECT_EQ(View().TotalSeconds(), 3);
  ASSERT_TRUE(wt::PumpUntil([&] { return View().CurrentPosition() > 0; }, 3000));

  // An audio-list entry shows no picture.
  View().FileList().OpenPath(fw::Widen(Copy("long.mp4", "music.mp3")));
  ASSERT_EQ(View().Selected(), EngineSelector::kQuickTime);
  EXPECT_TRUE(View().IsAudioOnly());
  EXPECT_EQ(View().OutputRect(), geo::Rect{});

  // A picture-list entry stands at its first frame.
  View().FileList().OpenPath(fw::Widen(Copy("clip.mov", "still.qpic")));
  ASSERT_EQ(View().Selected(), EngineSelector::kQuickTime);
  EXPECT_TRUE(View().IsPaused());
  wt::Pump(1000);
  EXPECT_EQ(View().CurrentPosition(), 0);
  EXPECT_GT(ScreenColours(OnScreen(View().OutputRect())), 20u);
}

TEST_F(EngineStandIns, AFileThatIsNoMovieIsSkippedLikeAFailedOpen) {
  Start();
  ExpectSkippedInTime(Copy("random.avi", "noise.junk"));
}

TEST_F(EngineStandIns, ACorruptMovieIsGivenUpInTimeAndSkipped) {
  // A whole header before noise, which the parser would wait on for ever.
  wt::RunInChildProcess([this] {
    Start();
    ExpectSkippedInTime(Copy("corrupt.avi", "corrupt.junk"));
  });
}

TEST_F(EngineStandIns, AQuickTimeFileInADeepJapaneseFolderPlays) {
  // Under MAX_PATH in characters, over the movie name's 255 bytes: the file goes by its short path.
  std::string folder = dir.File("");
  for (const char* name : {"音楽と動画の保存用フォルダその一", "音楽と動画の保存用フォルダその二",
                           "音楽と動画の保存用フォルダその三", "音楽と動画の保存用フォルダその四",
                           "音楽と動画の保存用フォルダその五", "音楽と動画の保存用フォルダその六",
                           "音楽と動画の保存用フォルダその七", "音楽と動画の保存用フォルダその八"}) {
    folder += name;
    ASSERT_TRUE(::CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    folder += "\\";
  }
  const std::string path = folder + "表示テスト.mp4";
  ASSERT_GT(path.size(), 255u);
  ASSERT_TRUE(::CopyFileA(wt::MediaPath("clip.mp4").c_str(), path.c_str(), FALSE));
  Start();
  View().FileList().OpenPath(fw::Widen(path));
  ASSERT_EQ(View().Selected(), EngineSelector::kQuickTime);
  EXPECT_EQ(View().Latest(), 3000);
  ASSERT_TRUE(wt::PumpUntil([&] { return View().CurrentSeconds() >= 1; }, 4000));
}

// The host hands its window's messages to QuickTime first: the controller is given an update, a key and an
// activation event, as the stand-in's event log shows.
TEST_F(EngineStandIns, TheQuickTimeHostHandsItsMessagesToTheController) {
  using Events = const char*(*)();
  Start();
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("long.mp4")));
  ASSERT_EQ(View().Selected(), EngineSelector::kQuickTime);
  const HMODULE standIn = ::GetModuleHandleA("QuickTime.qts");
  ASSERT_NE(standIn, nullptr);
  const auto events = reinterpret_cast<Events>(reinterpret_cast<void*>(::GetProcAddress(standIn, "StandInEvents")));
  ASSERT_NE(events, nullptr);
  const HWND host = View().QuickTimeHost().Hwnd();
  const struct {
    UINT msg;
    const char* event;
  } messages[] = {{WM_PAINT, "6;"}, {WM_KEYDOWN, "3;"}, {WM_ACTIVATE, "8;"}};
  for (const auto& m : messages) {
    SCOPED_TRACE(m.msg);
    const std::string before = events();
    if (m.msg == WM_PAINT) {
      ::InvalidateRect(host, nullptr, FALSE);
      ::UpdateWindow(host);
    } else {
      ::SendMessageA(host, m.msg, m.msg == WM_KEYDOWN ? 'X' : WA_ACTIVE, 0);
    }
    const std::string after = events();
    EXPECT_NE(after, before) << "no event reached the controller";
    EXPECT_TRUE(after.ends_with(m.event)) << after.substr(after.size() > 20 ? after.size() - 20 : 0);
  }
}

TEST_F(EngineStandIns, TheQuickTimeHostHandsTheMouseToTheView) {
  Start();
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("long.mp4")));
  ASSERT_EQ(View().Selected(), EngineSelector::kQuickTime);
  RecordViewMouse();
  HWND host = View().QuickTimeHost().Hwnd();
  for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_MBUTTONDOWN, WM_MBUTTONDBLCLK, WM_RBUTTONUP})
    ::SendMessageA(host, msg, 0, MAKELPARAM(120, 90));
  ::SendMessageA(host, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(300, 300));
  ASSERT_EQ(g_seen.size(), 6u);  // not the right button
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(g_seen[i].lp, MAKELPARAM(120, 90)) << i;
  EXPECT_EQ(g_seen[5].msg, static_cast<UINT>(WM_MOUSEWHEEL));
  // The video window is disabled, so the mouse over the picture falls through to the host.
  HWND video = ::GetWindow(host, GW_CHILD);
  ASSERT_NE(video, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(video));
  EXPECT_EQ(::ChildWindowFromPointEx(host, {400, 250}, CWP_SKIPDISABLED), host);
}

TEST_F(EngineStandIns, RealPlayerPlaysAnAviWaitingForItsStart) {
  Start();
  View().FileList().OpenPath(fw::Widen(Copy("clip.avi", "clip.real")));
  ASSERT_EQ(View().Selected(), EngineSelector::kRealPlayer);
  EXPECT_TRUE(View().RealPlayerNotReady());
  CRealAudio* control = View().RealPlayerControl();
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(::GetDlgItem(View().Hwnd(), CRealAudio::kControlId), control->Hwnd());
  ASSERT_TRUE(WaitRealPlayerReady());
  EXPECT_EQ(View().UnitsPerSecond(), 1000);
  EXPECT_NEAR(static_cast<double>(View().Latest()), 3000.0, 100.0);
  EXPECT_EQ(View().TotalSeconds(), 3);
  EXPECT_EQ(View().OutputRect(), (geo::Rect{67, 0, 733, 500}));  // 4:3 in 800 × 500
  EXPECT_TRUE(::IsWindowVisible(control->Hwnd()));
  RECT r = wt::WindowRect(control->Hwnd());
  ::MapWindowPoints(nullptr, View().Hwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ((geo::Rect{r.left, r.top, r.right, r.bottom}), View().OutputRect());
  ASSERT_TRUE(wt::PumpUntil([&] { return View().CurrentSeconds() >= 1; }, 3000));
  EXPECT_GT(ScreenColours(OnScreen(View().OutputRect())), 20u);
  // The control's end (position 0 and the end flag) ends the entry.
  ASSERT_TRUE(wt::PumpUntil([&] { return !View().IsLoaded(); }, 6000));
  EXPECT_EQ(View().RealPlayerControl(), nullptr);
  EXPECT_EQ(::GetDlgItem(View().Hwnd(), CRealAudio::kControlId), nullptr);
}

TEST_F(EngineStandIns, ABrokenRealPlayerFileNeitherHoldsTheInterfaceNorOutlastsTheStartLimit) {
  // A whole header before noise: the render waits on it for as long as it is let.
  wt::RunInChildProcess([this] {
    Start();
    AddToPlaylist(Copy("corrupt.avi", "corrupt.real"));
    AddToPlaylist(wt::MediaPath("tone.wav"));
    const ULONGLONG start = ::GetTickCount64();
    View().Start();
    EXPECT_LT(::GetTickCount64() - start, 1000u);
    EXPECT_EQ(View().Selected(), EngineSelector::kRealPlayer);
    // The messages keep going while the control waits on the file, until the entry is given up.
    ULONGLONG last = ::GetTickCount64(), longest = 0;
    ASSERT_TRUE(wt::PumpUntil(
        [&] {
          const ULONGLONG now = ::GetTickCount64();
          longest = std::max(longest, now - last);
          last = now;
          return View().Selected() != EngineSelector::kRealPlayer;
        },
        12000));
    EXPECT_LT(longest, 1000u);
    EXPECT_LE(::GetTickCount64() - start, CPlayerView::kRealPlayerStartLimitMs + 1000);
    ASSERT_TRUE(wt::PumpUntil([&] { return NowPlaying() == wt::MediaPath("tone.wav"); }, 5000));
  });
}

TEST_F(EngineStandIns, RealPlayerSeeksAndPauses) {
  Start();
  View().FileList().OpenPath(fw::Widen(Copy("long.avi", "long.real")));
  ASSERT_TRUE(WaitRealPlayerReady());
  EXPECT_EQ(View().TotalSeconds(), 10);
  View().SeekBy(5);
  EXPECT_NEAR(static_cast<double>(View().CurrentPosition()), 5000.0, 1000.0);
  View().TogglePause();
  const std::int64_t held = View().CurrentPosition();
  wt::Pump(500);
  EXPECT_NEAR(static_cast<double>(View().CurrentPosition()), static_cast<double>(held), 100.0);
  View().TogglePause();
  ASSERT_TRUE(wt::PumpUntil([&] { return View().CurrentPosition() > held + 250; }, 3000));
}

// What the control was told, from the stand-in's call log: the setup at its creation (two properties put,
// four settings called) before the source, the volume as the wave-out level makes it, and the stop before
// the control goes; no call of the wrong kind.
TEST_F(EngineStandIns, RealPlayerIsSetUpGivenItsVolumeAndStoppedBeforeItGoes) {
  using Calls = const wchar_t*(WINAPI*)();
  auto log = [] {
    const HMODULE standIn = ::GetModuleHandleA(CRealAudio::kStandInFile);
    if (!standIn) return std::wstring();
    const auto calls = reinterpret_cast<Calls>(reinterpret_cast<void*>(::GetProcAddress(standIn, "StandInCalls")));
    return std::wstring(calls ? calls() : L"");
  };
  Start();
  const std::size_t from = log().size();
  View().FileList().OpenPath(fw::Widen(Copy("long.avi", "calls.real")));
  ASSERT_TRUE(WaitRealPlayerReady());
  View().SetVolume(0.3);  // the wave-out volume is full under Wine: level 30 of 102, the control's 28
  View().Stop();
  ASSERT_EQ(View().RealPlayerControl(), nullptr);
  const std::wstring calls = log().substr(from);
  EXPECT_EQ(calls.find(L"put 104=imagewindow;put 103=_unique;call 277=0;call 305=1;call 307=1;call 235=0;put 102="), 0u)
      << std::string(calls.begin(), calls.end());
  EXPECT_NE(calls.find(L"call 229=0;call 227=28;"), std::wstring::npos);
  const std::size_t gone = calls.find(L"destroy;");
  ASSERT_NE(gone, std::wstring::npos);
  EXPECT_TRUE(calls.substr(0, gone).ends_with(L"call 202;")) << "stopped before it is destroyed";
  EXPECT_EQ(calls.find(L"refused"), std::wstring::npos);
}

// Wine keeps a volume per wave-out handle, so the volume given back at the end cannot be seen from
// another handle here; what the wrapper reads is.
TEST_F(EngineStandIns, RealPlayerReadsTheWaveVolumeWhenItIsMade) {
  Start();
  View().FileList().OpenPath(fw::Widen(Copy("long.avi", "vol.real")));
  CRealAudio* control = View().RealPlayerControl();
  ASSERT_NE(control, nullptr);
  EXPECT_TRUE(control->WaveVolume().Read());
  EXPECT_EQ(control->WaveVolume().Left(), 0xFFFFu);
  EXPECT_EQ(control->WaveVolume().Right(), 0xFFFFu);
  View().SetVolume(0.0);
  View().SetVolume(1.0);
  ASSERT_TRUE(WaitRealPlayerReady());
}

// The order at the end of a clip: the control stops and is destroyed while the wave-out volume is still
// held, and the volume is given back (its handle closed) only after the control has gone.
namespace {
WNDPROC g_controlProc = nullptr;
HWAVEOUT g_waveDevice = nullptr;
bool g_waveHeldAtDestroy = false;
LRESULT CALLBACK NoteWaveAtDestroy(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    DWORD volume = 0;
    g_waveHeldAtDestroy = ::waveOutGetVolume(g_waveDevice, &volume) == MMSYSERR_NOERROR;
  }
  return ::CallWindowProcA(g_controlProc, hwnd, msg, wp, lp);
}
}  // namespace

TEST_F(EngineStandIns, RealPlayerGivesTheWaveVolumeBackAfterTheControlHasGone) {
  Start();
  View().FileList().OpenPath(fw::Widen(Copy("long.avi", "order.real")));
  CRealAudio* control = View().RealPlayerControl();
  ASSERT_NE(control, nullptr);
  g_waveDevice = control->WaveVolume().Device();
  ASSERT_NE(g_waveDevice, nullptr);
  g_waveHeldAtDestroy = false;
  g_controlProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
      control->Hwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NoteWaveAtDestroy)));
  View().Stop();
  EXPECT_EQ(View().RealPlayerControl(), nullptr);
  EXPECT_TRUE(g_waveHeldAtDestroy);
  DWORD volume = 0;
  EXPECT_EQ(::waveOutGetVolume(g_waveDevice, &volume), static_cast<MMRESULT>(MMSYSERR_INVALHANDLE));
}

// Only a class that is not registered is taken from the stand-in beside the program: a registered
// control that fails to load is that failure, and the entry is skipped like any failed open.
TEST_F(EngineStandIns, ARegisteredRealPlayerThatCannotBeLoadedIsNotReplacedByTheStandIn) {
  Start();
  const char* key = "Software\\Classes\\CLSID\\{CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA}";
  HKEY server = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(key) + "\\InprocServer32").c_str(), 0, nullptr, 0,
                              KEY_WRITE, nullptr, &server, nullptr),
            ERROR_SUCCESS);
  const char missing[] = "C:\\nowhere\\missing-real-control.dll";
  ::RegSetValueExA(server, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(missing), sizeof missing);
  ::RegCloseKey(server);
  CRealAudio control;
  const bool made = control.Create({0, 0, 1, 1}, View().Hwnd());
  ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, key);
  EXPECT_FALSE(made);
  EXPECT_TRUE(FAILED(control.CreateResult()));
  EXPECT_NE(control.CreateResult(), REGDB_E_CLASSNOTREG);
  EXPECT_FALSE(control.HasControl());

  // Unregistered again: the stand-in serves.
  CRealAudio standIn;
  EXPECT_TRUE(standIn.Create({0, 0, 1, 1}, View().Hwnd()));
}

TEST_F(EngineStandIns, TheRealPlayerControlHandsItsMouseToTheView) {
  Start();
  View().FileList().OpenPath(fw::Widen(Copy("long.avi", "mouse.real")));
  ASSERT_TRUE(WaitRealPlayerReady());
  HWND control = View().RealPlayerControl()->ControlWindow();
  ASSERT_NE(control, nullptr);
  RecordViewMouse();
  ::PostMessageA(control, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 6));
  ::PostMessageA(control, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 6));
  ::PostMessageA(control, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(500, 400));
  ASSERT_TRUE(app.PumpPending());  // through the program's message pre-translation
  ASSERT_EQ(g_seen.size(), 2u);
  const geo::Rect& out = View().OutputRect();
  EXPECT_EQ(g_seen[0].msg, static_cast<UINT>(WM_LBUTTONDOWN));
  EXPECT_EQ(g_seen[0].lp, MAKELPARAM(out.left + 5, out.top + 6));  // in the view's coordinates
  EXPECT_EQ(g_seen[1].msg, static_cast<UINT>(WM_MOUSEWHEEL));
  EXPECT_EQ(g_seen[1].lp, MAKELPARAM(500, 400));
}

TEST_F(EngineStandIns, RealMediaNeverStartsUnderWineAndIsGivenUpAfterTheWait) {
  // Wine 8 renders an rm file but never decodes it: the clip never reports started.
  Start();
  AddToPlaylist(wt::MediaPath("clip.rm"));
  AddToPlaylist(wt::MediaPath("tone.wav"));
  const ULONGLONG start = ::GetTickCount64();
  View().Start();
  ASSERT_EQ(View().Selected(), EngineSelector::kRealPlayer);
  ASSERT_TRUE(wt::PumpUntil([&] { return View().Selected() != EngineSelector::kRealPlayer; }, 12000));
  const ULONGLONG gaveUp = ::GetTickCount64() - start;
  EXPECT_GE(gaveUp, CPlayerView::kRealPlayerStartLimitMs);
  EXPECT_EQ(View().RealPlayerControl(), nullptr);
  ASSERT_TRUE(wt::PumpUntil([&] { return NowPlaying() == wt::MediaPath("tone.wav"); }, 4000));
}

TEST_F(EngineStandIns, UnderWineVideoGoesThroughTheGdiRenderer) {
  ASSERT_TRUE(NeedsGdiVideoRenderer());
  Start();
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("clip.avi")));
  ASSERT_EQ(View().Selected(), EngineSelector::kDirectShow);
  EXPECT_TRUE(View().DirectShow().UsesGdiRenderer());
  fw::ComPtr<IBaseFilter> renderer;
  ASSERT_EQ(View().DirectShow().Graph()->FindFilterByName(L"Video Renderer", renderer.Put()), S_OK);
  CLSID clsid{};
  renderer->GetClassID(&clsid);
  EXPECT_TRUE(clsid == kClsidGdiVideoRenderer);
  // A graph without video does not keep it, so it has no video window.
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("tone.wav")));
  EXPECT_TRUE(View().IsAudioOnly());
  EXPECT_FALSE(View().DirectShow().UsesGdiRenderer());
  EXPECT_NE(View().DirectShow().Graph()->FindFilterByName(L"Video Renderer", renderer.Put()), S_OK);
}

TEST(ControlHost, AClassThatCannotBeCreatedLeavesNothing) {
  fw::OleScope ole;
  const CLSID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
  for (const char* local : {static_cast<const char*>(nullptr), "Z:\\no\\such.dll"}) {
    fw::ControlHost host;
    EXPECT_FALSE(SUCCEEDED(host.CreateControl(unknown, "", WS_CHILD, {0, 0, 10, 10}, ::GetDesktopWindow(), 2, local)));
    EXPECT_FALSE(host.Exists());
    EXPECT_FALSE(host.HasControl());
    EXPECT_EQ(host.CallMethod(257, nullptr, nullptr), E_NOINTERFACE);
  }
}

// Files named outside the code page: DirectShow, the RealPlayer control and pictures open the wide path;
// QuickTime, which takes code-page names, gets the short one.
TEST_F(EngineStandIns, EveryEngineOpensAFileNamedOutsideTheCodePage) {
  Write("EXT_PICTURE", "jpg(p)");
  Start();
  const std::wstring folder = fw::Widen(dir.Path()) + L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC\\";
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  auto copy = [&](const char* media, const std::wstring& as) {
    const std::wstring path = folder + as;
    EXPECT_TRUE(::CopyFileW(fw::Widen(wt::MediaPath(media)).c_str(), path.c_str(), FALSE)) << media;
    EXPECT_FALSE(fw::Narrow(path).exact);
    return path;
  };
  struct Case {
    const char* media;
    std::wstring name;
    EngineSelector engine;
  } const cases[] = {
      {"clip.avi", L"\xD83C\xDFB5 clip.avi", EngineSelector::kDirectShow},
      {"clip.mp4", L"Caf\u00E9 del Mar.mp4", EngineSelector::kQuickTime},
      {"clip.avi", L"\uD55C\uAD6D\uC5B4 \uB178\uB798.real", EngineSelector::kRealPlayer},
      {"pic.jpg", L"\u00DCn\u00EFc\u00F6d\u00E9 \u2713.jpg", EngineSelector::kPicture},
  };
  for (const Case& c : cases) {
    const std::wstring path = copy(c.media, c.name);
    View().FileList().OpenPath(path);
    EXPECT_EQ(View().Selected(), c.engine) << c.media;
    EXPECT_EQ(View().Files().NowPlaying().widePath, path) << c.media;
    if (c.engine == EngineSelector::kRealPlayer) EXPECT_TRUE(WaitRealPlayerReady()) << "the control rendered the file";
    if (c.engine != EngineSelector::kPicture)
      EXPECT_TRUE(wt::PumpUntil([&] { return View().CurrentSeconds() >= 1; }, 4000)) << c.media << " plays";
    else
      EXPECT_TRUE(View().Picture().IsLoaded());
  }
}
