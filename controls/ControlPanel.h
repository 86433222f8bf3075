#pragma once
// The transport bar: a 634 × 88 pop-up owned by the player view that floats near the bottom of the view,
// shows itself while the mouse is over it (or while the file list is open) and hides a second after the
// mouse leaves. It carries ten switches, the volume and position sliders and the status line drawn in
// the glyphs of the digit strip. The panel turns clicks into the player's commands (IPlayerCommands); the
// player does the work, places the panel (IPanelHost) and owns the values the status line shows.
//
// The panel never takes the activation (a floating tool panel, and under Wine an activated or system-menu
// pop-up becomes a window-manager window whose every hide waits for a window manager).

#include <array>
#include <optional>
#include <string>

#include "controls/EntryKind.h"
#include "controls/FloatingPanel.h"
#include "controls/SkinBitmap.h"
#include "controls/SkinSlider.h"
#include "controls/SkinSwitch.h"
#include "controls/StatusLine.h"
#include "controls/VolumeMute.h"
#include "framework/Gdi.h"

class CControlPanel : public CFloatingPanel {
 public:
  // Timer 1 is the hide countdown (CFloatingPanel::kHideTimer).
  static constexpr UINT_PTR kClockTimer = 2;  // redraws the status line when it changed
  static constexpr UINT_PTR kBlinkTimer = 3;  // scan indicator blink
  static constexpr UINT_PTR kHoverTimer = 4;  // mouse poll
  static constexpr UINT kClockMs = 200, kBlinkMs = 500, kHoverMs = 100;
  static constexpr int kClockQuietTicks = 5;

  // The host, the store, the commands and the input sink are one object in the program (the player view).
  CControlPanel(IPanelHost& host, IPanelStore& store, IPlayerCommands& commands, IInputSink& input,
                const SkinLook& look);
  ~CControlPanel() override;

  // The hidden pop-up owned by the view, its switches and sliders; the volume from TN.INI and the face of
  // the current play mode.
  bool Create(HWND view);
  // The values the status line reads at every paint.
  void SetStatusSources(const int& scanSpeed, const bool& paused, const int& totalSeconds, const int& currentSeconds,
                        const EntryKind& currentKind);

  // ---- Place and visibility
  // Moves the panel to its place over the view (the frame's panel layout), shown or hidden as it should be.
  void Reposition();
  void ShowPanel();
  // true: hides a second from now unless shown again meanwhile; false: hides at once.
  void AutoHide(bool arm);
  // Input, or a change of what the panel shows: the clock and the mouse poll run again where they slept.
  void Wake();

  // ---- Values
  double GetVolume() const { return m_volume.GetFraction(); }
  // Moves the volume slider and hands its value to the player.
  void SetVolume(double fraction);
  void VolumeUp();
  void VolumeDown();
  // The mute key: mutes, or gives back the level the last mute took.
  void ToggleMute();
  void SetPlaybackFraction(double fraction) { m_position.SetFraction(fraction); }
  double PlaybackFraction() const { return m_position.GetFraction(); }
  bool IsDraggingPosition() const { return m_position.IsDragging(); }

  // ---- Drawing
  void Redraw();
  // Draws the whole client area into dc (what the window shows, before the colour key).
  void Render(HDC dc);
  // Redraw, then for a video or a picture the hide countdown.
  void RefreshAfterOpen();
  void SetPlayModeFace(int mode);
  void ReloadSkin();
  // What the status line shows now.
  StatusLine CurrentStatus() const;
  bool ClockRuns() const { return m_clockRuns; }
  const CSkinSwitch& PlaySwitch() const { return m_play; }
  const CSkinSwitch& PlayModeSwitch() const { return m_playMode; }
  const CSkinSlider& VolumeSlider() const { return m_volume; }
  const CSkinBitmap& DigitStrip() const { return m_digits; }
  const CSkinBitmap& IndicatorStrip() const { return m_indicator; }

  bool PreTranslateMessage(MSG& msg) override;

 protected:
  void PreCreate(CREATESTRUCTA& cs) override;
  bool OnMessage(fw::Msg& m) override;

 private:
  void OnCreate(fw::Msg& m);
  void OnDestroy(fw::Msg& m);
  void OnPaint(fw::Msg& m);
  void OnTimer(fw::Msg& m);
  void OnMiddleButton(fw::Msg& m);
  void OnVolumeSlider(fw::Msg& m);
  void OnPositionSlider(fw::Msg& m);
  void OnSettings(fw::Msg& m);
  void OnStop(fw::Msg& m);
  void OnPlay(fw::Msg& m);
  void OnNext(fw::Msg& m);
  void OnPrevious(fw::Msg& m);
  void OnFileListSwitch(fw::Msg& m);
  void OnPlaylistSwitch(fw::Msg& m);
  void OnPlayMode(fw::Msg& m);
  void OnForward(fw::Msg& m);
  void OnBack(fw::Msg& m);

  // A switch with its command, place, face file and built-in face.
  struct SwitchPlace {
    CSkinSwitch& sw;
    UINT id;
    int left, top;
    const char* file;
    unsigned resource;
  };
  std::array<SwitchPlace, 10> SwitchPlaces();
  bool CreateControls();
  void LoadStrips();
  void PollHover();
  StatusInputs CurrentStatusInputs() const;
  void RefreshStatus();
  void RunClocks();
  void RunTimer(UINT_PTR id, UINT ms, bool& runs, bool run);
  void KeepAboveView();
  void Paint(HDC target);
  void Compose(HDC dc, const RECT& client, const StatusLine& status);
  static bool OnlyTheTimeChanged(const StatusLine& before, const StatusLine& now);
  void RedrawChangedGlyphs(HDC dc, const RECT& client, const std::string& before, const std::string& now);
  void DrawGlyphs(HDC dc, const std::string& text, int x, int y, bool lit);
  void ApplyPositionSlider(SliderShow show);

  IPanelStore& m_store;
  CSkinSwitch m_settings, m_stop, m_play, m_next, m_previous, m_fileList, m_playlist, m_playMode, m_forward, m_back;
  CSkinBitmap m_digits;
  CSkinBitmap m_indicator;
  CSkinSlider m_volume;
  CSkinSlider m_position;
  const int* m_scanSpeed = nullptr;
  const bool* m_paused = nullptr;
  const int* m_totalSeconds = nullptr;
  const int* m_currentSeconds = nullptr;
  const EntryKind* m_currentKind = nullptr;
  bool m_blink = false;
  bool m_clockRuns = false, m_blinkRuns = false;
  int m_clockQuietTicks = 0;
  VolumeMute m_mute;
  std::optional<fw::BackBuffer> m_buffer;  // kept between paints
  std::optional<StatusLine> m_composed;    // what the buffer shows; none: compose again
};
