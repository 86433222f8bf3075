#include "browser/FileListModel.h"

#include <algorithm>
#include <limits>

#include "config/Settings.h"
#include "framework/Mbcs.h"

namespace {

bool IsDriveRoot(std::string_view dir) {
  return dir.size() == 3 && dir[1] == ':' && dir[2] == '\\';
}

bool EndsWithBackslash(std::string_view s) {
  std::size_t last = mbcs::FindLast(s, '\\');
  return last != std::string_view::npos && last + 1 == s.size();
}

bool IsShortcutExtension(std::string_view ext) {
  return ext.size() == 3 && (ext[0] | 0x20) == 'l' && (ext[1] | 0x20) == 'n' && (ext[2] | 0x20) == 'k';
}

bool IsPlaylistClass(EntryKind kind) {
  EntryKind c = KindClass(kind);
  return c == KIND_VIDEO || c == KIND_AUDIO || c == KIND_PICTURE;
}

}  // namespace

CFileListModel::CFileListModel(const Settings& settings, IFileSystem& fs) : m_settings(settings), m_fs(fs) {
  m_nowPlaying.id = -1;
  m_playlistCurrent.id = 0;
  Rebuild();
}

std::int32_t CFileListModel::NextId() {
  std::int32_t id = m_nextId;
  m_nextId = m_nextId == std::numeric_limits<std::int32_t>::max() ? 1 : m_nextId + 1;
  return id;
}

ShortcutResolver CFileListModel::Resolver() {
  return [this](const std::string& path, const std::wstring& widePath) {
    return m_fs.ResolveShortcut(widePath.empty() ? m_fs.Widen(path) : widePath);
  };
}

// ---- Entries, listing, collection

EntryKind CFileListModel::Classify(const std::string& path) {
  return ExtensionRules(m_settings).Classify(path, Resolver());
}

EntryKind CFileListModel::Classify(const FileEntry& entry) {
  return ExtensionRules(m_settings).Classify(entry.name, Resolver(), nullptr, entry.widePath);
}

ShortcutTarget CFileListModel::ResolveShortcut(const std::wstring& path) { return m_fs.ResolveShortcut(path); }

std::string CFileListModel::CurrentDirectory() { return m_fs.Narrow(m_fs.CurrentDirectory()).text; }

std::wstring CFileListModel::CurrentFolder() { return m_fs.CurrentDirectory(); }

std::string CFileListModel::VolumeLabelOf(const std::string& root) {
  if (!EndsWithBackslash(root)) return {};
  return m_fs.VolumeLabel(root).value_or(std::string());
}

std::size_t CFileListModel::ScanFolder() {
  bool foundParent = false;
  return ScanInto(m_fs.CurrentDirectory(), ExtensionRules(m_settings), foundParent);
}

std::size_t CFileListModel::ScanInto(const std::wstring& dir, const ExtensionRules& rules, bool& foundParent) {
  const std::size_t before = m_fileList.size();
  const ShortcutResolver resolve = Resolver();
  const bool root = wide::IsDriveRoot(dir);
  const std::string dirName = m_fs.Narrow(dir).text;
  auto add = [&](std::string path, EntryKind kind, const FoundItem& item) {
    m_fileList.push_back({std::move(path), kind, item.creationTime, item.lastWriteTime, NextId(), 0,
                          wide::JoinPath(dir, item.wideName)});
  };
  m_fs.Search(dir, [&](const FoundItem& item) {
    if (item.attributes & kAttrDirectory) {
      if (item.name == ".") return;
      if (item.name == "..") {
        // A drive root has no parent folder; a file system that reports ".." there is not believed.
        if (root || foundParent) return;
        foundParent = true;
        AddCommand(m_fileList, kTextParent, KIND_PARENT);
        return;
      }
      if (item.attributes & kAttrHidden) return;
      add(JoinPath(dirName, item.name), KIND_FOLDER, item);
      return;
    }
    // Most files are decided by the extension of their own name, without making the path; a name without
    // a dot takes its extension from the folder part, and a shortcut is resolved by its path.
    std::string_view ext = rules.Extension(item.name);
    EntryKind kind;
    std::string path;
    if (!ext.empty() && !IsShortcutExtension(ext)) {
      kind = rules.ClassifyExtension(ext, {}, resolve);
      if (kind == 0) return;
      path = JoinPath(dirName, item.name);
    } else {
      path = JoinPath(dirName, item.name);
      kind = rules.Classify(path, resolve, nullptr, wide::JoinPath(dir, item.wideName));
      if (kind == 0) return;
    }
    add(std::move(path), kind, item);
  });
  return m_fileList.size() - before;
}

std::size_t CFileListModel::ListDrives() {
  std::size_t added = 0;
  for (char letter = 'C'; letter <= 'Y'; ++letter) {
    std::string root{letter, ':', '\\'};
    unsigned type = m_fs.DriveTypeOf(root);
    if (type < kDriveRemovable || type > kDriveCdRom) continue;
    std::string name = root + m_fs.VolumeLabel(root).value_or(std::string());
    std::wstring widePath = m_fs.Widen(name);
    m_fileList.push_back({std::move(name), KIND_DRIVE, 0, 0, NextId(), 0, std::move(widePath)});
    ++added;
  }
  return added;
}

void CFileListModel::AddCommand(std::vector<FileEntry>& list, const char* text, EntryKind kind) {
  list.push_back({text, kind, 0, 0, NextId(), 0});
}

void CFileListModel::BuildFileList(bool driveList, SortMode mode) {
  std::vector<FileEntry>().swap(m_fileList);
  const std::wstring cur = m_fs.CurrentDirectory();
  if (!driveList) {
    bool foundParent = false;
    ScanInto(cur, ExtensionRules(m_settings), foundParent);
    // No "..": a drive root, or a folder that could not be searched.
    if (!foundParent) AddCommand(m_fileList, kTextParent, KIND_PARENT_ROOT);
  } else {
    ListDrives();
  }
  std::string home = m_settings.homeDir;
  if (EndsWithBackslash(home)) home.pop_back();
  if (cur != m_fs.Widen(home)) {
    AddCommand(m_fileList, kTextHome, KIND_HOME);
    if (!driveList) AddCommand(m_fileList, kTextAddFolder, KIND_ADD_FOLDER);
  }
  AddCommand(m_fileList, kTextPlayPlaylist, KIND_PLAY_PLAYLIST);
  AddCommand(m_fileList, kTextClearPlaylist, KIND_CLEAR_PLAYLIST);
  Sort(m_fileList, mode);
}

std::size_t CFileListModel::CollectTree(const std::wstring& folder) {
  m_visited.clear();
  m_visitedSet.clear();
  m_collection.clear();
  Collect(wide::NormaliseFolder(folder), ExtensionRules(m_settings), 0);
  Sort(m_collection, SORT_PATH);
  return m_collection.size();
}

void CFileListModel::Collect(const std::wstring& folder, const ExtensionRules& rules, int depth) {
  if (depth > kMaxCollectDepth || folder.empty()) return;
  if (!m_visitedSet.insert(folder).second) return;
  const std::string folderName = m_fs.Narrow(folder).text;
  m_visited.push_back(folderName);

  const ShortcutResolver resolve = Resolver();
  std::vector<std::wstring> subfolders;
  m_fs.Search(folder, [&](const FoundItem& item) {
    if (item.attributes & kAttrDirectory) {
      if (item.name != "." && item.name != "..") subfolders.push_back(wide::JoinPath(folder, item.wideName));
      return;
    }
    std::string_view ext = rules.Extension(item.name);
    if (!ext.empty() && !IsShortcutExtension(ext)) {
      EntryKind kind = rules.ClassifyExtension(ext, {}, resolve);
      if (kind != 0)
        m_collection.push_back({JoinPath(folderName, item.name), kind, item.creationTime, item.lastWriteTime,
                                NextId(), 0, wide::JoinPath(folder, item.wideName)});
      return;
    }
    std::string path = JoinPath(folderName, item.name);
    std::wstring widePath = wide::JoinPath(folder, item.wideName);
    ShortcutTarget target;
    EntryKind kind = rules.Classify(path, resolve, &target, widePath);
    if (kind == (KIND_FOLDER | KIND_VIA_SHORTCUT)) {
      if (target.isFolder && !target.widePath.empty()) subfolders.push_back(wide::NormaliseFolder(target.widePath));
    } else if (kind != 0) {
      m_collection.push_back({std::move(path), kind, item.creationTime, item.lastWriteTime, NextId(), 0,
                              std::move(widePath)});
    }
  });
  // Descend after the search has ended, so that only one search handle is open at a time.
  for (const std::wstring& sub : subfolders) Collect(sub, rules, depth + 1);
}

int CFileListModel::FindEntryByName(const std::vector<FileEntry>& list, std::string_view name) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].name == name) return static_cast<int>(i);
  return 0;
}

int CFileListModel::FindEntryByPath(const std::vector<FileEntry>& list, std::wstring_view path) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].widePath == path) return static_cast<int>(i);
  return 0;
}

FileEntry CFileListModel::EntryForOpenPath(const std::wstring& path) {
  FileEntry entry;
  entry.name = m_fs.Narrow(path).text;
  entry.widePath = path;
  std::uint32_t attributes = m_fs.FileAttributes(path);
  if (attributes != kAttrInvalid && (attributes & kAttrDirectory)) return entry;
  entry.kind = Classify(entry);
  if (entry.kind != 0) entry.id = NextId();
  return entry;
}

// ---- Navigation

void CFileListModel::EnterFolder(const std::wstring& folder) {
  m_fs.ChangeDirectory(folder);
  ChooseSortModeForListing();
  BuildFileList();
}

bool CFileListModel::GoHome(bool force) {
  const std::wstring before = m_fs.CurrentDirectory();
  m_fs.ChangeDirectory(m_fs.Widen(m_settings.homeDir));
  if (!force && m_fs.CurrentDirectory() == before) return false;
  m_driveList = false;
  ChooseSortModeForListing();
  BuildFileList();
  return true;
}

std::optional<std::wstring> CFileListModel::GoUp() {
  if (m_driveList) return std::nullopt;
  const std::wstring cur = m_fs.CurrentDirectory();
  std::wstring target;
  if (!cur.empty() && cur.back() == L'\\') {
    m_driveList = true;
    target = cur + m_fs.Widen(m_fs.VolumeLabel(m_fs.Narrow(cur).text).value_or(std::string()));
    SetSortMode(m_savedSortMode, false);
  } else {
    m_fs.ChangeDirectory(L"..");
    ChooseSortModeForListing();
    target = cur;
  }
  BuildFileList();
  return target;
}

bool CFileListModel::EnterDrive(const FileEntry& drive) {
  const std::size_t slash = mbcs::FindLast(drive.name, '\\');
  if (slash == std::string::npos) return false;
  const std::string root = drive.name.substr(0, slash + 1);
  if (!m_fs.VolumeLabel(root)) return false;
  m_driveList = false;
  EnterFolder(m_fs.Widen(root));
  return true;
}

// ---- Sort modes, TV recording folder

SortFace CFileListModel::SetSortMode(SortMode mode, bool resort) {
  SortMode& current = m_sortMode[m_listMode == 1 ? 1 : 0];
  if (mode == SORT_CYCLE) {
    current = NextSortMode(current);
    m_savedSortMode = current;
  } else {
    current = mode;
  }
  if (resort) Sort(m_listMode == 1 ? m_playlist : m_fileList, current);
  return FaceOfSortMode(current);
}

SortFace CFileListModel::ChooseSortModeForListing() {
  return SetSortMode(IsTvFolder() ? SORT_TIME_FORWARD : m_savedSortMode, false);
}

bool CFileListModel::IsTvFolder() {
  if (m_listMode != 0 || m_settings.tvDir.empty()) return false;
  return IsTvPath(CurrentDirectory(), m_settings.tvDir);
}

bool CFileListModel::IsPlayingInTvFolder() const { return IsTvPath(m_nowPlaying.name, m_settings.tvDir); }

void CFileListModel::StoreListMode(int mode) {
  if (mode == 0 || mode == 1) m_listMode = mode;
}

// ---- Playlist

void CFileListModel::MakePlaylistArray() { m_playlist = m_playlistEntries; }

void CFileListModel::Rebuild() {
  // The command entry count changes only when the entries are made: resetting it for a filled playlist
  // would offer the command entries to the player as files.
  if (m_playlistEntries.empty()) {
    m_commandEntryCount = 0;
    for (auto [text, kind] : {std::pair{kTextClearPlaylist, KIND_CLEAR_PLAYLIST},
                              std::pair{kTextShowFiles, KIND_SHOW_FILES}}) {
      AddCommand(m_playlistEntries, text, kind);
      m_playlistEntries.back().playlistPosition = static_cast<std::int32_t>(m_playlistEntries.size() - 1);
      ++m_commandEntryCount;
    }
  }
  MakePlaylistArray();
  Sort(m_playlist, m_sortMode[1]);
}

bool CFileListModel::AddEntry(const FileEntry& entry) {
  bool added = IsPlaylistClass(entry.kind);
  if (added) {
    m_playlistEntries.push_back(entry);
    m_playlistEntries.back().id = NextId();
    m_playlistEntries.back().playlistPosition = static_cast<std::int32_t>(m_playlistEntries.size() - 1);
  }
  MakePlaylistArray();
  return added;
}

std::size_t CFileListModel::AddTree(const std::wstring& folder) {
  CollectTree(folder);
  return AppendAll(m_collection.data(), m_collection.size());
}

std::size_t CFileListModel::AppendAll(const FileEntry* entries, std::size_t n) {
  std::size_t added = 0;
  for (std::size_t i = 0; entries && i < n; ++i) {
    if (!IsPlaylistClass(entries[i].kind)) continue;
    m_playlistEntries.push_back(entries[i]);
    m_playlistEntries.back().playlistPosition = static_cast<std::int32_t>(m_playlistEntries.size() - 1);
    ++added;
  }
  MakePlaylistArray();
  return added;
}

bool CFileListModel::RemoveEntry(const FileEntry& entry) {
  // The position names the entry; a copy taken before an earlier removal is found by its id instead.
  std::size_t p = static_cast<std::size_t>(entry.playlistPosition);
  if (entry.playlistPosition < 0 || p >= m_playlistEntries.size() || m_playlistEntries[p].id != entry.id) {
    auto it = std::find_if(m_playlistEntries.begin(), m_playlistEntries.end(),
                           [&](const FileEntry& e) { return e.id == entry.id; });
    if (it == m_playlistEntries.end()) return false;
    p = static_cast<std::size_t>(it - m_playlistEntries.begin());
  }
  if (p < static_cast<std::size_t>(m_commandEntryCount)) return false;
  const std::int32_t removedId = m_playlistEntries[p].id;
  m_playlistEntries.erase(m_playlistEntries.begin() + static_cast<std::ptrdiff_t>(p));
  for (std::size_t i = p; i < m_playlistEntries.size(); ++i)
    m_playlistEntries[i].playlistPosition = static_cast<std::int32_t>(i);
  MakePlaylistArray();
  if (removedId == m_playlistCurrent.id) {
    m_playlistCurrent.name.clear();
    m_playlistCurrent.id = 0;
  }
  return true;
}

void CFileListModel::ClearPlaylist() {
  std::vector<FileEntry>().swap(m_playlistEntries);
  std::vector<FileEntry>().swap(m_playlist);
  m_commandEntryCount = 0;
  Rebuild();
  m_playlistCurrent.id = 0;
}

FileEntry CFileListModel::EntryAt(int index) const {
  if (index < 0 || index >= Count()) return {};
  return m_playlist[static_cast<std::size_t>(index)];
}

int CFileListModel::IndexOfId(std::int32_t id) const {
  for (std::size_t i = 0; i < m_playlist.size(); ++i)
    if (m_playlist[i].id == id) return static_cast<int>(i);
  return -1;
}
