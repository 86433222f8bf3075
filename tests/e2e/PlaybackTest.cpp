// The real program playing real media: a clip named on the command line shows its frames.
#include <gtest/gtest.h>

#include "e2e/Process.h"
#include "e2e/Screen.h"

using e2e::Installation;
using e2e::kStartMs;
using e2e::TitleBecomes;

using e2e::Capture;
using e2e::CaptureScreen;
using e2e::DistinctColours;
using e2e::SaveForReview;

TEST(Playback, AClipOnTheCommandLineShowsItsFrames) {
  Installation app("clip");
  app.WriteIni("[CONFIG]\r\nMOVIECHAGESCREENSIZE=1\r\n");
  const std::string clip = app.CopyMedia("clip.avi", "clip.avi");
  int p = app.Start("\"" + clip + "\"");
  HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(TitleBecomes(frame, "clip", 5000));
  ::Sleep(1200);  // well into the clip

  RECT view = wt::WindowRect(e2e::ViewOf(frame));
  Capture shot = CaptureScreen(view);
  SaveForReview(shot, "e2e-clip.bmp");
  // 320 × 240 in the 640 × 480 view fills it; the test pattern has many colours, an empty view one.
  EXPECT_GT(DistinctColours(shot, {100, 100, 540, 380}), 20u);
  EXPECT_TRUE(e2e::Responds(frame));
  EXPECT_TRUE(app.Close(p, kStartMs));
}

TEST(Playback, AHandedOverClipPlaysInTheRunningInstance) {
  Installation app("handclip");
  int first = app.Start();
  HWND frame = app.WaitForFrame(first, kStartMs);
  ASSERT_NE(frame, nullptr);
  RECT view = wt::WindowRect(e2e::ViewOf(frame));
  // A first start without a file shows the list over the view; without it the view is empty.
  ASSERT_TRUE(e2e::HideList(frame));
  const bool empty =
      wt::WaitUntil([&] { return DistinctColours(CaptureScreen(view), {100, 100, 540, 380}) <= 2u; }, 5000);
  if (!empty) SaveForReview(CaptureScreen(view), "e2e-handover-before.bmp");
  EXPECT_TRUE(empty);

  int second = app.Start(app.CopyMedia("clip.mp4", "movie.mp4"));
  EXPECT_TRUE(app.WaitExit(second, kStartMs));
  // The default list marks mp4 for QuickTime: it plays through the stand-in beside the program.
  EXPECT_TRUE(TitleBecomes(frame, "movie", 5000));
  EXPECT_TRUE(e2e::Responds(frame));
  ::Sleep(1000);
  EXPECT_GT(DistinctColours(CaptureScreen(view), {100, 100, 540, 380}), 20u);

  int third = app.Start(app.CopyMedia("clip.avi", "second.avi"));
  EXPECT_TRUE(app.WaitExit(third, kStartMs));
  EXPECT_TRUE(TitleBecomes(frame, "second", 5000));
  ::Sleep(1000);
  EXPECT_GT(DistinctColours(CaptureScreen(view), {100, 100, 540, 380}), 20u);
}
