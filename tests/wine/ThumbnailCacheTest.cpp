#include "browser/ThumbnailCache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "wine/Pixels.h"
#include "wine/WineSupport.h"

namespace {

constexpr UINT kNotice = WM_APP + 7;

struct PassRecord {
  std::atomic<int> passes{0}, priority{0};
  std::atomic<HRESULT> com{E_FAIL};
};

void RecordPass(void* owner) {
  auto& r = *static_cast<PassRecord*>(owner);
  r.priority = ::GetThreadPriority(::GetCurrentThread());
  HRESULT hr = ::CoInitialize(nullptr);  // S_FALSE: the thread has COM already
  if (SUCCEEDED(hr)) ::CoUninitialize();
  r.com = hr;
  ++r.passes;
  ::Sleep(5);
}

// Holds the picture decoders' mutex on a thread of its own until Release, so that a decode waits.
class DecodeBlocker {
 public:
  DecodeBlocker() : m_thread([this] {
      HANDLE m = ::CreateMutexA(nullptr, FALSE, "TN_CPICT");
      ::WaitForSingleObject(m, INFINITE);
      m_holding = true;
      while (!m_release) ::Sleep(10);
      ::Sleep(m_delay);
      m_releasedAt = ::GetTickCount();
      ::ReleaseMutex(m);
      ::CloseHandle(m);
    }) {
    wt::WaitUntil([this] { return m_holding.load(); }, 5000);
  }
  ~DecodeBlocker() { Release(); }
  void Release() {
    m_release = true;
    if (m_thread.joinable()) m_thread.join();
  }
  // Lets go a little later, on its own thread.
  void ReleaseLater() {
    m_delay = 300;
    m_release = true;
  }
  DWORD ReleasedAt() const { return m_releasedAt; }

 private:
  std::atomic<bool> m_holding{false}, m_release{false};
  std::atomic<DWORD> m_delay{0};
  std::atomic<DWORD> m_releasedAt{0};
  std::thread m_thread;
};

class ThumbnailCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_row = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 36, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(m_row, nullptr);
    m_cache.SetNotifyWindow(m_row, kNotice);
  }
  void TearDown() override { ::DestroyWindow(m_row); }

  std::shared_ptr<const fw::Bitmap> Get(const std::string& path) {
    return m_cache.Get(m_row, path, CThumbnailCache::kWidth, CThumbnailCache::kHeight);
  }
  // Runs the message loop, taking the finished paths on each notice as the file list window would, until
  // `count` paths are reported.
  std::vector<std::string> Finished(std::size_t count, DWORD timeoutMs = 30000) {
    std::vector<std::string> all;
    const DWORD start = ::GetTickCount();
    while (all.size() < count && ::GetTickCount() - start < timeoutMs) {
      for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
        if (msg.hwnd != m_row || msg.message != kNotice) {
          ::DispatchMessageA(&msg);
          continue;
        }
        ++m_notices;
        for (std::string& p : m_cache.TakeFinished()) all.push_back(std::move(p));
      }
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return all;
  }
  std::string SolidPicture(int i, COLORREF c = RGB(200, 30, 40)) {
    std::string path = m_dir.File("solid" + std::to_string(i) + ".bmp");
    wt::WriteFile(path, wt::SolidBmp24(8, 8, c));
    return path;
  }

  HWND m_row = nullptr;
  int m_notices = 0;
  wt::TempDir m_dir{"thumbs"};
  CThumbnailCache m_cache;
};

// The colours of a thumbnail's pixels, read through a 44 × 36 surface.
struct Look {
  COLORREF centre, corner;
  bool uniform;
};
Look LookAt(const fw::Bitmap& thumb) {
  wt::PixelTarget t(CThumbnailCache::kWidth, CThumbnailCache::kHeight);
  fw::MemoryDC dc(t.Dc());
  fw::SelectGuard select(dc.Get(), thumb.Get());
  ::BitBlt(t.Dc(), 0, 0, t.Width(), t.Height(), dc.Get(), 0, 0, SRCCOPY);
  RECT all{0, 0, t.Width(), t.Height()};
  return {t.At(22, 18), t.At(t.Width() - 1, t.Height() - 1), t.AllAre(all, t.At(0, 0))};
}

}  // namespace

TEST(WorkerThread, RunsItsPassAtIdlePriorityWithComFromStartOrResumeUntilStopped) {
  PassRecord r;
  CWorkerThread w;
  EXPECT_FALSE(w.Start(nullptr, &r, 100, false));
  EXPECT_FALSE(w.IsRunning());
  ASSERT_TRUE(w.Start(&RecordPass, &r, 100, true));
  EXPECT_FALSE(w.Start(&RecordPass, &r, 100, false)) << "already running";
  ::Sleep(300);
  EXPECT_EQ(r.passes, 0) << "started paused";
  w.Resume();
  ASSERT_TRUE(wt::WaitUntil([&] { return r.passes >= 3; }, 5000));
  EXPECT_EQ(r.priority, THREAD_PRIORITY_IDLE);
  EXPECT_EQ(r.com, S_FALSE);
  w.Stop();
  EXPECT_FALSE(w.IsRunning());
  const int passes = r.passes;
  ::Sleep(200);
  EXPECT_EQ(r.passes, passes);
  w.Stop();
  EXPECT_TRUE(w.Start(&RecordPass, &r, 100, false)) << "can start again after a stop";
}

TEST_F(ThumbnailCacheTest, MakesEachAskedPictureOnceStretchedOrUnpaintedAndReportsIt) {
  const std::string red = SolidPicture(0), pic = wt::MediaPath("pic.jpg"), broken = wt::MediaPath("broken.jpg");
  const std::string all[] = {red, pic, broken, wt::MediaPath("wide.bmp"), wt::MediaPath("tall.jpg")};
  for (int round = 0; round < 2; ++round)
    for (const std::string& p : all) EXPECT_EQ(Get(p), nullptr) << p;
  std::vector<std::string> finished = Finished(5);
  ASSERT_EQ(finished.size(), 5u);
  EXPECT_TRUE(Finished(1, 700).empty()) << "asked twice, made once";
  EXPECT_GE(m_notices, 1);
  for (const std::string& p : all) EXPECT_EQ(std::count(finished.begin(), finished.end(), p), 1) << p;

  for (const std::string& p : all) {
    auto thumb = Get(p);
    ASSERT_TRUE(thumb) << p;
    EXPECT_EQ(thumb, Get(p));
    BITMAP info{};
    ASSERT_TRUE(::GetObjectA(thumb->Get(), sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 44);
    EXPECT_EQ(info.bmHeight, 36);
  }
  Look solid = LookAt(*Get(red)), photo = LookAt(*Get(pic)), bad = LookAt(*Get(broken));
  EXPECT_EQ(solid.centre, RGB(200, 30, 40));
  EXPECT_EQ(solid.corner, RGB(200, 30, 40)) << "stretched over the whole bitmap";
  EXPECT_FALSE(photo.uniform);
  EXPECT_TRUE(bad.uniform) << "an undecodable picture is cached unpainted";
  EXPECT_EQ(m_cache.PendingCount(), 0u);
}

TEST_F(ThumbnailCacheTest, AnswersAtOnceWhileAPictureIsDecodedAndKeepsOnlyTheNewest32Requests) {
  const std::string first = SolidPicture(0);
  std::vector<std::string> later;
  for (int i = 1; i <= 33; ++i) later.push_back(SolidPicture(i));
  {
    DecodeBlocker blocker;
    Get(first);
    ASSERT_TRUE(wt::WaitUntil([&] { return m_cache.PendingCount() == 0; }, 5000));
    // The thread now waits up to 3 s for the decode turn; the rows' asking does not wait for it.
    for (const std::string& p : later) EXPECT_EQ(Get(p), nullptr);
    EXPECT_EQ(m_cache.PendingCount(), 32u);
    EXPECT_TRUE(m_cache.TakeFinished().empty()) << "the first decode is still waiting";
  }
  std::vector<std::string> finished = Finished(33);
  ASSERT_EQ(finished.size(), 33u);
  EXPECT_EQ(finished[0], first);
  EXPECT_EQ(finished[1], later[32]) << "newest first";
  EXPECT_EQ(finished[32], later[1]);
  EXPECT_EQ(std::count(finished.begin(), finished.end(), later[0]), 0) << "the oldest of 33 was dropped";
  EXPECT_EQ(Get(later[0]), nullptr);
  EXPECT_EQ(Finished(1), std::vector<std::string>{later[0]}) << "and is made when asked for again";
}

TEST_F(ThumbnailCacheTest, KeepsThe256MadeLastAndRemakesAnOlderOneAskedForAgain) {
  std::vector<std::string> paths;
  for (int i = 0; i < 257; ++i) paths.push_back(SolidPicture(i, RGB(i & 0xFF, 100, 7)));
  // The first alone, so that it is the first made; then as rows ask, 32 at a time.
  for (std::size_t start = 0, end = 1; start < paths.size(); start = end, end = std::min(paths.size(), end + 32)) {
    for (std::size_t i = start; i < end; ++i) Get(paths[i]);
    ASSERT_EQ(Finished(end - start).size(), end - start);
  }
  EXPECT_TRUE(Get(paths[1]));
  EXPECT_EQ(Get(paths[0]), nullptr) << "the 257th made pushed out the first";
  EXPECT_EQ(Finished(1), std::vector<std::string>{paths[0]});
  ASSERT_TRUE(Get(paths[0]));
  EXPECT_EQ(LookAt(*Get(paths[0])).centre, RGB(0, 100, 7));
}

TEST_F(ThumbnailCacheTest, StopWaitsForThePictureBeingMadeAndItsBitmapOutlivesTheCache) {
  const std::string pic = wt::MediaPath("pic.jpg");
  std::shared_ptr<const fw::Bitmap> kept;
  {
    CThumbnailCache cache;
    cache.SetNotifyWindow(m_row, kNotice);
    DecodeBlocker blocker;
    EXPECT_EQ(cache.Get(m_row, pic, 44, 36), nullptr);
    ASSERT_TRUE(wt::WaitUntil([&] { return cache.PendingCount() == 0; }, 5000));
    blocker.ReleaseLater();
    cache.Stop();
    EXPECT_FALSE(cache.IsRunning());
    EXPECT_NE(blocker.ReleasedAt(), 0u) << "Stop returned before the decode could go on";
    kept = cache.Get(m_row, pic, 44, 36);
    ASSERT_TRUE(kept) << "the picture in flight was finished and filed";
    EXPECT_EQ(cache.TakeFinished(), std::vector<std::string>{pic});
    MSG msg;
    EXPECT_TRUE(::PeekMessageA(&msg, m_row, kNotice, kNotice, PM_REMOVE));
    EXPECT_EQ(cache.Get(m_row, wt::MediaPath("tall.jpg"), 44, 36), nullptr) << "asking after the stop is harmless";
  }
  BITMAP info{};
  EXPECT_TRUE(::GetObjectA(kept->Get(), sizeof info, &info)) << "a bitmap still held is not deleted";
}
