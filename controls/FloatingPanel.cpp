#include "controls/FloatingPanel.h"

#include "controls/PanelKey.h"
#include "res/ResourceIds.h"

bool CFloatingPanel::OnMessage(fw::Msg& m) {
  static constexpr fw::Route<CFloatingPanel> kRoutes[] = {
      {WM_ERASEBKGND, 0, &CFloatingPanel::OnEraseBackground},
      {WM_MOUSEACTIVATE, 0, &CFloatingPanel::OnMouseActivate},
      {WM_MOUSEMOVE, 0, &CFloatingPanel::OnMouseMove},
      {WM_MOUSEWHEEL, 0, &CFloatingPanel::OnMouseWheel},
      {WM_KEYDOWN, 0, &CFloatingPanel::OnKeyDown},
      {WM_SYSKEYDOWN, 0, &CFloatingPanel::OnSystemKey},
      {WM_SYSCHAR, 0, &CFloatingPanel::OnSystemKey},
      {WM_COMMAND, ID_SWITCH_MOUSE_MOVE, &CFloatingPanel::OnSwitchMouseMove},
  };
  return fw::Dispatch(*this, kRoutes, m);
}

void CFloatingPanel::MatchViewTransparency() {
  ApplyPanelTransparency(Hwnd(), m_host.NowPlayingKind());
}

std::string CFloatingPanel::SkinFile(const char* name) const { return m_look.skinFolder + name; }

POINT CFloatingPanel::PollCursor() const {
  POINT cursor{};
  // Far outside every screen: a pointer that cannot be read is over no panel, as before the poll slept.
  if (!::GetCursorPos(&cursor)) cursor = {-32768, -32768};
  return cursor;
}

// The panel paints every pixel itself.
void CFloatingPanel::OnEraseBackground(fw::Msg& m) { m.result = 1; }
void CFloatingPanel::OnMouseActivate(fw::Msg& m) { m.result = MA_NOACTIVATE; }
void CFloatingPanel::OnMouseMove(fw::Msg&) { m_host.ShowCursorAndArm(true); }
void CFloatingPanel::OnMouseWheel(fw::Msg& m) { m_input.HandleWheel(GET_WHEEL_DELTA_WPARAM(m.wp)); }
void CFloatingPanel::OnKeyDown(fw::Msg& m) { m_input.HandleKey(m.wp, m.lp); }
void CFloatingPanel::OnSystemKey(fw::Msg& m) { m_input.HandleSystemKey(m); }
// The switches report every hover tick; nothing here follows the mouse.
void CFloatingPanel::OnSwitchMouseMove(fw::Msg&) {}
