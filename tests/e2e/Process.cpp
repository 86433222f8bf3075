#include "e2e/Process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "framework/CodePage.h"

namespace e2e {
namespace {

bool IsProgramWindow(HWND h) { return wt::ClassName(h).rfind("Tarnvale:", 0) == 0; }

struct FrameSearch {
  DWORD pid;  // 0: any process
  std::vector<HWND> found;
};

BOOL CALLBACK CollectFrame(HWND h, LPARAM lp) {
  auto* search = reinterpret_cast<FrameSearch*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(h, &pid);
  if ((search->pid == 0 || pid == search->pid) && IsProgramWindow(h) && !::GetWindow(h, GW_OWNER) &&
      !(::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD))
    search->found.push_back(h);
  return TRUE;
}

std::vector<HWND> FramesOf(DWORD pid) {
  FrameSearch search{pid, {}};
  ::EnumWindows(&CollectFrame, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ViewSearch {
  HWND frame;
  HWND view = nullptr;
};

BOOL CALLBACK FindView(HWND h, LPARAM lp) {
  auto* search = reinterpret_cast<ViewSearch*>(lp);
  if (::GetWindow(h, GW_OWNER) == search->frame && IsProgramWindow(h) &&
      (::GetClassLongPtrA(h, GCL_STYLE) & CS_DBLCLKS)) {
    search->view = h;
    return FALSE;
  }
  return TRUE;
}

struct OwnedSearch {
  HWND owner;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOwned(HWND h, LPARAM lp) {
  auto* search = reinterpret_cast<OwnedSearch*>(lp);
  if (::GetWindow(h, GW_OWNER) == search->owner && IsProgramWindow(h)) search->found.push_back(h);
  return TRUE;
}

std::vector<HWND> OwnedBy(HWND owner) {
  OwnedSearch search{owner, {}};
  ::EnumWindows(&CollectOwned, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &in, sizeof in);
}

}  // namespace

HWND ListOf(HWND view) {
  for (HWND h : OwnedBy(view))
    if (::GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_LAYERED && ::GetWindowLongPtrA(h, GWL_STYLE) & WS_SYSMENU)
      return h;
  return nullptr;
}

bool HideList(HWND frame) {
  HWND list = ListOf(ViewOf(frame));
  if (!list) return false;
  if (::IsWindowVisible(list)) ::PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 1);
  return wt::WaitUntil([&] { return !::IsWindowVisible(list); }, 5000);
}

std::vector<HWND> RowsOf(HWND list) {
  std::vector<HWND> rows;
  for (HWND h : OwnedBy(list)) {
    RECT r = wt::WindowRect(h);
    if (::IsWindowVisible(h) && r.bottom - r.top == 36) rows.push_back(h);
  }
  std::sort(rows.begin(), rows.end(), [](HWND a, HWND b) { return wt::WindowRect(a).top < wt::WindowRect(b).top; });
  return rows;
}

std::string TextOf(HWND hwnd) {
  char text[512] = {};
  DWORD_PTR n = 0;
  if (!::SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 3000,
                             &n))
    return {};
  return std::string(text, std::min<std::size_t>(n, sizeof text - 1));
}

void PressKey(WORD vk, bool ctrl) {
  if (ctrl) SendKey(VK_CONTROL, false);
  SendKey(vk, false);
  SendKey(vk, true);
  if (ctrl) SendKey(VK_CONTROL, true);
}

void Click(int x, int y) {
  ::SetCursorPos(x, y);
  ::Sleep(150);  // the window under the pointer takes the move (a switch lights) before the button goes down
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, in, sizeof in[0]);
}

std::string BuiltTarnvale() { return wt::ExeFolder() + "..\\bin\\Tarnvale.exe"; }

Installation::Installation(const std::string& tag) : m_dir(tag) {
  const std::string bin = wt::ExeFolder() + "..\\bin\\";
  for (const char* file : {"Tarnvale.exe", "QuickTime.qts", "TarnvaleReal.dll"})
    EXPECT_TRUE(::CopyFileA((bin + file).c_str(), m_dir.File(file).c_str(), FALSE)) << "could not copy a test file";
}

bool Installation::RemoveFile(const std::string& name) const { return ::DeleteFileA(m_dir.File(name).c_str()) != FALSE; }

Installation::~Installation() {
  for (std::size_t i = 0; i < m_processes.size(); ++i) {
    if (::WaitForSingleObject(m_processes[i].Get(), 0) == WAIT_TIMEOUT) {
      for (HWND f : FramesOf(m_pids[i])) ::PostMessageA(f, WM_CLOSE, 0, 0);
      if (::WaitForSingleObject(m_processes[i].Get(), 5000) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_processes[i].Get(), 1);
        ::WaitForSingleObject(m_processes[i].Get(), 5000);
      }
    }
  }
}

void Installation::WriteIni(const std::string& text) const {
  EXPECT_TRUE(wt::WriteFile(IniPath(), text)) << "could not write " << IniPath();
}

std::string Installation::CopyMedia(const std::string& media, const std::string& as) const {
  std::string target = m_dir.File(as);
  for (std::size_t slash = as.find('\\'); slash != std::string::npos; slash = as.find('\\', slash + 1))
    EXPECT_TRUE(wt::MakeFolder(m_dir.File(as.substr(0, slash)))) << "could not make a test folder";
  EXPECT_TRUE(::CopyFileA(wt::MediaPath(media).c_str(), target.c_str(), FALSE)) << "could not copy a test file";
  return target;
}

std::wstring Installation::CopyMedia(const std::string& media, const std::wstring& as) const {
  const std::wstring target = fw::Widen(m_dir.Path()) + as;
  for (std::size_t slash = as.find(L'\\'); slash != std::wstring::npos; slash = as.find(L'\\', slash + 1))
    ::CreateDirectoryW((fw::Widen(m_dir.Path()) + as.substr(0, slash)).c_str(), nullptr);
  EXPECT_TRUE(::CopyFileW(fw::Widen(wt::MediaPath(media)).c_str(), target.c_str(), FALSE)) << "could not copy a test file";
  return target;
}

int Installation::Start(const std::string& arguments) { return Start(fw::Widen(arguments)); }

std::wstring Installation::Relocate(const std::wstring& subfolder) {
  const std::wstring from = fw::Widen(m_dir.Path());
  m_program = from + subfolder + L"\\";
  EXPECT_TRUE(::CreateDirectoryW(m_program.c_str(), nullptr));
  for (const wchar_t* file : {L"Tarnvale.exe", L"QuickTime.qts", L"TarnvaleReal.dll"})
    EXPECT_TRUE(::MoveFileW((from + file).c_str(), (m_program + file).c_str())) << "could not move a test file";
  return m_program;
}

int Installation::Start(const std::wstring& arguments) {
  const std::wstring folder = m_program.empty() ? fw::Widen(m_dir.Path()) : m_program;
  const std::wstring exe = folder + L"Tarnvale.exe";
  const std::wstring line = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  std::vector<wchar_t> buffer(line.begin(), line.end());
  buffer.push_back(L'\0');
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    return -1;
  ::CloseHandle(pi.hThread);
  m_processes.emplace_back(pi.hProcess);
  m_pids.push_back(pi.dwProcessId);
  return static_cast<int>(m_processes.size()) - 1;
}

bool Installation::WaitExit(int index, unsigned timeoutMs) {
  return ::WaitForSingleObject(m_processes[index].Get(), timeoutMs) == WAIT_OBJECT_0;
}

bool Installation::Running(int index) const {
  return ::WaitForSingleObject(m_processes[index].Get(), 0) == WAIT_TIMEOUT;
}

DWORD Installation::ExitCode(int index) const {
  DWORD code = STILL_ACTIVE;
  return ::GetExitCodeProcess(m_processes[index].Get(), &code) ? code : STILL_ACTIVE;
}

HWND Installation::WaitForFrame(int index, unsigned timeoutMs) const {
  HWND frame = nullptr;
  wt::WaitUntil(
      [&] {
        std::vector<HWND> frames = FramesOf(m_pids[index]);
        frame = frames.empty() ? nullptr : frames.front();
        return frame && ::IsWindowVisible(frame) && ViewOf(frame);
      },
      timeoutMs);
  return frame;
}

bool Installation::Close(int index, unsigned timeoutMs) {
  for (HWND f : FramesOf(m_pids[index])) ::PostMessageA(f, WM_CLOSE, 0, 0);
  return WaitExit(index, timeoutMs);
}

namespace {

struct SizedSearch {
  HWND owner;
  int width, height;
  HWND found;
};

BOOL CALLBACK FindSized(HWND h, LPARAM lp) {
  auto* s = reinterpret_cast<SizedSearch*>(lp);
  const RECT r = wt::WindowRect(h);
  if (::GetWindow(h, GW_OWNER) == s->owner && r.right - r.left == s->width && r.bottom - r.top == s->height) {
    s->found = h;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND OwnedOfSize(HWND owner, int width, int height) {
  SizedSearch s{owner, width, height, nullptr};
  ::EnumWindows(&FindSized, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND PanelOf(HWND view) { return OwnedOfSize(view, 634, 88); }

std::vector<HWND> AllFrames() { return FramesOf(0); }

HWND ViewOf(HWND frame) {
  ViewSearch search{frame};
  ::EnumWindows(&FindView, reinterpret_cast<LPARAM>(&search));
  return search.view;
}

bool TitleBecomes(HWND window, const std::string& title, unsigned timeoutMs) {
  return wt::WaitUntil([&] { return wt::WindowText(window) == title; }, timeoutMs);
}

std::wstring WideTitle(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);  // another process's window: its stored text, not an ANSI answer
  return text;
}

bool TitleBecomes(HWND window, const std::wstring& title, unsigned timeoutMs) {
  return wt::WaitUntil([&] { return WideTitle(window) == title; }, timeoutMs);
}

// A copy of the bytes in the memory of the window's process, for a message whose parameter points at data
// the system does not carry across (it is left there for the process's lifetime); null when it fails.
void* CopyInto(HWND target, const void* bytes, std::size_t size) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(target, &pid);
  fw::UniqueHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid));
  if (!process) return nullptr;
  void* remote = ::VirtualAllocEx(process.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  return remote && ::WriteProcessMemory(process.Get(), remote, bytes, size, nullptr) ? remote : nullptr;
}

bool DropFile(HWND target, const std::wstring& path) {
  std::vector<char> block(sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t), '\0');
  auto* files = reinterpret_cast<DROPFILES*>(block.data());
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  std::memcpy(block.data() + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
  void* remote = CopyInto(target, block.data(), block.size());
  return remote && ::PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) != FALSE;
}

bool SelectInFolderBrowser(HWND browser, const std::wstring& folder) {
  void* remote = CopyInto(browser, folder.c_str(), (folder.size() + 1) * sizeof(wchar_t));
  return remote && ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote)) != 0;
}

bool Responds(HWND hwnd, unsigned timeoutMs) {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

}  // namespace e2e
