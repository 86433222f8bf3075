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
