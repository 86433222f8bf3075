// Start-up benchmark: time from CreateProcess until the program's window is visible, for Tarnvale.exe,
// for a minimal one-window Win32 program and for the skeleton of Tarnvale's windows (WindowSkeleton.cpp),
// alternating, several runs each. Prints the medians and their ratios. Each Tarnvale run starts from a folder without TN.INI. The program's own marks along its
// start (TARN_STARTUP_TRACE) give the breakdown: the median time of each step and of the first paint,
// the frame shown with the list's rows drawn.
//   bench_startup [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
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

// The marks of one run in their order: name and milliseconds since the process was created.
std::vector<std::pair<std::string, double>> ReadMarks(const std::string& file) {
  std::vector<std::pair<std::string, double>> marks;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    double ms = 0;
    std::string name;
    if (fields >> ms && std::getline(fields >> std::ws, name)) marks.emplace_back(name, ms);
  }
  return marks;
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
  const std::string skeleton = here + "bench_window_skeleton.exe";

  TimeToWindow(minimal, dir);  // warm the loader's caches for all three
  TimeToWindow(skeleton, dir);
  DeleteFileA((dir + "TN.INI").c_str());
  TimeToWindow(tarnvale, dir);

  const std::string trace = dir + "startup-trace.txt";
  std::vector<double> a, b, c;
  std::vector<std::string> order;
  std::map<std::string, std::vector<double>> steps;
  for (int i = 0; i < runs; ++i) {
    b.push_back(TimeToWindow(minimal, dir));
    c.push_back(TimeToWindow(skeleton, dir));
    DeleteFileA((dir + "TN.INI").c_str());
    DeleteFileA(trace.c_str());
    SetEnvironmentVariableA("TARN_STARTUP_TRACE", trace.c_str());
    a.push_back(TimeToWindow(tarnvale, dir));
    SetEnvironmentVariableA("TARN_STARTUP_TRACE", nullptr);
    double before = 0;
    for (const auto& [name, ms] : ReadMarks(trace)) {
      if (steps.find(name) == steps.end()) order.push_back(name);
      steps[name].push_back(ms - before);
      before = ms;
    }
  }
  const double ma = Median(a), mb = Median(b), mc = Median(c);
  std::printf("start-up to visible window, median of %d runs\n", runs);
  std::printf("  Tarnvale.exe      %8.1f ms\n", ma);
  std::printf("  minimal window    %8.1f ms\n", mb);
  std::printf("  window skeleton   %8.1f ms\n", mc);
  std::printf("  ratio             %8.2f (target at most 1.25)\n", mb > 0 ? ma / mb : 0.0);
  std::printf("  against skeleton  %8.2f (the skeleton against the minimal window %.2f)\n", mc > 0 ? ma / mc : 0.0,
              mb > 0 ? mc / mb : 0.0);
  std::printf("Tarnvale.exe's own steps from its creation, median ms of each step\n");
  double sum = 0;
  for (const std::string& name : order) {
    const double step = Median(steps[name]);
    sum += step;
    std::printf("  %8.1f  %8.1f  %s\n", step, sum, name.c_str());
  }
  DeleteFileA(trace.c_str());
  DeleteFileA((dir + "TN.INI").c_str());
  DeleteFileA(tarnvale.c_str());
  RemoveDirectoryA(dir.c_str());
  return 0;
}
