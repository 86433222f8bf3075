#pragma once
// The part of the file list window that has no window: the listing of folders and drives with their
// command entries, the tree collection, the sort modes, the TV recording folder test, the playlist, and
// the entries the player view follows (now playing, playlist current, random history). The window owns
// one and adds what is drawn: switches, tags, title, timers.
//
// Win32-free: every file system call goes through an IFileSystem, so that native tests drive the model
// with an in-memory one; the cross build's constructor without one uses the system's.
//
// Containers. There are no name-keyed maps beside the arrays: a folder search reports each name once, the
// command texts can never equal a path, and the tree collection visits each folder once (its paths are
// normalised first), so the arrays themselves own the entries and no name can occur twice.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "browser/Classify.h"
#include "browser/FileEntry.h"
#include "browser/Sort.h"
#include "framework/FileSystem.h"

struct Settings;

// Deepest folder nesting the tree collection descends into (the 260-character paths end far sooner).
constexpr int kMaxCollectDepth = 128;

class CFileListModel {
 public:
  // settings is the live record of the player view: the extension lists, HOMEDIR and TVDIR are read from
  // it at each use. Both references must outlive the model. Makes the playlist's two command entries.
  CFileListModel(const Settings& settings, IFileSystem& fs);
  // With the system's file functions (cross build only).
  explicit CFileListModel(const Settings& settings);
  CFileListModel(const CFileListModel&) = delete;
  CFileListModel& operator=(const CFileListModel&) = delete;

  // ---- Entries, listing, collection

  // The kind of a path by the current extension lists (shortcuts resolved); 0 when it is not listed.
  EntryKind Classify(const std::string& path);
  // The kind of an entry's file, its shortcut resolved by the wide path.
  EntryKind Classify(const FileEntry& entry);
  ShortcutTarget ResolveShortcut(const std::wstring& path);
  ShortcutTarget ResolveShortcut(const std::string& path) { return ResolveShortcut(m_fs.Widen(path)); }
  // Lists the current directory into the file list (appending); returns the number of entries added.
  std::size_t ScanFolder();
  // Lists the drives C: to Y: of types 2 to 5 into the file list (appending); returns the number added.
  std::size_t ListDrives();
  // A new file list: the folder (or the drives), the command entries, sorted with mode.
  void BuildFileList(bool driveList, SortMode mode);
  // The same with the drive list flag and the sort mode of list mode 0.
  void BuildFileList() { BuildFileList(m_driveList, m_sortMode[0]); }
  // Every listed file below folder (hidden folders and folder shortcuts entered, loops stopped by the
  // visited folders), in path order; returns the count.
  std::size_t CollectTree(const std::wstring& folder);
  std::size_t CollectTree(const std::string& folder) { return CollectTree(m_fs.Widen(folder)); }
  // The first index in list whose name equals name exactly; 0 when there is none.
  static int FindEntryByName(const std::vector<FileEntry>& list, std::string_view name);
  // The first index in list whose wide path equals path exactly; 0 when there is none.
  static int FindEntryByPath(const std::vector<FileEntry>& list, std::wstring_view path);
  // The current directory in the code page (substitutes where it has no character) and in its wide form.
  std::string CurrentDirectory();
  std::wstring CurrentFolder();
  // The volume label of a drive root (empty for anything else, or when it cannot be read).
  std::string VolumeLabelOf(const std::string& root);
  // The classification half of the window's OpenPath: kind 0 (id 0) for a folder or an unlisted file, else
  // the classified entry (path, kind, times 0) with the next id. A missing path is classified by its name.
  FileEntry EntryForOpenPath(const std::wstring& path);
  FileEntry EntryForOpenPath(const std::string& path) { return EntryForOpenPath(m_fs.Widen(path)); }
  // The code-page form of a wide name as the file system gives it.
  CodePageName Narrow(std::wstring_view name) { return m_fs.Narrow(name); }
  std::wstring Widen(std::string_view name) { return m_fs.Widen(name); }

  // The entry id counter: starts at 1, never reset.
  std::int32_t NextId();

  // ---- Navigation: each ends with a new file list; the window then places the cursor by name.

  // Enters folder (when the system refuses, the old directory is listed again), with the sort mode for a
  // new listing.
  void EnterFolder(const std::wstring& folder);
  void EnterFolder(const std::string& folder) { EnterFolder(m_fs.Widen(folder)); }
  // HOMEDIR becomes the current directory. Only when that changed the directory, or with force, the drive
  // list flag is cleared and the folder listed; true then.
  bool GoHome(bool force);
  // One level up: from a drive root to the drive list, else to the parent folder. Returns the wide path of
  // the entry the cursor goes to (the drive, or the folder just left); none in the drive list, where
  // nothing happens.
  std::optional<std::wstring> GoUp();
  // A drive entry's root is entered when its volume can be read; true then. A drive without a disc leaves
  // the drive list as it is.
  bool EnterDrive(const FileEntry& drive);

  // ---- Sort modes, TV recording folder

  // mode 255 cycles the current list mode's sort mode (0 -> 1 -> 16 -> 17 -> 0) and makes the result the
  // saved sort mode; any other mode is stored as the current list mode's sort mode. With resort the current
  // list mode's array is sorted with it. Returns the face the sort switch shows for that mode; the window
  // then refreshes its tags and re-enters the list mode.
  SortFace SetSortMode(SortMode mode, bool resort);
  // The mode for a new listing (EnterFolder, GoHome, GoUp): time forward in the TV recording folder, the
  // saved sort mode elsewhere; no resort, the saved sort mode untouched.
  SortFace ChooseSortModeForListing();
  SortMode SortModeOf(int listMode) const { return m_sortMode[listMode == 1 ? 1 : 0]; }
  SortMode SavedSortMode() const { return m_savedSortMode; }
  SortFace CurrentSortFace() const { return FaceOfSortMode(SortModeOf(m_listMode)); }
  // List mode 0, TVDIR set and the current directory under it (case-insensitive prefix).
  bool IsTvFolder();
  // TVDIR set and the now-playing entry's path under it.
  bool IsPlayingInTvFolder() const;

  // ---- List mode and drive list flag of the window

  int ListMode() const { return m_listMode; }
  // Stores the list mode (0 file list, 1 playlist; other values are ignored).
  void StoreListMode(int mode);
  bool DriveList() const { return m_driveList; }
  void SetDriveList(bool on) { m_driveList = on; }

  // ---- Playlist

  // Makes the two command entries when the playlist is empty, then the array in position order, sorted
  // with the playlist's sort mode.
  void Rebuild();
  // A copy with the next id at the end, for video, audio and picture entries; false when refused.
  bool AddEntry(const FileEntry& entry);
  // CollectTree(folder), then AppendAll of the collection; returns the number of entries appended.
  std::size_t AddTree(const std::wstring& folder);
  std::size_t AddTree(const std::string& folder) { return AddTree(m_fs.Widen(folder)); }
  // Appends the video, audio and picture entries among entries[0..n) with their ids; returns the number.
  std::size_t AppendAll(const FileEntry* entries, std::size_t n);
  // Removes the entry at its playlist position (found by id when the position is stale); later entries
  // move down. Clears the playlist current entry when it was that entry. False when nothing was removed
  // (no such entry, or a command entry).
  bool RemoveEntry(const FileEntry& entry);
  // Empties the playlist to its two command entries; the playlist current entry's id becomes 0. The
  // window redraws the playlist when it is shown.
  void ClearPlaylist();

  // Accessors of the player view's play order.
  int IndexOfNowPlaying() const { return IndexOfId(m_nowPlaying.id); }
  int IndexOfPlaylistCurrent() const { return IndexOfId(m_playlistCurrent.id); }
  // A copy of the playlist array's entry; an empty entry (id 0) outside 0 <= index < Count().
  FileEntry EntryAt(int index) const;
  int Count() const { return static_cast<int>(m_playlist.size()); }
  int CommandEntryCount() const { return m_commandEntryCount; }
  FileEntry& NowPlaying() { return m_nowPlaying; }
  const FileEntry& NowPlaying() const { return m_nowPlaying; }
  FileEntry& PlaylistCurrent() { return m_playlistCurrent; }
  const FileEntry& PlaylistCurrent() const { return m_playlistCurrent; }
  std::set<std::int32_t>& RandomHistory() { return m_randomHistory; }
  const std::set<std::int32_t>& RandomHistory() const { return m_randomHistory; }

  // ---- The lists, for the list view

  const std::vector<FileEntry>& FileList() const { return m_fileList; }
  const std::vector<FileEntry>& Playlist() const { return m_playlist; }
  // The list table indexed by list mode: 0 the file list, 1 the playlist.
  const std::vector<FileEntry>& List(int listMode) const { return listMode == 1 ? m_playlist : m_fileList; }
  // The playlist by position, in insertion order: entry p has playlist position p.
  const std::vector<FileEntry>& PlaylistByPosition() const { return m_playlistEntries; }
  const std::vector<FileEntry>& Collection() const { return m_collection; }
  const std::vector<std::string>& VisitedFolders() const { return m_visited; }
  const Settings& Config() const { return m_settings; }

 private:
  std::size_t ScanInto(const std::wstring& dir, const ExtensionRules& rules, bool& foundParent);
  void Collect(const std::wstring& folder, const ExtensionRules& rules, int depth);
  void AddCommand(std::vector<FileEntry>& list, const char* text, EntryKind kind);
  void MakePlaylistArray();
  int IndexOfId(std::int32_t id) const;
  ShortcutResolver Resolver();

  const Settings& m_settings;
  IFileSystem& m_fs;

  std::vector<FileEntry> m_fileList;
  std::vector<FileEntry> m_playlist;     // the playlist array (may be reordered by a playlist sort)
  int m_commandEntryCount = 0;
  std::set<std::int32_t> m_randomHistory;
  std::vector<FileEntry> m_collection;
  std::vector<std::string> m_visited;
  std::unordered_set<std::wstring> m_visitedSet;  // by wide path: two folders may share a code-page form
  std::vector<FileEntry> m_playlistEntries;  // by position, without gaps
  SortMode m_sortMode[2] = {SORT_NAME_FORWARD, SORT_NAME_FORWARD};
  SortMode m_savedSortMode = SORT_NAME_FORWARD;
  int m_listMode = 0;
  bool m_driveList = false;
  FileEntry m_nowPlaying;
  FileEntry m_playlistCurrent;
  std::int32_t m_nextId = 1;
};
