#pragma once
// Helpers for the Win32 tests that run under Wine: message pumping with deadlines, temporary folders and
// files, and window queries.

#include <functional>
#include <string>
#include <vector>

#include "framework/Win32.h"

namespace wt {

// Dispatches this thread's messages for the given time.
void Pump(unsigned milliseconds);
// Pumps until the condition holds or the timeout passes; returns the condition's last value.
bool PumpUntil(const std::function<bool()>& condition, unsigned timeoutMs);
// Waits (sleeping, no pumping) until the condition holds or the timeout passes.
bool WaitUntil(const std::function<bool()>& condition, unsigned timeoutMs);

// Runs the body in a child process of this test executable (a death test) and expects it to pass there.
// For cases that leave a filter graph waiting inside Wine's GStreamer parser for good: its threads wait
// inside the Unix side, and Wine faults on them while the process ends, after the exit code is set, which
// would fail the whole test run from the shell's point of view.
void RunInChildProcess(const std::function<void()>& body);

// The folder of this test executable, with a trailing backslash.
std::string ExeFolder();
// A file of the generated test media (build/win/media).
std::string MediaPath(const std::string& name);

// A fresh empty folder under the system temporary folder, removed with its contents at the end.
class TempDir {
 public:
  explicit TempDir(const std::string& tag);
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  const std::string& Path() const { return m_path; }  // with a trailing backslash
  std::string File(const std::string& name) const { return m_path + name; }

 private:
  std::string m_path;
};

bool WriteFile(const std::string& path, const std::string& bytes);
// True when the folder exists afterwards (made now, or there already).
bool MakeFolder(const std::string& path);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
void RemoveTree(const std::string& folder);

// The keys of one INI section as "KEY=value" lines, in file order (read with the profile API).
std::vector<std::string> IniSection(const std::string& path, const char* section);

// A shell link made through IShellLink and saved through IPersistFile, as the shell makes them.
bool MakeShortcut(const std::string& link, const std::string& target);

RECT WindowRect(HWND hwnd);
std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);

}  // namespace wt
