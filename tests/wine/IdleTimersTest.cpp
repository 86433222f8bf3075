// The timers that would find nothing to do are not running: in each state the program is left in, which
// of the view's, the panels' and the list's timers are set. KillTimer tells whether a timer was set.
#include <gtest/gtest.h>

#include "framework/CodePage.h"
#include "wine/PanelFixture.h"

namespace {

struct Timer {
  const char* name;
  HWND (*window)(CMainFrame&);
  UINT_PTR id;
};

HWND ViewOf(CMainFrame& f) { return f.View().Hwnd(); }
HWND PanelOf(CMainFrame& f) { return f.View().ControlPanel().Hwnd(); }
HWND ButtonsOf(CMainFrame& f) { return f.View().WindowButtons().Hwnd(); }
HWND ListOf(CMainFrame& f) { return f.View().FileList().Hwnd(); }

const Timer kTimers[] = {
    {"scan step", ViewOf, CPlayerView::kScanTimer},
    {"position poll", ViewOf, CPlayerView::kPollTimer},
    {"panel hide countdown", PanelOf, CControlPanel::kHideTimer},
    {"panel clock", PanelOf, CControlPanel::kClockTimer},
    {"panel blink", PanelOf, CControlPanel::kBlinkTimer},
    {"panel mouse poll", PanelOf, CControlPanel::kHoverTimer},
    {"buttons hide countdown", ButtonsOf, CWindowButtons::kHideTimer},
    {"buttons mouse poll", ButtonsOf, CWindowButtons::kHoverTimer},
    {"focus keeper", ListOf, CFileListWnd::kFocusTimer},
};

class IdleTimersTest : public wt::PanelFixture {};

TEST_F(IdleTimersTest, OnlyTimersWithSomethingToDoRun) {
  struct Case {
    const char* state;
    const char* media;  // opened, or nothing
    bool listShown;
    bool paused;
    const char* running;  // the names of the timers set, each between slashes
  } const cases[] = {
      {"list shown, nothing loaded", nullptr, true, false, "/"},
      {"list hidden, nothing loaded", nullptr, false, false, "/"},
      {"video playing", "long.avi", false, false, "/position poll/"},
      {"video paused", "long.avi", false, true, "/"},
      {"picture shown", "pic.jpg", false, false, "/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    Start();
    View().FileList().ShowList();
    if (c.media) View().FileList().OpenPath(fw::Widen(wt::MediaPath(c.media)));
    if (!c.listShown) View().FileList().HideList();
    if (c.paused) View().SetPause(true);
    // The pointer stays away; the countdowns end, the mouse polls and the panel's clock find nothing new
    // and the focus keeper nothing more to do.
    PumpApp(1500 + CFileListWnd::kFocusIdleTicks * CFileListWnd::kFocusMs);
    ASSERT_EQ(View().FileList().IsShown(), c.listShown);
    ASSERT_EQ(View().IsLoaded(), c.media != nullptr);
    for (const Timer& t : kTimers) {
      const bool expected = std::string(c.running).find(std::string("/") + t.name + "/") != std::string::npos;
      EXPECT_EQ(::KillTimer(t.window(*frame), t.id) != FALSE, expected) << t.name;
    }
    frame.reset();
  }
}

// A mouse poll that sleeps comes back with the pointer's move, and the panel then hides a second after the
// pointer leaves, as it does while the poll never stopped.
TEST_F(IdleTimersTest, TheMousePollsWakeWithThePointerAndThePanelsStillHideASecondAfterItLeaves) {
  Start();
  View().FileList().HideList();
  PumpApp(1500 + CMousePoll::kQuietTicks * CControlPanel::kHoverMs);
  ASSERT_FALSE(Panel().IsShown());
  ASSERT_FALSE(Panel().MousePollRuns());
  ASSERT_FALSE(Buttons().MousePollRuns());

  // The window under the pointer (the view, under the hidden panel) gets the move.
  const auto moveTo = [&](POINT at) {
    ::SetCursorPos(at.x, at.y);
    POINT client = at;
    ::ScreenToClient(View().Hwnd(), &client);
    ::PostMessageA(View().Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
  };
  const RECT r = wt::WindowRect(Panel().Hwnd());
  moveTo({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  PumpApp(300);
  ASSERT_TRUE(Panel().IsShown()) << "the pointer came over the panel";
  // Held under a pointer that stays: the poll sleeps again and the panel stays.
  PumpApp((CMousePoll::kQuietTicks + 3) * CControlPanel::kHoverMs);
  ASSERT_TRUE(Panel().IsShown());
  ASSERT_FALSE(Panel().MousePollRuns());

  moveTo({2, 2});
  PumpApp(500);
  EXPECT_TRUE(Panel().IsShown()) << "half a second after the pointer left";
  PumpApp(1000);
  EXPECT_FALSE(Panel().IsShown()) << "a second and a half after";
}

// The panel's clock keeps going while a video plays under it, sleeps while the video stands paused (a
// seek still shows), and the key that resumes it wakes the clock.
TEST_F(IdleTimersTest, ThePanelsClockRunsWhileTheTimeMoves) {
  Start();
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("long.avi")));
  ASSERT_TRUE(View().IsLoaded());
  CursorInto(Panel().Hwnd());
  ::PostMessageA(View().Hwnd(), WM_MOUSEMOVE, 0, 0);
  PumpApp(1500);
  ASSERT_TRUE(Panel().IsShown());
  EXPECT_TRUE(Panel().ClockRuns()) << "playing";
  View().SetPause(true);
  PumpApp((CControlPanel::kClockQuietTicks + 2) * CControlPanel::kClockMs);
  EXPECT_FALSE(Panel().ClockRuns()) << "paused";
  // A seek while paused: the position poll takes the new place once, the slider and the time follow it.
  const std::string before = Panel().CurrentStatus().time;
  View().SeekBy(3);
  PumpApp(2 * CPlayerView::kPollMs);
  EXPECT_NE(Panel().CurrentStatus().time, before) << "after a seek while paused";
  ::PostMessageA(View().Hwnd(), WM_KEYDOWN, VK_SPACE, 1);
  PumpApp(100);
  ASSERT_FALSE(View().IsPaused());
  EXPECT_TRUE(Panel().ClockRuns()) << "resumed";
  EXPECT_TRUE(::KillTimer(View().Hwnd(), CPlayerView::kPollTimer)) << "the position poll after the resume";
}

// A scan runs its step timer until the scan ends; the poll stops once nothing is open.
TEST_F(IdleTimersTest, TheScanAndThePollRunWhileTheyHaveWork) {
  Start();
  View().FileList().OpenPath(fw::Widen(wt::MediaPath("long.avi")));
  ASSERT_TRUE(View().IsLoaded());
  ::SendMessageA(View().Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  ASSERT_NE(View().ScanSpeed(), 0);
  PumpApp(50);
  EXPECT_TRUE(::KillTimer(View().Hwnd(), CPlayerView::kScanTimer)) << "scanning";
  ::SetTimer(View().Hwnd(), CPlayerView::kScanTimer, CPlayerView::kScanMs, nullptr);
  View().Stop();
  Tick(View().Hwnd(), CPlayerView::kScanTimer);
  Tick(View().Hwnd(), CPlayerView::kPollTimer);
  EXPECT_FALSE(::KillTimer(View().Hwnd(), CPlayerView::kScanTimer)) << "stopped";
  EXPECT_FALSE(::KillTimer(View().Hwnd(), CPlayerView::kPollTimer)) << "stopped";
}

}  // namespace
