#pragma once
// The window the user sees: an owned pop-up over the invisible main frame, and the playback controller.
// It holds the settings record, the skin definition and the browser's lists, decides from an entry's kind
// which engine plays it, drives that engine through one set of operations and polls it with timers.

#include <cstdint>
#include <random>
#include <string>

#include "browser/FileListWnd.h"
#include "config/Settings.h"
#include "config/SettingsDialog.h"
#include "config/SkinDefinition.h"
#include "controls/ControlPanel.h"
#include "controls/WindowButtons.h"
#include "framework/Com.h"
#include "framework/PictureFile.h"
#include "framework/Window.h"
#include "playback/DirectShowEngine.h"
#include "playback/PictureEngine.h"
#include "playback/PlayOrder.h"
#include "playback/PlayerFrame.h"
#include "playback/PlayerInput.h"
#include "playback/QuickTimeEngine.h"
#include "playback/QuickTimeHost.h"
#include "playback/RealPlayerEngine.h"

enum class EngineSelector { kNone, kPicture, kDirectShow, kQuickTime, kRealPlayer };

// Posted by the view's creation: the panels that the first picture does not show are made after it.
constexpr UINT WM_CREATE_HIDDEN_PANELS = WM_APP + 2;

// The list and the panels reach the view through the interfaces their folders declare.
class CPlayerView : public fw::Window,
                    public IListPlayer,
                    public IListScreen,
                    public IInputSink,
                    public IPanelHost,
                    public IPanelStore,
                    public IPlayerCommands {
 public:
  // Timers of the view.
  // Timers 1 and 4 run only while they have something to do: the scan step while a scan runs, the poll
  // while an entry that is not a picture is open; each stops itself at its first tick without work.
  static constexpr UINT_PTR kScanTimer = 1;       // the scan step while the wheel scans
  static constexpr UINT_PTR kCursorTimer = 2;     // hides the cursor in full screen
  static constexpr UINT_PTR kPollTimer = 4;       // position and end of entry
  static constexpr UINT_PTR kSlideshowTimer = 5;  // next picture of the playlist
  static constexpr UINT_PTR kRealPlayerTimer = 6;  // waits for the RealPlayer clip to start
  static constexpr UINT kRealPlayerPollMs = 10;
  // A RealPlayer clip that has not started this long after its open is given up like a failed open.
  static constexpr ULONGLONG kRealPlayerStartLimitMs = 8000;
  static constexpr COLORREF kBandColour = RGB(0, 0, 0);
  static constexpr UINT kPollMs = 250;
  static constexpr UINT kScanMs = 500;
  static constexpr UINT kCursorHideMs = 3000;

  explicit CPlayerView(IPlayerFrame& frame);
  ~CPlayerView() override;

  // ---- Settings
  // Reads TN.INI into the settings record; once, at start-up, before any window exists.
  void LoadSettings();
  // Writes the whole CONFIG section.
  void SaveSettings() const;
  // Writes the POSITION keys of the view's window (only FULL_SCREEN when maximised).
  void SaveWindowPosition(const geo::Rect& rect, bool maximised) const;
  Settings& Config() { return m_settings; }
  const Settings& Config() const { return m_settings; }
  const CSkinDefinition& Skin() const { return m_skin; }
  const CPictureFile& Wallpaper() const { return m_wallpaper; }
  const CPictureFile& Picture() const { return m_picture; }
  // The browser's lists, playlist and now-playing entries, kept by the file list window.
  CFileListModel& Files() { return m_fileList.Model(); }
  const CFileListModel& Files() const { return m_fileList.Model(); }
  CFileListWnd& FileList() { return m_fileList; }
  CControlPanel& ControlPanel() { return m_controlPanel; }
  CWindowButtons& WindowButtons() { return m_windowButtons; }

  // ---- Window
  // Creates the view owned by the frame (called from the frame's WM_CREATE).
  bool Create(HWND owner);
  // Whether the frame starts maximised: FULLSCREEN, or the window was maximised when it last closed.
  bool StartInFullScreen() const { return m_startFullScreen; }
  bool IsFrameMinimised() const override;
  // The frame was minimised: every window of the view hides, the view too (Windows hides an owned
  // pop-up with its owner, Wine does not; hiding again changes nothing). The list and the settings
  // dialog stay open for the restore.
  void ConcealForMinimise();
  // The frame is back: the view shows again (the frame places it), with the list and the dialog if they
  // were open; the panels come back as the pointer brings them.
  void RevealAfterMinimise();
  // Starts the panels' mouse polls and the status clock again where they sleep: something may have
  // changed what they find.
  void WakePanelPolls();
  // The control panel's window rectangle in screen coordinates, from which the frame lays out the panels.
  geo::Rect ControlPanelRect() const;
  // 0 none, 1 the left button went down in the view, 2 the window is being dragged.
  int DragState() const { return m_dragState; }
  bool DraggingWindow() const override { return m_dragState == 2; }
  HWND ViewWindow() const override { return Exists() ? Hwnd() : nullptr; }
  // The file list's area: the view above the control panel, by the frame's panel layout.
  geo::Rect ListArea() const override;
  void ShowControlPanel(bool show) override;
  int StartPlaylist() override { return Start(); }
  bool RefusesSystemCommand(WPARAM command) const override;

  // ---- What the panels ask
  bool ListShown() const override { return m_fileList.IsShown(); }
  EntryKind NowPlayingKind() override;
  geo::Rect PanelPlace(const geo::Rect& panelClient) const override;
  void FillStatus(StatusInputs& in) const override;
  geo::Rect SavedPanelRect() const override;
  double SavedVolume() const override;
  void SavePanelState(double volume, const geo::Rect& panelRect) override;
  void Do(PlayerCommand command) override;
  int PlayMode() const override { return m_settings.playMode; }
  bool IsMaximised() const override;
  bool SettingsDialogOpen() const override { return m_settingsDialogOpen; }
  // The settings switch: the settings dialog, once at a time, with the keyboard on the view. On OK the
  // record takes the dialog's values, a new skin reaches every window, TN.INI is written and the frame
  // is placed topmost or not.
  void OpenSettings();
  // The settings dialog's window while it runs, else null.
  HWND SettingsDialogWindow() const override;
  // A close of the program while the settings dialog runs: the dialog ends as Cancel, and once its loop
  // has returned the close is asked for again. False when no dialog runs (the close goes on).
  bool EndSettingsBeforeClose();
  // A path handed over from outside (a second start): opened at once, or when the settings dialog ends.
  void OpenHandedOver(const std::wstring& path);
  // Topmost or not as TOPMOST says, without moving or sizing the frame.
  void ApplyTopmost();
  // Paints the whole client area at once through a window DC.
  void Repaint() override;
  int ToggleFullScreen();
  // Shows the cursor when asked; in full screen it is hidden again 3 s later.
  void ShowCursorAndArm(bool show) override;
  // The system's screen-saver and monitor power-off requests are refused while an entry is loaded.
  bool SuppressesScreenSaver() const { return m_settings.disableScreenSaver && m_loaded; }
  bool SuppressesMonitorPowerOff() const { return m_settings.disableMonitor && m_loaded; }

  // ---- Input handed over by the other windows
  // A key the file list does not take.
  void HandleKey(WPARAM virtualKey, LPARAM flags) override;
  // WM_SYSKEYDOWN and WM_SYSCHAR of the view and of the windows that pass them on.
  void HandleSystemKey(fw::Msg& m) override;
  // One wheel message; false when the system's default processing should follow.
  bool HandleWheel(int delta) override;
  // The middle button: pause or go on (start the playlist when nothing is loaded); a double click pauses
  // or goes on in any case.
  void HandleMiddleButton(bool doubleClick) override;
  bool PreTranslateMessage(MSG& msg) override;
  // A media key's WM_APPCOMMAND code; false when it is not the player's.
  bool HandleAppCommand(int command) override;

  // ---- Opening
  // Publishes the entry's title and opens it; the entry becomes the now-playing entry.
  int PlayEntry(const FileEntry& entry, bool explicitOpen) override;
  // Plays the playlist's entry i, which becomes the playlist current entry.
  void PlayIndex(int index);
  // Ends the open entry; repaint unless another entry follows at once.
  void Close(bool repaint);
  // Where the picture or video stands in the client area (empty while nothing is shown).
  void UpdateOutputRect();
  // The frame's text and the published window name become the file's title, or "Tarnvale" again.
  void PublishTitle(const std::wstring& path);
  void ResetTitle();

  // ---- Transport
  int Start();
  void Stop();
  void SetPause(bool on);
  void TogglePause() { SetPause(!m_paused); }
  void Resume();
  void AdvanceAfterEnd();
  void Next();
  void Previous();
  void CyclePlayMode();
  void SeekBy(int seconds);
  void SeekForward() override;
  void SeekBack() override;
  void SeekToFraction(double fraction) override;
  void SetVolume(double fraction) override;
  // The volume slider of the control panel is where the volume lives.
  double Volume() const { return m_controlPanel.GetVolume(); }

  // ---- Playback state
  bool IsLoaded() const override { return m_loaded; }
  bool IsPaused() const { return m_paused; }
  bool IsAudioOnly() const { return m_audioOnly; }
  bool PlayingFromPlaylist() const { return m_playingFromPlaylist; }
  void SetPlayingFromPlaylist(bool on) override { m_playingFromPlaylist = on; }
  EngineSelector Selected() const { return m_selector; }
  EntryKind CurrentKind() const { return m_currentKind; }
  const geo::Rect& OutputRect() const { return m_outputRect; }
  std::int64_t Earliest() const { return m_earliest; }
  std::int64_t Latest() const { return m_latest; }
  std::int64_t UnitsPerSecond() const { return m_unitsPerSecond; }
  int TotalSeconds() const { return m_totalSeconds; }
  int CurrentSeconds() const { return m_currentSeconds; }
  // Where the position slider stands, 0…1.
  double PlaybackFraction() const { return m_controlPanel.PlaybackFraction(); }
  // The engine's position now; 0 when nothing is loaded.
  std::int64_t CurrentPosition();
  bool CursorVisible() const { return m_cursorVisible; }
  int ScanSpeed() const { return m_scanSpeed; }
  // Whether the view has told the system that the display must stay on.
  bool RequestsDisplay() const { return m_displayRequested; }
  const CDirectShowEngine& DirectShow() const { return m_directShow; }
  const CQuickTimeHost& QuickTimeHost() const { return m_quickTimeHost; }
  CRealAudio* RealPlayerControl() const { return m_realPlayer.Control(); }
  bool RealPlayerNotReady() const { return m_realPlayerNotReady; }
  // The colour of the bands around the output rectangle.
  COLORREF BandColour() const { return kBandColour; }

 protected:
  void PreCreate(CREATESTRUCTA& cs) override;
  bool OnMessage(fw::Msg& m) override;

 private:
  void OnCreate(fw::Msg& m);
  void OnSize(fw::Msg& m);
  void OnMove(fw::Msg& m);
  void OnGetMinMaxInfo(fw::Msg& m);
  void OnDestroy(fw::Msg& m);
  void OnPaint(fw::Msg& m);
  void OnEraseBackground(fw::Msg& m);
  void OnTimer(fw::Msg& m);
  void OnGraphNotify(fw::Msg& m);
  void OnCreateHiddenPanels(fw::Msg& m);
  void OnSysCommand(fw::Msg& m);
  void OnKeyDown(fw::Msg& m);
  void OnSystemKey(fw::Msg& m);
  void OnMouseWheel(fw::Msg& m);
  void OnLeftButtonDown(fw::Msg& m);
  void OnMouseMove(fw::Msg& m);
  void OnLeftButtonUp(fw::Msg& m);
  void OnMiddleButtonDown(fw::Msg& m);
  void OnMiddleButtonDoubleClick(fw::Msg& m);
  void OnHitTest(fw::Msg& m);
  void OnDropFiles(fw::Msg& m);
  void OnAppCommand(fw::Msg& m);
  void OnWindowPosChanged(fw::Msg& m);
  void OnKillFocus(fw::Msg& m);

  void ScanStep();
  // Starts the timer unless it runs; StopTimer stops it unless it is stopped.
  void RunTimer(UINT_PTR id, UINT ms);
  void StopTimer(UINT_PTR id);
  bool& TimerRuns(UINT_PTR id);
  void ResizeByBorderPress(POINT cursor);
  // While an entry is loaded and the monitor's power-off is refused, the system is told that the display
  // is required (newer Windows keeps the display on only for that). The screen saver needs no request:
  // refusing its command holds it off, and the monitor may still power off when that is allowed.
  void UpdateDisplayRequest();

  void ApplySettings(const Settings& fields);
  void ReloadSkin();

  void PlaceAtStoredPosition();
  void CopyRectToFrame();
  void RepositionPanels();
  void Paint(HDC dc);
  void LoadWallpaper();

  int Open(std::wstring path, EntryKind kind, bool explicitOpen);
  HRESULT OpenDirectShow(const std::wstring& path);
  HRESULT OpenQuickTime(const std::string& path, EntryKind kind);
  HRESULT OpenRealPlayer(const std::wstring& path, EntryKind kind);
  void WaitForRealPlayerStart();
  void CloseEngines();
  void PollPosition();
  void HideCursorIfIdle();
  void RestartSlideshow();
  void Carry(const PlayChoice& choice);
  PlaylistIds Ids() const;
  // The now-playing entry's index in the playlist, else the playlist current entry's, else -1.
  int PlaylistPlace() const;
  UniformDraw Draw();
  IPlaybackEngine* Engine();

  IPlayerFrame& m_frame;
  fw::ComScope m_com;
  CQuickTimeHost m_quickTimeHost{*this};
  CPictureFile m_picture;    // the shown picture
  CPictureFile m_wallpaper;  // the skin's wallpaper
  Settings m_settings;  // before the file list, which reads it
  CFileListWnd m_fileList{*this, *this, *this, m_settings, m_skin};
  CWindowButtons m_windowButtons{*this, *this, *this, m_skin};
  CControlPanel m_controlPanel{*this, *this, *this, *this, m_skin};
  CDirectShowEngine m_directShow;
  CPictureEngine m_pictureEngine{m_picture};
  CQuickTimeEngine m_quickTimeEngine{m_quickTimeHost};
  CRealPlayerEngine m_realPlayer;
  CSkinDefinition m_skin;
  std::mt19937 m_random;

  bool m_startFullScreen = false;
  bool m_loaded = false;
  EntryKind m_currentKind = 0;
  EngineSelector m_selector = EngineSelector::kNone;
  bool m_audioOnly = false;
  bool m_paused = false;
  bool m_playingFromPlaylist = false;
  int m_scanSpeed = 0;
  std::int64_t m_unitsPerSecond = 0;
  std::int64_t m_earliest = 0, m_latest = 0;
  int m_totalSeconds = 0;
  int m_currentSeconds = 0;
  geo::Rect m_outputRect;
  int m_noEngineTicks = 0;
  bool m_cursorVisible = true;
  bool m_settingsDialogOpen = false;
  bool m_concealed = false;   // hidden with the minimised frame
  HWND m_concealedDialog = nullptr;
  CSettingsDialog* m_settingsDialog = nullptr;  // the dialog of the running OpenSettings
  bool m_closeAfterSettings = false;
  std::wstring m_openAfterSettings;
  int m_dragState = 0;
  POINT m_dragOffset{};
  POINT m_lastCursor{-32768, -32768};
  int m_borderMode = 0;
  PressOffsets m_pressOffsets;
  DWORD m_lastScanTick = 0;
  bool m_scanTimerRuns = false, m_pollTimerRuns = false;
  bool m_displayRequested = false;
  bool m_realPlayerNotReady = false;
  bool m_realPlayerStarted = false;
  ULONGLONG m_realPlayerDeadline = 0;
};
