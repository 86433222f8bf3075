// DrawFrame benchmark: drawing a 32 × 32 frame of a cached switch face against a bare BitBlt of the same
// 32 × 32 pixels from the same kind of image, into a screen-compatible off-screen target (what the panels
// compose into) and into a window. Batches alternate between the two; prints the medians and the ratio.
//   bench_controls [batches]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/BenchTiming.h"
#include "controls/SwitchBitmapCache.h"
#include "framework/Handles.h"
#include "res/ResourceIds.h"

using bench::Median;
using bench::NowMs;

namespace {

constexpr int kDrawsPerBatch = 20000;

struct Result {
  double drawFrame, bitBlt;  // nanoseconds per draw
};

Result Measure(HDC target, CSkinBitmap& face, HDC bareSource, int batches) {
  std::vector<double> a, b;
  for (int i = 0; i < batches + 1; ++i) {
    double t0 = NowMs();
    for (int n = 0; n < kDrawsPerBatch; ++n) face.DrawFrame(n & 3, target, 0, 0, 32, 32, SRCCOPY);
    ::GdiFlush();
    double t1 = NowMs();
    for (int n = 0; n < kDrawsPerBatch; ++n) ::BitBlt(target, 0, 0, 32, 32, bareSource, (n & 3) * 32, 0, SRCCOPY);
    ::GdiFlush();
    double t2 = NowMs();
    if (i == 0) continue;  // warm-up
    a.push_back((t1 - t0) * 1e6 / kDrawsPerBatch);
    b.push_back((t2 - t1) * 1e6 / kDrawsPerBatch);
  }
  return {Median(a), Median(b)};
}

void Print(const char* target, const Result& r) {
  std::printf("%s\n", target);
  std::printf("  DrawFrame (cached face)  %8.0f ns per 32 x 32 frame\n", r.drawFrame);
  std::printf("  bare BitBlt              %8.0f ns\n", r.bitBlt);
  std::printf("  ratio                    %8.2f (target at most 1.5)\n", r.bitBlt > 0 ? r.drawFrame / r.bitBlt : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  const int batches = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  std::shared_ptr<CSkinBitmap> face = GetSwitchBitmap(IDB_PLAYSW, "");
  if (!face->IsLoaded()) {
    std::fprintf(stderr, "bench_controls: the built-in play face did not load\n");
    return 1;
  }
  // The bare copy reads the same 8-bit strip, selected into a memory DC of its own.
  fw::Bitmap bareImage(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_PLAYSW),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  fw::WindowDC screen(nullptr);
  fw::MemoryDC bare(screen.Get());
  fw::SelectGuard selectBare(bare.Get(), bareImage.Get());

  {
    fw::MemoryDC target(screen.Get());
    fw::Bitmap surface(::CreateCompatibleBitmap(screen.Get(), 64, 64));
    fw::SelectGuard select(target.Get(), surface.Get());
    Print("into a screen-compatible off-screen bitmap, median of batches", Measure(target.Get(), *face, bare.Get(), batches));
  }
  HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64, nullptr, nullptr, nullptr, nullptr);
  if (window) {
    fw::WindowDC dc(window);
    Print("into a window", Measure(dc.Get(), *face, bare.Get(), batches));
    ::DestroyWindow(window);
  }
  ClearSwitchBitmapCache();
  return 0;
}
