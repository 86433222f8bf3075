// The control panel's window: creation, place, showing and hiding, the timers, the messages it passes to
// the player view and its commands. The drawing is in ControlPanelPaint.cpp.
#include "controls/ControlPanel.h"

#include "controls/PanelLayout.h"
#include "controls/PanelZOrder.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kSwitchSize = 32;

geo::Rect SwitchAt(int left, int top) { return {left, top, left + kSwitchSize, top + kSwitchSize}; }

constexpr geo::Rect kVolumeRect{208, 16, 296, 32};
constexpr geo::Rect kPositionRect{304, 16, 612, 32};

RECT ToRECT(const geo::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }
geo::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

CControlPanel::CControlPanel(IPanelHost& host, IPanelStore& store, IPlayerCommands& commands, IInputSink& input,
                             const SkinLook& look)
    : CFloatingPanel(host, commands, input, look, kHoverTimer, kHoverMs),
      m_store(store),
      m_volume(look),
      m_position(look) {}

CControlPanel::~CControlPanel() = default;

bool CControlPanel::Create(HWND view) {
  // Created hidden: showing a pop-up at its creation would activate it. The view's first Reposition
  // places it.
  if (!CreateEx(0, nullptr, nullptr, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, view, nullptr)) return false;
  if (!CreateControls()) return false;
  SetVolume(m_store.SavedVolume());
  SetPlayModeFace(m_commands.PlayMode());
  return true;
}

std::array<CControlPanel::SwitchPlace, 10> CControlPanel::SwitchPlaces() {
  return {{
      {m_fileList, ID_SHOW_FILE_LIST, 22, 10, "FILELISTSW.bmp", IDB_FILELISTSW},
      {m_playlist, ID_SHOW_PLAYLIST, 56, 10, "PLAYLISTSW.bmp", IDB_PLAYLISTSW},
      {m_playMode, ID_PLAYMODE_SWITCH, 90, 10, "NOREPEATSW.bmp", IDB_NOREPEATSW},
      {m_back, ID_BACK_SWITCH, 124, 10, "RRSW.bmp", IDB_RRSW},
      {m_forward, ID_FORWARD_SWITCH, 158, 10, "FFSW.bmp", IDB_FFSW},
      {m_settings, ID_SETTINGS_SWITCH, 22, 44, "SETTINGSW.bmp", IDB_SETTINGSW},
      {m_stop, ID_STOP_SWITCH, 56, 44, "STOPSW.bmp", IDB_STOPSW},
      {m_play, ID_PLAY_SWITCH, 90, 44, "PLAYSW.bmp", IDB_PLAYSW},
      {m_previous, ID_PREVIOUS_SWITCH, 124, 44, "RSW.bmp", IDB_RSW},
      {m_next, ID_NEXT_SWITCH, 158, 44, "FSW.bmp", IDB_FSW},
  }};
}

bool CControlPanel::CreateControls() {
  if (!m_volume.Create(Hwnd(), kVolumeRect, ID_VOLUME_SLIDER, false, false, IDB_VOLUME, SkinFile("volume.bmp"), true) ||
      !m_position.Create(Hwnd(), kPositionRect, ID_POSITION_SLIDER, false, false, 0, std::string(), false))
    return false;
  for (const SwitchPlace& p : SwitchPlaces())
    if (!p.sw.Create(Hwnd(), SwitchAt(p.left, p.top), p.id, p.resource, SkinFile(p.file))) return false;
  return true;
}

void CControlPanel::SetStatusSources(const int& scanSpeed, const bool& paused, const int& totalSeconds,
                                     const int& currentSeconds, const EntryKind& currentKind) {
  m_scanSpeed = &scanSpeed;
  m_paused = &paused;
  m_totalSeconds = &totalSeconds;
  m_currentSeconds = &currentSeconds;
  m_currentKind = &currentKind;
}

void CControlPanel::PreCreate(CREATESTRUCTA& cs) {
  // Double clicks for the middle button's double click.
  cs.lpszClass = RegisterClass(CS_DBLCLKS | CS_OWNDC, ::LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
}

bool CControlPanel::OnMessage(fw::Msg& m) {
  static constexpr fw::Route<CControlPanel> kRoutes[] = {
      {WM_CREATE, 0, &CControlPanel::OnCreate},
      {WM_DESTROY, 0, &CControlPanel::OnDestroy},
      {WM_PAINT, 0, &CControlPanel::OnPaint},
      {WM_TIMER, 0, &CControlPanel::OnTimer},
      {WM_MBUTTONDOWN, 0, &CControlPanel::OnMiddleButton},
      {WM_MBUTTONDBLCLK, 0, &CControlPanel::OnMiddleButton},
      {WM_COMMAND, ID_VOLUME_SLIDER, &CControlPanel::OnVolumeSlider},
      {WM_COMMAND, ID_POSITION_SLIDER, &CControlPanel::OnPositionSlider},
      {WM_COMMAND, ID_SETTINGS_SWITCH, &CControlPanel::OnSettings},
      {WM_COMMAND, ID_STOP_SWITCH, &CControlPanel::OnStop},
      {WM_COMMAND, ID_PLAY_SWITCH, &CControlPanel::OnPlay},
      {WM_COMMAND, ID_NEXT_SWITCH, &CControlPanel::OnNext},
      {WM_COMMAND, ID_PREVIOUS_SWITCH, &CControlPanel::OnPrevious},
      {WM_COMMAND, ID_SHOW_FILE_LIST, &CControlPanel::OnFileListSwitch},
      {WM_COMMAND, ID_SHOW_PLAYLIST, &CControlPanel::OnPlaylistSwitch},
      {WM_COMMAND, ID_PLAYMODE_SWITCH, &CControlPanel::OnPlayMode},
      {WM_COMMAND, ID_FORWARD_SWITCH, &CControlPanel::OnForward},
      {WM_COMMAND, ID_BACK_SWITCH, &CControlPanel::OnBack},
  };
  return fw::Dispatch(*this, kRoutes, m) || CFloatingPanel::OnMessage(m);
}

void CControlPanel::OnCreate(fw::Msg& m) {
  Default(m);
  if (m.result == -1) return;
  MatchViewTransparency();
  const geo::Rect stored = StoredPanelRect(m_store.SavedPanelRect());
  ::MoveWindow(Hwnd(), stored.left, stored.top, stored.Width(), stored.Height(), FALSE);
  WakeMousePoll();
  LoadStrips();
}

void CControlPanel::OnDestroy(fw::Msg& m) {
  Default(m);
  RECT r;
  ::GetWindowRect(Hwnd(), &r);
  m_store.SavePanelState(m_mute.LevelToKeep(GetVolume()), ToRect(r));
}

// ---- Place and visibility

void CControlPanel::Reposition() {
  if (!Exists()) return;
  PlacePanel(Hwnd(), ToRECT(m_host.PanelPlace(ToRect(ScreenClientRect(Hwnd())))), m_visibility.IsShown());
}

void CControlPanel::ShowPanel() {
  if (m_visibility.Show()) Redraw();
  Wake();
}

void CControlPanel::AutoHide(bool arm) {
  if (arm)
    m_visibility.ArmHide();
  else
    m_visibility.Hide();
  Wake();
}

void CControlPanel::Wake() {
  m_clockQuietTicks = 0;
  RunClocks();
  WakeMousePoll();
}

// The clock runs only while the panel is shown and until it has found nothing to draw for a while (see
// RefreshStatus), the blink only while a scan shows its indicator too; a hidden panel is drawn anew when
// it shows.
void CControlPanel::RunClocks() {
  const bool shown = m_visibility.IsShown();
  RunTimer(kClockTimer, kClockMs, m_clockRuns, shown && m_clockQuietTicks < kClockQuietTicks);
  RunTimer(kBlinkTimer, kBlinkMs, m_blinkRuns, shown && m_scanSpeed && *m_scanSpeed != 0);
}

void CControlPanel::RunTimer(UINT_PTR id, UINT ms, bool& runs, bool run) {
  if (run == runs) return;
  runs = run;
  if (run)
    SetTimer(id, ms);
  else
    KillTimer(id);
}

void CControlPanel::KeepAboveView() { KeepPanelAbove(Hwnd(), m_host.ViewWindow()); }

bool CControlPanel::PreTranslateMessage(MSG& msg) {
  // A click or a command that reaches the panel while it is meant to be hidden only brings it back.
  if (m_visibility.IsShown() || (msg.message != WM_COMMAND && msg.message != WM_LBUTTONDOWN)) return false;
  ShowPanel();
  return true;
}

// ---- Timers

void CControlPanel::OnTimer(fw::Msg& m) {
  switch (m.wp) {
    case kHideTimer:
      m_visibility.CountdownEnded();
      RunClocks();
      m_host.ShowCursorAndArm(false);
      break;
    case kClockTimer:
      RefreshStatus();
      RunClocks();
      break;
    case kBlinkTimer:
      m_blink = !m_blink;
      break;
    case kHoverTimer:
      PollHover();
      break;
    default:
      break;
  }
}

void CControlPanel::PollHover() {
  const POINT cursor = PollCursor();
  if ((m_visibility.PointerOver(cursor) || m_host.ListShown()) && !m_host.SettingsDialogOpen()) {
    // Only a show wakes the clock: a panel held under a still pointer lets it sleep.
    if (!m_host.IsFrameMinimised() && m_visibility.Show()) {
      Redraw();
      Wake();
    }
    m_visibility.Hold();
  } else {
    m_visibility.Release();
  }
  // Raised to the top, the panel would cover the settings dialog.
  if (m_visibility.IsShown() && !m_host.SettingsDialogOpen()) KeepAboveView();
  MousePollTicked(cursor);
}

// ---- Messages

void CControlPanel::OnMiddleButton(fw::Msg& m) { m_input.HandleMiddleButton(m.msg == WM_MBUTTONDBLCLK); }

// ---- Commands

void CControlPanel::OnVolumeSlider(fw::Msg&) {
  m_mute.VolumeChanged(GetVolume());
  m_commands.SetVolume(GetVolume());
}
void CControlPanel::OnPositionSlider(fw::Msg&) { m_commands.SeekToFraction(m_position.GetFraction()); }

void CControlPanel::OnSettings(fw::Msg&) {
  m_settings.EndHover();
  m_commands.Do(PlayerCommand::kSettings);
}

void CControlPanel::OnStop(fw::Msg&) {
  m_commands.Do(PlayerCommand::kStop);
  Redraw();
}

void CControlPanel::OnPlay(fw::Msg&) {
  m_commands.Do(PlayerCommand::kPlayOrPause);
  Redraw();
}

void CControlPanel::OnNext(fw::Msg&) { m_commands.Do(PlayerCommand::kNext); }
void CControlPanel::OnPrevious(fw::Msg&) { m_commands.Do(PlayerCommand::kPrevious); }
void CControlPanel::OnFileListSwitch(fw::Msg&) { m_commands.Do(PlayerCommand::kShowFiles); }
void CControlPanel::OnPlaylistSwitch(fw::Msg&) { m_commands.Do(PlayerCommand::kShowPlaylist); }
void CControlPanel::OnPlayMode(fw::Msg&) { m_commands.Do(PlayerCommand::kCyclePlayMode); }
void CControlPanel::OnForward(fw::Msg&) { m_commands.Do(PlayerCommand::kForward); }
void CControlPanel::OnBack(fw::Msg&) { m_commands.Do(PlayerCommand::kBack); }
// ---- Values

void CControlPanel::SetVolume(double fraction) {
  m_volume.SetFraction(fraction);
  m_mute.VolumeChanged(fraction);
  m_commands.SetVolume(fraction);
}

void CControlPanel::ToggleMute() {
  const double level = m_mute.Toggle(GetVolume());
  m_volume.SetFraction(level);
  m_commands.SetVolume(level);
}

void CControlPanel::VolumeUp() { SetVolume(VolumeStepUp(GetVolume())); }
void CControlPanel::VolumeDown() { SetVolume(VolumeStepDown(GetVolume())); }
