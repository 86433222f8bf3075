#pragma once
// What the player view needs of the frame that owns it: the window, its full-screen state, the minimise
// and the exit, the panels' layout over the view, and the title that the taskbar and other instances of
// the program read. The main frame implements it.

#include <string>

#include "controls/PanelLayout.h"
#include "framework/Win32.h"

class IPlayerFrame {
 public:
  // The frame's window (null before it exists).
  virtual HWND FrameWindow() const = 0;
  virtual bool IsMaximised() const = 0;
  // Maximises or restores; returns 1 when now full screen, 0 when windowed.
  virtual int ToggleFullScreen() = 0;
  virtual void Minimise() = 0;
  virtual void RequestExit() = 0;
  // Control panel and file list places over the view (screen coordinates).
  virtual PanelPlaces LayoutPanels(const geo::Rect& panelClient) const = 0;
  // The control panel's window, whose place the frame keeps across full screen and minimising.
  virtual void SetControlPanel(HWND panel) = 0;
  // The frame's text and the published window name: the file's title, or the program's name for an
  // empty path.
  virtual void ShowTitleOf(const std::wstring& path) = 0;

 protected:
  ~IPlayerFrame() = default;
};
