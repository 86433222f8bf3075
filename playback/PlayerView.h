#pragma once
// The window the user sees: an owned pop-up over the invisible main frame, and the playback controller.
// It holds the settings record.

#include <string>

#include "config/Settings.h"
#include "framework/Com.h"
#include "framework/Window.h"

class CMainFrame;

class CPlayerView : public fw::Window {
 public:
  explicit CPlayerView(CMainFrame& frame);
  ~CPlayerView() override;

  // Reads TN.INI into the settings record; once, at start-up, before any window exists.
  void LoadSettings();
  // Writes the whole CONFIG section.
  void SaveSettings() const;
  // Writes the POSITION keys of the view's window (only FULL_SCREEN when maximised).
  void SaveWindowPosition(const geo::Rect& rect, bool maximised) const;
  Settings& Config() { return m_settings; }
  const Settings& Config() const { return m_settings; }

  // Creates the view owned by the frame (called from the frame's WM_CREATE).
  bool Create(HWND owner);
  // Whether the frame starts maximised: FULLSCREEN, or the window was maximised when it last closed.
  bool StartInFullScreen() const { return m_startFullScreen; }

  // Paints the whole client area at once through a window DC.
  void Repaint();

  // A path from the command line or a second start.
  void OpenPath(const std::string& path);

  // The frame's text and the published window name become the file's title, or "Tarnvale" again.
  void PublishTitle(const std::string& path);
  void ResetTitle();

 protected:
  void PreCreate(CREATESTRUCTA& cs) override;
  bool OnMessage(fw::Msg& m) override;

 private:
  void OnCreate(fw::Msg& m);
  void OnSize(fw::Msg& m);
  void OnMove(fw::Msg& m);
  void OnGetMinMaxInfo(fw::Msg& m);
  void OnDestroy(fw::Msg& m);
  void OnPaint(fw::Msg& m);
  void OnEraseBackground(fw::Msg& m);

  void PlaceAtStoredPosition();
  void CopyRectToFrame();
  void Paint(HDC dc);

  CMainFrame& m_frame;
  fw::ComScope m_com;
  Settings m_settings;
  bool m_startFullScreen = false;
};
