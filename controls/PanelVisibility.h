#pragma once
// The visibility of a floating panel that shows itself while the mouse is over it and hides a while after
// the mouse leaves: the shown flag and the hide countdown on one of the panel's one-shot timers. The
// panels decide when to show and what else a show or a hide brings; this keeps the two in step.

#include "controls/PanelZOrder.h"
#include "framework/Window.h"

class CPanelVisibility {
 public:
  CPanelVisibility(fw::Window& panel, UINT_PTR hideTimer, UINT hideMs)
      : m_panel(panel), m_hideTimer(hideTimer), m_hideMs(hideMs) {}

  bool IsShown() const { return m_shown; }
  bool HideArmed() const { return m_hideArmed; }

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
    m_panel.SetTimer(m_hideTimer, m_hideMs);
    m_hideArmed = true;
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
  bool PointerOver() const {
    POINT cursor;
    const RECT client = ScreenClientRect(m_panel.Hwnd());
    return ::GetCursorPos(&cursor) && ::PtInRect(&client, cursor);
  }

 private:
  void StopCountdown() {
    m_panel.KillTimer(m_hideTimer);
    m_hideArmed = false;
  }

  fw::Window& m_panel;
  const UINT_PTR m_hideTimer;
  const UINT m_hideMs;
  bool m_shown = false;
  bool m_hideArmed = false;
};
