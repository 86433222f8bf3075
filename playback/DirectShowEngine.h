#pragma once
// The default engine: a DirectShow filter graph for the file, its video window a child of the view.

#include <cstdint>
#include <string>

#include <dshow.h>

#include "framework/Com.h"
#include "framework/VideoRenderer.h"
#include "playback/Engine.h"

// The message the graph posts to the view when events are queued.
constexpr UINT WM_GRAPHNOTIFY = WM_USER + 13;

class CDirectShowEngine : public IPlaybackEngine {
 public:
  static constexpr std::int64_t kUnitsPerSecond = 10'000'000;  // media time, 100 ns

  CDirectShowEngine() = default;
  ~CDirectShowEngine() override { ReleaseAll(); }

  // Builds the graph for the path and attaches its video window to the view; audioOnly tells whether the
  // graph has no video window. On failure the error is returned and what was built is kept until Close.
  [[nodiscard]] HRESULT BuildGraph(const std::wstring& path, HWND view, bool& audioOnly);
  // Runs the graph and reads the seekable range in media time.
  [[nodiscard]] HRESULT Run(std::int64_t& earliest, std::int64_t& latest);
  // Takes every queued graph event; a completed graph is remembered as the end of the entry.
  void DrainEvents();
  // True once a graph that was told to run has not got its data flowing within the start limit (a file
  // whose streams build but never deliver a sample): such an entry has no end and is given up.
  bool NeverStarted();
  static constexpr ULONGLONG kStartLimitMs = 4000;
  // Releases every interface without stopping the graph (the view's window is going away). A graph whose
  // streams never started is stopped and released on a thread of its own instead.
  void ReleaseAll();

  bool HoldsGraph() const { return static_cast<bool>(m_pGB); }
  IGraphBuilder* Graph() const { return m_pGB.Get(); }
  // Whether the graph's video goes through the GDI renderer (under Wine).
  bool UsesGdiRenderer() const { return m_renderer.UsesGdiRenderer(); }
  // The diagnostic line of the last failed call ("" when none failed).
  const char* LastDiagnostic() const { return m_diagnostic; }

  std::int64_t CurrentPosition() override;
  void SetPosition(std::int64_t position) override;
  void Pause() override;
  void Resume() override;
  void Close() override;
  [[nodiscard]] HRESULT NaturalSize(long& width, long& height) override;
  [[nodiscard]] HRESULT PlaceOutput(const geo::Rect& rect, bool aspectKept) override;
  void SetVolume(double fraction) override;
  bool IsAtEnd(std::int64_t position, std::int64_t latest) override;

 private:
  // Formats the failure line of a call into the diagnostic buffer and returns hr.
  HRESULT Fail(HRESULT hr, const char* call);
  HRESULT RenderOutputPins(IGraphBuilder* graph, IBaseFilter* filter);
  HRESULT BuildAsf(const std::wstring& path, bool wma, bool& audioOnly);

  fw::ComPtr<IGraphBuilder> m_pGB;
  fw::ComPtr<IMediaControl> m_pMC;
  fw::ComPtr<IMediaEventEx> m_pME;
  fw::ComPtr<IVideoWindow> m_pVW;
  fw::ComPtr<IBasicAudio> m_pBA;
  fw::ComPtr<IBasicVideo> m_pBV;
  fw::ComPtr<IMediaSeeking> m_pMS;
  fw::ComPtr<IBaseFilter> m_pReader;
  fw::ComPtr<IFileSourceFilter> m_pFileSource;
  CVideoRendererChoice m_renderer;
  // The time the graph has been running, for graphs that report no position of their own (Wine's ASF
  // reader stays at 0 and never reports its end): their position is taken from the clock instead.
  void ClockStart();
  void ClockStop();
  std::int64_t ClockPosition() const;

  bool m_ownerSet = false;
  bool m_completed = false;
  std::int64_t m_latest = 0;
  std::int64_t m_clockBase = 0;
  ULONGLONG m_clockStarted = 0;
  bool m_clockRunning = false;
  bool m_positionFromClock = false;
  // A graph told to run whose streams have not started yet must not be stopped on this thread.
  bool Started();
  void TakeVideoWindow();
  ULONGLONG m_runRequested = 0;  // when Run was asked for; 0 once the graph has reached its state
  char m_diagnostic[1024] = {};
};
