// The DirectShow engine and the picture loader on real media made by ffmpeg at build time.
#include <gtest/gtest.h>

#include <thread>

#include "framework/CodePage.h"
#include "framework/PictureFile.h"
#include "playback/DirectShowEngine.h"
#include "wine/WineSupport.h"

namespace {

constexpr std::int64_t kSecond = CDirectShowEngine::kUnitsPerSecond;

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(com.Ok());
    host = ::CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 640, 480, nullptr,
                             nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
  }
  void TearDown() override { ::DestroyWindow(host); }

  // Builds and runs a graph; the range comes back in earliest/latest.
  void Open(CDirectShowEngine& e, const std::string& name, bool& audioOnly) {
    ASSERT_EQ(e.BuildGraph(fw::Widen(wt::MediaPath(name)), host, audioOnly), S_OK) << name << ": " << e.LastDiagnostic();
    ASSERT_EQ(e.Run(earliest, latest), S_OK) << e.LastDiagnostic();
  }
  int ChildWindows() const {
    int n = 0;
    ::EnumChildWindows(host, [](HWND, LPARAM lp) { ++*reinterpret_cast<int*>(lp); return TRUE; },
                       reinterpret_cast<LPARAM>(&n));
    return n;
  }

  fw::ComScope com;
  HWND host = nullptr;
  std::int64_t earliest = -1, latest = -1;
};

}  // namespace

TEST_F(EngineTest, AviAndMp4PlayInAVideoWindowOfTheView) {
  struct Case {
    const char* name;
    long w, h;
  } const cases[] = {{"clip.avi", 320, 240}, {"clip.mp4", 640, 360}};
  for (const Case& c : cases) {
    CDirectShowEngine e;
    bool audioOnly = true;
    Open(e, c.name, audioOnly);
    EXPECT_FALSE(audioOnly) << c.name;
    long w = 0, h = 0;
    EXPECT_EQ(e.NaturalSize(w, h), S_OK);
    EXPECT_EQ(w, c.w);
    EXPECT_EQ(h, c.h);
    EXPECT_EQ(e.PlaceOutput({0, 60, 640, 420}, true), S_OK);
    EXPECT_GE(ChildWindows(), 1) << "the video window is a child of the view";
    EXPECT_EQ(earliest, 0);
    EXPECT_NEAR(static_cast<double>(latest), 3.0 * kSecond, 0.2 * kSecond) << c.name;
    wt::Pump(600);
    EXPECT_GT(e.CurrentPosition(), 0) << c.name;
    e.Close();
    EXPECT_FALSE(e.HoldsGraph());
    EXPECT_EQ(ChildWindows(), 0);
  }
}

TEST_F(EngineTest, MusicHasNoVideoWindow) {
  for (const char* name : {"tone.mp3", "tone.wav"}) {
    CDirectShowEngine e;
    bool audioOnly = false;
    Open(e, name, audioOnly);
    EXPECT_TRUE(audioOnly) << name;
    EXPECT_EQ(ChildWindows(), 0);
    EXPECT_GT(latest, 2 * kSecond);
    wt::Pump(400);
    EXPECT_GT(e.CurrentPosition(), 0) << name;
    e.Close();
  }
}

TEST_F(EngineTest, WindowsMediaGoesThroughTheAsfReader) {
  CDirectShowEngine video;
  bool audioOnly = true;
  Open(video, "clip.wmv", audioOnly);
  EXPECT_FALSE(audioOnly);
  fw::ComPtr<IBaseFilter> reader;
  EXPECT_EQ(video.Graph()->FindFilterByName(L"ASF Reader", reader.Put()), S_OK);
  video.Close();

  CDirectShowEngine music;
  Open(music, "tone.wma", audioOnly);
  EXPECT_TRUE(audioOnly);
  EXPECT_EQ(music.Graph()->FindFilterByName(L"ASF Reader", reader.Put()), S_OK);
  music.Close();
}

TEST_F(EngineTest, SeekingAndTheEnd) {
  CDirectShowEngine e;
  bool audioOnly = false;
  Open(e, "clip.avi", audioOnly);

  e.SetPosition(2 * kSecond);
  wt::Pump(100);
  EXPECT_GE(e.CurrentPosition(), 2 * kSecond - kSecond / 5);
  EXPECT_FALSE(e.IsAtEnd(e.CurrentPosition(), latest));
  e.SetPosition(latest);
  EXPECT_TRUE(wt::PumpUntil(
      [&] {
        e.DrainEvents();
        return e.IsAtEnd(e.CurrentPosition(), latest);
      },
      3000));
  // Pausing and resuming at the end leaves the finished graph alone, and it still closes.
  e.Pause();
  e.Resume();
  e.SetVolume(0.5);
  e.SetVolume(0.0);
  e.Close();
  EXPECT_FALSE(e.HoldsGraph());
}

TEST_F(EngineTest, PausedAndResumedGraphsClose) {
  for (bool resumeFirst : {false, true}) {
    CDirectShowEngine e;
    bool audioOnly = false;
    Open(e, "clip.avi", audioOnly);
    wt::Pump(300);
    e.Pause();
    wt::Pump(100);
    if (resumeFirst) {
      e.Resume();
      wt::Pump(100);
    }
    e.Close();
    EXPECT_FALSE(e.HoldsGraph());
  }
  // Back from the end into the entry, it pauses and closes like any other.
  CDirectShowEngine e;
  bool audioOnly = false;
  Open(e, "clip.avi", audioOnly);
  e.SetPosition(latest);
  ASSERT_TRUE(wt::PumpUntil([&] { return e.IsAtEnd(e.CurrentPosition(), latest) && (e.DrainEvents(), true); }, 3000));
  e.SetPosition(kSecond);
  wt::Pump(200);
  e.Pause();
  e.Close();
  EXPECT_FALSE(e.HoldsGraph());
}

TEST_F(EngineTest, FilesNoFilterRendersFailWithTheirDiagnostic) {
  for (const char* name : {"random.avi", "empty.avi", "missing.avi"}) {
    CDirectShowEngine e;
    bool audioOnly = false;
    HRESULT hr = e.BuildGraph(fw::Widen(wt::MediaPath(name)), host, audioOnly);
    EXPECT_TRUE(FAILED(hr)) << name;
    EXPECT_EQ(std::string(e.LastDiagnostic()).rfind("FAILED(hr=0x", 0), 0u) << name;
    EXPECT_NE(std::string(e.LastDiagnostic()).find("in m_pGB->RenderFile(bstr, NULL)\n"), std::string::npos);
    e.Close();
    EXPECT_FALSE(e.HoldsGraph());
  }
}

TEST_F(EngineTest, ACutOffVideoStillComesToAnEnd) {
  CDirectShowEngine e;
  bool audioOnly = false;
  if (FAILED(e.BuildGraph(fw::Widen(wt::MediaPath("truncated.avi")), host, audioOnly))) {
    // Not renderable at all, which the player skips: then the failure is told and nothing is held.
    EXPECT_EQ(std::string(e.LastDiagnostic()).rfind("FAILED(hr=0x", 0), 0u);
    e.Close();
    EXPECT_FALSE(e.HoldsGraph());
    return;
  }
  ASSERT_EQ(e.Run(earliest, latest), S_OK);
  EXPECT_TRUE(wt::PumpUntil(
      [&] {
        e.DrainEvents();
        return e.IsAtEnd(e.CurrentPosition(), latest);
      },
      6000));
  e.Close();
}

TEST_F(EngineTest, TwentyOpensReleaseEveryGraphAndTheFile) {
  // Handle counts are no measure here: Wine's own DirectShow keeps registry handles of every graph it
  // has built (see the playback benchmark). What the engine holds is checked instead.
  wt::TempDir dir("graphs");
  const std::string copy = dir.File("copy.avi");
  ASSERT_TRUE(::CopyFileA(wt::MediaPath("clip.avi").c_str(), copy.c_str(), FALSE));
  CDirectShowEngine e;
  for (int i = 0; i < 20; ++i) {
    bool audioOnly = false;
    ASSERT_EQ(e.BuildGraph(fw::Widen(copy), host, audioOnly), S_OK);
    ASSERT_EQ(e.Run(earliest, latest), S_OK);
    wt::Pump(20);
    e.Close();
    ASSERT_FALSE(e.HoldsGraph());
    ASSERT_EQ(ChildWindows(), 0);
  }
  EXPECT_TRUE(::DeleteFileA(copy.c_str())) << "the last file played is still open";
}

TEST(PictureFile, DecodesPicturesAndRefusesWhatIsNotOne) {
  fw::ComScope com;
  CPictureFile p;
  ASSERT_TRUE(p.Load(wt::MediaPath("pic.jpg")));
  geo::Size s = p.GetSize();
  EXPECT_NEAR(s.cx, 10583, 2);  // 400 × 300 pixels in HIMETRIC at 96 dpi
  EXPECT_NEAR(s.cy, 7938, 2);
  ASSERT_TRUE(p.Load(wt::MediaPath("wide.bmp")));
  EXPECT_GT(p.GetSize().cx, 2 * p.GetSize().cy);

  // Rendered stretched into a rectangle of a memory bitmap.
  fw::WindowDC screen(nullptr);
  fw::MemoryDC dc(screen.Get());
  fw::Bitmap bmp(::CreateCompatibleBitmap(screen.Get(), 64, 64));
  fw::SelectGuard keep(dc.Get(), bmp.Get());
  RECT all{0, 0, 64, 64};
  ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  p.Render(dc.Get(), 8, 8, 56, 56);
  EXPECT_NE(::GetPixel(dc.Get(), 32, 20), RGB(0, 0, 0));
  EXPECT_EQ(::GetPixel(dc.Get(), 2, 2), RGB(0, 0, 0));

  wt::TempDir dir("pict");
  EXPECT_TRUE(wt::WriteFile(dir.File("empty.jpg"), "")) << "could not write a test file";
  for (std::string bad : {wt::MediaPath("broken.jpg"), wt::MediaPath("missing.jpg"), dir.File("empty.jpg")}) {
    EXPECT_FALSE(p.Load(bad)) << bad;
    EXPECT_FALSE(p.IsLoaded());
    EXPECT_EQ(p.GetSize(), (geo::Size{0, 0}));
  }
  p.Render(dc.Get(), 0, 0, 64, 64);  // empty: draws nothing
  EXPECT_TRUE(p.Free());
}

TEST(PictureFile, WaitsForAnotherDecodeButNotForEver) {
  fw::ComScope com;
  HANDLE other = ::CreateMutexA(nullptr, FALSE, "TN_CPICT");
  ASSERT_NE(other, nullptr);
  std::thread holder([other] {
    ::WaitForSingleObject(other, INFINITE);
    ::Sleep(4000);
    ::ReleaseMutex(other);
  });
  ::Sleep(100);
  CPictureFile p;
  DWORD start = ::GetTickCount();
  EXPECT_TRUE(p.Load(wt::MediaPath("pic.jpg")));
  DWORD waited = ::GetTickCount() - start;
  EXPECT_GE(waited, 2900u);
  EXPECT_LT(waited, 3900u);
  holder.join();
  ::CloseHandle(other);
}
