#pragma once
// A DirectShow filter graph playing one file, its video in a child window of an owner window. The two
// stand-in components (QuickTime.qts and the RealPlayer control) play through it. The video window is
// disabled so that the mouse falls through to its owner, as it does over a component that draws into
// its own window. No call waits for ever on a graph that never streams: such a graph is not stopped or
// seeked in place, and it is stopped and released on a thread of its own when it is closed.

#include <cstdint>
#include <string>

#include <dshow.h>

#include "framework/BoundedRender.h"
#include "framework/Com.h"
#include "framework/VideoRenderer.h"

class GraphPlayer {
 public:
  static constexpr std::int64_t kUnitsPerSecond = 10'000'000;

  GraphPlayer() = default;
  GraphPlayer(const GraphPlayer&) = delete;
  GraphPlayer& operator=(const GraphPlayer&) = delete;
  ~GraphPlayer() { Close(); }

  // Builds the graph for the file, stopped; with video, its window becomes a hidden child of owner.
  [[nodiscard]] HRESULT Open(const std::wstring& path, HWND owner);
  // The same without waiting for the render: message reaches owner when it has ended, and FinishOpen
  // then completes the open. Until then the player is not open.
  [[nodiscard]] HRESULT BeginOpen(const std::wstring& path, HWND owner, UINT message);
  // E_PENDING while the render runs; otherwise the open's result, as Open's.
  [[nodiscard]] HRESULT FinishOpen(HWND owner);
  bool Opening() const { return m_render.Running(); }
  void Close();
  bool IsOpen() const { return static_cast<bool>(m_graph); }
  bool HasVideo() const { return m_hasVideo; }

  [[nodiscard]] HRESULT Run();
  [[nodiscard]] HRESULT Pause();
  [[nodiscard]] HRESULT Stop();
  bool Running();
  [[nodiscard]] HRESULT SetRate(double rate);
  // Media time (100 ns units).
  [[nodiscard]] HRESULT Seek(std::int64_t position);
  std::int64_t Position();
  std::int64_t Duration();
  // Whether the graph has played to its end (graph events are taken here).
  bool Completed();
  [[nodiscard]] HRESULT VideoSize(long& width, long& height);
  // Places the video in the owner's client area and shows it.
  [[nodiscard]] HRESULT PlaceVideo(const RECT& r);
  // Hundredths of a decibel, -10000 to 0.
  void SetVolume(long centibels);

  // Graphs being stopped and released on a thread of their own (see Close); a library that holds this
  // code must not be unloaded while any are.
  static long ClosingInBackground();

 private:
  [[nodiscard]] HRESULT CreateGraph(const std::wstring& path);
  // What follows the render of an open: the graph's interfaces and its video window.
  [[nodiscard]] HRESULT CompleteOpen(HRESULT rendered, HWND owner);
  void DrainEvents();
  // A graph that was set going but never delivered a sample (Wine 8 with RealMedia): its Stop, and a
  // seek, wait for ever for the parser's stream thread.
  bool Stuck();
  void NoteProgress(std::int64_t position);

  fw::ComPtr<IGraphBuilder> m_graph;
  fw::ComPtr<IMediaControl> m_control;
  fw::ComPtr<IMediaSeeking> m_seeking;
  fw::ComPtr<IMediaEventEx> m_events;
  fw::ComPtr<IVideoWindow> m_window;
  fw::ComPtr<IBasicVideo> m_video;
  fw::ComPtr<IBasicAudio> m_audio;
  CVideoRendererChoice m_renderer;
  CBackgroundRender m_render;
  HWND m_owner = nullptr;
  bool m_hasVideo = false;
  bool m_completed = false;
  bool m_ran = false;
  bool m_streamed = false;
};
