#pragma once
// Holds a mutex for a scope. The program's mutexes order work between its instances and threads; none of
// that work may be lost for want of the mutex, so a missing mutex or a wait that times out leaves the
// scope unguarded rather than stopping it. An abandoned mutex (its holder died) is owned as usual.

#include "framework/Handles.h"
#include "framework/Win32.h"

namespace fw {

class MutexLock {
 public:
  // Waits for a mutex the caller keeps open.
  MutexLock(HANDLE mutex, DWORD timeoutMs) : m_mutex(mutex) { Wait(timeoutMs); }
  // Opens (or creates) the named mutex for the scope and waits for it.
  MutexLock(const char* name, DWORD timeoutMs)
      : m_opened(::CreateMutexA(nullptr, FALSE, name)), m_mutex(m_opened.Get()) {
    Wait(timeoutMs);
  }
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;
  ~MutexLock() {
    if (m_owned) ::ReleaseMutex(m_mutex);
  }

  bool Owned() const { return m_owned; }

 private:
  void Wait(DWORD timeoutMs) {
    const DWORD r = m_mutex ? ::WaitForSingleObject(m_mutex, timeoutMs) : WAIT_FAILED;
    m_owned = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
  }

  UniqueHandle m_opened;  // empty when the caller keeps the mutex open
  HANDLE m_mutex;
  bool m_owned = false;
};

}  // namespace fw
