// The player view's opens through QuickTime ("(q)") and the RealPlayer control ("(r)"), the wait for a
// RealPlayer clip to start (timer 6), and what an entry of either leaves behind when it closes.
#include "playback/PlaybackMath.h"
#include "playback/PlayerView.h"

HRESULT CPlayerView::OpenQuickTime(const std::string& path, EntryKind kind) {
  m_audioOnly = KindClass(kind) == KIND_AUDIO;
  m_quickTimeHost.Start();
  m_quickTimeHost.Hide();
  m_selector = EngineSelector::kQuickTime;
  // A file that does not become a movie (or no QuickTime at all) is skipped like a failed DirectShow open.
  if (!m_quickTimeHost.Open(path, KindClass(kind) == KIND_PICTURE)) {
    m_selector = EngineSelector::kNone;
    return E_FAIL;
  }
  m_quickTimeEngine.SetVolume(Volume());
  m_quickTimeHost.Show();
  qtabi::TimeRecord now{};
  m_quickTimeHost.GetTime(now);
  m_unitsPerSecond = now.scale;
  m_latest = m_quickTimeHost.GetDuration();
  m_earliest = 0;
  m_totalSeconds = PositionSeconds(m_latest, m_unitsPerSecond);
  UpdateOutputRect();
  return S_OK;
}

HRESULT CPlayerView::OpenRealPlayer(const std::wstring& path, EntryKind kind) {
  m_audioOnly = KindClass(kind) == KIND_AUDIO;
  // The start limit counts from the open: the control's creation and its source's render are within it.
  m_realPlayerDeadline = ::GetTickCount64() + kRealPlayerStartLimitMs;
  CRealAudio& control = m_realPlayer.MakeControl();
  // A control that cannot be made plays nothing: the entry is skipped like a failed open.
  if (!control.Create({0, 0, 1, 1}, Hwnd())) {
    const HRESULT hr = control.CreateResult();
    m_realPlayer.Destroy();
    return hr;
  }
  ::ShowWindow(control.Hwnd(), SW_HIDE);
  control.SetSource(path);
  m_realPlayerNotReady = true;
  m_realPlayerStarted = false;
  m_selector = EngineSelector::kRealPlayer;
  control.SetVolume(Volume());
  control.Play();
  m_unitsPerSecond = 1000;
  SetTimer(kRealPlayerTimer, kRealPlayerPollMs);
  return S_OK;
}

void CPlayerView::WaitForRealPlayerStart() {
  CRealAudio* control = m_realPlayer.Control();
  if (!m_realPlayerNotReady || m_selector != EngineSelector::kRealPlayer || !control) {
    KillTimer(kRealPlayerTimer);
    return;
  }
  const long position = control->GetPosition();
  if (control->IsStarted() && position > 0) {
    m_realPlayerStarted = true;
    m_unitsPerSecond = 1000;
    if (const long length = control->GetLength(); length != 0) {
      m_totalSeconds = static_cast<int>(length / 1000);
      m_latest = length;
      m_earliest = 0;
      m_realPlayerNotReady = false;
      KillTimer(kRealPlayerTimer);
    }
    UpdateOutputRect();
    ::ShowWindow(control->Hwnd(), SW_SHOW);
    return;
  }
  // A clip that never starts (one the platform cannot decode) must not hold the entry: it is closed and
  // the entry is skipped like any other that no engine plays.
  if (!m_realPlayerStarted && ::GetTickCount64() >= m_realPlayerDeadline) {
    KillTimer(kRealPlayerTimer);
    m_realPlayer.Close();
    m_realPlayerNotReady = false;
    m_selector = EngineSelector::kNone;
    m_outputRect = {};
  }
}

void CPlayerView::CloseEngines() {
  m_quickTimeHost.Close();
  m_quickTimeHost.Hide();
  KillTimer(kRealPlayerTimer);
  m_realPlayer.Close();
  m_realPlayerNotReady = false;
  m_realPlayerStarted = false;
}
