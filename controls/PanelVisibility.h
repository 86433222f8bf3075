#pragma once
// The visibility of a floating panel that shows itself while the mouse is over it and hides a while after
// the mouse leaves: the shown flag and the hide countdown on one of the panel's one-shot timers. The
// panels decide when to show and what else a show or a hide brings; this keeps the two in step.
// While the mouse poll finds the panel held (the pointer over it, or the list open) the countdown starts
// anew at every tick; its timer is only set once the hold ends, for what is left of the period, so that
// nothing ticks while the panel is held and the hide comes when it always did.

#include "controls/PanelZOrder.h"
#include "framework/Window.h"

class CPanelVisibility {
 public:
  CPanelVisibility(fw::Window& panel, UINT_PTR hideTimer, UINT hideMs)
      : m_panel(panel), m_hideTimer(hideTimer), m_hideMs(hideMs) {}

  bool IsShown() const { return m_shown; }
  bool HideArmed() const { return m_hideArmed; }
  // The last mouse poll found the panel held, and no countdown runs.
  bool Held() const { return m_hideArmed && !m_timerSet; }

  // Stops the countdown and shows the panel on top without activating it. True when the panel window
  // has just been shown (it was hidden and exists), so that the caller may draw it.
  bool Show() {
    StopCountdown();
    if (m_shown) return false;
    m_shown = true;
    if (!m_panel.Exists()) return false;
    ShowOnTop(m_panel.Hwnd());
    return true;
  }
  // Starts the countdown to the hide unless it already runs.
  void ArmHide() {
    if (m_hideArmed) return;
    SetCountdown(m_hideMs);
  }
  // A tick of the mouse poll that finds the panel held: the countdown starts again from the full period,
  // without its timer.
  void Hold() {
    StopCountdown();
    m_hideArmed = true;
    m_heldSince = ::GetTickCount();
  }
  // A tick that finds the hold over: the countdown runs on for what is left of it since the last hold.
  void Release() {
    if (!m_hideArmed || m_timerSet) return;
    const DWORD held = ::GetTickCount() - m_heldSince;
    SetCountdown(held < m_hideMs ? m_hideMs - held : USER_TIMER_MINIMUM);
  }
  // Hides the panel at once. True when it was shown.
  bool Hide() {
    if (!m_shown) return false;
    m_shown = false;
    StopCountdown();
    if (m_panel.Exists()) ::ShowWindow(m_panel.Hwnd(), SW_HIDE);
    return true;
  }
  // The hide timer fired: the countdown ends (the timer repeats until killed) and the panel hides. True
  // when it was shown.
  bool CountdownEnded() {
    StopCountdown();
    return Hide();
  }
  // Whether the mouse pointer lies over the panel's client area.
  bool PointerOver(POINT cursor) const {
    const RECT client = ScreenClientRect(m_panel.Hwnd());
    return ::PtInRect(&client, cursor) != FALSE;
  }

 private:
  void SetCountdown(UINT ms) {
    m_panel.SetTimer(m_hideTimer, ms);
    m_hideArmed = m_timerSet = true;
  }
  // Kills the timer only where one runs: each call is a round trip to the window system.
  void StopCountdown() {
    if (m_timerSet) m_panel.KillTimer(m_hideTimer);
    m_hideArmed = m_timerSet = false;
  }

  fw::Window& m_panel;
  const UINT_PTR m_hideTimer;
  const UINT m_hideMs;
  bool m_shown = false;
  bool m_hideArmed = false;
  bool m_timerSet = false;
  DWORD m_heldSince = 0;
};
