#include "playback/QuickTimeHost.h"

#include "framework/Gdi.h"
#include "framework/Handles.h"
#include "playback/PlayerView.h"
#include "playback/QuickTimeCalls.h"
#include "playback/QuickTimeDispatch.h"

using namespace qtabi;

CQuickTimeHost::~CQuickTimeHost() {
  // Ends the movie while this object is whole; the window goes with the base class.
  if (m_movie) m_movie->Terminate();
}

bool CQuickTimeHost::Create(HWND view) {
  return CreateEx(0, nullptr, nullptr, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0, view,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kControlId)));
}

void CQuickTimeHost::PreCreate(CREATESTRUCTA& cs) { cs.lpszClass = RegisterClass(0, nullptr, nullptr, nullptr); }

bool CQuickTimeHost::OnMessage(fw::Msg& m) {
  static constexpr fw::Route<CQuickTimeHost> kRoutes[] = {
      {WM_CREATE, 0, &CQuickTimeHost::OnCreate},
      {WM_DESTROY, 0, &CQuickTimeHost::OnDestroy},
      {WM_ERASEBKGND, 0, &CQuickTimeHost::OnEraseBackground},
      {WM_PAINT, 0, &CQuickTimeHost::OnPaint},
      {WM_MOUSEMOVE, 0, &CQuickTimeHost::OnMouseToView},
      {WM_LBUTTONDOWN, 0, &CQuickTimeHost::OnMouseToView},
      {WM_LBUTTONUP, 0, &CQuickTimeHost::OnMouseToView},
      {WM_MBUTTONDOWN, 0, &CQuickTimeHost::OnMouseToView},
      {WM_MBUTTONDBLCLK, 0, &CQuickTimeHost::OnMouseToView},
      {WM_MOUSEWHEEL, 0, &CQuickTimeHost::OnMouseToView},
  };
  // QuickTime sees every message of its window first; the background is erased before it does.
  if (m_ready && m_movie && m.msg != WM_ERASEBKGND) m_movie->HandleMessage(m.hwnd, m.msg, m.wp, m.lp);
  return fw::Dispatch(*this, kRoutes, m);
}

void CQuickTimeHost::OnCreate(fw::Msg& m) {
  m_creation = *reinterpret_cast<CREATESTRUCTA*>(m.lp);
  Default(m);
}

void CQuickTimeHost::OnDestroy(fw::Msg& m) {
  if (m_movie) m_movie->Terminate();
  Default(m);
}

void CQuickTimeHost::OnEraseBackground(fw::Msg& m) {
  Default(m);
  if (m_ready && m_movie) m_movie->HandleMessage(m.hwnd, m.msg, m.wp, m.lp);
}

void CQuickTimeHost::OnPaint(fw::Msg&) {
  fw::PaintDC dc(Hwnd());
  if (m_movie && m_movie->GetMovie()) qt::UpdateMovie(m_movie->GetMovie());
  PaintBands(dc.Get());
}

void CQuickTimeHost::PaintBands(HDC dc) {
  const geo::Rect& r = m_view.OutputRect();
  m_movieRect = {r.left, r.top, r.right, r.bottom};
  RECT client{};
  ::GetClientRect(m_view.Hwnd(), &client);
  const RECT bands[] = {
      {0, 0, client.right, m_movieRect.top},
      {0, m_movieRect.bottom, client.right, client.bottom},
      {0, m_movieRect.top, m_movieRect.left, m_movieRect.bottom},
      {m_movieRect.right, m_movieRect.top, client.right, m_movieRect.bottom},
  };
  for (const RECT& band : bands) {
    if (band.right > band.left && band.bottom > band.top) fw::FillSolid(dc, band, m_view.BandColour());
  }
}

// The host covers the view from its top-left corner, so the point means the same in the view.
void CQuickTimeHost::OnMouseToView(fw::Msg& m) { m.result = ::SendMessageA(m_view.Hwnd(), m.msg, m.wp, m.lp); }

void CQuickTimeHost::Start() {
  if (m_ready) return;
  (void)CQuickTimeLibrary::Process().Start();  // without QuickTime every later call fails harmlessly
  qt::EnterMovies();
  m_movie = std::make_unique<CQuickTimeMovie>();
  m_movie->Attach(Hwnd(), m_creation);
  m_ready = true;
}

bool CQuickTimeHost::Open(const std::string& path, bool isPicture) {
  if (!m_ready) return false;
  const bool opened = m_movie->OpenMovie(path.c_str());
  m_picture = isPicture;
  if (!opened) return false;
  if (!isPicture) {
    qt::SetMovieVolume(m_movie->GetMovie(), 0);
    Play(0x10000);
  } else {
    Play(0);
  }
  return true;
}

void CQuickTimeHost::Pause() { Play(0); }

void CQuickTimeHost::Play(Fixed rate) {
  if (m_ready && m_movie->Controller())
    qt::MCDoAction(m_movie->Controller(), mcActionPlay, reinterpret_cast<void*>(static_cast<Slot>(rate)));
}

void CQuickTimeHost::Close() {
  if (m_ready) m_movie->CloseMovie();
}

TimeValue CQuickTimeHost::GetTime(TimeRecord& now) {
  now = {};
  if (!m_ready || !m_movie->GetMovie()) return 0;
  const TimeValue t = qt::GetMovieTime(m_movie->GetMovie(), &now);
  now.scale = qt::GetMovieTimeScale(m_movie->GetMovie());
  return t;
}

TimeValue CQuickTimeHost::GetDuration() {
  return m_ready && m_movie->GetMovie() ? qt::GetMovieDuration(m_movie->GetMovie()) : 0;
}

void CQuickTimeHost::GoToTime(const TimeRecord& when) {
  if (!m_ready || !m_movie->Controller()) return;
  TimeRecord target = when;
  qt::MCDoAction(m_movie->Controller(), mcActionGoToTime, &target);
}

void CQuickTimeHost::SetBounds(int left, int top, int right, int bottom) {
  if (!m_ready || !m_movie->GetMovie()) return;
  const Rect r{static_cast<std::int16_t>(top), static_cast<std::int16_t>(left), static_cast<std::int16_t>(bottom),
               static_cast<std::int16_t>(right)};
  if (m_movie->Controller()) qt::MCSetControllerBoundsRect(m_movie->Controller(), &r);
  qt::SetMovieBox(m_movie->GetMovie(), &r);
}

bool CQuickTimeHost::GetNaturalSize(long& width, long& height) const {
  if (!m_ready || !m_movie->GetMovie()) return false;
  const Rect& box = m_movie->MovieBox();
  width = box.right - box.left;
  height = box.bottom - box.top;
  return true;
}

void CQuickTimeHost::SetVolume(int volume) {
  if (m_ready && m_movie->GetMovie()) qt::SetMovieVolume(m_movie->GetMovie(), static_cast<std::int16_t>(volume));
}

void CQuickTimeHost::Show() {
  if (!m_ready) return;
  ::ShowWindow(Hwnd(), SW_SHOW);
  m_shown = true;
}

void CQuickTimeHost::Hide() {
  if (Exists()) ::ShowWindow(Hwnd(), SW_HIDE);
  m_shown = false;
}
