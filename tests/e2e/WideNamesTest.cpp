// Files named outside the code page reach the real program whole: on the first start's wide command line,
// handed over by a second start, and dropped on its window; each plays and titles the frame with its name.
#include <gtest/gtest.h>

#include "e2e/Process.h"
#include "e2e/Screen.h"

using e2e::Installation;
using e2e::kStartMs;

namespace {

const std::wstring kEmojiClip = L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC\\\xD83C\xDFB5 clip.avi";
const std::wstring kKoreanClip = L"\uD55C\uAD6D\uC5B4 \uB178\uB798.avi";

// The view shows the clip's frames: the test pattern has many colours, an empty view one.
bool ShowsFrames(HWND frame) {
  const RECT view = wt::WindowRect(e2e::ViewOf(frame));
  return wt::WaitUntil([&] { return e2e::DistinctColours(e2e::CaptureScreen(view), {100, 100, 540, 380}) > 20u; },
                       5000);
}

}  // namespace

TEST(WideNames, AFirstStartWithAWideCommandLinePlaysTheClip) {
  Installation app("widefirst");
  app.WriteIni("[CONFIG]\r\nMOVIECHAGESCREENSIZE=1\r\n");
  const std::wstring clip = app.CopyMedia("clip.avi", kEmojiClip);
  const int p = app.Start(L"\"" + clip + L"\"");
  HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(e2e::TitleBecomes(frame, std::wstring(L"\xD83C\xDFB5 clip"), 5000));
  EXPECT_TRUE(ShowsFrames(frame));
  EXPECT_TRUE(app.Close(p, kStartMs));
}

TEST(WideNames, ASecondStartAndADropHandTheWholePathToTheRunningInstance) {
  Installation app("widehand");
  app.WriteIni("[CONFIG]\r\nMOVIECHAGESCREENSIZE=1\r\n");
  const int first = app.Start();
  HWND frame = app.WaitForFrame(first, kStartMs);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(e2e::HideList(frame));

  const int second = app.Start(L"\"" + app.CopyMedia("clip.avi", kKoreanClip) + L"\"");
  EXPECT_TRUE(app.WaitExit(second, kStartMs));
  EXPECT_TRUE(e2e::TitleBecomes(frame, std::wstring(L"\uD55C\uAD6D\uC5B4 \uB178\uB798"), 5000));
  EXPECT_TRUE(ShowsFrames(frame));

  ASSERT_TRUE(e2e::DropFile(e2e::ViewOf(frame), app.CopyMedia("clip.avi", kEmojiClip)));
  EXPECT_TRUE(e2e::TitleBecomes(frame, std::wstring(L"\xD83C\xDFB5 clip"), 5000));
  EXPECT_TRUE(ShowsFrames(frame));
  EXPECT_TRUE(e2e::Responds(frame));
  EXPECT_TRUE(app.Close(first, kStartMs));
}
