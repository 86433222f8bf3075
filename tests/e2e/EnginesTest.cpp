// The real program playing through QuickTime and the RealPlayer control, here their stand-ins beside it:
// with no TN.INI (the default lists mark mp4 and mov "(q)" and rm "(r)") the pictures move in the view
// and each entry ends by itself; without a stand-in its entries play nothing and the next file plays.
#include <gtest/gtest.h>

#include "e2e/Process.h"
#include "e2e/Screen.h"

using e2e::Installation;
using e2e::kStartMs;
using e2e::TitleBecomes;

namespace {

constexpr RECT kMiddle{100, 100, 540, 380};  // of the 640 × 480 view

struct Look {
  std::size_t colours;
  double changed;  // between two captures half a second apart
};

Look Watch(HWND frame, const std::string& review) {
  RECT view = wt::WindowRect(e2e::ViewOf(frame));
  e2e::Capture first = e2e::CaptureScreen(view);
  ::Sleep(500);
  e2e::Capture second = e2e::CaptureScreen(view);
  e2e::SaveForReview(second, review);
  return {e2e::DistinctColours(second, kMiddle), e2e::ChangedShare(first, second)};
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// The list shows at start and stays up for entries other than plain videos and pictures: out of the way.
bool StartedAndListHidden(HWND frame, const std::string& title) {
  return TitleBecomes(frame, title, 5000) && e2e::HideList(frame);
}

// Hands a file to the running instance and waits for its title.
bool HandOver(Installation& app, HWND frame, const std::string& path, const std::string& title) {
  int p = app.Start(Quoted(path));
  return app.WaitExit(p, kStartMs) && TitleBecomes(frame, title, 5000);
}

}  // namespace

TEST(Engines, DefaultListsPlayMp4AndMovThroughQuickTimeAndGiveUpRealMedia) {
  Installation app("qtdefault");  // no TN.INI
  int p = app.Start(Quoted(app.CopyMedia("long.mp4", "movie.mp4")));
  HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(StartedAndListHidden(frame, "movie"));
  ::Sleep(1500);
  Look mp4 = Watch(frame, "e2e-quicktime-mp4.bmp");
  EXPECT_GT(mp4.colours, 20u);
  EXPECT_GT(mp4.changed, 0.001) << "the picture stands still";

  ASSERT_TRUE(HandOver(app, frame, app.CopyMedia("clip.mov", "clip.mov"), "clip"));
  ::Sleep(800);
  Look mov = Watch(frame, "e2e-quicktime-mov.bmp");
  EXPECT_GT(mov.colours, 20u);
  EXPECT_GT(mov.changed, 0.001);
  // Three seconds long: it ends, and outside the playlist the player stops.
  EXPECT_TRUE(TitleBecomes(frame, "Tarnvale", 8000));

  // Wine cannot decode RealMedia: the clip never starts and is given up after the wait.
  ASSERT_TRUE(HandOver(app, frame, app.CopyMedia("clip.rm", "real.rm"), "real"));
  EXPECT_TRUE(TitleBecomes(frame, "Tarnvale", 15000));
  EXPECT_TRUE(e2e::Responds(frame));
  EXPECT_TRUE(app.Close(p, kStartMs));
}

TEST(Engines, AnAviMarkedForRealPlayerPlaysToItsEnd) {
  Installation app("realavi");
  app.WriteIni("[CONFIG]\r\nEXT_VIDEO=avi(r),rm(r)\r\nMOVIECHAGESCREENSIZE=1\r\n");
  int p = app.Start(Quoted(app.CopyMedia("clip.avi", "real.avi")));
  HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(StartedAndListHidden(frame, "real"));
  ::Sleep(1200);
  Look avi = Watch(frame, "e2e-realplayer-avi.bmp");
  EXPECT_GT(avi.colours, 20u);
  EXPECT_GT(avi.changed, 0.001);
  EXPECT_TRUE(TitleBecomes(frame, "Tarnvale", 8000));
  EXPECT_TRUE(app.Close(p, kStartMs));
}

TEST(Engines, WithoutTheStandInsTheirEntriesPlayNothingAndTheNextFilePlays) {
  Installation app("nostandins");
  ASSERT_TRUE(app.RemoveFile("QuickTime.qts"));
  ASSERT_TRUE(app.RemoveFile("TarnvaleReal.dll"));
  app.WriteIni("[CONFIG]\r\nEXT_VIDEO=avi,mp4(q),wmv(r)\r\n");
  int p = app.Start(Quoted(app.CopyMedia("long.mp4", "movie.mp4")));
  HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(StartedAndListHidden(frame, "movie"));
  ::Sleep(600);
  EXPECT_LE(Watch(frame, "e2e-no-quicktime.bmp").colours, 2u);
  EXPECT_TRUE(TitleBecomes(frame, "Tarnvale", 5000));  // skipped like a failed open

  ASSERT_TRUE(HandOver(app, frame, app.CopyMedia("clip.wmv", "real.wmv"), "real"));
  EXPECT_TRUE(TitleBecomes(frame, "Tarnvale", 5000));

  ASSERT_TRUE(HandOver(app, frame, app.CopyMedia("clip.avi", "next.avi"), "next"));
  ::Sleep(1000);
  EXPECT_GT(Watch(frame, "e2e-after-no-quicktime.bmp").colours, 20u);
  EXPECT_TRUE(e2e::Responds(frame));
  EXPECT_TRUE(app.Close(p, kStartMs));
}
