#pragma once
// The program's top-level window: captionless, never painted, owner of the taskbar button and of the
// player view, whose rectangle it follows. Full screen is its maximised state.

#include <string>

#include "app/SharedBlock.h"
#include "controls/PanelLayout.h"
#include "framework/Window.h"
#include "playback/PlayerFrame.h"
#include "playback/PlayerView.h"

// Names shared with other instances of the program.
inline constexpr char kProgramWindowName[] = "Tarnvale";
inline constexpr char kHandOffBlockName[] = "_T_A_R_N_V_A_L_E";
inline constexpr char kWindowNameBlockName[] = "_T_N_W_I_N_D_O_W_N_A_M_E";
inline constexpr unsigned kSharedBlockSize = 260;
// The wide forms of both, which a newer instance reads first and an older one never opens: 260 units.
inline constexpr char kHandOffWideBlockName[] = "_T_A_R_N_V_A_L_E_W";
inline constexpr char kWindowNameWideBlockName[] = "_T_N_W_I_N_D_O_W_N_A_M_E_W";
inline constexpr unsigned kWideBlockUnits = 260;

class CMainFrame : public fw::Window, public IPlayerFrame {
 public:
  CMainFrame();
  ~CMainFrame() override;

  CPlayerView& View() { return m_view; }

  // Creates the frame window; its creation creates the view.
  bool Create();

  // Second start: writes the path into the wide hand-off block, and into the code-page block the form an
  // older instance can open (the path, else its short form; nothing when neither holds it). False when the
  // wide block could not be written.
  bool WriteHandOffPath(const std::wstring& path);
  // Second start: waits until the running instance has taken the path (or another start replaced it),
  // keeping the blocks alive meanwhile; false after the timeout.
  bool WaitForHandOffTaken(unsigned timeoutMs);

  // Control panel and file list places over the view (screen coordinates).
  PanelPlaces LayoutPanels(const geo::Rect& panelClient) const override;

  // Maximises or restores; returns 1 when now full screen, 0 when windowed.
  int ToggleFullScreen() override;
  void Minimise() override;
  // Sets the closing flag and posts WM_CLOSE.
  void RequestExit() override;

  // The control panel's window, whose place the frame keeps across full screen and minimising.
  void SetControlPanel(HWND panel) override { m_panel = panel; }

  bool IsClosing() const { return m_closing != 0; }
  bool IsMaximised() const override { return Exists() && ::IsZoomed(Hwnd()); }
  HWND FrameWindow() const override { return Exists() ? Hwnd() : nullptr; }
  void ShowTitleOf(const std::wstring& path) override;

 protected:
  void PreCreate(CREATESTRUCTA& cs) override;
  bool OnMessage(fw::Msg& m) override;
  fw::Window* FirstCommandTarget() override { return &m_view; }

 private:
  void OnCreate(fw::Msg& m);
  void OnSetFocus(fw::Msg& m);
  void OnSize(fw::Msg& m);
  void OnGetMinMaxInfo(fw::Msg& m);
  void OnHandOff(fw::Msg& m);
  void OnClose(fw::Msg& m);

  void PlaceViewOverFrame();

  CSharedBlock m_handOff;
  CSharedBlock m_wideHandOff;
  // What this second start wrote into each block, to see it taken.
  std::string m_handedOffText;
  std::wstring m_handedOffPath;
  CPlayerView m_view;
  int m_closing = 0;
  HWND m_panel = nullptr;
  RECT m_savedPanel{};       // the panel's place before full screen or minimising
  bool m_wasMaximised = false;
};
