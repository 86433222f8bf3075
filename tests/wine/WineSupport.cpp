#include "wine/WineSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "framework/Com.h"

namespace wt {

void Pump(unsigned milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& condition, unsigned timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (condition()) return true;
    if (::GetTickCount() - start >= timeoutMs) return condition();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

bool WaitUntil(const std::function<bool()>& condition, unsigned timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start >= timeoutMs) return condition();
    ::Sleep(20);
  }
  return true;
}

void RunInChildProcess(const std::function<void()>& body) {
  EXPECT_EXIT(
      {
        body();
        ::ExitProcess(::testing::Test::HasFailure() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.find_last_of('\\') + 1);
}

std::string MediaPath(const std::string& name) { return ExeFolder() + "..\\media\\" + name; }

TempDir::TempDir(const std::string& tag) {
  char base[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, base);
  static unsigned serial = 0;
  char name[MAX_PATH];
  std::snprintf(name, sizeof name, "%starn_%s_%lu_%u\\", base, tag.c_str(), ::GetCurrentProcessId(), ++serial);
  m_path = name;
  RemoveTree(m_path);
  EXPECT_TRUE(wt::MakeFolder(m_path)) << "could not make a test folder";
}

TempDir::~TempDir() { RemoveTree(m_path); }

bool MakeFolder(const std::string& path) {
  if (::CreateDirectoryA(path.c_str(), nullptr)) return true;
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

std::string ReadFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return {};
  std::string out;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) out.append(buf, n);
  std::fclose(f);
  return out;
}

bool FileExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

namespace {

// In the wide "\\?\" form, so that names which make the path longer than MAX_PATH (tests make them) go too.
void RemoveTreeW(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = ::FindFirstFileW((dir + L"*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring full = dir + name;
      ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTreeW(full + L"\\");
      else
        ::DeleteFileW(full.c_str());
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
  }
  ::RemoveDirectoryW(dir.c_str());
}

}  // namespace

void RemoveTree(const std::string& folder) {
  std::string dir = folder;
  if (!dir.empty() && dir.back() != '\\') dir += '\\';
  const int n = ::MultiByteToWideChar(CP_ACP, 0, dir.c_str(), -1, nullptr, 0);
  if (n <= 1) return;
  std::wstring wide(static_cast<std::size_t>(n - 1), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, dir.c_str(), -1, wide.data(), n);
  RemoveTreeW(L"\\\\?\\" + wide);
}

std::vector<std::string> IniSection(const std::string& path, const char* section) {
  std::vector<char> buf(65536);
  DWORD n = ::GetPrivateProfileSectionA(section, buf.data(), static_cast<DWORD>(buf.size()), path.c_str());
  std::vector<std::string> lines;
  for (DWORD i = 0; i < n;) {
    std::string line(&buf[i]);
    if (line.empty()) break;
    i += static_cast<DWORD>(line.size()) + 1;
    lines.push_back(line);
  }
  return lines;
}

bool MakeShortcut(const std::string& link, const std::string& target) {
  fw::ComScope com;
  fw::ComPtr<IShellLinkA> sl;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, sl.PutVoid())))
    return false;
  if (FAILED(sl->SetPath(target.c_str()))) return false;
  fw::ComPtr<IPersistFile> file;
  if (FAILED(sl.As(file))) return false;
  wchar_t wide[MAX_PATH] = {};
  ::MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
  return SUCCEEDED(file->Save(wide, TRUE));
}

RECT WindowRect(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return r;
}

std::string WindowText(HWND hwnd) {
  char buf[512] = {};
  ::GetWindowTextA(hwnd, buf, sizeof buf);
  return buf;
}

std::string ClassName(HWND hwnd) {
  char buf[256] = {};
  ::GetClassNameA(hwnd, buf, sizeof buf);
  return buf;
}

}  // namespace wt
