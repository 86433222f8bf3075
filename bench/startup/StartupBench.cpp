// Start-up benchmark: time from CreateProcess until the program's window is visible, for Tarnvale.exe
// and for a minimal one-window Win32 program, alternating, several runs each. Prints the medians and
// their ratio. Each Tarnvale run starts from a folder without TN.INI.
//   bench_startup [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchPaths.h"
#include "bench/BenchTiming.h"

using bench::Median;
using bench::NowMs;

namespace {

struct Search {
  DWORD pid;
  bool visible = false;
};

BOOL CALLBACK FindVisible(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == s->pid && IsWindowVisible(h)) {
    s->visible = true;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CloseAll(HWND h, LPARAM lp) {
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid == static_cast<DWORD>(lp) && !GetWindow(h, GW_OWNER)) PostMessageA(h, WM_CLOSE, 0, 0);
  return TRUE;
}

// Milliseconds until a visible window of the new process exists, or -1.
double TimeToWindow(const std::string& exe, const std::string& dir) {
  LARGE_INTEGER freq, t0, t1;
  QueryPerformanceFrequency(&freq);
  std::string line = "\"" + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  QueryPerformanceCounter(&t0);
  if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
    return -1;
  double ms = -1;
  for (int i = 0; i < 30000; ++i) {
    Search s{pi.dwProcessId};
    EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&s));
    if (s.visible) {
      QueryPerformanceCounter(&t1);
      ms = double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(freq.QuadPart);
      break;
    }
    Sleep(1);
  }
  EnumWindows(&CloseAll, static_cast<LPARAM>(pi.dwProcessId));
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  const std::string here = bench::ExeFolder();
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + "tarn_bench_startup\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  const std::string tarnvale = dir + "Tarnvale.exe";
  CopyFileA((here + "..\\bin\\Tarnvale.exe").c_str(), tarnvale.c_str(), FALSE);
  const std::string minimal = here + "bench_minimal_window.exe";

  TimeToWindow(minimal, dir);  // warm the loader's caches for both
  DeleteFileA((dir + "TN.INI").c_str());
  TimeToWindow(tarnvale, dir);

  std::vector<double> a, b;
  for (int i = 0; i < runs; ++i) {
    b.push_back(TimeToWindow(minimal, dir));
    DeleteFileA((dir + "TN.INI").c_str());
    a.push_back(TimeToWindow(tarnvale, dir));
  }
  double ma = Median(a), mb = Median(b);
  std::printf("start-up to visible window, median of %d runs\n", runs);
  std::printf("  Tarnvale.exe      %8.1f ms\n", ma);
  std::printf("  minimal window    %8.1f ms\n", mb);
  std::printf("  ratio             %8.2f (target at most 1.5)\n", mb > 0 ? ma / mb : 0.0);
  DeleteFileA((dir + "TN.INI").c_str());
  DeleteFileA(tarnvale.c_str());
  RemoveDirectoryA(dir.c_str());
  return 0;
}
