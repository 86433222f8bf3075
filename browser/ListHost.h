#pragma once
// What the file list needs of the player that owns it, in two parts: the playback it asks for, and the
// player's windows it lays itself out over and keeps in step with. The player view implements both; the
// keys the list does not take go to its input sink (controls/InputSink.h).

#include "browser/FileEntry.h"
#include "framework/Geometry.h"
#include "framework/Win32.h"

class IListPlayer {
 public:
  // Opens the entry; it becomes the now-playing entry.
  virtual int PlayEntry(const FileEntry& entry, bool explicitOpen) = 0;
  // Starts the playlist at its current entry.
  virtual int StartPlaylist() = 0;
  // Marks what is opened next as played from the playlist.
  virtual void SetPlayingFromPlaylist(bool on) = 0;
  virtual bool IsLoaded() const = 0;
  virtual void SeekForward() = 0;
  virtual void SeekBack() = 0;

 protected:
  ~IListPlayer() = default;
};

class IListScreen {
 public:
  // The player view that owns the list's windows (null before it exists).
  virtual HWND ViewWindow() const = 0;
  // Where the list stands over the view, screen coordinates: above the control panel.
  virtual geo::Rect ListArea() const = 0;
  // Whether the user is dragging the player's window.
  virtual bool DraggingWindow() const = 0;
  virtual bool SettingsDialogOpen() const = 0;
  // The settings dialog's window while it runs, else null.
  virtual HWND SettingsDialogWindow() const = 0;
  virtual bool IsFrameMinimised() const = 0;
  // The view paints again at once (what the list uncovered).
  virtual void Repaint() = 0;
  // Shows the cursor when asked; in full screen it hides again a while later.
  virtual void ShowCursorAndArm(bool show) = 0;
  // The control panel comes up with the list, and goes at once when the list closes.
  virtual void ShowControlPanel(bool show) = 0;

 protected:
  ~IListScreen() = default;
};
