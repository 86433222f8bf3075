#pragma once
// What the floating panels need of the player that owns them: its view, the state that decides whether
// they may show, where the control panel stands, and the panel's own keys in TN.INI. The player view
// implements it; what the panels ask the player to do is IPlayerCommands, the input they hand on
// IInputSink.

#include "controls/EntryKind.h"
#include "controls/StatusLine.h"
#include "framework/Geometry.h"
#include "framework/Win32.h"

class IPanelHost {
 public:
  // The view that owns the panels (null before it exists).
  virtual HWND ViewWindow() const = 0;
  virtual bool SettingsDialogOpen() const = 0;
  virtual bool IsFrameMinimised() const = 0;
  // The control panel stays up while the file list is open.
  virtual bool ListShown() const = 0;
  virtual void ShowCursorAndArm(bool show) = 0;
  // The now-playing entry's kind, which decides the panels' colour key.
  virtual EntryKind NowPlayingKind() = 0;
  // The control panel's window rectangle for its client rectangle (both screen coordinates).
  virtual geo::Rect PanelPlace(const geo::Rect& panelClient) const = 0;
  // The status line's inputs that the player keeps: whether something is loaded and the playlist's part.
  virtual void FillStatus(StatusInputs& in) const = 0;

 protected:
  ~IPanelHost() = default;
};

// The control panel's keys of TN.INI: its place and the volume.
class IPanelStore {
 public:
  virtual geo::Rect SavedPanelRect() const = 0;
  virtual double SavedVolume() const = 0;
  virtual void SavePanelState(double volume, const geo::Rect& panelRect) = 0;

 protected:
  ~IPanelStore() = default;
};
