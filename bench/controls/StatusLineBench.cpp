// The control panel's clock refresh, in the real windows of a main frame: one tick of its 200 ms timer
// with the time unchanged (four of the five ticks a second) and with a new second to draw, against a bare
// BitBlt of the panel's size to the panel's window (target: at most 2).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "bench/BenchResources.h"
#include "bench/BenchTiming.h"
#include "config/IniProfile.h"
#include "framework/CodePage.h"
#include "framework/Gdi.h"

using bench::Median;
using bench::NowMs;
using bench::Settle;

namespace {

void Report(const char* what, const std::vector<double>& ours, const std::vector<double>& base) {
  const double a = Median(ours), b = Median(base);
  std::printf("%-52s %8.3f ms / %8.3f ms = %5.2f   (target 2)\n", what, a, b, b > 0 ? a / b : 0.0);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(11, std::atoi(argv[1])) : 201;
  ::DeleteFileA(SettingsFilePath().c_str());
  CMainFrame frame;
  frame.View().LoadSettings();
  if (!frame.Create()) return 1;
  ::ShowWindow(frame.Hwnd(), SW_SHOW);
  ::SetWindowPos(frame.View().Hwnd(), nullptr, 0, 0, 1024, 768, SWP_NOZORDER);
  // A clip plays (the generated test media); the status line reads stand-ins for its time.
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string media(exe);
  media = media.substr(0, media.find_last_of('\\') + 1) + "..\\media\\clip.avi";
  frame.View().FileList().OpenPath(fw::Widen(media));
  if (!frame.View().IsLoaded()) return 1;
  CControlPanel& panel = frame.View().ControlPanel();
  int speed = 0, total = 7384, current = 3725;
  bool paused = false;
  EntryKind kind = 0xC00;
  panel.SetStatusSources(speed, paused, total, current, kind);
  panel.ShowPanel();
  Settle();
  const HWND hwnd = panel.Hwnd();
  RECT client;
  ::GetClientRect(hwnd, &client);

  std::vector<double> same, next, blit;
  fw::WindowDC target(hwnd);
  fw::BackBuffer source(target.Get(), client.right, client.bottom);
  for (int i = 0; i < runs; ++i) {
    double t = NowMs();
    ::SendMessageA(hwnd, WM_TIMER, CControlPanel::kClockTimer, 0);
    ::GdiFlush();
    same.push_back(NowMs() - t);

    ++current;
    t = NowMs();
    ::SendMessageA(hwnd, WM_TIMER, CControlPanel::kClockTimer, 0);
    ::GdiFlush();
    next.push_back(NowMs() - t);

    t = NowMs();
    source.Present(target.Get());
    ::GdiFlush();
    blit.push_back(NowMs() - t);
  }
  Report("clock tick, the same second", same, blit);
  Report("clock tick, a new second", next, blit);
  ::DeleteFileA(SettingsFilePath().c_str());
  return 0;
}
