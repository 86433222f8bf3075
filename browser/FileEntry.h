#pragma once
// The record every list of the browser is made of, and the kind code that says what an entry is and how
// it is played. Win32-free.

#include <cstdint>
#include <string>

// Bits 8–11: the class; bits 4–7: the engine; bit 0: reached through a shell shortcut.
using EntryKind = std::uint32_t;

constexpr EntryKind KIND_HOME = 0x100;
constexpr EntryKind KIND_CLEAR_PLAYLIST = 0x200;
constexpr EntryKind KIND_SHOW_FILES = 0x300;
constexpr EntryKind KIND_PLAY_PLAYLIST = 0x400;
constexpr EntryKind KIND_ADD_FOLDER = 0x500;
constexpr EntryKind KIND_PARENT = 0x600;
constexpr EntryKind KIND_PARENT_ROOT = 0x700;
constexpr EntryKind KIND_DRIVE = 0x800;
constexpr EntryKind KIND_FOLDER = 0x900;
constexpr EntryKind KIND_VIDEO = 0xC00;
constexpr EntryKind KIND_AUDIO = 0xD00;
constexpr EntryKind KIND_PICTURE = 0xE00;
constexpr EntryKind KIND_OPEN = 0xF00;

constexpr EntryKind ENGINE_DIRECTSHOW = 0x00;
constexpr EntryKind ENGINE_QUICKTIME = 0x10;
constexpr EntryKind ENGINE_REALPLAYER = 0x20;
constexpr EntryKind ENGINE_PICTURE = 0xF0;

constexpr EntryKind KIND_VIA_SHORTCUT = 0x1;

constexpr EntryKind KindClass(EntryKind k) { return k & 0xF00; }
constexpr EntryKind KindEngine(EntryKind k) { return k & 0xF0; }
constexpr bool IsViaShortcut(EntryKind k) { return (k & KIND_VIA_SHORTCUT) != 0; }
// Classes above 0xB00 are files that can be played or opened.
constexpr bool IsFileKind(EntryKind k) { return KindClass(k) > 0xB00; }

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
};
