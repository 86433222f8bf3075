#pragma once
// An in-memory file system for the file list model's native tests: folders with their items, shortcuts
// with their targets, drives, a current directory, and folders that cannot be searched. It is kept by
// code-page paths; an item may carry a wide name the code page cannot hold (its name is then the form
// with substitutes), and the wide side of the interface converts through code page 932.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "framework/FileSystem.h"
#include "framework/Mbcs.h"
#include "tests/support/Cp932Codec.h"

class FakeFileSystem : public IFileSystem {
 public:
  struct Item {
    std::string name;
    std::uint32_t attributes = 0;
    std::int64_t creationTime = 0;
    std::int64_t lastWriteTime = 0;
    std::wstring wideName;  // when empty, the name's own wide form
  };

  std::string current = "C:\\";
  std::map<std::string, std::vector<Item>> folders;   // folder path -> items in search order
  std::map<std::string, ShortcutTarget> shortcuts;     // .lnk path -> target
  std::map<std::string, std::pair<unsigned, std::string>> drives;  // root -> type, label
  std::set<std::string> unreadable;
  std::set<std::string> unenterable;  // folders ChangeDirectory refuses
  std::set<std::string> noDisc;       // drive roots whose volume cannot be read
  bool dotsAtRoot = false;  // report "." and ".." at drive roots too
  int resolveCalls = 0;
  std::vector<std::string> searched;
  std::vector<std::string> driveQueries;

  // Adds a folder (and its parents) with "." and ".." as the system reports them.
  void AddFolder(const std::string& path, std::uint32_t attributes = kAttrDirectory, std::int64_t time = 0) {
    if (folders.count(path)) return;
    folders[path];
    std::size_t slash = mbcs::FindLast(path, '\\');
    if (slash == std::string::npos || path.size() <= 3) return;
    std::string parent = slash == 2 ? path.substr(0, 3) : path.substr(0, slash);
    AddFolder(parent);
    folders[parent].push_back({path.substr(slash + 1), attributes | kAttrDirectory, time, time});
  }

  void AddFile(const std::string& path, std::int64_t lastWrite = 0, std::uint32_t attributes = 0x20) {
    std::size_t slash = mbcs::FindLast(path, '\\');
    std::string parent = slash == 2 ? path.substr(0, 3) : path.substr(0, slash);
    AddFolder(parent);
    folders[parent].push_back({path.substr(slash + 1), attributes, lastWrite / 2, lastWrite});
  }

  void AddShortcut(const std::string& path, const std::string& target, bool isFolder) {
    AddFile(path);
    shortcuts[path] = {target, isFolder};
  }

  // A file whose wide name the code page may not hold, listed under its code-page form.
  void AddWideFile(const std::string& folder, const std::wstring& name, std::int64_t lastWrite = 0) {
    AddFolder(folder);
    folders[folder].push_back({cp932::Narrow(name).text, 0x20, lastWrite / 2, lastWrite, name});
  }

  std::wstring CurrentDirectory() override { return Widen(current); }

  bool Search(const std::wstring& wideFolder, const Visitor& visit) override {
    const std::string folder = Narrow(wideFolder).text;
    searched.push_back(folder);
    auto it = folders.find(folder);
    if (it == folders.end() || unreadable.count(folder)) return false;
    bool root = folder.size() == 3;
    if (!root || dotsAtRoot) {
      visit({".", L".", kAttrDirectory, 0, 0});
      visit({"..", L"..", kAttrDirectory, 0, 0});
    }
    for (const Item& item : it->second) {
      const std::wstring wideName = item.wideName.empty() ? Widen(item.name) : item.wideName;
      visit({item.name, wideName, item.attributes, item.creationTime, item.lastWriteTime});
    }
    return true;
  }

  unsigned DriveTypeOf(const std::string& root) override {
    driveQueries.push_back(root);
    auto it = drives.find(root);
    return it == drives.end() ? kDriveNoRoot : it->second.first;
  }

  std::optional<std::string> VolumeLabel(const std::string& root) override {
    auto it = drives.find(root);
    if (it == drives.end() || noDisc.count(root)) return std::nullopt;
    return it->second.second;
  }

  bool ChangeDirectory(const std::wstring& folder) override {
    std::string dir = Narrow(folder).text;
    if (dir == "..") {
      std::size_t slash = mbcs::FindLast(current, '\\');
      if (current.size() <= 3 || slash == std::string::npos) return false;
      dir = slash == 2 ? current.substr(0, 3) : current.substr(0, slash);
    }
    if (!folders.count(dir) || unenterable.count(dir)) return false;
    current = dir;
    return true;
  }

  ShortcutTarget ResolveShortcut(const std::wstring& widePath) override {
    ++resolveCalls;
    auto it = shortcuts.find(Narrow(widePath).text);
    if (it == shortcuts.end()) return {};
    ShortcutTarget target = it->second;
    target.widePath = Widen(target.path);
    return target;
  }

  CodePageName Narrow(std::wstring_view name) override { return cp932::Narrow(name); }
  std::wstring Widen(std::string_view name) override { return cp932::Widen(name); }

  std::uint32_t FileAttributes(const std::wstring& widePath) override {
    const std::string path = Narrow(widePath).text;
    if (folders.count(path)) return kAttrDirectory;
    std::size_t slash = mbcs::FindLast(path, '\\');
    if (slash == std::string::npos) return kAttrInvalid;
    std::string parent = slash == 2 ? path.substr(0, 3) : path.substr(0, slash);
    auto it = folders.find(parent);
    if (it == folders.end()) return kAttrInvalid;
    for (const Item& item : it->second)
      if (item.name == path.substr(slash + 1)) return item.attributes;
    return kAttrInvalid;
  }
};
