#pragma once
// The minimise, maximise/restore and exit buttons of the main window: three switches on a small pop-up
// owned by the player view at its top-right corner. Like the control panel it shows itself while the
// mouse is over it and hides a second after the mouse leaves; it never takes the activation. The maximise
// switch shows its restore face while the main window is maximised.

#include <string>

#include "controls/FloatingPanel.h"
#include "controls/SkinSwitch.h"

class CWindowButtons : public CFloatingPanel {
 public:
  // Timer 1 is the hide countdown (CFloatingPanel::kHideTimer).
  static constexpr UINT_PTR kHoverTimer = 2;  // mouse poll
  static constexpr UINT kHoverMs = 100;

  CWindowButtons(IPanelHost& host, IPlayerCommands& commands, IInputSink& input, const SkinLook& look)
      : CFloatingPanel(host, commands, input, look, kHoverTimer, kHoverMs) {}
  ~CWindowButtons() override;

  // The hidden pop-up owned by the view and its three switches.
  bool Create(HWND view);
  // 100 × 32 at 8 pixels from the view's top and right edges, shown or hidden as it should be.
  void Reposition();
  void ShowPanel();
  // true: hides a second from now unless shown again meanwhile; false: hides at once.
  void AutoHide(bool arm);
  // The restore face while the main window is maximised, the maximise face otherwise.
  void UpdateMaximiseFace();
  void ReloadSkin();
  const CSkinSwitch& MinimiseSwitch() const { return m_minimise; }
  const CSkinSwitch& MaximiseSwitch() const { return m_maximise; }

 protected:
  void PreCreate(CREATESTRUCTA& cs) override;
  bool OnMessage(fw::Msg& m) override;

 private:
  void OnCreate(fw::Msg& m);
  void OnPaint(fw::Msg& m);
  void OnTimer(fw::Msg& m);
  void OnMinimise(fw::Msg& m);
  void OnMaximise(fw::Msg& m);
  void OnExit(fw::Msg& m);

  void PollHover();

  CSkinSwitch m_exit, m_minimise, m_maximise;
};
