#pragma once
// The RealPlayer control as the player view's engine: it owns the per-entry control wrapper. Positions
// are milliseconds.

#include <memory>

#include "playback/Engine.h"
#include "playback/RealAudio.h"

class CRealPlayerEngine : public IPlaybackEngine {
 public:
  // A new wrapper for the next entry (the previous one is destroyed first).
  CRealAudio& MakeControl() {
    Destroy();
    m_control = std::make_unique<CRealAudio>();
    return *m_control;
  }
  CRealAudio* Control() const { return m_control.get(); }
  // Stops the clip, then destroys the control and, last, gives the wave-out volume back.
  void Destroy() {
    if (m_control) m_control->Stop();
    m_control.reset();
  }

  std::int64_t CurrentPosition() override { return m_control ? m_control->GetPosition() : 0; }
  void SetPosition(std::int64_t position) override {
    if (m_control) m_control->Seek(static_cast<long>(position));
  }
  void Pause() override {
    if (m_control) m_control->Pause();
  }
  void Resume() override {
    if (m_control) m_control->Play();
  }
  void Close() override { Destroy(); }
  [[nodiscard]] HRESULT NaturalSize(long& width, long& height) override {
    if (!m_control) return E_FAIL;
    m_control->GetNaturalSize(width, height);
    return S_OK;
  }
  [[nodiscard]] HRESULT PlaceOutput(const geo::Rect& r, bool) override {
    if (!m_control || !m_control->Exists()) return E_FAIL;
    return ::SetWindowPos(m_control->Hwnd(), nullptr, r.left, r.top, r.Width(), r.Height(),
                          SWP_NOZORDER | SWP_NOACTIVATE)
               ? S_OK
               : E_FAIL;
  }
  void SetVolume(double fraction) override {
    if (m_control) m_control->SetVolume(fraction);
  }
  bool IsAtEnd(std::int64_t position, std::int64_t latest) override {
    return (position == 0 && m_control && m_control->IsAtEnd()) || (latest > 0 && position >= latest);
  }

 private:
  std::unique_ptr<CRealAudio> m_control;
};
