// Idle cost: the real Tarnvale.exe, started in a folder of its own, is brought into one state and left
// alone; the CPU time of its threads over the measured span is printed as a share of one core.
//   bench_idle [seconds]      (default 30 per state)
// The states: the list shown with nothing loaded (as at start), the list hidden with nothing loaded, a
// video paused, a picture shown. Beside the paused video, the same clip paused in a bare DirectShow graph
// in a process of its own (this benchmark started again with --bare-paused): what Wine's own threads cost.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "bench/BareGraph.h"
#include "e2e/Process.h"
#include "wine/WineSupport.h"

namespace {

double FileTimeMs(const FILETIME& t) {
  return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
}

// CPU time (kernel and user) of the process's threads: the user-interface thread (the first one created)
// and all the others. Wine reports no times for another process as a whole, but it does for each thread.
struct CpuTimes {
  double ui = 0, others = 0;
  int threads = 0;
  double Total() const { return ui + others; }
};

CpuTimes CpuMs(DWORD pid) {
  CpuTimes times;
  fw::UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return times;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  double first = 0, firstCpu = 0;
  for (BOOL ok = ::Thread32First(snapshot.Get(), &entry); ok; ok = ::Thread32Next(snapshot.Get(), &entry)) {
    if (entry.th32OwnerProcessID != pid) continue;
    fw::UniqueHandle thread(::OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID));
    FILETIME created, ended, kernel, user;
    if (!thread || !::GetThreadTimes(thread.Get(), &created, &ended, &kernel, &user)) continue;
    const double cpu = FileTimeMs(kernel) + FileTimeMs(user);
    times.others += cpu;
    ++times.threads;
    if (times.threads == 1 || FileTimeMs(created) < first) {
      first = FileTimeMs(created);
      firstCpu = cpu;
    }
  }
  times.ui = firstCpu;
  times.others -= firstCpu;
  return times;
}

struct State {
  const char* name;
  std::string arguments;
  std::function<bool(HWND frame)> enter;
};

// The child process: one window, the clip rendered into it and paused, the window's messages pumped.
int PauseBareGraph(const std::wstring& path) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "BenchIdleBare";
  ::RegisterClassA(&wc);
  const HWND window = ::CreateWindowExA(0, wc.lpszClassName, "bare", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                        nullptr, wc.hInstance, nullptr);
  fw::ComScope com;
  bench::BareGraph graph;
  if (!window || !graph.Open(path, window)) return 1;
  (void)graph.control->Pause();
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
  return 0;
}

// Starts this benchmark again as the bare paused graph; its process handle, or none.
fw::UniqueHandle StartBarePaused(const std::string& clip) {
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string line = "\"" + std::string(self) + "\" --bare-paused \"" + clip + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return {};
  ::CloseHandle(pi.hThread);
  return fw::UniqueHandle(pi.hProcess);
}

void Report(const char* name, const CpuTimes& before, const CpuTimes& after, int seconds) {
  const double span = seconds * 1000.0, used = after.Total() - before.Total();
  std::printf("  %-30s %8.0f ms  %6.2f %%   (user-interface thread %.2f %%, %d other threads %.2f %%)\n", name, used,
              used * 100.0 / span, (after.ui - before.ui) * 100.0 / span, after.threads - 1,
              (after.others - before.others) * 100.0 / span);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::string(argv[1]) == "--bare-paused") {
    const std::string clip = argv[2];
    return PauseBareGraph(std::wstring(clip.begin(), clip.end()));
  }
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  e2e::Installation install("bench_idle");
  const std::string home = install.Folder() + "home";
  const std::string clip = install.CopyMedia("long.avi", "home\\long.avi");
  const std::string picture = install.CopyMedia("pic.jpg", "home\\pic.jpg");
  install.WriteIni("[CONFIG]\r\nHOMEDIR=" + home + "\r\n");
  auto played = [](HWND frame, const char* name) {
    return wt::WaitUntil([&] { return wt::WindowText(frame).find(name) != std::string::npos; }, 10000);
  };
  const State states[] = {
      {"list shown, nothing loaded", "", [](HWND) { return true; }},
      {"list hidden, nothing loaded", "", [](HWND frame) { return e2e::HideList(frame); }},
      {"video paused", "\"" + clip + "\"",
       [&](HWND frame) {
         if (!played(frame, "long")) return false;
         ::Sleep(1000);
         ::PostMessageA(e2e::ViewOf(frame), WM_KEYDOWN, VK_SPACE, 1);
         return true;
       }},
      {"picture shown", "\"" + picture + "\"", [&](HWND frame) { return played(frame, "pic"); }},
  };
  std::printf("CPU time of the idle program over %d s, share of one core (target at most 0.5 %%)\n", seconds);
  for (const State& state : states) {
    const int index = install.Start(state.arguments);
    const HWND frame = index < 0 ? nullptr : install.WaitForFrame(index, e2e::kStartMs);
    if (!frame || !state.enter(frame)) {
      std::printf("  %-30s  could not be reached\n", state.name);
      continue;
    }
    ::Sleep(3000);  // the start's own work and the thumbnails are over
    const DWORD pid = install.Pid(index);
    const CpuTimes before = CpuMs(pid);
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    Report(state.name, before, CpuMs(pid), seconds);
    install.Close(index, e2e::kStartMs);
  }
  if (fw::UniqueHandle bare = StartBarePaused(clip)) {
    ::Sleep(4000);  // the graph is built and paused
    const DWORD pid = ::GetProcessId(bare.Get());
    const CpuTimes before = CpuMs(pid);
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    Report("bare graph paused (Wine's own)", before, CpuMs(pid), seconds);
    ::TerminateProcess(bare.Get(), 0);
  }
  return 0;
}
