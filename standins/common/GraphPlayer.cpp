#include "standins/common/GraphPlayer.h"

#include <atomic>
#include <thread>

#include "framework/BoundedRender.h"
#include "framework/Handles.h"
#include "framework/Platform.h"
#include "framework/WineMediaGaps.h"

namespace {
// The DirectShow interfaces carry no __uuidof here: asked for by their identifiers.
template <class T>
HRESULT Query(IUnknown* from, REFIID iid, fw::ComPtr<T>& out) {
  return from->QueryInterface(iid, out.PutVoid());
}

std::atomic<long> g_closing{0};

// Stops and releases a graph away from the caller's thread; if Stop never returns, the thread and the
// graph stay behind and nothing else waits for them.
void CloseInBackground(fw::ComPtr<IMediaControl> control, fw::ComPtr<IGraphBuilder> graph) {
  ++g_closing;
  std::thread([control = std::move(control), graph = std::move(graph)]() mutable {
    (void)::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    (void)control->Stop();
    control.Reset();
    graph.Reset();
    ::CoUninitialize();
    --g_closing;
  }).detach();
}
}  // namespace

long GraphPlayer::ClosingInBackground() { return g_closing; }

void GraphPlayer::NoteProgress(std::int64_t position) {
  if (position > 0 || m_completed) m_streamed = true;
}

bool GraphPlayer::Stuck() {
  if (!m_ran || m_streamed) return false;
  // A graph whose pause or run has completed has had samples at its renderers.
  OAFilterState state = State_Stopped;
  if (m_control && m_control->GetState(0, &state) == S_OK && state != State_Stopped) m_streamed = true;
  return !m_streamed;
}

HRESULT GraphPlayer::CreateGraph(const std::wstring& path) {
  Close();
  if (IsRealMediaUnderWine(path)) return VFW_E_UNSUPPORTED_STREAM;
  HRESULT hr = ::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  m_graph.PutVoid());
  if (FAILED(hr)) return hr;
  m_renderer.Prepare(m_graph.Get());
  return S_OK;
}

HRESULT GraphPlayer::Open(const std::wstring& path, HWND owner) {
  if (HRESULT hr = CreateGraph(path); FAILED(hr)) return hr;
  return CompleteOpen(RenderFileBounded(m_graph, path), owner);
}

HRESULT GraphPlayer::BeginOpen(const std::wstring& path, HWND owner, UINT message) {
  if (HRESULT hr = CreateGraph(path); FAILED(hr)) return hr;
  if (HRESULT hr = m_render.Start(std::move(m_graph), path, owner, message); FAILED(hr)) {
    Close();
    return hr;
  }
  return S_OK;
}

HRESULT GraphPlayer::FinishOpen(HWND owner) {
  const HRESULT hr = m_render.Finish(m_graph);
  return hr == E_PENDING ? hr : CompleteOpen(hr, owner);
}

HRESULT GraphPlayer::CompleteOpen(HRESULT rendered, HWND owner) {
  HRESULT hr = rendered;
  if (FAILED(hr)) {
    Close();
    return hr;
  }
  m_renderer.Finish(m_graph.Get());
  IGraphBuilder* g = m_graph.Get();
  if (FAILED(hr = Query(g, IID_IMediaControl, m_control)) || FAILED(hr = Query(g, IID_IMediaSeeking, m_seeking)) ||
      FAILED(hr = Query(g, IID_IMediaEventEx, m_events))) {
    Close();
    return hr;
  }
  (void)m_seeking->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME);
  (void)Query(g, IID_IBasicAudio, m_audio);
  (void)Query(g, IID_IBasicVideo, m_video);
  if (SUCCEEDED(Query(g, IID_IVideoWindow, m_window)) && SUCCEEDED(m_window->put_Owner(reinterpret_cast<OAHWND>(owner)))) {
    m_hasVideo = true;
    m_owner = owner;
    (void)m_window->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
    (void)m_window->put_Visible(OAFALSE);
    // The owner's only child of this process is the video window (the owner is the component's own).
    for (HWND child = ::GetWindow(owner, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      DWORD pid = 0;
      ::GetWindowThreadProcessId(child, &pid);
      if (pid == ::GetCurrentProcessId()) ::EnableWindow(child, FALSE);
    }
  } else {
    m_window.Reset();
  }
  return S_OK;
}

void GraphPlayer::Close() {
  m_render.GiveUp();
  const bool stuck = Stuck();
  if (m_control && !stuck) (void)m_control->Stop();
  if (m_window) {
    (void)m_window->put_Visible(OAFALSE);
    (void)m_window->put_Owner(0);
  }
  m_window.Reset();
  m_video.Reset();
  m_audio.Reset();
  m_events.Reset();
  m_seeking.Reset();
  if (stuck && m_control)
    CloseInBackground(std::move(m_control), std::move(m_graph));
  m_control.Reset();
  m_graph.Reset();
  m_renderer = CVideoRendererChoice();
  m_owner = nullptr;
  m_hasVideo = false;
  m_completed = false;
  m_ran = m_streamed = false;
}

HRESULT GraphPlayer::Run() {
  if (!m_control) return E_UNEXPECTED;
  if (m_completed) {
    // Played to its end: run again from the start.
    (void)Seek(0);
  }
  m_ran = true;
  return m_control->Run();
}

HRESULT GraphPlayer::Pause() {
  if (!m_control) return E_UNEXPECTED;
  m_ran = true;
  return m_control->Pause();
}

// A graph that never streamed only pauses: its Stop would not return.
HRESULT GraphPlayer::Stop() {
  if (!m_control) return E_UNEXPECTED;
  return Stuck() ? m_control->Pause() : m_control->Stop();
}

bool GraphPlayer::Running() {
  OAFilterState state = State_Stopped;
  return m_control && SUCCEEDED(m_control->GetState(0, &state)) && state == State_Running;
}

HRESULT GraphPlayer::SetRate(double rate) { return m_seeking ? m_seeking->SetRate(rate) : E_UNEXPECTED; }

HRESULT GraphPlayer::Seek(std::int64_t position) {
  if (!m_seeking) return E_UNEXPECTED;
  if (Stuck()) return VFW_E_WRONG_STATE;
  // Wine's parser leaves a stream thread behind when a graph with sound and picture is seeked while it
  // streams, and the next Stop then waits for ever; a stopped graph seeks safely there.
  OAFilterState state = State_Stopped;
  const bool restart = fw::RunningUnderWine() && SUCCEEDED(m_control->GetState(0, &state)) && state != State_Stopped;
  if (restart) (void)m_control->Stop();
  LONGLONG p = position;
  HRESULT hr = m_seeking->SetPositions(&p, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
  if (SUCCEEDED(hr)) m_completed = false;
  if (restart) (void)(state == State_Running ? m_control->Run() : m_control->Pause());
  return hr;
}

std::int64_t GraphPlayer::Position() {
  LONGLONG p = 0;
  if (!m_seeking || FAILED(m_seeking->GetCurrentPosition(&p))) return 0;
  NoteProgress(p);
  return p;
}

std::int64_t GraphPlayer::Duration() {
  LONGLONG d = 0;
  if (!m_seeking || FAILED(m_seeking->GetDuration(&d))) return 0;
  return d;
}

void GraphPlayer::DrainEvents() {
  if (!m_events) return;
  long code;
  LONG_PTR p1, p2;
  while (SUCCEEDED(m_events->GetEvent(&code, &p1, &p2, 0))) {
    if (code == EC_COMPLETE) m_completed = m_streamed = true;
    (void)m_events->FreeEventParams(code, p1, p2);
  }
}

bool GraphPlayer::Completed() {
  DrainEvents();
  // A graph at its duration has ended even where the completion event is late.
  const std::int64_t d = Duration();
  return m_completed || (d > 0 && Position() >= d);
}

HRESULT GraphPlayer::VideoSize(long& width, long& height) {
  width = height = 0;
  return m_hasVideo && m_video ? m_video->GetVideoSize(&width, &height) : E_NOINTERFACE;
}

HRESULT GraphPlayer::PlaceVideo(const RECT& r) {
  if (!m_hasVideo) return E_NOINTERFACE;
  HRESULT hr = m_window->SetWindowPosition(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (FAILED(hr)) return hr;
  const bool visible = r.right > r.left && r.bottom > r.top;
  (void)m_window->put_Visible(visible ? OATRUE : OAFALSE);
  // A paused graph draws its frame once, perhaps while the window was still hidden: cued again at the
  // same place, it draws the frame into the window as it is now.
  OAFilterState state = State_Stopped;
  if (visible && m_control && SUCCEEDED(m_control->GetState(0, &state)) && state == State_Paused && !Stuck())
    (void)Seek(Position());
  return S_OK;
}

void GraphPlayer::SetVolume(long centibels) {
  if (m_audio) (void)m_audio->put_Volume(centibels);
}
