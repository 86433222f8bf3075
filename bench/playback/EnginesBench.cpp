// Engine benchmark: the real main frame and player view in-process. For each file, the time from
// PlayEntry to the first change of the view's position through the engine its mark chooses ("(q)" mp4
// through QuickTime, "(r)" rm and avi through the RealPlayer control, here their stand-ins), against the
// program's DirectShow engine opening the same file alone (graph, placement, volume, run) to its first
// position change. Medians and their ratio. Under Wine rm does not decode: that case shows the gap (no
// change through either within the timeout; the DirectShow side is a bare graph's own position there).
//   bench_engines [runs]
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/PlayerApp.h"
#include "bench/BenchPaths.h"
#include "bench/BenchResources.h"
#include "bench/BenchTiming.h"
#include "config/IniProfile.h"
#include "framework/CodePage.h"
#include "playback/PlaybackMath.h"

using bench::ExeFolder;
using bench::FullPath;
using bench::Median;
using bench::NowMs;
using bench::PumpFor;
using bench::PumpPending;

namespace {

constexpr double kTimeoutMs = 10000;

// Milliseconds from t0 until position() differs from its first reading, pumping; -1 after the timeout.
template <class Position>
double UntilChange(double t0, Position position) {
  const std::int64_t first = position();
  while (NowMs() - t0 < kTimeoutMs) {
    PumpPending();
    if (position() != first) return NowMs() - t0;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return -1;
}

double ThroughView(CPlayerView& view, const FileEntry& entry) {
  const double t0 = NowMs();
  view.PlayEntry(entry, true);
  const double ms = UntilChange(t0, [&] { return view.CurrentPosition(); });
  view.Stop();
  PumpFor(50);
  return ms;
}

double ThroughDirectShow(CPlayerView& view, const std::string& path) {
  CDirectShowEngine engine;
  const double t0 = NowMs();
  bool audioOnly = false;
  if (FAILED(engine.BuildGraph(fw::Widen(path), view.Hwnd(), audioOnly))) return -1;
  RECT client;
  GetClientRect(view.Hwnd(), &client);
  (void)engine.PlaceOutput(FitOutputRect(client.right, client.bottom, false, 0, 0), false);
  engine.SetVolume(view.Volume());
  std::int64_t earliest = 0, latest = 0;
  if (FAILED(engine.Run(earliest, latest))) return -1;
  const double ms = UntilChange(t0, [&] { return engine.CurrentPosition(); });
  engine.Close();
  PumpFor(50);
  return ms;
}

// The graph's own position for a file whose graph never streams under Wine (the engine would take its
// position from the clock after a second, which shows nothing about decoding). Such a graph can be
// neither stopped nor released, and a process that ends with one faults, so it is measured in a child
// process (this program with --bare-graph), which prints its figure and is then ended from here.
double MeasureBareGraph(const std::string& path) {
  (void)CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  const double t0 = NowMs();
  IGraphBuilder* graph = nullptr;  // never released, see above
  IMediaControl* control = nullptr;
  IMediaSeeking* seeking = nullptr;
  std::wstring wide(path.begin(), path.end());
  if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                              reinterpret_cast<void**>(&graph))) ||
      FAILED(graph->RenderFile(wide.c_str(), nullptr)) ||
      FAILED(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control))) ||
      FAILED(graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking))) || FAILED(control->Run()))
    return -1;
  LONGLONG first = 0, now = 0;
  (void)seeking->GetCurrentPosition(&first);
  while (NowMs() - t0 < kTimeoutMs) {
    if (SUCCEEDED(seeking->GetCurrentPosition(&now)) && now != first) return NowMs() - t0;
    Sleep(1);
  }
  return -1;
}

double ThroughBareGraphInChild(const std::string& path) {
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string line = std::string("\"") + exe + "\" --bare-graph \"" + path + "\"";
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return -1;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION pi{};
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  const bool started = CreateProcessA(exe, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(writeEnd);
  double result = -1;
  if (started) {
    char text[64] = {};
    DWORD got = 0;
    if (ReadFile(readEnd, text, sizeof text - 1, &got, nullptr)) result = std::atof(text);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(readEnd);
  return result;
}

void Report(const char* label, std::vector<double> view, std::vector<double> direct, int runs) {
  auto kept = [](std::vector<double>& v) {
    const auto lost = std::count(v.begin(), v.end(), -1.0);
    v.erase(std::remove_if(v.begin(), v.end(), [](double x) { return x < 0; }), v.end());
    return lost;
  };
  const auto viewLost = kept(view), directLost = kept(direct);
  std::printf("%s, %d runs each (alternating)\n", label, runs);
  if (view.empty())
    std::printf("  through its engine:      no position change within %.0f s in any run\n", kTimeoutMs / 1000);
  else
    std::printf("  through its engine:      median %8.1f ms  min %8.1f ms  (%lld runs without a change)\n", Median(view),
                *std::min_element(view.begin(), view.end()), static_cast<long long>(viewLost));
  if (direct.empty())
    std::printf("  DirectShow engine alone: no position change within %.0f s in any run\n", kTimeoutMs / 1000);
  else
    std::printf("  DirectShow engine alone: median %8.1f ms  min %8.1f ms  (%lld runs without a change)\n",
                Median(direct), *std::min_element(direct.begin(), direct.end()), static_cast<long long>(directLost));
  if (!view.empty() && !direct.empty())
    std::printf("  ratio engine / DirectShow  %6.2f\n", Median(view) / Median(direct));
  else
    std::printf("  ratio engine / DirectShow  -- (the file does not play under this platform)\n");
}

int RunBench(CPlayerView& view, int runs) {
  struct Case {
    const char* label;
    const char* media;
    int runs;
    bool abandon;  // the DirectShow side never streams here: a bare graph is measured in a child process
  } const cases[] = {
      {"\"(q)\" clip.mp4 through QuickTime", "clip.mp4", runs, false},
      {"\"(r)\" clip.avi through the RealPlayer control", "clip.avi", runs, false},
      {"\"(r)\" clip.rm through the RealPlayer control", "clip.rm", 1, true},
  };
  for (const Case& c : cases) {
    const std::string path = FullPath(ExeFolder() + "..\\media\\" + c.media);
    FileEntry entry = view.Files().EntryForOpenPath(path);
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES || entry.kind == 0) {
      std::printf("no playable %s (build the test_media target)\n", path.c_str());
      return 1;
    }
    ThroughView(view, entry);  // the first open of an engine loads its component
    std::vector<double> viaView, direct;
    for (int i = 0; i < c.runs; ++i) {
      viaView.push_back(ThroughView(view, entry));
      direct.push_back(c.abandon ? ThroughBareGraphInChild(path) : ThroughDirectShow(view, path));
    }
    Report(c.label, viaView, direct, c.runs);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::string(argv[1]) == "--bare-graph") {
    std::printf("%.1f\n", MeasureBareGraph(argv[2]));
    std::fflush(stdout);
    Sleep(INFINITE);  // ended by the parent: the graph is never torn down
  }
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  DeleteFileA(SettingsFilePath().c_str());
  WritePrivateProfileStringA("CONFIG", "EXT_VIDEO", "avi(r),mp4(q),rm(r)", SettingsFilePath().c_str());
  int result = 1;
  {
    CPlayerApp app;
    CMainFrame frame;
    frame.View().LoadSettings();
    if (frame.Create()) {
      ShowWindow(frame.Hwnd(), SW_SHOW);
      PumpFor(100);
      result = RunBench(frame.View(), runs);
    } else {
      std::printf("the main frame was not created\n");
    }
  }
  DeleteFileA(SettingsFilePath().c_str());
  return result;
}
