#pragma once
// What the control panel and the window buttons have in common: a pop-up owned by the player view that
// never takes the activation, shows itself while the mouse is over it and hides a second after the mouse
// leaves, and hands the keys, the wheel and the pointer's moves that reach it to the view, as if they had
// reached the view itself. A panel's own message table goes first; these rows take what it leaves.

#include <string>

#include "controls/InputSink.h"
#include "controls/MousePoll.h"
#include "controls/PanelHost.h"
#include "controls/PanelVisibility.h"
#include "controls/PlayerCommands.h"
#include "controls/SkinLook.h"
#include "framework/Window.h"

class CFloatingPanel : public fw::Window {
 public:
  static constexpr UINT_PTR kHideTimer = 1;  // one shot: hides the panel
  static constexpr UINT kHideMs = 1000;

  bool IsShown() const { return m_visibility.IsShown(); }
  bool HideArmed() const { return m_visibility.HideArmed(); }
  bool MousePollRuns() const { return m_mousePoll.Runs(); }
  // Starts the mouse poll again if it sleeps. A hold it last found lasts until now: the pointer cannot
  // have left before whatever woke the poll.
  void WakeMousePoll() {
    if (m_mousePoll.Wake() && m_visibility.Held()) m_visibility.Hold();
  }

 protected:
  // The host, the commands and the input sink are one object in the program (the player view).
  // hoverTimer and hoverMs: the panel's timer for its mouse poll.
  CFloatingPanel(IPanelHost& host, IPlayerCommands& commands, IInputSink& input, const SkinLook& look,
                 UINT_PTR hoverTimer, UINT hoverMs)
      : m_host(host), m_commands(commands), m_input(input), m_look(look),
        m_mousePoll(*this, hoverTimer, hoverMs) {}

  bool OnMessage(fw::Msg& m) override;
  // Takes the colour-key transparency the view's current entry asks for; called once the window exists.
  void MatchViewTransparency();
  // The file of that name in the current skin's folder.
  std::string SkinFile(const char* name) const;
  // The cursor for a tick of the mouse poll (one that cannot be read lies over no panel).
  POINT PollCursor() const;
  // After the panel's own decision at a tick: what the tick found, which may put the poll to sleep.
  void MousePollTicked(POINT cursor) {
    m_mousePoll.Found({cursor, m_visibility.IsShown(), m_visibility.Held()});
  }

  IPanelHost& m_host;
  IPlayerCommands& m_commands;
  IInputSink& m_input;
  const SkinLook& m_look;
  CPanelVisibility m_visibility{*this, kHideTimer, kHideMs};
  CMousePoll m_mousePoll;

 private:
  void OnEraseBackground(fw::Msg& m);
  void OnMouseActivate(fw::Msg& m);
  void OnMouseMove(fw::Msg& m);
  void OnMouseWheel(fw::Msg& m);
  void OnKeyDown(fw::Msg& m);
  void OnSystemKey(fw::Msg& m);
  void OnSwitchMouseMove(fw::Msg& m);
};
