// Thumbnail benchmark: 64 distinct pictures asked for at once, as 64 list rows ask while they paint, until
// every thumbnail is made and fetched again on the cache's notices (the rows' repaint), against making
// the same thumbnails in a plain loop on one thread (the same decode and stretch, nothing else). Runs
// alternate; prints the medians, their ratio and the longest stall of the interface thread, which pumps
// its messages while it waits (a turn at least every 10 ms): the longest gap between two turns of its
// message loop, of which the longest time a turn spent on the cache's calls, and the longest single Get.
// For scale, the longest gap of the same loop turning with nothing to do.
// The pictures are copies of the generated test media (pic.jpg, tall.jpg, wide.bmp in turn) in the
// system's temporary folder (tarn_bench_thumbs), made anew for each start.
//   bench_browser_thumbnails [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchPaths.h"
#include "bench/BenchTiming.h"
#include "browser/ThumbnailCache.h"
#include "framework/CodePage.h"
#include "framework/Com.h"

using bench::ExeFolder;
using bench::Median;
using bench::NowMs;

namespace {

constexpr int kPictures = 64;
constexpr UINT kNotice = WM_APP + 1;

std::vector<std::string> MakePictures(const std::string& folder) {
  const std::string media = ExeFolder() + "..\\media\\";
  const char* sources[] = {"pic.jpg", "tall.jpg", "wide.bmp"};
  CreateDirectoryA(folder.c_str(), nullptr);
  std::vector<std::string> paths;
  for (int i = 0; i < kPictures; ++i) {
    const char* source = sources[i % 3];
    std::string to = folder + "\\" + std::to_string(i) + "_" + source;
    if (!CopyFileA((media + source).c_str(), to.c_str(), FALSE)) {
      std::printf("cannot copy %s%s to %s\n", media.c_str(), source, to.c_str());
      return {};
    }
    paths.push_back(to);
  }
  return paths;
}

void RemovePictures(const std::string& folder, const std::vector<std::string>& paths) {
  for (const std::string& p : paths) DeleteFileA(p.c_str());
  RemoveDirectoryA(folder.c_str());
}

struct CacheRun {
  double total = 0, longestGap = 0, longestWork = 0, longestGet = 0;
  int made = 0;
};

// One run through a fresh cache: every row asks, then the loop pumps, and on each notice the rows that
// show a finished path ask again. The cache keeps only the newest 32 requests, so when it has none left
// the rows still without a thumbnail ask again, as they do when they are next painted.
CacheRun ThroughTheCache(HWND row, const std::vector<std::string>& paths) {
  CThumbnailCache cache;
  cache.SetNotifyWindow(row, kNotice);
  Sleep(200);  // the thread has started and is pausing idle, as it is while the user browses
  CacheRun r;
  std::vector<bool> shown(paths.size(), false);
  auto get = [&](std::size_t i) {
    double a = NowMs();
    bool made = cache.Get(row, fw::Widen(paths[i]), CThumbnailCache::kWidth, CThumbnailCache::kHeight) != nullptr;
    r.longestGet = std::max(r.longestGet, NowMs() - a);
    if (made && !shown[i]) ++r.made;
    shown[i] = shown[i] || made;
  };
  auto paintMissing = [&] {
    for (std::size_t i = 0; i < paths.size(); ++i)
      if (!shown[i]) get(i);
  };
  const double start = NowMs();
  paintMissing();
  double turn = NowMs();
  while (r.made < kPictures && NowMs() - start < 60000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    const double woken = NowMs();
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
      if (msg.message != kNotice) {
        DispatchMessageA(&msg);
        continue;
      }
      for (const std::wstring& p : cache.TakeFinished())
        get(static_cast<std::size_t>(std::find(paths.begin(), paths.end(), fw::Narrow(p).text) - paths.begin()));
      if (cache.PendingCount() == 0) paintMissing();
    }
    const double now = NowMs();
    r.longestGap = std::max(r.longestGap, now - turn);
    r.longestWork = std::max(r.longestWork, now - woken);
    turn = now;
  }
  r.total = NowMs() - start;
  return r;
}

// The longest gap between turns of the same loop with nothing to do.
double IdleLoopGap(double forMs) {
  double longest = 0, turn = NowMs();
  for (const double end = turn + forMs; turn < end;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&msg);
    const double now = NowMs();
    longest = std::max(longest, now - turn);
    turn = now;
  }
  return longest;
}

double InALoop(HWND row, const std::vector<std::string>& paths, int& made) {
  CPictureFile picture;
  made = 0;
  const double start = NowMs();
  for (const std::string& p : paths)
    made += CThumbnailCache::MakeThumbnail(picture, row, fw::Widen(p), CThumbnailCache::kWidth, CThumbnailCache::kHeight) ? 1 : 0;
  return NowMs() - start;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  fw::ComScope com;
  char tmp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, tmp);
  const std::string folder = std::string(tmp) + "tarn_bench_thumbs";
  const std::vector<std::string> paths = MakePictures(folder);
  if (paths.empty()) return 1;
  HWND row = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 36, nullptr, nullptr, nullptr, nullptr);
  if (!row) return 1;

  int made = 0;
  InALoop(row, paths, made);  // warm-up: file cache and decoder
  std::vector<double> cacheTimes, loopTimes, gaps, works, gets, idleGaps;
  double longestGap = 0, longestWork = 0, longestGet = 0;
  int cacheMade = kPictures, loopMade = kPictures;
  for (int r = 0; r < runs; ++r) {
    CacheRun c;
    double loop = 0;
    if (r % 2) {
      loop = InALoop(row, paths, made);
      c = ThroughTheCache(row, paths);
    } else {
      c = ThroughTheCache(row, paths);
      loop = InALoop(row, paths, made);
    }
    cacheTimes.push_back(c.total);
    loopTimes.push_back(loop);
    gaps.push_back(c.longestGap);
    works.push_back(c.longestWork);
    gets.push_back(c.longestGet);
    idleGaps.push_back(IdleLoopGap(c.total));
    longestGap = std::max(longestGap, c.longestGap);
    longestWork = std::max(longestWork, c.longestWork);
    longestGet = std::max(longestGet, c.longestGet);
    cacheMade = std::min(cacheMade, c.made);
    loopMade = std::min(loopMade, made);
  }
  DestroyWindow(row);
  RemovePictures(folder, paths);

  const double mc = Median(cacheTimes), ml = Median(loopTimes);
  std::printf("%d runs; %d pictures; every run made %d through the cache and %d in the loop\n", runs, kPictures,
              cacheMade, loopMade);
  std::printf("%-44s median %7.2f / %7.2f ms = %.2f   min %7.2f / %7.2f ms = %.2f   (target <= 1.5)\n",
              "64 thumbnails through the cache / in a loop", mc, ml, ml > 0 ? mc / ml : 0.0,
              *std::min_element(cacheTimes.begin(), cacheTimes.end()),
              *std::min_element(loopTimes.begin(), loopTimes.end()),
              *std::min_element(cacheTimes.begin(), cacheTimes.end()) /
                  std::max(1e-9, *std::min_element(loopTimes.begin(), loopTimes.end())));
  std::printf("%-44s median %7.2f ms   longest %7.2f ms\n", "interface thread: longest gap between turns",
              Median(gaps), longestGap);
  std::printf("%-44s median %7.2f ms   longest %7.2f ms\n", "  of which the cache's calls in one turn",
              Median(works), longestWork);
  std::printf("%-44s median %7.3f ms   longest %7.3f ms\n", "interface thread: longest Get", Median(gets),
              longestGet);
  std::printf("%-44s median %7.2f ms   longest %7.2f ms\n", "the loop with nothing to do: longest gap",
              Median(idleGaps), *std::max_element(idleGaps.begin(), idleGaps.end()));
  return cacheMade == kPictures && loopMade == kPictures ? 0 : 1;
}
