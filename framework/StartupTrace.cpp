#include "framework/StartupTrace.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "framework/Win32.h"

namespace fw::startup {
namespace {

struct Entry {
  const char* name;
  double ms;
};

struct Trace {
  const char* file = std::getenv("TARN_STARTUP_TRACE");
  ULONGLONG created = 0;
  std::array<Entry, 24> marks{};
  std::size_t count = 0;
  bool written = false;

  Trace() {
    FILETIME creation, exit, kernel, user;
    if (file && ::GetProcessTimes(::GetCurrentProcess(), &creation, &exit, &kernel, &user))
      created = (ULONGLONG(creation.dwHighDateTime) << 32) | creation.dwLowDateTime;
    else
      file = nullptr;
  }
};

Trace& TheTrace() {
  static Trace trace;
  return trace;
}

}  // namespace

void Mark(const char* name) {
  Trace& t = TheTrace();
  if (!t.file || t.count == t.marks.size()) return;
  FILETIME now;
  ::GetSystemTimePreciseAsFileTime(&now);
  const ULONGLONG ticks = (ULONGLONG(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  t.marks[t.count++] = {name, double(ticks - t.created) / 10000.0};
}

void Write() {
  Trace& t = TheTrace();
  if (!t.file || t.written) return;
  t.written = true;
  if (std::FILE* f = std::fopen(t.file, "w")) {
    for (std::size_t i = 0; i < t.count; ++i) std::fprintf(f, "%.2f %s\n", t.marks[i].ms, t.marks[i].name);
    std::fclose(f);
  }
}

}  // namespace fw::startup
