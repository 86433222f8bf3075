// The window buttons as a real window at the view's top right: their place, hover show and hide, the
// maximise face while full screen, minimising that hides both panels, and the exit switch.
#include "controls/WindowButtons.h"

#include <gtest/gtest.h>

#include "controls/PanelZOrder.h"
#include "controls/SwitchFrame.h"
#include "res/ResourceIds.h"
#include "wine/PanelFixture.h"

namespace {

class WindowButtonsTest : public wt::PanelFixture {
 protected:
  unsigned MaximiseFace() { return Buttons().MaximiseSwitch().Face()->ResourceId(); }
};

}  // namespace

TEST_F(WindowButtonsTest, TheyStandEightPixelsInFromTheViewsTopRight) {
  Start(0, 0, 1280, 720);
  const HWND buttons = Buttons().Hwnd();
  RECT r = wt::WindowRect(buttons);
  ::MapWindowPoints(nullptr, View().Hwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_TRUE(wt::SameRect(r, RECT{1172, 8, 1272, 40}));
  EXPECT_FALSE(::IsWindowVisible(buttons));
  EXPECT_FALSE(::GetWindowLongPtrA(buttons, GWL_STYLE) & (WS_SYSMENU | WS_CAPTION));
  EXPECT_TRUE(::GetWindowLongPtrA(buttons, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_EQ(::SendMessageA(buttons, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame->Hwnd()), 0), MA_NOACTIVATE);
  struct Place {
    UINT id;
    int left;
  } const places[] = {{ID_MINIMISE_SWITCH, 0}, {ID_MAXIMISE_SWITCH, 34}, {ID_EXIT_SWITCH, 68}};
  for (const Place& p : places) {
    RECT s = wt::WindowRect(::GetDlgItem(buttons, static_cast<int>(p.id)));
    ::MapWindowPoints(nullptr, buttons, reinterpret_cast<POINT*>(&s), 2);
    EXPECT_TRUE(wt::SameRect(s, RECT{p.left, 0, p.left + 32, 32})) << p.id;
  }

  // Hover shows them above the view; the countdown hides them.
  CursorInto(buttons);
  Tick(buttons, CWindowButtons::kHoverTimer);
  EXPECT_TRUE(Buttons().IsShown() && Buttons().HideArmed());
  PumpApp(300);
  EXPECT_TRUE(wt::Above(buttons, View().Hwnd()));
  Tick(buttons, CWindowButtons::kHideTimer);
  EXPECT_FALSE(Buttons().IsShown() || ::IsWindowVisible(buttons));

  // A narrower view takes them along.
  ::SetWindowPos(View().Hwnd(), nullptr, 10, 20, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(wt::SameRect(wt::WindowRect(buttons), RECT{302, 28, 402, 60}));
}

TEST_F(WindowButtonsTest, TheMaximiseSwitchShowsTheRestoreFaceWhileFullScreen) {
  Start();
  EXPECT_EQ(MaximiseFace(), static_cast<unsigned>(IDB_MAXSW));
  Buttons().ShowPanel();
  Post(Buttons().Hwnd(), ID_MAXIMISE_SWITCH);
  EXPECT_TRUE(frame->IsMaximised());
  EXPECT_EQ(MaximiseFace(), static_cast<unsigned>(IDB_MIDSW));
  Post(Buttons().Hwnd(), ID_MAXIMISE_SWITCH);
  EXPECT_FALSE(frame->IsMaximised());
  EXPECT_EQ(MaximiseFace(), static_cast<unsigned>(IDB_MAXSW));
}

TEST_F(WindowButtonsTest, MinimisingHidesBothPanelsAndHoverDoesNotBringThemBack) {
  Start();
  Buttons().ShowPanel();
  Panel().ShowPanel();
  const HWND buttons = Buttons().Hwnd();
  CursorInto(::GetDlgItem(buttons, ID_MINIMISE_SWITCH));
  PumpApp(50);  // the switch lights and holds the mouse
  Post(buttons, ID_MINIMISE_SWITCH);
  EXPECT_TRUE(::IsIconic(frame->Hwnd()));
  EXPECT_FALSE(Buttons().IsShown());
  EXPECT_FALSE(Panel().IsShown());
  EXPECT_FALSE(::IsWindowVisible(buttons));
  EXPECT_FALSE(::IsWindowVisible(Panel().Hwnd()));
  EXPECT_EQ(Buttons().MinimiseSwitch().CurrentFrame(), Buttons().MinimiseSwitch().RestFrame());
  EXPECT_NE(::GetCapture(), ::GetDlgItem(buttons, ID_MINIMISE_SWITCH));

  Tick(buttons, CWindowButtons::kHoverTimer);
  EXPECT_FALSE(Buttons().IsShown());
  EXPECT_TRUE(Buttons().HideArmed()) << "the countdown starts all the same";
}

// Minimised, nothing of the program stays on the screen (Wine leaves owned pop-ups up); restored, what
// was up comes back: the view and an open list with its rows, the window buttons only under the pointer.
TEST_F(WindowButtonsTest, MinimisingHidesEveryWindowAndTheRestoreBringsBackWhatWasShown) {
  for (const char* name : {"a.avi", "b.avi", "c.avi"}) wt::WriteFile(home.File(name), "");
  WriteSetting("EXT_VIDEO", "avi");
  for (bool listOpen : {true, false}) {
    Start();
    CFileListWnd& list = View().FileList();
    if (listOpen)
      list.ShowList();
    else
      list.HideList();
    PumpApp(150);
    ASSERT_EQ(list.IsShown(), listOpen);
    auto shownRows = [&] {
      int n = 0;
      for (int i = 0; i < kRowWindows; ++i)
        n += list.Tags().Tag(i).Exists() && ::IsWindowVisible(list.Tags().Tag(i).Hwnd());
      return n;
    };
    const int rows = shownRows();
    EXPECT_EQ(rows > 0, listOpen);

    ::ShowWindow(frame->Hwnd(), SW_MINIMIZE);
    PumpApp(150);
    ASSERT_TRUE(::IsIconic(frame->Hwnd()));
    EXPECT_FALSE(::IsWindowVisible(View().Hwnd()));
    EXPECT_FALSE(::IsWindowVisible(list.Hwnd()));
    EXPECT_EQ(shownRows(), 0);
    EXPECT_FALSE(::IsWindowVisible(Panel().Hwnd()));
    EXPECT_FALSE(::IsWindowVisible(Buttons().Hwnd()));
    EXPECT_EQ(list.IsShown(), listOpen) << "the list stays open for the restore";

    ::ShowWindow(frame->Hwnd(), SW_RESTORE);
    PumpApp(300);
    EXPECT_TRUE(::IsWindowVisible(View().Hwnd()));
    EXPECT_EQ(::IsWindowVisible(list.Hwnd()) != FALSE, listOpen);
    EXPECT_EQ(shownRows(), rows);
    EXPECT_FALSE(::IsWindowVisible(Buttons().Hwnd())) << "the pointer is away";
    EXPECT_EQ(::IsWindowVisible(Panel().Hwnd()) != FALSE, listOpen) << "the panel is up with the list";
    frame.reset();
  }
}

TEST_F(WindowButtonsTest, TheExitSwitchClosesTheProgram) {
  Start();
  Buttons().ShowPanel();
  Post(Buttons().Hwnd(), ID_EXIT_SWITCH);
  EXPECT_TRUE(frame->IsClosing());
  EXPECT_TRUE(wt::PumpUntil([&] { return !frame->Exists(); }, 3000));
  EXPECT_FALSE(View().Exists());
}
