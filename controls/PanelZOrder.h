#pragma once
// The floating panels must stand above the player view that owns them. The system keeps owned windows
// above their owner, but Wine's handling of the X focus events can raise the view over older owned
// pop-ups without moving them along; the panels check and put themselves back while they are shown.
// Wine restacks a window's X window only when the window becomes the topmost shown window, so while the
// program is active a panel that is put back, or shown, goes to the top: elsewhere its picture could stay
// under the view's even where the window list says otherwise. While another program is active nothing of
// ours goes above the view's neighbour.

#include <vector>

#include "framework/Win32.h"

// The top-level windows from the top of the Z order down. One request to the window system: a walk
// with GetWindow costs one for each window passed, and the rows alone are 64.
inline std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  ::EnumWindows(
      [](HWND h, LPARAM lp) {
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// Whether window lies below other in the Z order.
inline bool LiesBelow(HWND window, HWND other) {
  for (HWND h : TopLevelWindows()) {
    if (h == window) return false;
    if (h == other) return true;
  }
  return false;
}

// Whether the foreground window is one of this program's: only then may its windows be raised. While
// another program is in front, a window of ours that is raised to the top would come up over it.
inline bool ProgramIsActive() {
  DWORD pid = 0;
  const HWND foreground = ::GetForegroundWindow();
  return foreground && ::GetWindowThreadProcessId(foreground, &pid) && pid == ::GetCurrentProcessId();
}

// Puts window above view in the Z order without moving or activating it; shows it too when asked. While
// the program is active it goes to the top, since Wine restacks the X window only of a window that
// becomes the topmost shown one and the program's windows are in front anyway; otherwise directly above
// the view, so that it never covers another program.
inline void RaiseAbove(HWND window, HWND view, UINT flags = 0) {
  flags |= SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  HWND after = HWND_TOP;
  if (view && !ProgramIsActive()) {
    after = ::GetWindow(view, GW_HWNDPREV);
    if (after == window) flags |= SWP_NOZORDER;
    if (!after) after = HWND_TOP;
  }
  ::SetWindowPos(window, after, 0, 0, 0, 0, flags);
}

// Shows a panel owned by the view above it without activating it.
inline void ShowOnTop(HWND panel) { RaiseAbove(panel, ::GetWindow(panel, GW_OWNER), SWP_SHOWWINDOW); }

// Raises the panel over the view when it lies below it; only while the program is active, when nothing
// else can be covered.
inline void KeepPanelAbove(HWND panel, HWND view) {
  if (panel && view && ProgramIsActive() && LiesBelow(panel, view)) RaiseAbove(panel, view);
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
