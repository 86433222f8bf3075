#pragma once
// The browser's window and controller. On screen it is a 36-pixel bar over the view: the title of what is
// listed and five switches; the rows below it belong to its tag list. It owns the lists (the model: file
// list, playlist, now-playing and playlist current entries, random history), knows which list is shown,
// takes the keyboard while it is shown, and turns activations, navigation and keys into folder changes,
// playlist changes or playback requests to the player (IListPlayer).

#include <string>

#include "browser/FileListModel.h"
#include "browser/ListHost.h"
#include "browser/TagList.h"
#include "config/Settings.h"
#include "config/SkinDefinition.h"
#include "controls/InputSink.h"
#include "controls/SkinSwitch.h"
#include "framework/Geometry.h"
#include "framework/Window.h"

// Posted by the thumbnail worker to the list window after each thumbnail it made.
constexpr UINT WM_THUMBNAILS_READY = WM_APP + 1;

class CFileListWnd : public fw::Window {
 public:
  // Timers of the window.
  static constexpr UINT_PTR kIdleTimerFiles = 0;     // list mode 0 idle
  static constexpr UINT_PTR kIdleTimerPlaylist = 1;  // list mode 1 idle
  // The focus keeper runs after whatever can take the focus or restack the windows, and stops when it
  // has found nothing to do for kFocusIdleTicks ticks.
  static constexpr UINT_PTR kFocusTimer = 10;
  static constexpr UINT kIdleMs = 30000;
  static constexpr UINT kFocusMs = 100;
  static constexpr int kFocusIdleTicks = 20;
  static constexpr int kBarHeight = 36;

  // The player, its windows and its input sink are one object in the program (the player view); the
  // settings and the skin are the player's records, read again where they change.
  CFileListWnd(IListPlayer& player, IListScreen& screen, IInputSink& input, const Settings& settings,
               const CSkinDefinition& skin);
  ~CFileListWnd() override;

  // The hidden window owned by the view, with its switches, rows and slider.
  bool Create(HWND view);
  CFileListModel& Model() { return m_model; }
  const CFileListModel& Model() const { return m_model; }
  CTagList& Tags() { return m_tags; }
  IListScreen& Screen() { return m_screen; }
  const Settings& Config() const { return m_settings; }
  const CSkinDefinition& Skin() const { return m_skin; }

  // ---- Showing
  void Layout();
  void ShowList();
  void HideList();
  void ToggleList();
  void SetListMode(int mode);
  // While the frame is minimised: the list's windows hide, and an open list stays open.
  void Conceal();
  // After the minimise: an open list shows again as it was.
  void Reveal();
  bool IsShown() const { return m_shown; }
  int ListMode() const { return m_model.ListMode(); }
  void ReloadSkin();
  void PaintTitle();
  // The title bar's text as it is shown (single ampersands).
  std::wstring TitleText();

  // ---- Called by the player view
  bool IsPlayingInTvFolder() const { return m_model.IsPlayingInTvFolder(); }
  void OnPlaybackStarted();
  void FollowPlaying();
  void HideIfVideoOrPicture();
  // A path from outside (command line, a second start, a drop): played when its kind is listed.
  void OpenPath(const std::wstring& path);
  // Something may have taken the focus or raised the view over the rows: the focus keeper looks again.
  void WakeFocusKeeper();
  // The list's idle timer of the current list mode starts again.
  void RestartIdleTimer();
  // Tests wait less than the 30 s for the idle timers.
  void SetIdlePeriod(UINT ms) { m_idleMs = ms; }

  // ---- Navigation and activation
  void EnterFolder(const std::wstring& path);
  void EnterFolder(const std::string& path) { EnterFolder(m_model.Widen(path)); }
  void GoHome(bool fromKeyboard, bool force);
  void GoUp(bool fromKeyboard);
  void Activate(const FileEntry& entry, bool alternate);
  void ActivateCursor(bool alternate);
  // Empties the playlist; a shown playlist is drawn again.
  void ClearPlaylist();
  // One wheel message while the list is shown.
  void Wheel(int delta);
  // A key pressed while the list is shown; true when the key table took it.
  bool HandleKey(WPARAM virtualKey, LPARAM flags);

 protected:
  void PreCreate(CREATESTRUCTA& cs) override;
  bool OnMessage(fw::Msg& m) override;

 private:
  void OnCreate(fw::Msg& m);
  void OnPaint(fw::Msg& m);
  void OnMouseMove(fw::Msg& m);
  void OnMouseWheel(fw::Msg& m);
  void OnTimer(fw::Msg& m);
  void OnKeyDown(fw::Msg& m);
  void OnSystemKey(fw::Msg& m);
  void OnDropFiles(fw::Msg& m);
  void OnHomeSwitch(fw::Msg& m);
  void OnOneUpSwitch(fw::Msg& m);
  void OnSortSwitch(fw::Msg& m);
  void OnListHideSwitch(fw::Msg& m);
  void OnRemovePlaylistSwitch(fw::Msg& m);
  void OnSwitchMouseMove(fw::Msg& m);
  void OnSysCommand(fw::Msg& m);
  void OnThumbnailsReady(fw::Msg& m);
  void OnAppCommand(fw::Msg& m);
  void OnGetText(fw::Msg& m);
  void OnGetTextLength(fw::Msg& m);
  void OnActivateApp(fw::Msg& m);
  void OnKillFocus(fw::Msg& m);

  void PlaceSwitches(int width);
  void ShowNavigationSwitches(bool show);
  void CycleSort();
  void ApplySortFace(const SortFace& face);
  void PlaceCursorOn(const std::string& name, bool fromSwitch);
  void PlaceCursorOnPath(const std::wstring& path, bool fromSwitch);
  void PlaceCursorAt(int index, bool fromSwitch);
  void PlaceCursorOnTop();
  void IdleTimerFired(int mode);
  // True when it had something to do.
  bool KeepFocus();
  bool PlaysFromPlaylist() const;
  void PlayFromList(const FileEntry& entry);
  // A folder entry's folder (a folder shortcut's target); empty when the shortcut leads to no folder.
  std::wstring FolderOfEntry(const FileEntry& entry);
  void EnterDrive(const FileEntry& drive);
  void OpenInShell(const std::wstring& path, const wchar_t* verb);
  std::string SkinFile(const char* name) const;

  IListPlayer& m_player;
  IListScreen& m_screen;
  IInputSink& m_input;
  const Settings& m_settings;
  const CSkinDefinition& m_skin;
  CFileListModel m_model;
  bool m_shown = false;
  CSkinSwitch m_home, m_oneUp, m_sort, m_listHide, m_removePlaylist;
  geo::Rect m_listRect;
  CTagList m_tags;
  bool m_idle[2] = {true, true};
  UINT m_idleMs = kIdleMs;
  bool m_focusKeeperRuns = false;
  int m_focusIdleTicks = 0;
};
