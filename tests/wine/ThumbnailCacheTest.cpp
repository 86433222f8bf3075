#include "browser/ThumbnailCache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "framework/CodePage.h"
#include "framework/MutexLock.h"
#include "wine/Pixels.h"
#include "wine/WineSupport.h"

namespace {

constexpr UINT kNotice = WM_APP + 7;

// Holds the picture decoders' turn, so that a decode of the cache waits (up to 3 s) for it.
struct DecodeTurnHeld {
  fw::MutexLock lock{"TN_CPICT", INFINITE};
};

class ThumbnailCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_row = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 36, nullptr, nullptr, nullptr, nullptr);
    m_cache.SetNotifyWindow(m_row, kNotice);
  }
  void TearDown() override { ::DestroyWindow(m_row); }

  std::shared_ptr<const fw::Bitmap> Get(const std::string& path) { return m_cache.Get(m_row, fw::Widen(path), 44, 36); }
  // The message loop of the file list window: on each notice it takes the finished paths.
  std::vector<std::string> Finished(std::size_t count, DWORD timeoutMs = 30000) {
    std::vector<std::string> all;
    for (const DWORD start = ::GetTickCount(); all.size() < count && ::GetTickCount() - start < timeoutMs;) {
      for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
        if (msg.message != kNotice) {
          ::DispatchMessageA(&msg);
          continue;
        }
        for (const std::wstring& p : m_cache.TakeFinished()) all.push_back(fw::Narrow(p).text);
      }
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return all;
  }
  std::string Solid(int i, COLORREF c = RGB(200, 30, 40)) {
    std::string path = m_dir.File(std::to_string(i) + ".bmp");
    EXPECT_TRUE(wt::WriteFile(path, wt::SolidBmp24(8, 8, c))) << "could not write a test file";
    return path;
  }

  HWND m_row = nullptr;
  wt::TempDir m_dir{"thumbs"};
  CThumbnailCache m_cache;
};

// The centre and corner colours of a thumbnail, and whether all its pixels are alike.
struct Look {
  COLORREF centre, corner;
  bool uniform;
};
Look LookAt(const fw::Bitmap& thumb) {
  wt::PixelTarget t(44, 36);
  fw::MemoryDC dc(t.Dc());
  fw::SelectGuard select(dc.Get(), thumb.Get());
  ::BitBlt(t.Dc(), 0, 0, 44, 36, dc.Get(), 0, 0, SRCCOPY);
  return {t.At(22, 18), t.At(43, 35), t.AllAre({0, 0, 44, 36}, t.At(0, 0))};
}

std::atomic<int> g_passes, g_priority;
std::atomic<HRESULT> g_com;
void RecordPass(void*) {
  g_priority = ::GetThreadPriority(::GetCurrentThread());
  HRESULT hr = ::CoInitialize(nullptr);  // S_FALSE: the thread has COM already
  if (SUCCEEDED(hr)) ::CoUninitialize();
  g_com = hr;
  ++g_passes;
  ::Sleep(5);
}

}  // namespace

TEST(WorkerThread, RunsItsPassAtIdlePriorityWithComFromStartOrResumeUntilStopped) {
  CWorkerThread w;
  EXPECT_FALSE(w.Start(nullptr, nullptr, 100, false));
  ASSERT_TRUE(w.Start(&RecordPass, nullptr, 100, true));
  EXPECT_FALSE(w.Start(&RecordPass, nullptr, 100, false)) << "already running";
  ::Sleep(300);
  EXPECT_EQ(g_passes, 0) << "started paused";
  w.Resume();
  ASSERT_TRUE(wt::WaitUntil([] { return g_passes >= 3; }, 5000));
  EXPECT_EQ(g_priority, THREAD_PRIORITY_IDLE);
  EXPECT_EQ(g_com, S_FALSE);
  w.Stop();
  EXPECT_FALSE(w.IsRunning());
  const int passes = g_passes;
  ::Sleep(200);
  EXPECT_EQ(g_passes, passes);
  EXPECT_TRUE(w.Start(&RecordPass, nullptr, 100, false)) << "can start again after a stop";
}

TEST_F(ThumbnailCacheTest, MakesEachAskedPictureOnceStretchedOrUnpaintedAndReportsIt) {
  const std::string red = Solid(0), pic = wt::MediaPath("pic.jpg"), broken = wt::MediaPath("broken.jpg");
  const std::string all[] = {red, pic, broken, wt::MediaPath("wide.bmp"), wt::MediaPath("tall.jpg")};
  for (int round = 0; round < 2; ++round)
    for (const std::string& p : all) EXPECT_EQ(Get(p), nullptr) << p;
  std::vector<std::string> finished = Finished(5);
  EXPECT_TRUE(Finished(1, 700).empty()) << "asked twice, made once";
  for (const std::string& p : all) {
    EXPECT_EQ(std::count(finished.begin(), finished.end(), p), 1) << p;
    auto thumb = Get(p);
    ASSERT_TRUE(thumb) << p;
    EXPECT_EQ(thumb, Get(p));
    BITMAP info{};
    ASSERT_TRUE(::GetObjectA(thumb->Get(), sizeof info, &info));
    EXPECT_EQ(info.bmWidth * 100 + info.bmHeight, 4436);
  }
  Look solid = LookAt(*Get(red));
  EXPECT_EQ(solid.centre, RGB(200, 30, 40));
  EXPECT_EQ(solid.corner, RGB(200, 30, 40)) << "stretched over the whole bitmap";
  EXPECT_FALSE(LookAt(*Get(pic)).uniform);
  EXPECT_TRUE(LookAt(*Get(broken)).uniform) << "an undecodable picture is cached unpainted";
}

TEST_F(ThumbnailCacheTest, AnswersAtOnceWhileAPictureIsDecodedAndKeepsOnlyTheNewest32Requests) {
  std::vector<std::string> later;
  for (int i = 1; i <= 33; ++i) later.push_back(Solid(i));
  {
    DecodeTurnHeld held;
    Get(Solid(0));
    ASSERT_TRUE(wt::WaitUntil([&] { return m_cache.PendingCount() == 0; }, 5000));
    // The thread now waits for the decode turn; the rows' asking does not wait for it.
    for (const std::string& p : later) EXPECT_EQ(Get(p), nullptr);
    EXPECT_EQ(m_cache.PendingCount(), 32u);
    EXPECT_TRUE(m_cache.TakeFinished().empty()) << "the first decode is still waiting";
  }
  std::vector<std::string> finished = Finished(33);
  ASSERT_EQ(finished.size(), 33u);
  EXPECT_EQ(finished[1], later[32]) << "newest first";
  EXPECT_EQ(finished[32], later[1]) << "the oldest of 33 was dropped";
  EXPECT_EQ(Get(later[0]), nullptr);
  EXPECT_EQ(Finished(1), std::vector<std::string>{later[0]}) << "and is made when asked for again";
}

TEST_F(ThumbnailCacheTest, StopWaitsForThePictureBeingMadeAndItsBitmapOutlivesTheCache) {
  const std::string pic = wt::MediaPath("pic.jpg");
  std::shared_ptr<const fw::Bitmap> kept;
  {
    CThumbnailCache cache;
    cache.SetNotifyWindow(m_row, kNotice);
    DecodeTurnHeld held;
    EXPECT_EQ(cache.Get(m_row, fw::Widen(pic), 44, 36), nullptr);
    ASSERT_TRUE(wt::WaitUntil([&] { return cache.PendingCount() == 0; }, 5000));
    cache.Stop();  // the decode goes on once its wait for the turn times out
    EXPECT_FALSE(cache.IsRunning());
    kept = cache.Get(m_row, fw::Widen(pic), 44, 36);
    ASSERT_TRUE(kept) << "the picture in flight was finished and filed before the thread ended";
    EXPECT_EQ(cache.TakeFinished(), std::vector<std::wstring>{fw::Widen(pic)});
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, m_row, kNotice, kNotice, PM_REMOVE));
    EXPECT_EQ(cache.Get(m_row, fw::Widen(wt::MediaPath("tall.jpg")), 44, 36), nullptr) << "asking after the stop is harmless";
  }
  BITMAP info{};
  EXPECT_TRUE(::GetObjectA(kept->Get(), sizeof info, &info)) << "a bitmap still held is not deleted";
}
