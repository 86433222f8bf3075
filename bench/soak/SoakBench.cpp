// Soak: the real main frame in-process.
//   1. Short clips played back to back from the playlist in repeat-all: the player keeps going (no entry
//      takes longer than a stall limit), and the process's growth per entry against the same opens made
//      with bare DirectShow calls in the same run.
//   2. Folder changes and Page Downs through large folders: growth between an early and the last reading.
//   bench_soak [entries=500] [moves=1000]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/MainFrame.h"
#include "app/PlayerApp.h"
#include "bench/BenchPaths.h"
#include "bench/BenchResources.h"
#include "config/IniProfile.h"
#include "framework/VideoRenderer.h"

using bench::Measure;
using bench::NowMs;
using bench::PumpFor;
using bench::Usage;

namespace {

constexpr int kWarmUp = 20;
constexpr double kStallMs = 8000;

std::string MediaFolder() { return bench::ExeFolder() + "..\\media\\"; }

void Report(const char* what, const Usage& early, const Usage& late, int steps, double bareHandles,
            double barePrivateKb) {
  std::printf("  %-34s handles %+6ld (%+.3f per step, bare %+.3f)   private %+9.0f KB (%+.2f per step, bare %+.2f)\n",
              what, static_cast<long>(late.handles) - static_cast<long>(early.handles),
              (static_cast<double>(late.handles) - early.handles) / steps, bareHandles,
              late.privateKb - early.privateKb, (late.privateKb - early.privateKb) / steps, barePrivateKb);
}

// The open and close of one clip with bare DirectShow calls on the view's window, as the program's engine
// makes them (the renderer it chooses, the owner, run, play to the end).
bool BareOpen(const std::wstring& path, HWND window) {
  fw::ComPtr<IGraphBuilder> graph;
  if (FAILED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph.PutVoid())))
    return false;
  CVideoRendererChoice renderer;
  renderer.Prepare(graph.Get());
  if (FAILED(graph->RenderFile(path.c_str(), nullptr))) return false;
  renderer.Finish(graph.Get());
  fw::ComPtr<IMediaControl> control;
  fw::ComPtr<IVideoWindow> video;
  fw::ComPtr<IMediaEvent> events;
  // The DirectShow interfaces carry no __uuidof with this compiler: asked for by their identifiers.
  if (FAILED(graph->QueryInterface(IID_IMediaControl, control.PutVoid())) ||
      FAILED(graph->QueryInterface(IID_IMediaEvent, events.PutVoid())))
    return false;
  if (SUCCEEDED(graph->QueryInterface(IID_IVideoWindow, video.PutVoid())))
    (void)video->put_Owner(reinterpret_cast<OAHWND>(window));
  (void)control->Run();
  long code = 0;
  const double end = NowMs() + 3000;
  while (NowMs() < end && events->WaitForCompletion(0, &code) != S_OK) PumpFor(10);
  (void)control->Stop();
  if (video) {
    (void)video->put_Visible(OAFALSE);
    (void)video->put_Owner(0);
  }
  return true;
}

void Playlist(CMainFrame& frame, int entries) {
  CPlayerView& view = frame.View();
  CFileListModel& model = view.Files();
  for (int i = 0; i < 5; ++i) model.AddEntry(model.EntryForOpenPath(MediaFolder() + "short.avi"));
  view.Config().playMode = kRepeatAll;
  view.Start();
  int played = 1, stalls = 0;
  std::int32_t playing = model.NowPlaying().id;
  double since = NowMs(), longest = 0;
  Usage early = Measure();
  const double t0 = NowMs();
  while (played < entries) {
    PumpFor(20);
    if (model.NowPlaying().id != playing) {
      playing = model.NowPlaying().id;
      const double took = NowMs() - since;
      longest = std::max(longest, took);
      since = NowMs();
      if (++played == kWarmUp) early = Measure();
    } else if (NowMs() - since > kStallMs) {
      ++stalls;
      std::printf("  stall at entry %d: %s\n", played, view.DirectShow().LastDiagnostic());
      view.Next();
      since = NowMs();
    }
  }
  const Usage late = Measure();
  const double elapsed = NowMs() - t0;
  view.Stop();

  // The same number of opens with bare calls, in the same process.
  const std::string narrow = MediaFolder() + "short.avi";
  const std::wstring path(narrow.begin(), narrow.end());
  Usage bareEarly = Measure();
  int bareFailed = 0;
  for (int i = 0; i < entries; ++i) {
    bareFailed += !BareOpen(path, view.Hwnd());
    if (i + 1 == kWarmUp) bareEarly = Measure();
  }
  const Usage bareLate = Measure();
  const int steps = entries - kWarmUp;
  std::printf("%d entries in %.0f s from the playlist in repeat-all: longest entry %.0f ms, %d stalls; %d bare "
              "opens failed\n", played, elapsed / 1000, longest, stalls, bareFailed);
  Report("per entry after the first 20", early, late, steps,
         (static_cast<double>(bareLate.handles) - bareEarly.handles) / steps,
         (bareLate.privateKb - bareEarly.privateKb) / steps);
}

void Browsing(CMainFrame& frame, int moves) {
  char tmp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, tmp);
  const std::string a = std::string(tmp) + "tarn_bench_list\\flat", b = std::string(tmp) + "tarn_bench_list\\other";
  if (::GetFileAttributesA(a.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::printf("  (run bench_browser_screen first: it makes the two folders of 10,000 files)\n");
    return;
  }
  CFileListWnd& list = frame.View().FileList();
  list.ShowList();
  Usage early;
  for (int i = 0; i < moves; ++i) {
    list.EnterFolder(i % 2 ? a : b);
    PumpFor(1);
    if (i == moves / 10) early = Measure();
  }
  Report("per folder change (10,000 files)", early, Measure(), moves - moves / 10, 0, 0);
  for (int i = 0; i < moves; ++i) {
    list.HandleKey(VK_NEXT, 1);
    PumpFor(1);
    if (i == moves / 10) early = Measure();
  }
  Report("per Page Down", early, Measure(), moves - moves / 10, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  const int entries = argc > 1 ? std::max(kWarmUp + 1, std::atoi(argv[1])) : 500;
  const int moves = argc > 2 ? std::max(10, std::atoi(argv[2])) : 1000;
  ::DeleteFileA(SettingsFilePath().c_str());
  ::WritePrivateProfileStringA("CONFIG", "EXT_VIDEO", "avi", SettingsFilePath().c_str());
  CPlayerApp app;
  CMainFrame frame;
  frame.View().LoadSettings();
  if (!frame.Create()) return 1;
  ::ShowWindow(frame.Hwnd(), SW_SHOW);
  PumpFor(100);
  Playlist(frame, entries);
  Browsing(frame, moves);
  ::DeleteFileA(SettingsFilePath().c_str());
  return 0;
}
