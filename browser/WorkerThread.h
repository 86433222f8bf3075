#pragma once
// A background thread of idle priority that runs one pass function over and over until it is stopped.
// Events steer it: while the run event is reset the thread waits before its next pass; when it finds the
// keep-alive event reset it ends; the wake event ends an idle pause early (work has come in, or the thread
// is being stopped). The thread initialises COM for itself, since the picture loader needs it.

#include "framework/Handles.h"

class CWorkerThread {
 public:
  using PassFunction = void (*)(void* owner);

  CWorkerThread() = default;
  CWorkerThread(const CWorkerThread&) = delete;
  CWorkerThread& operator=(const CWorkerThread&) = delete;
  ~CWorkerThread() { Stop(); }

  // Starts the thread, which calls pass(owner) until Stop. Fails when it was started already, when no
  // function is given or when the thread cannot be made. Started paused, it waits for Resume.
  bool Start(PassFunction pass, void* owner, DWORD idlePause, bool startPaused);
  void Resume();
  // Ends the thread and waits for it, however long its current pass takes; then closes every handle.
  void Stop();
  bool IsRunning() const { return static_cast<bool>(m_thread); }

  // For the pass function: pauses up to `turns` times the idle pause; ends early when woken or stopped.
  void IdlePause(int turns);
  // Ends the current or the next idle pause at once.
  void Wake();

 private:
  static unsigned __stdcall ThreadMain(void* self);
  void CloseEvents();

  fw::UniqueHandle m_run, m_keepAlive, m_wake;
  fw::UniqueHandle m_thread;
  PassFunction m_pass = nullptr;
  void* m_owner = nullptr;
  DWORD m_idlePause = 0;
};
