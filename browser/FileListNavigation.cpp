// The browser's behaviour: entering folders and drives, going home and up, placing the cursor, activating
// entries by their kind, the keys of the shown list, and paths that come from outside.
#include "browser/FileListWnd.h"
#include "browser/ListCommands.h"

namespace {

bool ShiftHeld() { return (::GetKeyState(VK_LSHIFT) | ::GetKeyState(VK_RSHIFT) | ::GetKeyState(VK_SHIFT)) < 0; }
bool CtrlHeld() { return ::GetKeyState(VK_CONTROL) < 0; }

}  // namespace

// ---- Navigation

void CFileListWnd::EnterFolder(const std::wstring& path) {
  m_model.EnterFolder(path);
  ApplySortFace(m_model.CurrentSortFace());
  PlaceCursorOn(kTextParent, false);
  PaintTitle();
}

void CFileListWnd::GoHome(bool fromKeyboard, bool force) {
  if (!m_model.GoHome(force)) return;
  ApplySortFace(m_model.CurrentSortFace());
  PlaceCursorOn(kTextParent, !fromKeyboard);
  PaintTitle();
}

void CFileListWnd::GoUp(bool fromKeyboard) {
  const std::optional<std::wstring> left = m_model.GoUp();
  if (!left) return;
  ApplySortFace(m_model.CurrentSortFace());
  PlaceCursorOnPath(*left, !fromKeyboard);
  PaintTitle();
}

void CFileListWnd::EnterDrive(const FileEntry& drive) {
  if (!m_model.EnterDrive(drive)) return;
  ApplySortFace(m_model.CurrentSortFace());
  PlaceCursorOn(kTextParent, false);
  PaintTitle();
}

// In the list shown now; an absent name gives the first entry.
void CFileListWnd::PlaceCursorOn(const std::string& name, bool fromSwitch) {
  PlaceCursorAt(CFileListModel::FindEntryByName(m_model.List(ListMode()), name), fromSwitch);
}

void CFileListWnd::PlaceCursorOnPath(const std::wstring& path, bool fromSwitch) {
  PlaceCursorAt(CFileListModel::FindEntryByPath(m_model.List(ListMode()), path), fromSwitch);
}

void CFileListWnd::PlaceCursorAt(int index, bool fromSwitch) {
  m_tags.CenterOn(index);
  m_tags.Refresh();
  if (fromSwitch) m_tags.SetMovedFlag();
  m_tags.SetCursor(index);
  m_tags.RedrawAll();
}

void CFileListWnd::PlaceCursorOnTop() {
  m_tags.CenterOn(0);
  const int index =
      CFileListModel::FindEntryByName(m_model.List(ListMode()), ListMode() == 0 ? kTextParent : kTextShowFiles);
  m_tags.Refresh();
  m_tags.SetCursor(index);
  m_tags.RedrawAll();
}

void CFileListWnd::CycleSort() {
  ApplySortFace(m_model.SetSortMode(SORT_CYCLE, true));
  m_tags.Refresh();
  SetListMode(ListMode());
}

// ---- Activation

std::wstring CFileListWnd::FolderOfEntry(const FileEntry& entry) {
  if (!IsViaShortcut(entry.kind)) return entry.widePath;
  const ShortcutTarget target = m_model.ResolveShortcut(entry.widePath);
  return target.isFolder ? target.widePath : std::wstring();
}

void CFileListWnd::PlayFromList(const FileEntry& entry) {
  if (ListMode() == 1) {
    m_model.PlaylistCurrent() = entry;
    m_player.SetPlayingFromPlaylist(true);
  }
  m_player.PlayEntry(entry, true);
}

void CFileListWnd::Activate(const FileEntry& entry, bool alternate) {
  const bool alt = alternate || (HasAlternate(entry.kind) && ShiftHeld());
  switch (ActivationFor(entry.kind, alt, ListMode())) {
    case Activation::kGoHome:
      GoHome(true, false);
      break;
    case Activation::kClearPlaylist:
      ClearPlaylist();
      break;
    case Activation::kShowFiles:
      SetListMode(0);
      break;
    case Activation::kPlayPlaylist:
      if (!PlaysFromPlaylist() && m_model.Count() != m_model.CommandEntryCount()) m_player.StartPlaylist();
      SetListMode(1);
      break;
    case Activation::kAddFolderTree:
      m_model.AddTree(m_model.CurrentFolder());
      break;
    case Activation::kGoUp:
      GoUp(true);
      break;
    case Activation::kEnterDrive:
      EnterDrive(entry);
      break;
    case Activation::kEnterFolder:
      if (const std::wstring folder = FolderOfEntry(entry); !folder.empty()) EnterFolder(folder);
      break;
    case Activation::kAddTree:
      if (const std::wstring folder = FolderOfEntry(entry); !folder.empty()) m_model.AddTree(folder);
      break;
    case Activation::kPlayHidingList:
      HideList();
      PlayFromList(entry);
      break;
    case Activation::kPlay:
      PlayFromList(entry);
      break;
    case Activation::kAddEntry:
      m_model.AddEntry(entry);
      break;
    case Activation::kRemoveEntry:
      m_model.RemoveEntry(entry);
      SetListMode(1);
      break;
    case Activation::kShellOpen:
      OpenInShell(entry.widePath, L"open");
      break;
    case Activation::kNothing:
      break;
  }
  RestartIdleTimer();
}

void CFileListWnd::ActivateCursor(bool alternate) {
  if (const std::optional<FileEntry> entry = m_tags.GetCursorEntry()) Activate(*entry, alternate);
}

void CFileListWnd::ClearPlaylist() {
  m_model.ClearPlaylist();
  if (ListMode() == 1) SetListMode(1);
}

void CFileListWnd::OpenInShell(const std::wstring& path, const wchar_t* verb) {
  ::ShellExecuteW(nullptr, verb, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// ---- Keys and wheel

void CFileListWnd::Wheel(int delta) { m_tags.Wheel(delta); }

bool CFileListWnd::HandleKey(WPARAM virtualKey, LPARAM) {
  const std::optional<FileEntry> cursor = m_tags.GetCursorEntry();
  const ListKey key = ListKeyFor(static_cast<unsigned>(virtualKey), CtrlHeld(), ListMode(), cursor ? cursor->kind : 0);
  switch (key) {
    case ListKey::kPass:
      return false;
    case ListKey::kGoUp:
      GoUp(true);
      break;
    case ListKey::kActivate:
      ActivateCursor(false);
      break;
    case ListKey::kHide:
      HideList();
      break;
    case ListKey::kPageUp:
      m_tags.PageUp();
      break;
    case ListKey::kPageDown:
      m_tags.PageDown();
      break;
    case ListKey::kToTop:
      PlaceCursorOnTop();
      break;
    case ListKey::kFileList:
      SetListMode(0);
      break;
    case ListKey::kPlaylist:
      SetListMode(1);
      break;
    case ListKey::kSeekBack:
      m_player.SeekBack();
      break;
    case ListKey::kSeekForward:
      m_player.SeekForward();
      break;
    case ListKey::kCursorUp:
      m_tags.CursorUp();
      break;
    case ListKey::kCursorDown:
      m_tags.CursorDown();
      break;
    case ListKey::kAlternate:
      ActivateCursor(true);
      break;
    case ListKey::kToggleList:
      ToggleList();
      break;
    case ListKey::kCycleSort:
      CycleSort();
      break;
    case ListKey::kExplore:
      OpenInShell(m_model.CurrentFolder(), L"explore");
      break;
    case ListKey::kNothing:
      break;
  }
  return true;
}

// ---- Paths from outside

void CFileListWnd::OpenPath(const std::wstring& path) {
  const FileEntry entry = m_model.EntryForOpenPath(path);
  if (entry.kind == KIND_PICTURE || entry.kind == KIND_VIDEO) HideList();
  if (entry.kind != 0) m_player.PlayEntry(entry, true);
}
