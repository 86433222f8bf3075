#pragma once
// Drives the real Tarnvale.exe: each Installation is a copy of the executable and the stand-in components
// beside it in its own folder (so it has its own TN.INI); every process started from it is tracked and
// ended with the test.

#include <string>
#include <vector>

#include "framework/Handles.h"
#include "wine/WineSupport.h"

namespace e2e {

// How long a start, a hand-off or a close of the program may take.
constexpr unsigned kStartMs = 20000;

// The built program beside the test executables' folder.
std::string BuiltTarnvale();

class Installation {
 public:
  explicit Installation(const std::string& tag);
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;
  ~Installation();

  const std::string& Folder() const { return m_dir.Path(); }
  std::string IniPath() const { return m_dir.File("TN.INI"); }
  void WriteIni(const std::string& text) const;
  // Takes a file from beside the program (a stand-in component); true when it was there.
  bool RemoveFile(const std::string& name) const;
  // Copies a file of the test media into the installation's folder (sub-folders are made); returns its
  // full path.
  std::string CopyMedia(const std::string& media, const std::string& as) const;
  // The same for a name the code page may not hold.
  std::wstring CopyMedia(const std::string& media, const std::wstring& as) const;

  // Moves the program and its stand-ins into a sub-folder of any name, from which the starts then run;
  // returns the sub-folder's path (with a trailing backslash).
  std::wstring Relocate(const std::wstring& subfolder);

  // Starts Tarnvale.exe with the argument text; returns the index of the process, or -1.
  int Start(const std::string& arguments = "");
  // The same with a wide command line, as the shell starts a program for a file of any name.
  int Start(const std::wstring& arguments);
  DWORD Pid(int index) const { return m_pids[index]; }
  bool WaitExit(int index, unsigned timeoutMs);
  bool Running(int index) const;
  // The exit code of an ended process (STILL_ACTIVE while it runs).
  DWORD ExitCode(int index) const;

  // The main frame of process index (an unowned window of the program's classes), or null.
  HWND WaitForFrame(int index, unsigned timeoutMs) const;
  // Closes the frame with WM_CLOSE and waits for the process to end.
  bool Close(int index, unsigned timeoutMs);

 private:
  wt::TempDir m_dir;
  std::wstring m_program;  // the folder the program runs from
  std::vector<fw::UniqueHandle> m_processes;
  std::vector<DWORD> m_pids;
};

// Every main frame of the program that is open now, in any process.
std::vector<HWND> AllFrames();
// The player view owned by a frame, or null.
HWND ViewOf(HWND frame);
// The pop-up of that size owned by the window, or null.
HWND OwnedOfSize(HWND owner, int width, int height);
// The control panel (the 634 × 88 pop-up) owned by a view, or null.
HWND PanelOf(HWND view);
// Waits until the window's text is title.
bool TitleBecomes(HWND window, const std::string& title, unsigned timeoutMs = 10000);
// The title another process's window stores, in its wide form; and the wait for it.
std::wstring WideTitle(HWND window);
bool TitleBecomes(HWND window, const std::wstring& title, unsigned timeoutMs = 10000);
// Drops one file on a window of another process, as the shell's drop of a wide path arrives (its block is
// written into that process, where the shell's drop puts it).
bool DropFile(HWND target, const std::wstring& path);
// Chooses a folder in another process's folder browser.
bool SelectInFolderBrowser(HWND browser, const std::wstring& folder);
// True when the window's thread answers within the timeout.
bool Responds(HWND hwnd, unsigned timeoutMs = 3000);

// The file list's bar owned by a view (shown or hidden), or null.
HWND ListOf(HWND view);
// Hides the file list of the frame's view with its Escape key; true once it is hidden.
bool HideList(HWND frame);
// The list's row windows that are shown, from the top down.
std::vector<HWND> RowsOf(HWND list);
// The text a window of another process reports (WM_GETTEXT), as the rows and the bar answer it.
std::string TextOf(HWND hwnd);
// A key pressed and released through the system's input, with Ctrl held when asked.
void PressKey(WORD virtualKey, bool ctrl = false);
// A left click at a screen point through the system's input.
void Click(int x, int y);

}  // namespace e2e
