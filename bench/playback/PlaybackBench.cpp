// Playback benchmark: the real main frame and player view in-process, playing the generated clip.avi.
//   1. Handles, threads, windows, GDI and USER objects and memory after one PlayEntry + Stop and after
//      many (snapshots on the way show whether anything grows with the number of opens); then the growth
//      per open of the same open and close made with bare DirectShow calls, nothing of the program, which
//      is what the platform itself leaves behind per graph.
//   2. Ten opens through PlayEntry: how long the call takes (it ends with the view's 200 ms settle wait)
//      and the time from the call to the first change of CurrentPosition(); alternating with ten opens of
//      the engine alone on the view's window (BuildGraph, output placement, volume, Run, as the view opens
//      an entry), which is the open cost without the wait. Medians and ratios.
//   bench_playback [opens] [runs]
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/PlayerApp.h"
#include "bench/BareGraph.h"
#include "bench/BenchPaths.h"
#include "bench/BenchResources.h"
#include "bench/BenchTiming.h"
#include "config/IniProfile.h"
#include "framework/CodePage.h"
#include "framework/Handles.h"
#include "playback/PlaybackMath.h"

using bench::ExeFolder;
using bench::FullPath;
using bench::HandleCount;
using bench::Measure;
using bench::Median;
using bench::NowMs;
using bench::PumpFor;
using bench::PumpPending;
using bench::Usage;

namespace {

double Ratio(double a, double b) { return b > 0 ? a / b : 0.0; }

// Pumps and polls until the position differs from its first reading; when that happened (-1: not within
// the timeout) and the first reading.
struct Change {
  double at = -1;
  std::int64_t first = 0;
};

template <class Position>
Change UntilPositionChanges(Position position, double timeoutMs) {
  Change c;
  c.first = position();
  const double end = NowMs() + timeoutMs;
  while (NowMs() < end) {
    PumpPending();
    if (position() != c.first) {
      c.at = NowMs();
      break;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return c;
}

void PrintHeader() {
  std::printf("  %6s  %7s  %7s  %7s  %5s  %5s  %11s  %14s\n", "opens", "handles", "threads", "windows", "GDI", "USER",
              "private KB", "working set KB");
}

void PrintUsage(int opens, const Usage& u) {
  std::printf("  %6d  %7lu  %7lu  %7lu  %5lu  %5lu  %11.0f  %14.0f\n", opens, u.handles, u.threads, u.windows, u.gdi,
              u.user, u.privateKb, u.workingSetKb);
}

// The difference after `opens` opens against after the first, its ratio, the growth per open over the
// second half of the run, and the bare calls' growth per open (bareOne/bareMany after 1 and bareOpens).
void Compare(const char* what, double one, double half, double many, int opens, double bareOne, double bareMany,
             int bareOpens, const char* unit) {
  std::printf("  %-14s %+9.0f %-2s  x%6.3f   per open: 2nd half %+8.2f, bare calls %+8.2f %s\n", what,
              many - one, unit, Ratio(many, one), (many - half) / (opens - opens / 2),
              (bareMany - bareOne) / (bareOpens - 1), unit);
}

// ---- Opening

struct Bench {
  CPlayerView& view;
  FileEntry entry;
  std::string path;
};

// PlayEntry of the clip; false when it failed.
bool OpenThroughView(Bench& b, double& callMs) {
  const double t0 = NowMs();
  const int result = b.view.PlayEntry(b.entry, true);
  callMs = NowMs() - t0;
  if (result != 0) std::printf("PlayEntry failed: %d (0x%x)\n", result, static_cast<unsigned>(result));
  return result == 0;
}

struct Run {
  double callMs = 0, changeMs = -1, firstPositionMs = 0;
};

Run TimeView(Bench& b) {
  Run r;
  const double t0 = NowMs();
  if (!OpenThroughView(b, r.callMs)) return r;
  Change c = UntilPositionChanges([&] { return b.view.CurrentPosition(); }, 3000);
  if (c.at >= 0) r.changeMs = c.at - t0;
  r.firstPositionMs = double(c.first) / 10000.0;
  b.view.Stop();
  PumpFor(30);
  return r;
}

// The engine's part of the view's open alone, on the view's window: no title, no repaint, no wait.
Run TimeEngine(Bench& b) {
  Run r;
  CDirectShowEngine engine;
  const HWND window = b.view.Hwnd();
  const double t0 = NowMs();
  bool audioOnly = false;
  HRESULT hr = engine.BuildGraph(fw::Widen(b.path), window, audioOnly);
  if (SUCCEEDED(hr)) {
    RECT client;
    GetClientRect(window, &client);
    const bool keep = b.view.Config().movieChangeScreenSize;
    long w = 0, h = 0;
    if (!keep || SUCCEEDED(engine.NaturalSize(w, h)))
      (void)engine.PlaceOutput(FitOutputRect(client.right, client.bottom, keep, w, h), keep);
    engine.SetVolume(b.view.Volume());
    std::int64_t earliest = 0, latest = 0;
    hr = engine.Run(earliest, latest);
  }
  r.callMs = NowMs() - t0;
  if (FAILED(hr)) {
    std::printf("engine open failed: 0x%x %s", static_cast<unsigned>(hr), engine.LastDiagnostic());
    r.callMs = 0;
    return r;
  }
  Change c = UntilPositionChanges(
      [&] {
        engine.DrainEvents();
        return engine.CurrentPosition();
      },
      3000);
  if (c.at >= 0) r.changeMs = c.at - t0;
  r.firstPositionMs = double(c.first) / 10000.0;
  engine.Close();
  PumpFor(30);
  return r;
}

// One open and close of the file with bare DirectShow calls on the window, as the engine makes them,
// streaming as long as the view's open does before the Stop (its 200 ms settle wait and the 20 ms after).
bool BareOpenAndClose(const std::wstring& path, HWND window) {
  bench::BareGraph bare;
  if (!bare.Open(path, window, 220)) return false;
  bare.Stop();
  return true;
}

std::wstring Widen(const std::string& s) {
  std::wstring w(s.size(), L'\0');
  w.resize(static_cast<std::size_t>(
      std::max(0, MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), int(w.size())))));
  return w;
}

int RunBench(CPlayerView& view, int opens, int runs) {
  Bench b{view, {}, FullPath(ExeFolder() + "..\\media\\clip.avi")};
  b.entry = view.Files().EntryForOpenPath(b.path);
  if (GetFileAttributesA(b.path.c_str()) == INVALID_FILE_ATTRIBUTES || b.entry.kind == 0) {
    std::printf("no playable %s (build the test_media target)\n", b.path.c_str());
    return 1;
  }

  // 1. Resources.
  std::printf("resources after PlayEntry + Stop of clip.avi, repeated (measured after 200 ms of pumping)\n");
  PrintHeader();
  const double t0 = NowMs();
  double coldMs = 0;
  int stillHeld = 0;
  Usage one, half, many;
  for (int i = 1; i <= opens; ++i) {
    double callMs = 0;
    if (!OpenThroughView(b, callMs)) return 1;
    if (i == 1) coldMs = callMs;
    PumpFor(20);
    view.Stop();
    if (view.DirectShow().HoldsGraph()) ++stillHeld;
    PumpFor(20);
    if (i == 1 || i == 10 || i % 25 == 0 || i == opens / 2 || i == opens) {
      PumpFor(200);
      Usage u = Measure();
      PrintUsage(i, u);
      if (i == 1) one = u;
      if (i == opens / 2) half = u;
      if (i == opens) many = u;
    }
  }
  const double loopMs = NowMs() - t0;

  const int bareOpens = std::max(2, opens / 2);
  const std::wstring widePath = Widen(b.path);
  Usage bareOne, bareMany;
  for (int i = 1; i <= bareOpens; ++i) {
    if (!BareOpenAndClose(widePath, view.Hwnd())) {
      std::printf("bare DirectShow open failed\n");
      return 1;
    }
    PumpFor(20);
    if (i == 1 || i == bareOpens) {
      PumpFor(200);
      (i == 1 ? bareOne : bareMany) = Measure();
    }
  }

  std::printf("%d opens against 1 (difference, ratio; growth per open between %d and %d opens, and over %d opens\n"
              "with bare DirectShow calls: CoCreateInstance, the GDI renderer under Wine, RenderFile, put_Owner,\n"
              "Run for as long as the view streams before its Stop, Stop, Release)\n",
              opens, opens / 2, opens, bareOpens);
  Compare(bench::g_handlesFromTable ? "handles (table)" : "handles", one.handles, half.handles, many.handles, opens,
          bareOne.handles, bareMany.handles, bareOpens, "");
  Compare("threads", one.threads, half.threads, many.threads, opens, bareOne.threads, bareMany.threads, bareOpens, "");
  Compare("windows", one.windows, half.windows, many.windows, opens, bareOne.windows, bareMany.windows, bareOpens, "");
  Compare("GDI objects", one.gdi, half.gdi, many.gdi, opens, bareOne.gdi, bareMany.gdi, bareOpens, "");
  Compare("USER objects", one.user, half.user, many.user, opens, bareOne.user, bareMany.user, bareOpens, "");
  Compare("private bytes", one.privateKb, half.privateKb, many.privateKb, opens, bareOne.privateKb,
          bareMany.privateKb, bareOpens, "KB");
  Compare("working set", one.workingSetKb, half.workingSetKb, many.workingSetKb, opens, bareOne.workingSetKb,
          bareMany.workingSetKb, bareOpens, "KB");
  if (bench::g_handlesFromTable)
    std::printf("  (GetProcessHandleCount reads 0 here: handles are this process's entries of the system table)\n");
  if (many.gdi == 0 && many.user == 0) std::printf("  (GetGuiResources reads 0 here: GDI and USER are not measured)\n");
  if (stillHeld) std::printf("  the view still held a graph after %d of the Stops\n", stillHeld);
  std::printf("  first PlayEntry of the process %.1f ms; %d opens + Stop took %.1f s\n\n", coldMs, opens,
              loopMs / 1000.0);

  // 2. Times, view and engine alternating.
  std::vector<double> call, change, firstPos, clockStart, engineOpen, engineChange, engineFirstPos;
  int lost = 0;
  for (int i = 0; i < runs; ++i) {
    Run v = TimeView(b);
    Run e = TimeEngine(b);
    if (v.callMs <= 0 || e.callMs <= 0) return 1;
    if (v.changeMs < 0 || e.changeMs < 0) {
      ++lost;
      continue;
    }
    call.push_back(v.callMs);
    change.push_back(v.changeMs);
    firstPos.push_back(v.firstPositionMs);
    clockStart.push_back(v.callMs - v.firstPositionMs);
    engineOpen.push_back(e.callMs);
    engineChange.push_back(e.changeMs);
    engineFirstPos.push_back(e.firstPositionMs);
  }
  const double mCall = Median(call), mChange = Median(change), mOpen = Median(engineOpen),
               mEngineChange = Median(engineChange);
  std::printf("clip.avi, median of %zu opens each (view and engine alternating", call.size());
  if (lost) std::printf("; %d pairs without a position change in 3 s left out", lost);
  std::printf(")\n");
  std::printf("  PlayEntry call (with the 200 ms wait)        %8.1f ms   min %8.1f ms\n", mCall,
              *std::min_element(call.begin(), call.end()));
  std::printf("  PlayEntry to first position change           %8.1f ms   min %8.1f ms\n", mChange,
              *std::min_element(change.begin(), change.end()));
  std::printf("    position when PlayEntry had returned       %8.1f ms of media time\n", Median(firstPos));
  std::printf("    so the clock started after about           %8.1f ms\n", Median(clockStart));
  std::printf("  engine open without the wait (Build..Run)    %8.1f ms   min %8.1f ms\n", mOpen,
              *std::min_element(engineOpen.begin(), engineOpen.end()));
  std::printf("  engine open to first position change         %8.1f ms   min %8.1f ms\n", mEngineChange,
              *std::min_element(engineChange.begin(), engineChange.end()));
  std::printf("    position when Run had returned             %8.1f ms of media time\n", Median(engineFirstPos));
  std::printf("  PlayEntry call - engine open                 %8.1f ms (the wait and the view's own work)\n",
              mCall - mOpen);
  std::printf("  first change via PlayEntry / open without wait  %6.2f\n", Ratio(mChange, mOpen));
  std::printf("  PlayEntry call / open without wait              %6.2f\n", Ratio(mCall, mOpen));
  std::printf("  first change via PlayEntry / via engine alone   %6.2f\n", Ratio(mChange, mEngineChange));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int opens = argc > 1 ? std::max(2, std::atoi(argv[1])) : 100;
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
  DeleteFileA(SettingsFilePath().c_str());
  int result = 1;
  {
    CPlayerApp app;  // receives the title publication
    CMainFrame frame;
    frame.View().LoadSettings();
    if (frame.Create()) {
      ShowWindow(frame.Hwnd(), SW_SHOW);
      PumpFor(100);
      result = RunBench(frame.View(), opens, runs);
    } else {
      std::printf("the main frame was not created\n");
    }
  }
  DeleteFileA(SettingsFilePath().c_str());
  return result;
}
