#pragma once
// What the benchmarks measure of the process itself: its handles, threads, windows, GDI and USER objects
// and memory; and the message pumps they wait with.

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <vector>

#include "bench/BenchTiming.h"
#include "framework/Handles.h"

namespace bench {

inline void PumpPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Runs the messages that are waiting, paints included, until none is left, and flushes the GDI batch.
inline void Settle() {
  PumpPending();
  GdiFlush();
}

inline void PumpFor(double ms) {
  const double end = NowMs() + ms;
  do {
    PumpPending();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  } while (NowMs() < end);
}


struct Usage {
  DWORD handles = 0, threads = 0, windows = 0, gdi = 0, user = 0;
  double privateKb = 0, workingSetKb = 0;
};

// The entries of the system handle table (SystemHandleInformation).
struct HandleEntry {
  USHORT processId;
  USHORT backTrace;
  UCHAR type;
  UCHAR attributes;
  USHORT value;
  void* object;
  ACCESS_MASK access;
};
struct HandleTable {
  ULONG count;
  HandleEntry entries[1];
};

// This process's entries of the system handle table; -1 when it cannot be read.
inline long HandlesInSystemTable() {
  using Query = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);
  auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  constexpr ULONG kSystemHandleInformation = 16;
  constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
  std::vector<char> buffer(1 << 20);
  LONG status;
  ULONG length = 0;
  while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length)) ==
         kInfoLengthMismatch)
    buffer.resize(buffer.size() * 2);
  if (status != 0) return -1;
  const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
  const auto self = static_cast<USHORT>(GetCurrentProcessId());
  long n = 0;
  for (ULONG i = 0; i < table->count; ++i)
    if (table->entries[i].processId == self) ++n;
  return n;
}

// GetProcessHandleCount reads 0 under Wine 8; the system handle table is counted there instead.
inline bool g_handlesFromTable = false;

inline DWORD HandleCount() {
  DWORD n = 0;
  GetProcessHandleCount(GetCurrentProcess(), &n);
  if (n == 0) {
    const long fromTable = HandlesInSystemTable();
    g_handlesFromTable = fromTable > 0;
    if (fromTable > 0) n = static_cast<DWORD>(fromTable);
  }
  return n;
}

inline BOOL CALLBACK CountWindow(HWND, LPARAM lp) {
  ++*reinterpret_cast<DWORD*>(lp);
  return TRUE;
}

inline BOOL CALLBACK CountOwnWindows(HWND hwnd, LPARAM lp) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId()) {
    CountWindow(hwnd, lp);
    EnumChildWindows(hwnd, &CountWindow, lp);
  }
  return TRUE;
}

// Windows of this process, top-level and child.
inline DWORD WindowCount() {
  DWORD n = 0;
  EnumWindows(&CountOwnWindows, reinterpret_cast<LPARAM>(&n));
  return n;
}

inline DWORD ThreadCount() {
  fw::UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return 0;
  THREADENTRY32 te{};
  te.dwSize = sizeof te;
  DWORD n = 0;
  for (BOOL ok = Thread32First(snapshot.Get(), &te); ok; ok = Thread32Next(snapshot.Get(), &te))
    if (te.th32OwnerProcessID == GetCurrentProcessId()) ++n;
  return n;
}

inline Usage Measure() {
  Usage u;
  HANDLE self = GetCurrentProcess();
  u.handles = HandleCount();
  u.windows = WindowCount();
  u.gdi = GetGuiResources(self, GR_GDIOBJECTS);
  u.user = GetGuiResources(self, GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS pmc{};
  pmc.cb = sizeof pmc;
  if (GetProcessMemoryInfo(self, &pmc, sizeof pmc)) {
    u.privateKb = double(pmc.PagefileUsage) / 1024.0;
    u.workingSetKb = double(pmc.WorkingSetSize) / 1024.0;
  }
  u.threads = ThreadCount();
  return u;
}

}  // namespace bench
