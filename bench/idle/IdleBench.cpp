// Idle cost: the real Tarnvale.exe, started in a folder of its own, is brought into one state and left
// alone; the CPU time of its threads over the measured span is printed as a share of one core.
//   bench_idle [seconds]      (default 30 per state)
// The states: the list shown with nothing loaded (as at start), the list hidden with nothing loaded, a
// video paused, a picture shown.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

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

}  // namespace

int main(int argc, char** argv) {
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
    const CpuTimes after = CpuMs(pid);
    const double span = seconds * 1000.0, used = after.Total() - before.Total();
    std::printf("  %-30s %8.0f ms  %6.2f %%   (user-interface thread %.2f %%, %d other threads %.2f %%)\n",
                state.name, used, used * 100.0 / span, (after.ui - before.ui) * 100.0 / span, after.threads - 1,
                (after.others - before.others) * 100.0 / span);
    install.Close(index, e2e::kStartMs);
  }
  return 0;
}
