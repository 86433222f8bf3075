#pragma once
// What the program asks of the file system (the file list model, the settings dialog's skin list): the
// current directory, the search of one folder, the drives, shell shortcuts and file attributes. Paths go
// in and out in their wide form, which names every file; each name also comes in the program's code page,
// which is what is sorted, classified and stored. The Win32 implementation (Win32FileSystem.cpp, cross
// build only) calls the system's wide functions; native tests give the model an in-memory one. Win32-free.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "framework/WidePath.h"

// File attribute bits as the system reports them.
constexpr std::uint32_t kAttrHidden = 0x02;
constexpr std::uint32_t kAttrSystem = 0x04;
constexpr std::uint32_t kAttrDirectory = 0x10;
constexpr std::uint32_t kAttrInvalid = 0xFFFFFFFF;  // no such file

// Longest path the ANSI file functions take, without the terminating zero.
constexpr std::size_t kMaxPathChars = 259;

// One item of a folder search: the bare file name in the code page and in its wide form, valid during the
// visitor call only.
struct FoundItem {
  std::string_view name;
  std::wstring_view wideName;
  std::uint32_t attributes = 0;
  std::int64_t creationTime = 0;   // seconds since 1970-01-01 UTC
  std::int64_t lastWriteTime = 0;
};

// The target of a shell shortcut; an empty path when the shortcut cannot be resolved or its target is gone.
struct ShortcutTarget {
  std::string path;
  bool isFolder = false;
  std::wstring widePath;
};

// Drive types as GetDriveType reports them.
constexpr unsigned kDriveUnknown = 0;
constexpr unsigned kDriveNoRoot = 1;
constexpr unsigned kDriveRemovable = 2;
constexpr unsigned kDriveFixed = 3;
constexpr unsigned kDriveRemote = 4;
constexpr unsigned kDriveCdRom = 5;
constexpr unsigned kDriveRamDisk = 6;

class IFileSystem {
 public:
  using Visitor = std::function<void(const FoundItem&)>;

  virtual ~IFileSystem() = default;
  // The process's current directory; no trailing backslash except at a drive root such as C:\.
  virtual std::wstring CurrentDirectory() = 0;
  // Makes folder the current directory; false when the system refuses (the directory is then unchanged).
  virtual bool ChangeDirectory(const std::wstring& folder) = 0;
  // Calls visit for every item of folder\*.* ("." and ".." included, as the system reports them).
  // False when the folder cannot be searched (then visit was not called).
  virtual bool Search(const std::wstring& folder, const Visitor& visit) = 0;
  virtual unsigned DriveTypeOf(const std::string& root) = 0;
  // The volume label (possibly empty); none when the volume cannot be read (no disc in the drive).
  virtual std::optional<std::string> VolumeLabel(const std::string& root) = 0;
  // Resolves a .lnk file through the shell's link, persistence and desktop-folder interfaces.
  virtual ShortcutTarget ResolveShortcut(const std::wstring& path) = 0;
  // The attributes of a path, kAttrInvalid when it does not exist.
  virtual std::uint32_t FileAttributes(const std::wstring& path) = 0;
  // A wide name in the code page, with a substitute where it has no character, as the ANSI functions give it.
  virtual CodePageName Narrow(std::wstring_view name) = 0;
  // A code-page name in its wide form (every code-page character has one).
  virtual std::wstring Widen(std::string_view name) = 0;
};

// The system's file functions; defined only in the cross build.
IFileSystem& SystemFileSystem();

// folder + '\' + name, without doubling the backslash of a drive root (C:\ + x gives C:\x).
std::string JoinPath(std::string_view folder, std::string_view name);
