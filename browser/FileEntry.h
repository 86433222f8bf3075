#pragma once
// The record every list of the browser is made of, the sort modes and the command entries' texts.
// Win32-free.

#include <cstdint>
#include <string>

#include "controls/EntryKind.h"

// Sort modes of the lists. SORT_CYCLE is the request "next mode of the cycle" of SetSortMode.
using SortMode = int;
constexpr SortMode SORT_NAME_FORWARD = 0;
constexpr SortMode SORT_NAME_REVERSE = 1;
constexpr SortMode SORT_TIME_FORWARD = 16;  // oldest first
constexpr SortMode SORT_TIME_REVERSE = 17;  // newest first
constexpr SortMode SORT_PATH = 32;          // path order, for the tree collection
constexpr SortMode SORT_CYCLE = 255;

// The fixed texts of the command entries (code page 932 bytes: the sources are built with
// -fexec-charset=CP932).
inline constexpr char kTextHome[] = "ホームフォルダ";
inline constexpr char kTextClearPlaylist[] = "プレイリストを空にする";
inline constexpr char kTextShowFiles[] = "ファイルリストを表示";
inline constexpr char kTextPlayPlaylist[] = "プレイリストを表示,再生";
inline constexpr char kTextAddFolder[] = "このフォルダをプレイリストに追加";
inline constexpr char kTextParent[] = "1つ上のフォルダ";  // both 0x600 and 0x700

struct FileEntry {
  std::string name;             // full path, drive root + label, or a command entry's text
  EntryKind kind = 0;
  std::int64_t creationTime = 0;   // seconds since 1970-01-01 UTC; 0 where there is no file
  std::int64_t lastWriteTime = 0;  // seconds since 1970-01-01 UTC; 0 where there is no file
  std::int32_t id = 0;          // unique for the life of the process; -1 and 0 mean no entry
  std::int32_t playlistPosition = 0;
  // The wide form of a file's, folder's or drive's path, which names it even where name cannot (a name
  // outside the code page); what opens, enters or resolves the entry uses it. Empty for a command entry.
  std::wstring widePath;
};
