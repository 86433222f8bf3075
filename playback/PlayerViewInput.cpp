// The player view's input: keys and system keys, the wheel and its scan, mouse presses, dragging and
// resizing of the borderless window, dropped files. The other windows hand their keys, wheel and mouse to
// these handlers, so the rules hold wherever the user types or scrolls.
#include <windowsx.h>

#include "framework/DroppedFiles.h"
#include "framework/Platform.h"
#include "playback/PlaybackMath.h"
#include "playback/PlayerInput.h"
#include "playback/PlayerView.h"

namespace {

POINT CursorPosition() {
  POINT p{};
  ::GetCursorPos(&p);
  return p;
}

geo::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

HCURSOR SystemCursor(BorderCursor c) {
  switch (c) {
    case BorderCursor::kNorthSouth:
      return ::LoadCursorA(nullptr, IDC_SIZENS);
    case BorderCursor::kWestEast:
      return ::LoadCursorA(nullptr, IDC_SIZEWE);
    case BorderCursor::kNorthWestSouthEast:
      return ::LoadCursorA(nullptr, IDC_SIZENWSE);
    case BorderCursor::kNorthEastSouthWest:
      return ::LoadCursorA(nullptr, IDC_SIZENESW);
    default:
      return ::LoadCursorA(nullptr, IDC_ARROW);
  }
}

// The top of the view holds the window-control buttons: a click there is not a click on the picture.
constexpr int kButtonBandHeight = 40;

}  // namespace

// ---- Keys

void CPlayerView::OnKeyDown(fw::Msg& m) {
  HandleKey(m.wp, m.lp);
  Default(m);
}

void CPlayerView::HandleKey(WPARAM virtualKey, LPARAM flags) {
  const PlayerKey key = PlayerKeyFor(static_cast<unsigned>(virtualKey), LOWORD(flags));
  switch (key) {
    case PlayerKey::kShowList:
      m_fileList.ShowList();
      break;
    case PlayerKey::kPlayPause:
      if (m_loaded)
        TogglePause();
      else
        Start();
      break;
    case PlayerKey::kStop:
      if (m_loaded) {
        Stop();
        m_controlPanel.Redraw();
      } else {
        Start();
      }
      break;
    case PlayerKey::kSeekBack:
      SeekBack();
      break;
    case PlayerKey::kSeekForward:
      SeekForward();
      break;
    case PlayerKey::kPrevious:
      Previous();
      break;
    case PlayerKey::kNext:
      Next();
      break;
    case PlayerKey::kFullScreen:
      ToggleFullScreen();
      break;
    case PlayerKey::kToggleList:
      m_fileList.ToggleList();
      break;
    case PlayerKey::kVolumeDown:
    case PlayerKey::kVolumeUp:
      if (key == PlayerKey::kVolumeUp)
        m_controlPanel.VolumeUp();
      else
        m_controlPanel.VolumeDown();
      m_controlPanel.ShowPanel();
      if (!PanelStaysUpAfterVolumeKey(m_currentKind, m_scanSpeed, m_paused)) m_controlPanel.AutoHide(true);
      break;
    case PlayerKey::kCyclePlayMode:
      CyclePlayMode();
      break;
    case PlayerKey::kNothing:
      // Windows turns media keys into WM_APPCOMMAND in the default processing; Wine does not.
      if (const int command = AppCommandForMediaKey(static_cast<unsigned>(virtualKey));
          command != 0 && fw::RunningUnderWine())
        HandleAppCommand(command);
      break;
  }
}

void CPlayerView::OnAppCommand(fw::Msg& m) {
  if (HandleAppCommand(GET_APPCOMMAND_LPARAM(m.lp)))
    m.result = TRUE;
  else
    Default(m);
}

bool CPlayerView::HandleAppCommand(int command) {
  switch (MediaCommandFor(command)) {
    case MediaCommand::kPlayPause:
      if (m_loaded)
        TogglePause();
      else
        Start();
      return true;
    case MediaCommand::kPlay:
      if (!m_loaded)
        Start();
      else if (m_paused)
        SetPause(false);
      return true;
    case MediaCommand::kPause:
      if (m_loaded && !m_paused) SetPause(true);
      return true;
    case MediaCommand::kStop:
      if (m_loaded) Stop();
      m_controlPanel.Redraw();
      return true;
    case MediaCommand::kNext:
      Next();
      return true;
    case MediaCommand::kPrevious:
      Previous();
      return true;
    case MediaCommand::kVolumeUp:
      HandleKey('6', 1);
      return true;
    case MediaCommand::kVolumeDown:
      HandleKey('5', 1);
      return true;
    case MediaCommand::kMute:
      m_controlPanel.ToggleMute();
      m_controlPanel.ShowPanel();
      m_controlPanel.AutoHide(true);
      return true;
    case MediaCommand::kNone:
      break;
  }
  return false;
}

// Alt+F4 anywhere in the view's windows asks the frame to close in order; the key goes no further. Any
// input to them wakes the panels' mouse polls.
bool CPlayerView::PreTranslateMessage(MSG& msg) {
  if ((msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) ||
      (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) || msg.message == WM_NCMOUSEMOVE)
    WakePanelPolls();
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4) {
    m_frame.RequestExit();
    return true;
  }
  return false;
}

// Other system keys do nothing: no system menu, no menu bar. An Alt+F4 that reaches a handler while the
// settings dialog's loop runs closes in order, after the dialog.
void CPlayerView::HandleSystemKey(fw::Msg& m) {
  m.result = 0;
  if (m.msg != WM_SYSKEYDOWN || m.wp != VK_F4 || !m_frame.FrameWindow()) return;
  if (m_settingsDialogOpen)
    m_frame.RequestExit();
  else
    ::DestroyWindow(m_frame.FrameWindow());
}

void CPlayerView::OnSystemKey(fw::Msg& m) { HandleSystemKey(m); }

// ---- Wheel and scan

void CPlayerView::OnMouseWheel(fw::Msg& m) {
  if (!HandleWheel(GET_WHEEL_DELTA_WPARAM(m.wp))) Default(m);
}

bool CPlayerView::HandleWheel(int delta) {
  if (m_fileList.IsShown()) {
    m_fileList.Wheel(delta);
    return true;
  }
  if (!m_loaded) return false;
  if (KindClass(m_currentKind) == KIND_PICTURE) {
    if (delta == WHEEL_DELTA) Previous();
    if (delta == -WHEEL_DELTA) Next();
    return false;
  }
  m_lastScanTick = ::GetTickCount();
  const int speed = ScanSpeedAfterWheel(m_scanSpeed, delta);
  if (speed != m_scanSpeed) {
    m_scanSpeed = speed;
    if (speed != 0) {
      RunTimer(kScanTimer, kScanMs);
      RunTimer(kPollTimer, kPollMs);
    }
    m_controlPanel.ShowPanel();
    m_controlPanel.Reposition();
  }
  if (m_scanSpeed == 0 && !m_paused && !m_audioOnly) m_controlPanel.AutoHide(true);
  if (m_paused) return false;
  IPlaybackEngine* engine = Engine();
  const bool realPlayerReady = m_selector == EngineSelector::kRealPlayer && !m_realPlayerNotReady;
  if (m_scanSpeed != 0) {
    // The scan step moves the others while they play on; the RealPlayer control is held still.
    if (realPlayerReady && !m_audioOnly && engine) engine->Pause();
  } else {
    if (engine && (m_selector != EngineSelector::kRealPlayer || realPlayerReady)) engine->Resume();
    m_controlPanel.Redraw();
  }
  return false;
}

void CPlayerView::ScanStep() {
  if (!m_loaded || m_scanSpeed == 0 || KindClass(m_currentKind) == KIND_PICTURE) {
    StopTimer(kScanTimer);
    return;
  }
  if (m_selector == EngineSelector::kRealPlayer && m_realPlayerNotReady) return;
  IPlaybackEngine* engine = Engine();
  if (!engine) return;
  const std::int64_t position = engine->CurrentPosition();
  m_currentSeconds = PositionSeconds(position, m_unitsPerSecond);
  m_controlPanel.Redraw();
  const DWORD now = ::GetTickCount();
  const DWORD elapsed = now - m_lastScanTick;
  m_lastScanTick = now;
  std::int64_t target = position + ::ScanStep(elapsed, m_unitsPerSecond, m_scanSpeed, m_audioOnly);
  if (target <= m_earliest) {
    target = m_earliest;
    m_scanSpeed = 0;
    Resume();
    if (m_audioOnly)
      m_controlPanel.ShowPanel();
    else
      m_controlPanel.AutoHide(true);
  }
  if (target >= m_latest) {
    // Left at the end: the position poll finds the end and moves on.
    target = m_latest;
    m_scanSpeed = 0;
    if (!m_audioOnly) m_controlPanel.AutoHide(true);
  }
  engine->SetPosition(target);
}

// ---- Mouse

void CPlayerView::OnLeftButtonDown(fw::Msg& m) {
  const POINT p = CursorPosition();
  RECT window;
  ::GetWindowRect(Hwnd(), &window);
  const int zone = BorderZone(ToRect(window), p.x, p.y);
  if (!m_frame.IsMaximised() && m_loaded) {
    m_borderMode = zone;
    m_pressOffsets = {p.x - window.left, p.y - window.top, window.right - p.x, window.bottom - p.y};
    ::SetCursor(SystemCursor(CursorForZone(zone)));
    ::SetCapture(Hwnd());
  }
  if (zone != 0) return;
  m_dragState = 1;
  m_dragOffset = {p.x - window.left, p.y - window.top};
  ::SetCapture(Hwnd());
  Default(m);
}

void CPlayerView::OnMouseMove(fw::Msg& m) {
  const POINT p = CursorPosition();
  if (!m_frame.IsMaximised() && m_loaded) {
    RECT window;
    ::GetWindowRect(Hwnd(), &window);
    const int zone = m_borderMode ? m_borderMode : BorderZone(ToRect(window), p.x, p.y);
    ::SetCursor(SystemCursor(CursorForZone(zone)));
    if (m_borderMode) ResizeByBorderPress(p);
  }
  if (p.x == m_lastCursor.x && p.y == m_lastCursor.y) return;
  m_lastCursor = p;
  if (m_dragState != 0 && m.wp == MK_LBUTTON && !m_frame.IsMaximised()) {
    m_dragState = 2;
    ::SetWindowPos(Hwnd(), nullptr, p.x - m_dragOffset.x, p.y - m_dragOffset.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RepositionPanels();
    m_fileList.Layout();
    Repaint();
  }
  ShowCursorAndArm(true);
  Default(m);
}

void CPlayerView::ResizeByBorderPress(POINT p) {
  RECT window;
  ::GetWindowRect(Hwnd(), &window);
  RECT screen;
  ::GetWindowRect(::GetDesktopWindow(), &screen);
  const geo::Rect r = ResizeByBorder(m_borderMode, ToRect(window), p.x, p.y, ToRect(screen), m_pressOffsets);
  ::MoveWindow(Hwnd(), r.left, r.top, r.Width(), r.Height(), TRUE);
}

void CPlayerView::OnLeftButtonUp(fw::Msg& m) {
  bool borderPress = false;
  if (m_loaded) {
    borderPress = m_borderMode != 0;
    m_borderMode = 0;
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  }
  if (::GetCapture() == Hwnd()) ::ReleaseCapture();
  POINT p = CursorPosition();
  ::ScreenToClient(Hwnd(), &p);
  if (m_dragState != 2 && !borderPress && p.y > kButtonBandHeight) m_fileList.ShowList();
  m_dragState = 0;
  Default(m);
}

void CPlayerView::OnMiddleButtonDown(fw::Msg& m) {
  HandleMiddleButton(false);
  Default(m);
}

void CPlayerView::OnMiddleButtonDoubleClick(fw::Msg& m) {
  HandleMiddleButton(true);
  Default(m);
}

void CPlayerView::HandleMiddleButton(bool doubleClick) {
  if (doubleClick || m_loaded)
    TogglePause();
  else
    Start();
}

void CPlayerView::OnHitTest(fw::Msg& m) {
  Default(m);
  if (m_frame.IsMaximised()) return;
  RECT window;
  ::GetWindowRect(Hwnd(), &window);
  const int hit = HitTestForZone(BorderZone(ToRect(window), GET_X_LPARAM(m.lp), GET_Y_LPARAM(m.lp)));
  if (hit != 0) m.result = hit;
}

void CPlayerView::OnDropFiles(fw::Msg& m) {
  const std::wstring path = fw::DroppedFiles(m.wp).First();
  if (!path.empty()) m_fileList.OpenPath(path);
}
