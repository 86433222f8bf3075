// The system's file functions for the file list model and the settings dialog: folder search, drives and
// volume labels, the current directory, file attributes and the resolution of shell links.

#include "framework/Com.h"
#include "framework/FileSystem.h"
#include "framework/Win32.h"

#include <vector>

namespace {

// 100 ns intervals since 1601-01-01 to seconds since 1970-01-01.
std::int64_t UnixSeconds(const FILETIME& ft) {
  const std::int64_t ticks = (static_cast<std::int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  constexpr std::int64_t kTicksPerSecond = 10000000;
  constexpr std::int64_t kEpochDifference = 11644473600;  // seconds from 1601 to 1970
  return ticks / kTicksPerSecond - kEpochDifference;
}

// An open search, closed once.
class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : m_h(h) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (Valid()) ::FindClose(m_h);
  }
  bool Valid() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }
  HANDLE Get() const { return m_h; }

 private:
  HANDLE m_h;
};

// An item identifier list from the shell, freed with the task allocator.
class ItemIdList {
 public:
  ItemIdList() = default;
  ItemIdList(const ItemIdList&) = delete;
  ItemIdList& operator=(const ItemIdList&) = delete;
  ~ItemIdList() { ::CoTaskMemFree(m_p); }
  LPITEMIDLIST* Put() { return &m_p; }
  LPCITEMIDLIST Get() const { return m_p; }

 private:
  LPITEMIDLIST m_p = nullptr;
};

// A path in UTF-16 for the COM interfaces; empty when it does not convert or exceeds 260 characters.
std::wstring Wide(const std::string& s) {
  if (s.empty()) return {};
  int n = ::MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  if (n <= 0 || n >= MAX_PATH) return {};
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

class Win32FileSystem final : public IFileSystem {
 public:
  std::string CurrentDirectory() override {
    char buf[MAX_PATH];
    DWORD n = ::GetCurrentDirectoryA(MAX_PATH, buf);
    if (n == 0) return {};
    if (n < MAX_PATH) return std::string(buf, n);
    // Longer than the usual limit: ask again with room for it.
    std::vector<char> big(n + 1);
    n = ::GetCurrentDirectoryA(static_cast<DWORD>(big.size()), big.data());
    return (n > 0 && n < big.size()) ? std::string(big.data(), n) : std::string();
  }

  bool ChangeDirectory(const std::string& folder) override {
    return !folder.empty() && ::SetCurrentDirectoryA(folder.c_str()) != FALSE;
  }

  bool Search(const std::string& folder, const Visitor& visit) override {
    std::string pattern = JoinPath(folder, "*.*");
    if (pattern.size() > kMaxPathChars) return false;  // beyond what the ANSI search takes
    WIN32_FIND_DATAA fd;
    // The basic information level skips the 8.3 names; the large fetch asks for bigger batches.
    FindHandle h(::FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr,
                                    FIND_FIRST_EX_LARGE_FETCH));
    if (!h.Valid()) return false;
    do {
      FoundItem item;
      item.name = fd.cFileName;
      item.attributes = fd.dwFileAttributes;
      item.creationTime = UnixSeconds(fd.ftCreationTime);
      item.lastWriteTime = UnixSeconds(fd.ftLastWriteTime);
      visit(item);
    } while (::FindNextFileA(h.Get(), &fd));
    return true;
  }

  unsigned DriveTypeOf(const std::string& root) override { return ::GetDriveTypeA(root.c_str()); }

  std::optional<std::string> VolumeLabel(const std::string& root) override {
    char label[256] = {};
    // A drive without a disc would otherwise ask the user to insert one.
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const BOOL ok = ::GetVolumeInformationA(root.c_str(), label, 255, nullptr, nullptr, nullptr, nullptr, 0);
    ::SetErrorMode(oldMode);
    if (!ok) return std::nullopt;
    label[255] = '\0';
    return std::string(label);
  }

  ShortcutTarget ResolveShortcut(const std::string& path) override {
    const std::wstring wpath = Wide(path);
    if (wpath.empty()) return {};
    fw::ComScope com;  // balanced only when it succeeded; a thread already in another apartment goes on
    fw::ComPtr<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  link.PutVoid())))
      return {};
    fw::ComPtr<IPersistFile> file;
    if (FAILED(link.As(file)) || FAILED(file->Load(wpath.c_str(), STGM_READ))) return {};

    char buf[512] = {};
    WIN32_FIND_DATAA fd{};
    if (FAILED(link->GetPath(buf, sizeof buf, &fd, SLGP_SHORTPATH)) || buf[0] == '\0') return {};
    buf[sizeof buf - 1] = '\0';
    std::string target = buf;

    // The short path to the long one through the desktop folder; the short path stays when that fails.
    fw::ComPtr<IShellFolder> desktop;
    if (SUCCEEDED(::SHGetDesktopFolder(desktop.Put()))) {
      std::wstring wtarget = Wide(target);
      ItemIdList pidl;
      char longPath[MAX_PATH] = {};
      if (!wtarget.empty() &&
          SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wtarget.data(), nullptr, pidl.Put(), nullptr)) &&
          pidl.Get() && ::SHGetPathFromIDListA(pidl.Get(), longPath) && longPath[0] != '\0')
        target = longPath;
    }

    // A target that no longer exists is not listed; the folder test reads the target as it is now (the
    // link's find data is what was true when the link was made, and may be empty).
    DWORD attributes = ::GetFileAttributesA(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    ShortcutTarget result;
    result.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    result.path = std::move(target);
    return result;
  }

  std::uint32_t FileAttributes(const std::string& path) override { return ::GetFileAttributesA(path.c_str()); }
};

}  // namespace

IFileSystem& SystemFileSystem() {
  static Win32FileSystem fs;
  return fs;
}

