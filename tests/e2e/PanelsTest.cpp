// The floating panels of the real program as a user meets them: the control panel up with the list and
// gone when the list closes, back under the pointer and gone a second after it leaves; the window buttons
// at the view's top right likewise; minimising from them leaves neither on the screen.
#include <gtest/gtest.h>

#include <vector>

#include "e2e/Process.h"

using e2e::Installation;
using e2e::kStartMs;

namespace {

POINT Centre(HWND h) {
  const RECT r = wt::WindowRect(h);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool BecomesVisible(HWND h, bool visible, unsigned timeoutMs = 5000) {
  return wt::WaitUntil([&] { return (::IsWindowVisible(h) != FALSE) == visible; }, timeoutMs);
}

}  // namespace

TEST(Panels, TheyComeUnderThePointerAndGoASecondAfterItLeaves) {
  Installation app("panels");
  const int p = app.Start();
  const HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  const HWND view = e2e::ViewOf(frame);
  HWND panel = nullptr, buttons = nullptr;
  ASSERT_TRUE(wt::WaitUntil([&] { return (panel = e2e::OwnedOfSize(view, 634, 88)) != nullptr; }, kStartMs));
  ASSERT_TRUE(wt::WaitUntil([&] { return (buttons = e2e::OwnedOfSize(view, 100, 32)) != nullptr; }, kStartMs));
  const RECT b = wt::WindowRect(buttons);

  // Up with the list that start-up opens; Escape closes the list and the panel with it.
  ::SetCursorPos(2, 2);
  EXPECT_TRUE(BecomesVisible(panel, true));
  e2e::PressKey(VK_ESCAPE);
  EXPECT_TRUE(BecomesVisible(panel, false));

  for (HWND floating : {panel, buttons}) {
    const POINT over = Centre(floating);
    ::SetCursorPos(over.x, over.y);
    EXPECT_TRUE(BecomesVisible(floating, true, 3000));
    ::SetCursorPos(2, 2);
    EXPECT_TRUE(BecomesVisible(floating, false));
  }

  // The minimise switch, the first of the buttons.
  ::SetCursorPos(Centre(buttons).x, Centre(buttons).y);
  ASSERT_TRUE(BecomesVisible(buttons, true, 3000));
  e2e::Click(b.left + 16, b.top + 16);
  EXPECT_TRUE(wt::WaitUntil([&] { return ::IsIconic(frame) != FALSE; }, 5000));
  EXPECT_FALSE(::IsWindowVisible(buttons));
  EXPECT_FALSE(::IsWindowVisible(panel));
}

namespace {

// A window of another program (this test) that covers the screen and is the active one.
class CoveringWindow {
 public:
  CoveringWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "E2eCoveringWindow";
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    ::RegisterClassA(&wc);
    m_hwnd = ::CreateWindowExA(0, wc.lpszClassName, "covering", WS_POPUP | WS_VISIBLE, 0, 0,
                               ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                               wc.hInstance, nullptr);
    Activate();
  }
  ~CoveringWindow() { ::DestroyWindow(m_hwnd); }
  HWND Hwnd() const { return m_hwnd; }
  // Keeps the window's messages going while the program's timers run.
  void Pump(unsigned ms) const {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
      MSG msg;
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
      ::Sleep(20);
    }
  }
  bool IsActive() const { return ::GetForegroundWindow() == m_hwnd; }
  void Activate() const {
    ::SetForegroundWindow(m_hwnd);
    Pump(300);
  }
  // Puts this window on top of all and the given one directly under it. Until the activation has come
  // through, the player is the active program and may raise its windows over this one; Wine's handling
  // of the X focus events may then raise the player's view over its own rows and panels.
  void Over(HWND window) const {
    ::SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(window, m_hwnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  }

 private:
  HWND m_hwnd = nullptr;
};

bool LiesBelow(HWND window, HWND other) {
  for (HWND h = ::GetWindow(window, GW_HWNDPREV); h; h = ::GetWindow(h, GW_HWNDPREV))
    if (h == other) return true;
  return false;
}

}  // namespace

TEST(Panels, WhileAnotherProgramIsInFrontNeitherRowsNorPanelsComeUpOverIt) {
  Installation app("covered");
  const int p = app.Start();
  const HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  const HWND view = e2e::ViewOf(frame);
  HWND panel = nullptr;
  ASSERT_TRUE(wt::WaitUntil([&] { return (panel = e2e::OwnedOfSize(view, 634, 88)) != nullptr; }, kStartMs));
  const HWND list = e2e::ListOf(view);
  ASSERT_NE(list, nullptr);
  ::SetCursorPos(2, 2);
  ASSERT_TRUE(BecomesVisible(panel, true));
  std::vector<HWND> rows;
  ASSERT_TRUE(wt::WaitUntil([&] { return !(rows = e2e::RowsOf(list)).empty(); }, kStartMs));

  {
    CoveringWindow other;
    ASSERT_TRUE(other.IsActive());
    // The program's view just under the other program, over its own rows and panel: the keepers would
    // put them back on top while the program is in front, and must not now.
    other.Over(view);
    const bool viewOverPanel = LiesBelow(panel, view);
    other.Pump(1000);
    ASSERT_TRUE(other.IsActive());
    EXPECT_TRUE(LiesBelow(panel, other.Hwnd()));
    for (HWND row : rows) EXPECT_TRUE(LiesBelow(row, other.Hwnd()));
    EXPECT_TRUE(viewOverPanel) << "the panel must have lain under the view for the keepers to have work";
  }

  // The list closed by the program's user, another program in front: the pointer where the panel sits
  // brings the panel up over the view only.
  ::SetForegroundWindow(frame);
  ASSERT_TRUE(e2e::HideList(frame));
  ASSERT_TRUE(BecomesVisible(panel, false));
  CoveringWindow other;
  ASSERT_TRUE(other.IsActive());
  other.Over(view);
  const POINT over = Centre(panel);
  ::SetCursorPos(over.x, over.y);
  other.Pump(200);
  ASSERT_TRUE(BecomesVisible(panel, true, 3000));
  EXPECT_TRUE(LiesBelow(panel, other.Hwnd()));
  EXPECT_TRUE(LiesBelow(view, panel));
  ::SetCursorPos(2, 2);
}
