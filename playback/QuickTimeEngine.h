#pragma once
// The QuickTime host as the player view's engine: positions are in the movie's time scale.

#include "playback/Engine.h"
#include "playback/QuickTimeHost.h"

class CQuickTimeEngine : public IPlaybackEngine {
 public:
  static constexpr qtabi::Fixed kNormalRate = 0x10000;

  explicit CQuickTimeEngine(CQuickTimeHost& host) : m_host(host) {}

  std::int64_t CurrentPosition() override {
    qtabi::TimeRecord now{};
    return m_host.GetTime(now);
  }
  void SetPosition(std::int64_t position) override {
    qtabi::TimeRecord when{};
    m_host.GetTime(when);
    when.value = position;
    m_host.GoToTime(when);
  }
  void Pause() override { m_host.Pause(); }
  void Resume() override { m_host.Play(kNormalRate); }
  void Close() override { m_host.Close(); }
  [[nodiscard]] HRESULT NaturalSize(long& width, long& height) override {
    return m_host.GetNaturalSize(width, height) ? S_OK : E_FAIL;
  }
  [[nodiscard]] HRESULT PlaceOutput(const geo::Rect& r, bool) override {
    m_host.SetBounds(r.left, r.top, r.right, r.bottom);
    return S_OK;
  }
  void SetVolume(double fraction) override { m_host.SetVolume(static_cast<int>(fraction * 256)); }
  bool IsAtEnd(std::int64_t position, std::int64_t latest) override { return position >= latest; }

 private:
  CQuickTimeHost& m_host;
};
