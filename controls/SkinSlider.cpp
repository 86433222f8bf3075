#include "controls/SkinSlider.h"

#include "controls/PanelKey.h"
#include "framework/Gdi.h"
#include "framework/Handles.h"

namespace {

constexpr int kIconFrameWidth = 16;

SliderPoint PointOf(LPARAM lp) { return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

void FrameAndFill(HDC dc, const geo::Rect& r, COLORREF frame, COLORREF fill) {
  fw::Pen pen(::CreatePen(PS_SOLID, 1, frame));
  fw::Brush brush(::CreateSolidBrush(fill));
  fw::SelectGuard usePen(dc, pen.Get());
  fw::SelectGuard useBrush(dc, brush.Get());
  ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

}  // namespace

CSkinSlider::~CSkinSlider() = default;

bool CSkinSlider::Create(HWND parent, const geo::Rect& rect, UINT id, bool vertical, bool paging, unsigned iconId,
                         const std::string& iconFile, bool iconShown) {
  m_id = id;
  const bool withIcon = iconId != 0 && iconShown;
  if (iconId != 0) m_icon.LoadFromFileOrResource(iconFile, iconId, kIconFrameWidth, 1);
  m_model.Setup(rect.Width(), rect.Height(), vertical, paging, withIcon);
  return CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rect.left, rect.top, rect.Width(),
                  rect.Height(), parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CSkinSlider::PreCreate(CREATESTRUCTA& cs) {
  cs.lpszClass = RegisterClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
}

bool CSkinSlider::OnMessage(fw::Msg& m) {
  static constexpr fw::Route<CSkinSlider> kRoutes[] = {
      {WM_PAINT, 0, &CSkinSlider::OnPaint},
      {WM_LBUTTONDOWN, 0, &CSkinSlider::OnButtonDown},
      {WM_LBUTTONDBLCLK, 0, &CSkinSlider::OnButtonDown},
      {WM_MOUSEMOVE, 0, &CSkinSlider::OnMouseMove},
      {WM_LBUTTONUP, 0, &CSkinSlider::OnButtonUp},
      {WM_CAPTURECHANGED, 0, &CSkinSlider::OnCaptureChanged},
  };
  return fw::Dispatch(*this, kRoutes, m);
}

void CSkinSlider::SetFraction(double x) { m_model.SetFraction(x, *this); }

void CSkinSlider::Move(int left, int top, int right, int bottom) {
  if (Exists()) ::SetWindowPos(Hwnd(), nullptr, left, top, right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
  m_model.Resize(right - left, bottom - top, *this);
}

void CSkinSlider::SetPageInfo(int listPosition, int pageSize, int total) {
  m_model.SetPageInfo(listPosition, pageSize, total, *this);
}

void CSkinSlider::ReloadIcon(unsigned iconId, const std::string& iconFile) {
  if (m_model.IconShown()) m_icon.LoadFromFileOrResource(iconFile, iconId, kIconFrameWidth, 1);
}

void CSkinSlider::Redraw() {
  if (!Exists()) return;
  fw::WindowDC dc(Hwnd());
  Compose(dc.Get());
}

void CSkinSlider::Compose(HDC dc) {
  RECT client;
  ::GetClientRect(Hwnd(), &client);
  fw::BackBuffer buffer(dc, client.right, client.bottom);
  if (buffer.Ok()) {
    fw::FillSolid(buffer.Dc(), client, kPanelKeyColour);
    FrameAndFill(buffer.Dc(), m_model.Track(), m_skin.sliderBaseFrameColor, m_skin.sliderBaseColor);
    FrameAndFill(buffer.Dc(), m_model.ThumbRect(), m_skin.sliderBarFrameColor,
                 m_model.Hover() ? m_skin.sliderOnBarColor : m_skin.sliderBarColor);
    if (m_model.IconShown()) {
      const int side = m_model.Thickness();
      m_icon.DrawFrame(0, buffer.Dc(), 0, 0, side, side, SRCCOPY);
    }
  }
  // Reported while drawing, so the parent reads a fraction at least as new as the change.
  if (m_model.TakeChange())
    if (HWND parent = ::GetParent(Hwnd())) ::PostMessageA(parent, WM_COMMAND, MAKEWPARAM(m_id, 0), 0);
  buffer.Present(dc);
}

void CSkinSlider::OnPaint(fw::Msg&) {
  fw::PaintDC dc(Hwnd());
  Compose(dc.Get());
}

void CSkinSlider::OnButtonDown(fw::Msg& m) { m_model.ButtonDown(PointOf(m.lp), *this); }
void CSkinSlider::OnMouseMove(fw::Msg& m) { m_model.MouseMove(PointOf(m.lp), *this); }
void CSkinSlider::OnButtonUp(fw::Msg& m) { m_model.ButtonUp(PointOf(m.lp), *this); }

void CSkinSlider::OnCaptureChanged(fw::Msg& m) {
  if (reinterpret_cast<HWND>(m.lp) != Hwnd()) m_model.CaptureLost(*this);
}

void CSkinSlider::CaptureMouse() {
  if (::GetCapture() != Hwnd()) ::SetCapture(Hwnd());
}

void CSkinSlider::ReleaseMouse() {
  if (::GetCapture() == Hwnd()) ::ReleaseCapture();
}

void CSkinSlider::ShowSlider(bool visible) {
  if (Exists()) ::ShowWindow(Hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}
