#pragma once
// The mouse poll of a floating panel, which sleeps while what it finds stays the same: the pointer stands
// still and the panel stays as it is (shown or hidden, held or counting down) for a second of ticks.
// Under Wine every tick wakes the user-interface thread and makes round trips to the server, and nothing
// comes of them while the user is away. The panel wakes the poll whenever something could change what
// it would find: input to the program's windows, the panel shown or hidden, the view moved in the window
// order, the frame restored, the settings dialog closed.

#include "framework/Window.h"

struct MousePollReading {
  POINT cursor{};
  bool shown = false;
  bool held = false;
  friend bool operator==(const MousePollReading& a, const MousePollReading& b) {
    return a.cursor.x == b.cursor.x && a.cursor.y == b.cursor.y && a.shown == b.shown && a.held == b.held;
  }
};

class CMousePoll {
 public:
  static constexpr int kQuietTicks = 10;

  CMousePoll(fw::Window& panel, UINT_PTR timer, UINT ms) : m_panel(panel), m_timer(timer), m_ms(ms) {}

  bool Runs() const { return m_runs; }
  // Starts the ticks unless they run; true when they had stopped.
  bool Wake() {
    if (m_runs || !m_panel.Exists()) return false;
    m_quietTicks = 0;
    m_panel.SetTimer(m_timer, m_ms);
    m_runs = true;
    return true;
  }
  // What a tick found; the ticks stop once kQuietTicks of them in a row found the same.
  void Found(const MousePollReading& reading) {
    if (reading == m_last) {
      ++m_quietTicks;
    } else {
      m_quietTicks = 0;
      m_last = reading;
    }
    if (m_runs && m_quietTicks >= kQuietTicks) {
      m_panel.KillTimer(m_timer);
      m_runs = false;
    }
  }

 private:
  fw::Window& m_panel;
  const UINT_PTR m_timer;
  const UINT m_ms;
  bool m_runs = false;
  int m_quietTicks = 0;
  MousePollReading m_last;
};
