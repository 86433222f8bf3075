#include "browser/WorkerThread.h"

#include <process.h>

#include "framework/Com.h"

namespace {

HANDLE ManualEvent() { return ::CreateEventA(nullptr, TRUE, TRUE, nullptr); }

bool Signalled(HANDLE event, DWORD waitMs) { return ::WaitForSingleObject(event, waitMs) == WAIT_OBJECT_0; }

}  // namespace

bool CWorkerThread::Start(PassFunction pass, void* owner, DWORD idlePause, bool startPaused) {
  if (m_run || m_keepAlive || m_thread || !pass) return false;
  m_run.Reset(ManualEvent());
  m_keepAlive.Reset(ManualEvent());
  m_wake.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!m_run || !m_keepAlive || !m_wake) {
    CloseEvents();
    return false;
  }
  m_pass = pass;
  m_owner = owner;
  m_idlePause = idlePause;
  if (startPaused) ::ResetEvent(m_run.Get());
  m_thread.Reset(reinterpret_cast<HANDLE>(::_beginthreadex(nullptr, 0, &CWorkerThread::ThreadMain, this, 0, nullptr)));
  if (!m_thread) {
    CloseEvents();
    return false;
  }
  ::SetThreadPriority(m_thread.Get(), THREAD_PRIORITY_IDLE);
  return true;
}

void CWorkerThread::Resume() {
  if (m_run) ::SetEvent(m_run.Get());
}

void CWorkerThread::Stop() {
  if (!m_thread) return;
  // Keep-alive first, so that a paused thread woken by the run event ends instead of making one more pass.
  ::ResetEvent(m_keepAlive.Get());
  ::SetEvent(m_wake.Get());
  ::SetEvent(m_run.Get());
  ::WaitForSingleObject(m_thread.Get(), INFINITE);
  m_thread.Close();
  CloseEvents();
}

void CWorkerThread::CloseEvents() {
  m_run.Close();
  m_keepAlive.Close();
  m_wake.Close();
}

void CWorkerThread::IdlePause(int turns) {
  for (int i = 0; i < turns; ++i) {
    if (!Signalled(m_keepAlive.Get(), 100)) return;
    if (Signalled(m_wake.Get(), m_idlePause)) return;
  }
}

void CWorkerThread::Wake() {
  if (m_wake) ::SetEvent(m_wake.Get());
}

unsigned __stdcall CWorkerThread::ThreadMain(void* self) {
  auto& worker = *static_cast<CWorkerThread*>(self);
  fw::ComScope com;
  for (;;) {
    ::WaitForSingleObject(worker.m_run.Get(), INFINITE);
    if (!Signalled(worker.m_keepAlive.Get(), 100)) break;
    worker.m_pass(worker.m_owner);
  }
  return 0;
}
