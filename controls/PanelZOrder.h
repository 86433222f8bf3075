#pragma once
// The floating panels must stand above the player view that owns them. The system keeps owned windows
// above their owner, but Wine's handling of the X focus events can raise the view over older owned
// pop-ups without moving them along; the panels check and put themselves back while they are shown.
// Wine restacks a window's X window only when the window becomes the topmost shown window, so a panel
// that is put back, or shown, goes to the top: elsewhere its picture could stay under the view's even
// where the window list says otherwise.

#include "framework/Win32.h"

// Whether window lies below other in the Z order. Walks upward from window: a shown panel normally
// stands near the top, so the walk is short.
inline bool LiesBelow(HWND window, HWND other) {
  for (HWND h = ::GetWindow(window, GW_HWNDPREV); h; h = ::GetWindow(h, GW_HWNDPREV))
    if (h == other) return true;
  return false;
}

// Shows the panel at the top without activating it.
inline void ShowOnTop(HWND panel) {
  ::SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
}

// Raises the panel over the view when it lies below it; no move, no activation.
inline void KeepPanelAbove(HWND panel, HWND view) {
  if (panel && view && LiesBelow(panel, view))
    ::SetWindowPos(panel, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// The window's client area in screen coordinates.
inline RECT ScreenClientRect(HWND window) {
  RECT r{};
  ::GetClientRect(window, &r);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Places a floating panel at r (screen coordinates), shown or hidden, without activating it or changing
// the Z order. A panel that already stands there as it should is left alone: every placement of a
// top-level window costs a round trip to the display.
inline void PlacePanel(HWND panel, const RECT& r, bool shown) {
  RECT now{};
  ::GetWindowRect(panel, &now);
  if (::EqualRect(&now, &r) && (::IsWindowVisible(panel) != FALSE) == shown) return;
  ::SetWindowPos(panel, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}
