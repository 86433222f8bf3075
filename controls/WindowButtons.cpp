#include "controls/WindowButtons.h"

#include "controls/PanelKey.h"
#include "controls/PanelZOrder.h"
#include "framework/Gdi.h"
#include "framework/Handles.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kSwitchSize = 32;
// The buttons' place in the view's client area, from its right edge and top.
constexpr int kFromRight = 108, kToRight = 8, kTop = 8, kBottom = 40;

geo::Rect SwitchAt(int left) { return {left, 0, left + kSwitchSize, kSwitchSize}; }

}  // namespace

CWindowButtons::~CWindowButtons() = default;

bool CWindowButtons::Create(HWND view) {
  // Created hidden, like the control panel: the view's first Reposition places it.
  return CreateEx(0, nullptr, nullptr, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, view, nullptr) &&
         m_minimise.Create(Hwnd(), SwitchAt(0), ID_MINIMISE_SWITCH, IDB_MINSW, SkinFile("MINSW.bmp")) &&
         m_maximise.Create(Hwnd(), SwitchAt(34), ID_MAXIMISE_SWITCH, IDB_MAXSW, SkinFile("MAXSW.bmp")) &&
         m_exit.Create(Hwnd(), SwitchAt(68), ID_EXIT_SWITCH, IDB_BATUSW, SkinFile("BATUSW.bmp"));
}

void CWindowButtons::PreCreate(CREATESTRUCTA& cs) {
  cs.lpszClass = RegisterClass(0, ::LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
}

bool CWindowButtons::OnMessage(fw::Msg& m) {
  static constexpr fw::Route<CWindowButtons> kRoutes[] = {
      {WM_CREATE, 0, &CWindowButtons::OnCreate},
      {WM_PAINT, 0, &CWindowButtons::OnPaint},
      {WM_TIMER, 0, &CWindowButtons::OnTimer},
      {WM_COMMAND, ID_MINIMISE_SWITCH, &CWindowButtons::OnMinimise},
      {WM_COMMAND, ID_MAXIMISE_SWITCH, &CWindowButtons::OnMaximise},
      {WM_COMMAND, ID_EXIT_SWITCH, &CWindowButtons::OnExit},
  };
  return fw::Dispatch(*this, kRoutes, m) || CFloatingPanel::OnMessage(m);
}

void CWindowButtons::OnCreate(fw::Msg& m) {
  Default(m);
  if (m.result == -1) return;
  MatchViewTransparency();
  WakeMousePoll();
}

// ---- Place and visibility

void CWindowButtons::Reposition() {
  const HWND view = m_host.ViewWindow();
  if (!Exists() || !view) return;
  RECT client;
  ::GetClientRect(view, &client);
  RECT r{client.right - kFromRight, kTop, client.right - kToRight, kBottom};
  ::MapWindowPoints(view, nullptr, reinterpret_cast<POINT*>(&r), 2);
  PlacePanel(Hwnd(), r, m_visibility.IsShown());
}

void CWindowButtons::ShowPanel() {
  m_visibility.Show();
  WakeMousePoll();
}

void CWindowButtons::AutoHide(bool arm) {
  if (arm)
    m_visibility.ArmHide();
  else if (m_visibility.Hide())
    m_host.ShowCursorAndArm(true);
  WakeMousePoll();
}

// The buttons are made after the first paint: a frame sized before that (a clip on the command line that
// sizes the window) finds no switches yet, and their first paint takes the face.
void CWindowButtons::UpdateMaximiseFace() {
  if (!Exists()) return;
  if (m_commands.IsMaximised())
    m_maximise.SetBitmap(IDB_MIDSW, SkinFile("MIDSW.bmp"));
  else
    m_maximise.SetBitmap(IDB_MAXSW, SkinFile("MAXSW.bmp"));
}

void CWindowButtons::ReloadSkin() {
  if (!Exists()) return;
  m_minimise.SetBitmap(IDB_MINSW, SkinFile("MINSW.bmp"));
  UpdateMaximiseFace();
  m_exit.SetBitmap(IDB_BATUSW, SkinFile("BATUSW.bmp"));
}

// ---- Messages

void CWindowButtons::OnPaint(fw::Msg&) {
  {
    fw::PaintDC dc(Hwnd());
    RECT client;
    ::GetClientRect(Hwnd(), &client);
    fw::FillSolid(dc.Get(), client, kPanelKeyColour);
  }
  UpdateMaximiseFace();
}

void CWindowButtons::OnTimer(fw::Msg& m) {
  switch (m.wp) {
    case kHideTimer:
      if (m_visibility.CountdownEnded()) m_host.ShowCursorAndArm(true);
      break;
    case kHoverTimer:
      PollHover();
      break;
    default:
      break;
  }
}

void CWindowButtons::PollHover() {
  const POINT cursor = PollCursor();
  if (m_visibility.PointerOver(cursor)) {
    if (!m_host.IsFrameMinimised() && !m_host.SettingsDialogOpen()) ShowPanel();
    m_visibility.Hold();
  } else {
    m_visibility.Release();
  }
  // Raised to the top, the buttons would cover the settings dialog.
  if (m_visibility.IsShown() && !m_host.SettingsDialogOpen()) KeepPanelAbove(Hwnd(), m_host.ViewWindow());
  MousePollTicked(cursor);
}

// ---- Commands

void CWindowButtons::OnMinimise(fw::Msg&) {
  m_minimise.EndHover();
  // The player hides both panels before the frame goes.
  m_commands.Do(PlayerCommand::kMinimise);
}

void CWindowButtons::OnMaximise(fw::Msg&) { m_commands.Do(PlayerCommand::kFullScreen); }

void CWindowButtons::OnExit(fw::Msg&) { m_commands.Do(PlayerCommand::kExit); }

