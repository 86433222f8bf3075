// DirectShow teardown: clip.avi opened, run and closed with bare calls, torn down in one of four ways, the
// ways taken in turn; the growth of threads, handles and private bytes over each way's own opens is
// summed and printed per open.
//   1. Stop, Release (what the engine does)
//   2. Stop, every filter removed from the graph, Release
//   3. Stop, every pin disconnected, every filter removed, Release
//   4. the source filter stopped first, then the graph, every filter removed, Release
//   bench_teardown [opens per way]
#include <windows.h>

#include <dshow.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "bench/BareGraph.h"
#include "bench/BenchPaths.h"
#include "bench/BenchResources.h"
#include "framework/Com.h"

namespace {

std::vector<fw::ComPtr<IBaseFilter>> Filters(IGraphBuilder* graph) {
  std::vector<fw::ComPtr<IBaseFilter>> filters;
  fw::ComPtr<IEnumFilters> e;
  if (FAILED(graph->EnumFilters(e.Put()))) return filters;
  for (fw::ComPtr<IBaseFilter> f; e->Next(1, f.Put(), nullptr) == S_OK;) filters.push_back(std::move(f));
  return filters;
}

void DisconnectPins(IBaseFilter* filter) {
  fw::ComPtr<IEnumPins> e;
  if (FAILED(filter->EnumPins(e.Put()))) return;
  for (fw::ComPtr<IPin> pin; e->Next(1, pin.Put(), nullptr) == S_OK;) {
    fw::ComPtr<IPin> peer;
    if (SUCCEEDED(pin->ConnectedTo(peer.Put()))) {
      (void)peer->Disconnect();
      (void)pin->Disconnect();
    }
  }
}

bool OpenAndClose(const std::wstring& path, HWND window, int way) {
  bench::BareGraph bare;
  if (!bare.Open(path, window)) return false;
  std::vector<fw::ComPtr<IBaseFilter>> filters = Filters(bare.graph.Get());
  if (way == 4 && !filters.empty()) (void)filters.back()->Stop();  // EnumFilters lists the source last
  bare.Stop();
  if (way == 3)
    for (auto& f : filters) DisconnectPins(f.Get());
  if (way >= 2)
    for (auto& f : filters) (void)bare.graph->RemoveFilter(f.Get());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int opens = argc > 1 ? std::max(2, std::atoi(argv[1])) : 30;
  fw::ComScope com;
  const std::string file = bench::FullPath(bench::ExeFolder() + "..\\media\\clip.avi");
  const std::wstring path(file.begin(), file.end());
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "BenchTeardown";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, "BenchTeardown", "", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr, nullptr,
                                wc.hInstance, nullptr);
  const char* names[] = {"Stop, Release", "Stop, filters removed", "Stop, pins disconnected, filters removed",
                         "source stopped first, filters removed"};
  struct Sum {
    double threads = 0, handles = 0, privateKb = 0;
  } sums[4];
  for (int way = 1; way <= 4; ++way) OpenAndClose(path, window, way);  // the libraries are loaded once
  for (int i = 0; i < opens; ++i) {
    for (int way = 1; way <= 4; ++way) {
      bench::PumpFor(50);
      const bench::Usage before = bench::Measure();
      if (!OpenAndClose(path, window, way)) {
        std::printf("the open of %s failed\n", file.c_str());
        return 1;
      }
      bench::PumpFor(50);
      const bench::Usage after = bench::Measure();
      sums[way - 1].threads += double(after.threads) - double(before.threads);
      sums[way - 1].handles += double(after.handles) - double(before.handles);
      sums[way - 1].privateKb += after.privateKb - before.privateKb;
    }
  }
  std::printf("growth per open of clip.avi with bare DirectShow calls, %d opens per way, ways in turn\n", opens);
  std::printf("  %-44s %8s %8s %12s\n", "teardown", "threads", "handles", "private KB");
  for (int way = 0; way < 4; ++way)
    std::printf("  %-44s %+8.2f %+8.2f %+12.1f\n", names[way], sums[way].threads / opens, sums[way].handles / opens,
                sums[way].privateKb / opens);
  DestroyWindow(window);
  return 0;
}
