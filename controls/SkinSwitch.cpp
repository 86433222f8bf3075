#include "controls/SkinSwitch.h"

#include "controls/SwitchBitmapCache.h"
#include "framework/Gdi.h"
#include "controls/PanelKey.h"
#include "framework/Handles.h"
#include "res/ResourceIds.h"

namespace {

constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverPeriodMs = 10;

POINT PointOf(LPARAM lp) { return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

}  // namespace

CSkinSwitch::~CSkinSwitch() = default;

bool CSkinSwitch::Create(HWND parent, const geo::Rect& rect, UINT id, unsigned resourceId,
                         const std::string& faceFile) {
  m_id = id;
  if (!CreateEx(0, nullptr, nullptr, WS_CHILD | WS_CLIPSIBLINGS, rect.left, rect.top, rect.Width(), rect.Height(),
                parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
    return false;
  SetBitmap(resourceId, faceFile);
  return true;
}

void CSkinSwitch::PreCreate(CREATESTRUCTA& cs) {
  cs.lpszClass = RegisterClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
}

bool CSkinSwitch::OnMessage(fw::Msg& m) {
  static constexpr fw::Route<CSkinSwitch> kRoutes[] = {
      {WM_CREATE, 0, &CSkinSwitch::OnCreate},
      {WM_PAINT, 0, &CSkinSwitch::OnPaint},
      {WM_MOUSEMOVE, 0, &CSkinSwitch::OnMouseMove},
      {WM_TIMER, 0, &CSkinSwitch::OnTimer},
      {WM_LBUTTONDOWN, 0, &CSkinSwitch::OnButtonDown},
      {WM_LBUTTONDBLCLK, 0, &CSkinSwitch::OnButtonDown},
      {WM_LBUTTONUP, 0, &CSkinSwitch::OnButtonUp},
  };
  return fw::Dispatch(*this, kRoutes, m);
}

void CSkinSwitch::SetBitmap(unsigned resourceId, const std::string& faceFile) {
  std::shared_ptr<CSkinBitmap> face = GetSwitchBitmap(resourceId, faceFile);
  if (face == m_face) return;  // the same strip shows the same picture
  m_face = std::move(face);
  Redraw();
}

void CSkinSwitch::SetRestFrame(int frame) {
  if (frame == m_rest) return;
  if (m_current == m_rest) {
    m_current = frame;
    Redraw();
  }
  m_rest = frame;
}

void CSkinSwitch::EndHover() {
  if (Exists()) KillTimer(kHoverTimer);
  m_current = m_rest;
  Redraw();
  // Only its own capture: an owner may call this while some other window holds the mouse.
  if (Exists() && ::GetCapture() == Hwnd()) ::ReleaseCapture();
}

void CSkinSwitch::Redraw() {
  if (!Exists()) return;
  fw::WindowDC dc(Hwnd());
  Draw(dc.Get());
}

void CSkinSwitch::Draw(HDC dc) {
  if (!m_backdrop) {
    if (m_face) m_face->DrawFrame(m_current, dc, 0, 0, kSwitchFrameSize, kSwitchFrameSize, SRCCOPY);
    return;
  }
  const Composition now{m_face.get(), m_current, m_backdrop->BackdropKey()};
  if (!m_composed || !m_composed->Ok()) {
    m_composed.emplace(dc, kSwitchFrameSize, kSwitchFrameSize);
    m_composedOf.reset();
  }
  if (m_composedOf != now) {
    Compose(m_composed->Dc());
    m_composedOf = now;
  }
  m_composed->Present(dc);
}

void CSkinSwitch::Compose(HDC target) {
  POINT at{0, 0};
  ::MapWindowPoints(Hwnd(), ::GetParent(Hwnd()), &at, 1);
  m_backdrop->PaintBackdrop(target, at.x, at.y, kSwitchFrameSize, kSwitchFrameSize);
  if (m_face) m_face->DrawFrameKeyed(m_current, target, 0, 0, kSwitchFrameSize, kSwitchFrameSize, kPanelKeyColour);
}

void CSkinSwitch::OnCreate(fw::Msg& m) {
  Default(m);
  if (m.result == -1) return;
  ::ShowWindow(Hwnd(), SW_SHOWNA);
  m.result = 0;
}

void CSkinSwitch::OnPaint(fw::Msg&) {
  fw::PaintDC dc(Hwnd());
  Draw(dc.Get());
}

void CSkinSwitch::OnMouseMove(fw::Msg& m) {
  TrackPointer(PointOf(m.lp));
}

// The timer notices a pointer that left without a move reaching the switch.
void CSkinSwitch::OnTimer(fw::Msg&) {
  POINT p;
  if (!::GetCursorPos(&p)) return;
  ::ScreenToClient(Hwnd(), &p);
  TrackPointer(p);
}

void CSkinSwitch::TrackPointer(POINT client) {
  RECT r;
  ::GetClientRect(Hwnd(), &r);
  if (::PtInRect(&r, client))
    BeginHover();
  else
    EndHover();
  PostToParent(ID_SWITCH_MOUSE_MOVE);
}

void CSkinSwitch::BeginHover() {
  SetTimer(kHoverTimer, kHoverPeriodMs);
  if (m_current != m_rest) return;  // already lit or pressed
  m_current = FRAME_HOVER;
  Redraw();
  ::SetCapture(Hwnd());
}

void CSkinSwitch::OnButtonDown(fw::Msg&) {
  m_current = FRAME_PRESSED;
  Redraw();
}

// The command is posted before the hover frame is drawn, so the parent acts after the switch redrew.
void CSkinSwitch::OnButtonUp(fw::Msg&) {
  PostToParent(m_id);
  m_current = FRAME_HOVER;
  Redraw();
}

void CSkinSwitch::PostToParent(UINT id) {
  if (HWND parent = ::GetParent(Hwnd())) ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}
