#include "playback/DirectShowEngine.h"

#include <algorithm>
#include <cstdio>

#include "framework/BoundedRender.h"
#include "framework/WidePath.h"
#include "framework/Platform.h"
#include "framework/WineMediaGaps.h"
#include "playback/GraphReleaser.h"
#include "playback/PlaybackMath.h"

namespace {

// The Windows Media ASF reader, which loads wmv, wma and asf files.
const CLSID kClsidWMAsfReader = {0x187463A0, 0x5BB7, 0x11D3, {0xAC, 0xBE, 0x00, 0x80, 0xC7, 0x5E, 0x24, 0x6E}};

std::wstring LowerExtension(const std::wstring& path) {
  const std::wstring_view name = wide::FileName(path);
  const std::size_t dot = name.rfind(L'.');
  return dot == std::wstring_view::npos ? std::wstring() : wide::LowerAscii(name.substr(dot + 1));
}

}  // namespace

HRESULT CDirectShowEngine::Fail(HRESULT hr, const char* call) {
  std::snprintf(m_diagnostic, sizeof m_diagnostic, "FAILED(hr=0x%x) in %s\n", static_cast<unsigned>(hr), call);
  return hr;
}

HRESULT CDirectShowEngine::BuildGraph(const std::wstring& wide, HWND view, bool& audioOnly) {
  m_completed = false;
  m_diagnostic[0] = '\0';
  HRESULT hr = ::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  m_pGB.PutVoid());
  if (FAILED(hr))
    return Fail(hr,
                "CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER,IID_IGraphBuilder, (void **)&m_pGB)");

  if (IsRealMediaUnderWine(wide)) return Fail(VFW_E_UNSUPPORTED_STREAM, "m_pGB->RenderFile(bstr, NULL)");
  const std::wstring ext = LowerExtension(wide);
  m_renderer.Prepare(m_pGB.Get());
  if (ext == L"wma" || ext == L"wmv" || ext == L"asf") {
    hr = BuildAsf(wide, ext == L"wma", audioOnly);
    if (FAILED(hr)) return hr;
  } else {
    // A render that ran out of time leaves no graph here: it belongs to its thread now.
    hr = RenderFileBounded(m_pGB, wide);
    if (FAILED(hr)) return Fail(hr, "m_pGB->RenderFile(bstr, NULL)");
  }
  m_renderer.Finish(m_pGB.Get());

  // At the first interface the graph does not give, the rest are not asked for.
  auto query = [this](auto& ptr, REFIID iid, const char* call) {
    HRESULT q = m_pGB->QueryInterface(iid, ptr.PutVoid());
    if (FAILED(q)) Fail(q, call);
    return SUCCEEDED(q);
  };
  query(m_pMC, IID_IMediaControl, "m_pGB->QueryInterface(IID_IMediaControl, (void **)&m_pMC)") &&
      query(m_pME, IID_IMediaEventEx, "m_pGB->QueryInterface(IID_IMediaEventEx, (void **)&m_pME)") &&
      query(m_pVW, IID_IVideoWindow, "m_pGB->QueryInterface(IID_IVideoWindow, (void **)&m_pVW)") &&
      query(m_pBA, IID_IBasicAudio, "m_pGB->QueryInterface(IID_IBasicAudio, (void **)&m_pBA)") &&
      query(m_pBV, IID_IBasicVideo, "m_pGB->QueryInterface(IID_IBasicVideo, (void **)&m_pBV)") &&
      query(m_pMS, IID_IMediaSeeking, "m_pGB->QueryInterface(IID_IMediaSeeking, (void **)&m_pMS)");

  // A graph without a video window (audio, or a video no decoder could render) cannot take an owner.
  m_ownerSet = m_pVW && SUCCEEDED(m_pVW->put_Owner(reinterpret_cast<OAHWND>(view)));
  audioOnly = !m_ownerSet;
  if (!audioOnly) {
    hr = m_pVW->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    if (FAILED(hr)) return Fail(hr, "m_pVW->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)");
    hr = m_pVW->put_MessageDrain(reinterpret_cast<OAHWND>(view));
    if (FAILED(hr)) return Fail(hr, "m_pVW->put_MessageDrain((OAHWND)GetSafeHwnd())");
  }
  hr = m_pME ? m_pME->SetNotifyWindow(reinterpret_cast<OAHWND>(view), WM_GRAPHNOTIFY, 0) : E_NOINTERFACE;
  if (FAILED(hr)) return Fail(hr, "m_pME->SetNotifyWindow((OAHWND)GetSafeHwnd(), WM_GRAPHNOTIFY, 0)");
  return S_OK;
}

HRESULT CDirectShowEngine::BuildAsf(const std::wstring& path, bool wma, bool& audioOnly) {
  if (wma) audioOnly = true;
  HRESULT hr = ::CoCreateInstance(kClsidWMAsfReader, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  m_pReader.PutVoid());
  if (FAILED(hr)) return hr;
  hr = m_pGB->AddFilter(m_pReader.Get(), L"ASF Reader");
  if (FAILED(hr)) return hr;
  hr = m_pReader.As(m_pFileSource);
  if (FAILED(hr)) return Fail(hr, "m_pReader->QueryInterface(IID_IFileSourceFilter, (void **) &m_pFileSource)");
  (void)m_pFileSource->Load(path.c_str(), nullptr);  // a file it cannot read leaves no pins to render
  hr = RenderOutputPins(m_pGB.Get(), m_pReader.Get());
  if (FAILED(hr)) return Fail(hr, "RenderOutputPins(m_pGB, m_pReader)");
  m_pReader.Reset();  // the graph keeps the filter
  return S_OK;
}

HRESULT CDirectShowEngine::RenderOutputPins(IGraphBuilder* graph, IBaseFilter* filter) {
  fw::ComPtr<IEnumPins> pins;
  HRESULT hr = filter->EnumPins(pins.Put());
  if (FAILED(hr)) return hr;
  HRESULT result = S_OK;
  fw::ComPtr<IPin> pin;
  while (pins->Next(1, pin.Put(), nullptr) == S_OK) {
    fw::ComPtr<IPin> peer;
    if (pin->ConnectedTo(peer.Put()) == VFW_E_NOT_CONNECTED) {
      PIN_DIRECTION direction;
      if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT) result = graph->Render(pin.Get());
    }
    pin.Reset();
    if (FAILED(result)) break;
  }
  return result;
}

HRESULT CDirectShowEngine::Run(std::int64_t& earliest, std::int64_t& latest) {
  HRESULT hr = m_pMC ? m_pMC->Run() : E_NOINTERFACE;
  if (FAILED(hr)) return Fail(hr, "m_pMC->Run()");
  LONGLONG e = 0, l = 0;
  if (m_pMS) {
    (void)m_pMS->SetTimeFormat(&TIME_FORMAT_MEDIA_TIME);
    (void)m_pMS->GetAvailable(&e, &l);
    // Some DirectShow implementations answer GetAvailable without filling it in; the duration is the
    // same range for a local file.
    LONGLONG duration = 0;
    if (l <= e && SUCCEEDED(m_pMS->GetDuration(&duration))) {
      e = 0;
      l = duration;
    }
  }
  earliest = e;
  latest = m_latest = l;
  m_clockBase = e;
  ClockStart();
  m_runRequested = ::GetTickCount64();
  return S_OK;
}

bool CDirectShowEngine::Started() {
  if (m_runRequested == 0 || !m_pMC) return true;
  OAFilterState state = State_Stopped;
  // S_OK means every filter finished its transition: the renderers have their first samples.
  if (m_pMC->GetState(0, &state) == S_OK && state != State_Stopped) m_runRequested = 0;
  return m_runRequested == 0;
}

bool CDirectShowEngine::NeverStarted() {
  return !Started() && ::GetTickCount64() - m_runRequested > kStartLimitMs;
}

void CDirectShowEngine::DrainEvents() {
  if (!m_pME) return;
  long code;
  LONG_PTR p1, p2;
  while (SUCCEEDED(m_pME->GetEvent(&code, &p1, &p2, 0))) {
    // A stream that ends before its stated length (a cut-off file) never reaches the end by position.
    if (code == EC_COMPLETE) m_completed = true;
    m_pME->FreeEventParams(code, p1, p2);
  }
}

void CDirectShowEngine::ClockStart() {
  m_clockStarted = ::GetTickCount64();
  m_clockRunning = true;
}

void CDirectShowEngine::ClockStop() {
  m_clockBase = ClockPosition();
  m_clockRunning = false;
}

std::int64_t CDirectShowEngine::ClockPosition() const {
  std::int64_t p = m_clockBase;
  if (m_clockRunning) p += static_cast<std::int64_t>(::GetTickCount64() - m_clockStarted) * (kUnitsPerSecond / 1000);
  return m_latest > 0 ? std::min(p, m_latest) : p;
}

std::int64_t CDirectShowEngine::CurrentPosition() {
  if (!m_pMS) return 0;
  LONGLONG curpos = 0;
  HRESULT hr = m_pMS->GetCurrentPosition(&curpos);
  if (FAILED(hr)) {
    Fail(hr, "m_pMS->GetCurrentPosition(&curpos)");
    return 0;
  }
  // Wine's ASF reader stays at exactly 0 while it plays. Only there is the clock taken instead: elsewhere a
  // slow first frame would end the entry early.
  if (!m_positionFromClock && curpos == 0 && fw::RunningUnderWine() && ClockPosition() > kUnitsPerSecond)
    m_positionFromClock = true;
  return m_positionFromClock ? ClockPosition() : curpos;
}

void CDirectShowEngine::SetPosition(std::int64_t position) {
  if (!m_pMS || NeverStarted()) return;
  // Wine's parser leaves a stream thread behind when a graph with sound and picture is seeked while it
  // streams, and the next Stop then waits for it for ever. Seeking a stopped graph is safe there.
  OAFilterState state = State_Running;
  const bool restart = fw::RunningUnderWine() && m_pMC && SUCCEEDED(m_pMC->GetState(0, &state));
  if (restart) (void)m_pMC->Stop();
  LONGLONG curpos = position;
  HRESULT hr = m_pMS->SetPositions(&curpos, AM_SEEKING_AbsolutePositioning | AM_SEEKING_SeekToKeyFrame, nullptr,
                                   AM_SEEKING_NoPositioning);
  if (FAILED(hr)) {
    Fail(hr, "m_pMS->SetPositions(&curpos,AM_SEEKING_AbsolutePositioning |AM_SEEKING_SeekToKeyFrame,NULL,"
             "AM_SEEKING_NoPositioning)");
  } else {
    m_completed = false;
    m_clockBase = position;
    m_clockStarted = ::GetTickCount64();
  }
  if (restart && state == State_Paused)
    (void)m_pMC->Pause();
  else if (restart && state == State_Running)
    (void)m_pMC->Run();
}

void CDirectShowEngine::Pause() {
  HRESULT hr = m_pMC ? m_pMC->Pause() : E_NOINTERFACE;
  if (FAILED(hr))
    Fail(hr, "m_pMC->Pause()");
  else if (m_clockRunning)
    ClockStop();
}

void CDirectShowEngine::Resume() {
  HRESULT hr = m_pMC ? m_pMC->Run() : E_NOINTERFACE;
  if (FAILED(hr))
    Fail(hr, "m_pMC->Run()");
  else if (!m_clockRunning)
    ClockStart();
}

void CDirectShowEngine::Close() {
  if (m_pMC && !NeverStarted()) {
    HRESULT hr = m_pMC->Stop();
    if (FAILED(hr)) Fail(hr, "m_pMC->Stop()");
  }
  ReleaseAll();
}

void CDirectShowEngine::TakeVideoWindow() {
  // The video window goes with the graph; taken from the view first so that it sends the view nothing
  // while it is being destroyed.
  if (m_pVW && m_ownerSet) {
    (void)m_pVW->put_Visible(OAFALSE);
    (void)m_pVW->put_Owner(0);
  }
  m_ownerSet = false;
  if (m_pME) (void)m_pME->SetNotifyWindow(0, 0, 0);
}

void CDirectShowEngine::ReleaseAll() {
  TakeVideoWindow();
  // The last release of a graph stops it: one whose streams never started goes to the background.
  fw::ComPtr<IGraphBuilder> stuck;
  if (NeverStarted()) stuck = std::move(m_pGB);
  m_pMC.Reset();
  m_pME.Reset();
  m_pVW.Reset();
  m_pBA.Reset();
  m_pBV.Reset();
  m_pMS.Reset();
  m_pFileSource.Reset();
  m_pReader.Reset();
  m_pGB.Reset();
  m_renderer = CVideoRendererChoice();
  m_ownerSet = false;
  m_completed = false;
  m_latest = 0;
  m_clockBase = 0;
  m_clockRunning = false;
  m_positionFromClock = false;
  m_runRequested = 0;
  ReleaseInBackground(std::move(stuck));
}

HRESULT CDirectShowEngine::NaturalSize(long& width, long& height) {
  return m_pBV ? m_pBV->GetVideoSize(&width, &height) : E_NOINTERFACE;
}

HRESULT CDirectShowEngine::PlaceOutput(const geo::Rect& r, bool aspectKept) {
  HRESULT hr = m_pVW ? m_pVW->SetWindowPosition(r.left, r.top, r.Width(), r.Height()) : E_NOINTERFACE;
  if (FAILED(hr))
    Fail(hr, aspectKept ? "m_pVW->SetWindowPosition(srect.left,srect.top,srect.Width(),srect.Height())"
                        : "m_pVW->SetWindowPosition(rect.left,rect.top,rect.Width(),rect.Height())");
  return hr;
}

void CDirectShowEngine::SetVolume(double fraction) {
  if (m_pBA) (void)m_pBA->put_Volume(DirectShowVolume(fraction));
}

bool CDirectShowEngine::IsAtEnd(std::int64_t position, std::int64_t latest) {
  return m_completed || (latest > 0 && position >= latest);
}
