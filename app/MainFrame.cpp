#include "app/MainFrame.h"

#include "app/BlockText.h"
#include "app/PlayerApp.h"
#include "app/StartupText.h"
#include "framework/CodePage.h"
#include "framework/Handles.h"
#include "framework/MutexLock.h"
#include "res/ResourceIds.h"

namespace {

geo::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Serialises writing and taking the hand-off path between the instances, so that a path written while
// the running instance reads is never lost or torn.
constexpr char kHandOffLockName[] = "_T_A_R_N_V_A_L_E_LOCK";
constexpr DWORD kHandOffLockWaitMs = 3000;

}  // namespace

CMainFrame::CMainFrame() : m_view(*this) {}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::Create() {
  return CreateEx(WS_EX_ACCEPTFILES, nullptr, kProgramWindowName, WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr);
}

void CMainFrame::PreCreate(CREATESTRUCTA& cs) {
  cs.style &= ~WS_THICKFRAME;
  cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
  cs.lpszClass = RegisterClass(0, nullptr, nullptr, nullptr);
}

bool CMainFrame::OnMessage(fw::Msg& m) {
  static constexpr fw::Route<CMainFrame> kRoutes[] = {
      {WM_CREATE, 0, &CMainFrame::OnCreate},
      {WM_SETFOCUS, 0, &CMainFrame::OnSetFocus},
      {WM_SIZE, 0, &CMainFrame::OnSize},
      {WM_GETMINMAXINFO, 0, &CMainFrame::OnGetMinMaxInfo},
      {WM_COMMAND, ID_HANDOFF, &CMainFrame::OnHandOff},
      {WM_CLOSE, 0, &CMainFrame::OnClose},
  };
  return fw::Dispatch(*this, kRoutes, m);
}

void CMainFrame::OnCreate(fw::Msg& m) {
  Default(m);
  if (m.result == -1) return;
  m_view.Create(Hwnd());
  // No frame-change notification: the frame is never drawn, only its style matters.
  ::SetWindowLongPtrA(Hwnd(), GWL_STYLE, ::GetWindowLongPtrA(Hwnd(), GWL_STYLE) & ~WS_CAPTION);
  ::SetMenu(Hwnd(), nullptr);
  m.result = 0;
}

void CMainFrame::OnSetFocus(fw::Msg&) {
  // While the settings dialog runs the keyboard belongs to it (a second start brings the frame forward).
  if (HWND dialog = m_view.SettingsDialogWindow())
    ::SetFocus(dialog);
  else if (m_view.Exists())
    ::SetFocus(m_view.Hwnd());
}

void CMainFrame::OnSize(fw::Msg& m) {
  const bool panel = m_panel && ::IsWindow(m_panel);
  if (panel && ::IsRectEmpty(&m_savedPanel)) ::GetWindowRect(m_panel, &m_savedPanel);
  if (m_view.Exists()) {
    switch (m.wp) {
      case SIZE_RESTORED:
        if (m_wasMaximised && panel) {
          ::MoveWindow(m_panel, m_savedPanel.left, m_savedPanel.top, m_savedPanel.right - m_savedPanel.left,
                       m_savedPanel.bottom - m_savedPanel.top, TRUE);
          m_wasMaximised = false;
        }
        PlaceViewOverFrame();
        m_view.RevealAfterMinimise();
        m_view.WindowButtons().UpdateMaximiseFace();
        break;
      case SIZE_MINIMIZED:
        if (panel) ::GetWindowRect(m_panel, &m_savedPanel);
        m_view.ConcealForMinimise();
        break;
      case SIZE_MAXIMIZED: {
        if (!m_closing) {
          RECT r;
          ::GetWindowRect(m_view.Hwnd(), &r);
          m_view.SaveWindowPosition(ToRect(r), false);
        }
        m_view.WindowButtons().UpdateMaximiseFace();
        if (panel) {
          ::GetWindowRect(m_panel, &m_savedPanel);
          m_wasMaximised = true;
        }
        PlaceViewOverFrame();
        m_view.RevealAfterMinimise();
        break;
      }
      default:
        break;
    }
  }
  Default(m);
}

void CMainFrame::PlaceViewOverFrame() {
  RECT r;
  ::GetWindowRect(Hwnd(), &r);
  ::SetWindowPos(m_view.Hwnd(), HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void CMainFrame::OnGetMinMaxInfo(fw::Msg& m) {
  reinterpret_cast<MINMAXINFO*>(m.lp)->ptMinTrackSize = {160, 120};
  Default(m);
}

void CMainFrame::OnHandOff(fw::Msg& m) {
  if (m.lp != 0) {
    Default(m);
    return;
  }
  BlockText block;
  bool wideTerminated = false;
  std::wstring widePath;
  {
    fw::MutexLock lock(kHandOffLockName, kHandOffLockWaitMs);
    // The wide block names the file whole; an older second start writes the code-page block only.
    if (m_wideHandOff.OpenNamed(kHandOffWideBlockName)) {
      widePath = m_wideHandOff.ReadWideText(kWideBlockUnits, &wideTerminated);
      if (wideTerminated) m_wideHandOff.WriteWideText(std::wstring(), kWideBlockUnits);
    }
    if (m_handOff.OpenNamed(kHandOffBlockName)) {
      block.text = m_handOff.ReadText(kSharedBlockSize, &block.terminated);
      // Taking the path empties the block: the sender waits for that before it lets the block go.
      if (block.terminated) m_handOff.WriteText(std::string(), kSharedBlockSize);
    }
  }
  m_wideHandOff.CloseBlock();
  m_handOff.CloseBlock();
  if (!wideTerminated || widePath.empty()) widePath = fw::Widen(HandOffPath(block));
  if (!widePath.empty()) m_view.OpenHandedOver(widePath);
}

bool CMainFrame::WriteHandOffPath(const std::wstring& path) {
  m_wideHandOff.SetName(kHandOffWideBlockName, kWideBlockUnits * sizeof(wchar_t));
  m_handOff.SetName(kHandOffBlockName, kSharedBlockSize);
  if (!m_wideHandOff.CreateOrOpen()) return false;
  const bool codePageBlock = m_handOff.CreateOrOpen() != nullptr;
  // An older instance reads the code-page block only: it gets a form that opens the same file, never one
  // with substitutes.
  m_handedOffText = CodePagePathOf(fw::Narrow(path), fw::ShortPathOf(path)).value_or(std::string());
  m_handedOffPath = path;
  fw::MutexLock lock(kHandOffLockName, kHandOffLockWaitMs);
  if (codePageBlock) m_handOff.WriteText(m_handedOffText, kSharedBlockSize);
  return m_wideHandOff.WriteWideText(path, kWideBlockUnits);
}

bool CMainFrame::WaitForHandOffTaken(unsigned timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < timeoutMs) {
    // Taken (a newer instance empties both blocks, an older one the code-page block), or replaced by a
    // later start that now waits in turn.
    if (m_wideHandOff.ReadWideText(kWideBlockUnits) != m_handedOffPath) return true;
    if (!m_handedOffText.empty() && m_handOff.ReadText(kSharedBlockSize) != m_handedOffText) return true;
    ::Sleep(10);
  }
  return false;
}

PanelPlaces CMainFrame::LayoutPanels(const geo::Rect& panelClient) const {
  RECT client{};
  if (m_view.Exists()) {
    ::GetClientRect(m_view.Hwnd(), &client);
    ::MapWindowPoints(m_view.Hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  }
  return ::LayoutPanels(ToRect(client), panelClient);
}

void CMainFrame::ShowTitleOf(const std::wstring& path) {
  const std::wstring title = path.empty() ? fw::Widen(kProgramWindowName) : TitleFromPath(path);
  // The frame is an ANSI window, whose own text handling would put the title through the code page: the
  // wide default handling stores it as it is, for the taskbar and for another instance's search.
  if (Exists()) ::DefWindowProcW(Hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
  if (CPlayerApp* app = CPlayerApp::Current()) app->PublishWindowName(title);
}

int CMainFrame::ToggleFullScreen() {
  if (IsMaximised()) {
    ::ShowWindow(Hwnd(), SW_SHOWNORMAL);
    return 0;
  }
  ::ShowWindow(Hwnd(), SW_MAXIMIZE);
  return 1;
}

void CMainFrame::Minimise() { ::ShowWindow(Hwnd(), SW_MINIMIZE); }

void CMainFrame::RequestExit() {
  m_closing = 1;
  ::PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
}

void CMainFrame::OnClose(fw::Msg& m) {
  // Nothing is destroyed under the settings dialog's loop: the dialog ends first and the close comes again.
  if (m_view.EndSettingsBeforeClose()) return;
  m_view.FileList().HideList();
  m_view.ControlPanel().AutoHide(false);
  ::ShowWindow(Hwnd(), SW_HIDE);
  if (m_view.Exists()) ::ShowWindow(m_view.Hwnd(), SW_HIDE);
  m_view.WindowButtons().AutoHide(false);
  // A picture being made is finished first; the worker then ends.
  m_view.FileList().Tags().Thumbnails().Stop();
  Default(m);
}
