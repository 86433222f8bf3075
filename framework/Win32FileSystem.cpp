// The system's file functions for the file list model and the settings dialog: folder search, drives and
// volume labels, the current directory, file attributes and the resolution of shell links.

#include "framework/CodePage.h"
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

class Win32FileSystem final : public IFileSystem {
 public:
  std::wstring CurrentDirectory() override {
    wchar_t buf[MAX_PATH];
    DWORD n = ::GetCurrentDirectoryW(MAX_PATH, buf);
    if (n == 0) return {};
    if (n < MAX_PATH) return std::wstring(buf, n);
    // Longer than the usual limit: ask again with room for it.
    std::vector<wchar_t> big(n + 1);
    n = ::GetCurrentDirectoryW(static_cast<DWORD>(big.size()), big.data());
    return (n > 0 && n < big.size()) ? std::wstring(big.data(), n) : std::wstring();
  }

  bool ChangeDirectory(const std::wstring& folder) override {
    return !folder.empty() && ::SetCurrentDirectoryW(folder.c_str()) != FALSE;
  }

  bool Search(const std::wstring& folder, const Visitor& visit) override {
    std::wstring pattern = wide::JoinPath(folder, L"*.*");
    if (pattern.size() > kMaxPathChars) return false;  // beyond what the program's paths take
    WIN32_FIND_DATAW fd;
    // The basic information level skips the 8.3 names; the large fetch asks for bigger batches.
    FindHandle h(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr,
                                    FIND_FIRST_EX_LARGE_FETCH));
    if (!h.Valid()) return false;
    std::string name;  // one buffer for every name of the folder
    do {
      FoundItem item;
      item.wideName = fd.cFileName;
      fw::NarrowFormInto(item.wideName, name);
      item.name = name;
      item.attributes = fd.dwFileAttributes;
      item.creationTime = UnixSeconds(fd.ftCreationTime);
      item.lastWriteTime = UnixSeconds(fd.ftLastWriteTime);
      visit(item);
    } while (::FindNextFileW(h.Get(), &fd));
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

  ShortcutTarget ResolveShortcut(const std::wstring& path) override {
    if (path.empty() || path.size() >= MAX_PATH) return {};
    fw::ComScope com;  // balanced only when it succeeded; a thread already in another apartment goes on
    fw::ComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  link.PutVoid())))
      return {};
    fw::ComPtr<IPersistFile> file;
    if (FAILED(link.As(file)) || FAILED(file->Load(path.c_str(), STGM_READ))) return {};

    wchar_t buf[MAX_PATH] = {};
    WIN32_FIND_DATAW fd{};
    if (FAILED(link->GetPath(buf, MAX_PATH, &fd, SLGP_SHORTPATH)) || buf[0] == L'\0') return {};
    buf[MAX_PATH - 1] = L'\0';
    std::wstring target = buf;

    // The short path to the long one through the desktop folder; the short path stays when that fails.
    fw::ComPtr<IShellFolder> desktop;
    if (SUCCEEDED(::SHGetDesktopFolder(desktop.Put()))) {
      ItemIdList pidl;
      wchar_t longPath[MAX_PATH] = {};
      if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, target.data(), nullptr, pidl.Put(), nullptr)) &&
          pidl.Get() && ::SHGetPathFromIDListW(pidl.Get(), longPath) && longPath[0] != L'\0')
        target = longPath;
    }

    // A target that no longer exists is not listed; the folder test reads the target as it is now (the
    // link's find data is what was true when the link was made, and may be empty).
    DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    ShortcutTarget result;
    result.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    result.path = fw::Narrow(target).text;
    result.widePath = std::move(target);
    return result;
  }

  std::uint32_t FileAttributes(const std::wstring& path) override { return ::GetFileAttributesW(path.c_str()); }

  CodePageName Narrow(std::wstring_view name) override { return fw::Narrow(name); }

  std::wstring Widen(std::string_view name) override { return fw::Widen(name); }
};

}  // namespace

IFileSystem& SystemFileSystem() {
  static Win32FileSystem fs;
  return fs;
}

