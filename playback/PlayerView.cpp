#include "playback/PlayerView.h"

#include <utility>

#include "config/IniProfile.h"
#include "controls/SwitchBitmapCache.h"
#include "framework/Gdi.h"
#include "framework/Handles.h"
#include "framework/StartupTrace.h"
#include "framework/SystemText.h"
#include "playback/ViewGeometry.h"
#include "res/ResourceIds.h"

namespace {

geo::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

CPlayerView::CPlayerView(IPlayerFrame& frame)
    : m_frame(frame), m_random(::GetTickCount()) {}

CPlayerView::~CPlayerView() {
  m_realPlayer.Destroy();
  ClearSwitchBitmapCache();
}

void CPlayerView::LoadSettings() {
  IniProfile ini(SettingsFilePath());
  m_settings = ::LoadSettings(ini, fw::LoadResourceString(IDS_PROGRAM_TITLE));
}

void CPlayerView::SaveSettings() const {
  IniProfile ini(SettingsFilePath());
  ::SaveSettings(ini, m_settings);
}

void CPlayerView::SaveWindowPosition(const geo::Rect& rect, bool maximised) const {
  IniProfile ini(SettingsFilePath());
  ::SaveWindowPosition(ini, rect, maximised);
}

bool CPlayerView::Create(HWND owner) {
  return CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kViewDefaultWidth,
                  kViewDefaultHeight, owner, nullptr);
}

void CPlayerView::PreCreate(CREATESTRUCTA& cs) {
  cs.dwExStyle = (cs.dwExStyle & ~WS_EX_CLIENTEDGE) | WS_EX_ACCEPTFILES;
  cs.style &= ~WS_BORDER;
  cs.lpszClass = RegisterClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW), nullptr,
                               nullptr);
}

bool CPlayerView::OnMessage(fw::Msg& m) {
  static constexpr fw::Route<CPlayerView> kRoutes[] = {
      {WM_CREATE, 0, &CPlayerView::OnCreate},
      {WM_SIZE, 0, &CPlayerView::OnSize},
      {WM_MOVE, 0, &CPlayerView::OnMove},
      {WM_GETMINMAXINFO, 0, &CPlayerView::OnGetMinMaxInfo},
      {WM_DESTROY, 0, &CPlayerView::OnDestroy},
      {WM_PAINT, 0, &CPlayerView::OnPaint},
      {WM_ERASEBKGND, 0, &CPlayerView::OnEraseBackground},
      {WM_TIMER, 0, &CPlayerView::OnTimer},
      {WM_GRAPHNOTIFY, 0, &CPlayerView::OnGraphNotify},
      {WM_CREATE_HIDDEN_PANELS, 0, &CPlayerView::OnCreateHiddenPanels},
      {WM_SYSCOMMAND, 0, &CPlayerView::OnSysCommand},
      {WM_KEYDOWN, 0, &CPlayerView::OnKeyDown},
      {WM_SYSKEYDOWN, 0, &CPlayerView::OnSystemKey},
      {WM_SYSCHAR, 0, &CPlayerView::OnSystemKey},
      {WM_MOUSEWHEEL, 0, &CPlayerView::OnMouseWheel},
      {WM_LBUTTONDOWN, 0, &CPlayerView::OnLeftButtonDown},
      {WM_MOUSEMOVE, 0, &CPlayerView::OnMouseMove},
      {WM_LBUTTONUP, 0, &CPlayerView::OnLeftButtonUp},
      {WM_MBUTTONDOWN, 0, &CPlayerView::OnMiddleButtonDown},
      {WM_MBUTTONDBLCLK, 0, &CPlayerView::OnMiddleButtonDoubleClick},
      {WM_NCHITTEST, 0, &CPlayerView::OnHitTest},
      {WM_DROPFILES, 0, &CPlayerView::OnDropFiles},
      {WM_APPCOMMAND, 0, &CPlayerView::OnAppCommand},
      {WM_WINDOWPOSCHANGED, 0, &CPlayerView::OnWindowPosChanged},
      {WM_KILLFOCUS, 0, &CPlayerView::OnKillFocus},
  };
  return fw::Dispatch(*this, kRoutes, m);
}

void CPlayerView::OnCreate(fw::Msg& m) {
  Default(m);
  if (m.result == -1) return;
  fw::startup::Mark("view window");
  m_skin.skinName = m_settings.skin;
  m_skin.Load();
  fw::startup::Mark("skin definition");
  LoadWallpaper();
  fw::startup::Mark("wallpaper");
  if (m_controlPanel.Create(Hwnd())) {
    m_controlPanel.SetStatusSources(m_scanSpeed, m_paused, m_totalSeconds, m_currentSeconds, m_currentKind);
    m_frame.SetControlPanel(m_controlPanel.Hwnd());
  }
  fw::startup::Mark("control panel (switches, sliders, strips)");
  // The window buttons are hidden at start (the pointer brings them): they follow the first paint.
  ::PostMessageA(Hwnd(), WM_CREATE_HIDDEN_PANELS, 0, 0);
  m_fileList.Create(Hwnd());
  fw::startup::Mark("file list (bar, 64 rows, slider)");
  m_quickTimeHost.Create(Hwnd());
  fw::startup::Mark("QuickTime host");
  PlaceAtStoredPosition();
  RepositionPanels();
  fw::startup::Mark("placed");
  m_fileList.GoHome(false, true);
  fw::startup::Mark("home listing");
}

void CPlayerView::OnCreateHiddenPanels(fw::Msg&) {
  if (m_windowButtons.Exists() || !m_windowButtons.Create(Hwnd())) return;
  m_windowButtons.Reposition();
}

void CPlayerView::LoadWallpaper() {
  if (m_skin.wallpaperFile.empty())
    m_wallpaper.Free();
  else
    m_wallpaper.Load(m_skin.skinFolder + m_skin.wallpaperFile);
}

void CPlayerView::PlaceAtStoredPosition() {
  IniProfile ini(SettingsFilePath());
  WindowPosition stored = LoadWindowPosition(ini);
  m_startFullScreen = m_settings.fullScreen || stored.fullScreen;

  geo::Rect screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  int vx = ::GetSystemMetrics(SM_XVIRTUALSCREEN), vy = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  geo::Rect desktop{vx, vy, vx + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), vy + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  geo::Rect r = InitialViewRect(stored.rect, screen, desktop);
  ::MoveWindow(Hwnd(), r.left, r.top, r.Width(), r.Height(), TRUE);
}

void CPlayerView::OnSize(fw::Msg& m) {
  Default(m);
  CopyRectToFrame();
  UpdateOutputRect();
  RepositionPanels();
  m_fileList.Layout();
}

void CPlayerView::OnMove(fw::Msg& m) {
  Default(m);
  CopyRectToFrame();
  RepositionPanels();
  m_fileList.Layout();
}

void CPlayerView::RepositionPanels() {
  m_controlPanel.Reposition();
  m_windowButtons.Reposition();
}

bool CPlayerView::IsFrameMinimised() const { return m_frame.FrameWindow() && ::IsIconic(m_frame.FrameWindow()); }

void CPlayerView::ConcealForMinimise() {
  m_controlPanel.AutoHide(false);
  m_windowButtons.AutoHide(false);
  m_fileList.Conceal();
  const HWND dialog = SettingsDialogWindow();
  m_concealedDialog = dialog && ::IsWindowVisible(dialog) ? dialog : nullptr;
  if (m_concealedDialog) ::ShowWindow(m_concealedDialog, SW_HIDE);
  if (Exists()) ::ShowWindow(Hwnd(), SW_HIDE);
  m_concealed = true;
}

void CPlayerView::RevealAfterMinimise() {
  if (!std::exchange(m_concealed, false)) return;
  WakePanelPolls();
  if (Exists() && !::IsWindowVisible(Hwnd())) ::ShowWindow(Hwnd(), SW_SHOWNA);
  m_fileList.Reveal();
  // The dialog of a settings session that still runs.
  if (m_concealedDialog && m_concealedDialog == SettingsDialogWindow()) ::ShowWindow(m_concealedDialog, SW_SHOW);
  m_concealedDialog = nullptr;
}

geo::Rect CPlayerView::ControlPanelRect() const {
  RECT r{};
  if (m_controlPanel.Exists()) ::GetWindowRect(m_controlPanel.Hwnd(), &r);
  return ToRect(r);
}

geo::Rect CPlayerView::ListArea() const { return m_frame.LayoutPanels(ControlPanelRect()).list; }

void CPlayerView::ShowControlPanel(bool show) {
  if (show)
    m_controlPanel.ShowPanel();
  else
    m_controlPanel.AutoHide(false);
}

void CPlayerView::OnGetMinMaxInfo(fw::Msg& m) {
  auto* info = reinterpret_cast<MINMAXINFO*>(m.lp);
  info->ptMinTrackSize = {kMinTrackWidth, kMinTrackHeight};
  Default(m);
}

void CPlayerView::OnDestroy(fw::Msg& m) {
  Default(m);
  RECT r;
  ::GetWindowRect(Hwnd(), &r);
  SaveWindowPosition(ToRect(r), m_frame.IsMaximised());
  m_directShow.ReleaseAll();
  CloseEngines();
  m_loaded = false;
  m_selector = EngineSelector::kNone;
  UpdateDisplayRequest();
  // The pictures are COM objects too: gone before COM is.
  m_picture.Free();
  m_wallpaper.Free();
  m_com.Uninitialize();
}

void CPlayerView::OnPaint(fw::Msg&) {
  fw::PaintDC dc(Hwnd());
  Paint(dc.Get());
}

void CPlayerView::OnEraseBackground(fw::Msg& m) { m.result = 1; }

void CPlayerView::Repaint() {
  if (!Exists()) return;
  fw::WindowDC dc(Hwnd());
  Paint(dc.Get());
}

void CPlayerView::Paint(HDC dc) {
  RECT client;
  ::GetClientRect(Hwnd(), &client);
  fw::BackBuffer buffer(dc, client.right, client.bottom);
  if (!buffer.Ok()) return;
  // Everything outside the output rectangle is a band; a video engine draws its own window inside it.
  fw::FillSolid(buffer.Dc(), client, kBandColour);
  if (!m_loaded || m_audioOnly) {
    m_wallpaper.Render(buffer.Dc(), 0, 0, client.right, client.bottom);
  } else if (m_selector == EngineSelector::kPicture) {
    m_picture.Render(buffer.Dc(), m_outputRect.left, m_outputRect.top, m_outputRect.right, m_outputRect.bottom);
  }
  buffer.Present(dc);
}

void CPlayerView::CopyRectToFrame() {
  if (!m_frame.FrameWindow()) return;
  RECT r;
  ::GetWindowRect(Hwnd(), &r);
  ::SetWindowPos(m_frame.FrameWindow(), Hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
}

int CPlayerView::ToggleFullScreen() { return m_frame.ToggleFullScreen(); }

bool& CPlayerView::TimerRuns(UINT_PTR id) { return id == kScanTimer ? m_scanTimerRuns : m_pollTimerRuns; }

void CPlayerView::RunTimer(UINT_PTR id, UINT ms) {
  if (std::exchange(TimerRuns(id), true)) return;
  SetTimer(id, ms);
}

void CPlayerView::StopTimer(UINT_PTR id) {
  if (std::exchange(TimerRuns(id), false)) KillTimer(id);
}

void CPlayerView::OnTimer(fw::Msg& m) {
  switch (m.wp) {
    case kScanTimer:
      ScanStep();
      break;
    case kPollTimer:
      PollPosition();
      break;
    case kSlideshowTimer:
      if (KindClass(m_currentKind) == KIND_PICTURE) AdvanceAfterEnd();
      break;
    case kCursorTimer:
      HideCursorIfIdle();
      break;
    case kRealPlayerTimer:
      WaitForRealPlayerStart();
      break;
    default:
      break;
  }
}

// A view raised over the rows or a focus gone elsewhere is what the list's focus keeper puts right.
void CPlayerView::OnWindowPosChanged(fw::Msg& m) {
  Default(m);
  if (reinterpret_cast<const WINDOWPOS*>(m.lp)->flags & SWP_NOZORDER) return;
  m_fileList.WakeFocusKeeper();
  WakePanelPolls();
}

void CPlayerView::WakePanelPolls() {
  m_controlPanel.Wake();
  m_windowButtons.WakeMousePoll();
}

void CPlayerView::OnKillFocus(fw::Msg& m) {
  Default(m);
  m_fileList.WakeFocusKeeper();
}

void CPlayerView::OnGraphNotify(fw::Msg&) { m_directShow.DrainEvents(); }

bool CPlayerView::RefusesSystemCommand(WPARAM command) const {
  return (command == SC_SCREENSAVE && SuppressesScreenSaver()) ||
         (command == SC_MONITORPOWER && SuppressesMonitorPowerOff());
}

void CPlayerView::OnSysCommand(fw::Msg& m) {
  if (RefusesSystemCommand(m.wp & 0xFFF0)) {
    m.result = 0;
    return;
  }
  Default(m);
}

void CPlayerView::UpdateDisplayRequest() {
  const bool want = m_loaded && m_settings.disableMonitor;
  if (want == m_displayRequested) return;
  ::SetThreadExecutionState(want ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED : ES_CONTINUOUS);
  m_displayRequested = want;
}

void CPlayerView::ShowCursorAndArm(bool show) {
  if (show && !m_cursorVisible) {
    while (::ShowCursor(TRUE) < 0) {
    }
    m_cursorVisible = true;
  }
  if (m_frame.IsMaximised()) SetTimer(kCursorTimer, kCursorHideMs);
}

void CPlayerView::HideCursorIfIdle() {
  KillTimer(kCursorTimer);
  if (m_settingsDialogOpen || !m_cursorVisible || m_controlPanel.IsShown() || m_fileList.IsShown()) return;
  while (::ShowCursor(FALSE) >= 0) {
  }
  m_cursorVisible = false;
}

void CPlayerView::PublishTitle(const std::wstring& path) { m_frame.ShowTitleOf(path); }

void CPlayerView::ResetTitle() { m_frame.ShowTitleOf(std::wstring()); }
