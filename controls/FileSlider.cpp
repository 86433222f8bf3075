#include "controls/FileSlider.h"

#include "res/ResourceIds.h"

CFileSlider::~CFileSlider() = default;

bool CFileSlider::Create(IScrollTarget& target, HWND parent) {
  m_target = &target;
  return CreateEx(0, nullptr, nullptr, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, parent, nullptr);
}

void CFileSlider::PreCreate(CREATESTRUCTA& cs) {
  cs.lpszClass = RegisterClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
}

bool CFileSlider::OnMessage(fw::Msg& m) {
  static constexpr fw::Route<CFileSlider> kRoutes[] = {
      {WM_CREATE, 0, &CFileSlider::OnCreate},
      {WM_SIZE, 0, &CFileSlider::OnSize},
      {WM_COMMAND, ID_FILE_SLIDER, &CFileSlider::OnSliderMoved},
      {WM_MOUSEWHEEL, 0, &CFileSlider::OnMouseWheel},
  };
  return fw::Dispatch(*this, kRoutes, m);
}

void CFileSlider::Hide() {
  if (Exists()) ::ShowWindow(Hwnd(), SW_HIDE);
}

void CFileSlider::OnCreate(fw::Msg& m) {
  Default(m);
  if (m.result == -1) return;
  if (!m_slider.Create(Hwnd(), {}, ID_FILE_SLIDER, true, true, 0, std::string(), false)) m.result = -1;
}

void CFileSlider::OnSize(fw::Msg& m) {
  Default(m);
  RECT client;
  ::GetClientRect(Hwnd(), &client);
  m_slider.Move(0, 0, client.right, client.bottom);
}

void CFileSlider::OnSliderMoved(fw::Msg&) {
  if (m_target) m_target->ScrollToFraction(m_slider.GetFraction());
}

void CFileSlider::OnMouseWheel(fw::Msg& m) {
  HWND owner = ::GetWindow(Hwnd(), GW_OWNER);
  if (owner && owner != Hwnd())
    m.result = ::SendMessageA(owner, WM_MOUSEWHEEL, m.wp, m.lp);
  else
    Default(m);
}
