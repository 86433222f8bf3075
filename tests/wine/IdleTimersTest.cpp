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
    {"buttons hide countdown", ButtonsOf, CWindowButtons::kHideTimer},
    {"focus keeper", ListOf, CFileListWnd::kFocusTimer},
};

class IdleTimersTest : public wt::PanelFixture {};

TEST_F(IdleTimersTest, OnlyTimersWithSomethingToDoRun) {
  struct Case {
    const char* state;
    const char* media;  // opened, or nothing
    bool listShown;
    const char* running;  // the names of the timers set, each between slashes
  } const cases[] = {
      {"list shown, nothing loaded", nullptr, true, "/panel clock/"},
      {"list hidden, nothing loaded", nullptr, false, "/"},
      {"video playing", "long.avi", false, "/position poll/"},
      {"picture shown", "pic.jpg", false, "/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    Start();
    View().FileList().ShowList();
    if (c.media) View().FileList().OpenPath(fw::Widen(wt::MediaPath(c.media)));
    if (!c.listShown) View().FileList().HideList();
    // The pointer stays away; the countdowns end and the focus keeper finds nothing more to do.
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
