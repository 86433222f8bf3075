// Two and more real Tarnvale.exe processes: the single-instance lock, the hand-off of a command-line file
// through shared memory, DOUBLEEXEC, and starts with awkward command lines.
#include <gtest/gtest.h>

#include <cstring>

#include "e2e/Process.h"

using e2e::Installation;
using e2e::kStartMs;
using e2e::TitleBecomes;

TEST(SingleInstance, ASecondStartHandsItsFileToTheFirst) {
  Installation app("hand");
  int first = app.Start();
  HWND frame = app.WaitForFrame(first, kStartMs);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(wt::WindowText(frame), "Tarnvale");

  // Pictures stand still once shown, so the title they give stays.
  int second = app.Start("\"" + app.CopyMedia("pic.jpg", "My Clips\\movie.jpg") + "\"");
  EXPECT_TRUE(app.WaitExit(second, kStartMs));
  EXPECT_TRUE(TitleBecomes(frame, "movie"));
  EXPECT_EQ(e2e::AllFrames().size(), 1u);

  // The next start finds the first instance under its new, published title.
  int third = app.Start(app.CopyMedia("pic.jpg", "other.jpg"));
  EXPECT_TRUE(app.WaitExit(third, kStartMs));
  EXPECT_TRUE(TitleBecomes(frame, "other"));
  EXPECT_EQ(e2e::AllFrames().size(), 1u);
  EXPECT_TRUE(app.Running(first));
  EXPECT_TRUE(app.Close(first, kStartMs));
}

TEST(SingleInstance, ASecondStartWithoutAFileRestoresAMinimisedFirst) {
  Installation app("restore");
  int first = app.Start();
  HWND frame = app.WaitForFrame(first, kStartMs);
  ASSERT_NE(frame, nullptr);
  ::ShowWindow(frame, SW_MINIMIZE);
  ASSERT_TRUE(wt::WaitUntil([&] { return ::IsIconic(frame) != FALSE; }, 5000));

  int second = app.Start();
  EXPECT_TRUE(app.WaitExit(second, kStartMs));
  EXPECT_TRUE(wt::WaitUntil([&] { return !::IsIconic(frame); }, 5000));
  EXPECT_TRUE(::IsWindowVisible(e2e::ViewOf(frame)));
  EXPECT_EQ(e2e::AllFrames().size(), 1u);
}

TEST(SingleInstance, DoubleExecLetsEveryStartOpenItsOwnWindow) {
  Installation app("double");
  app.WriteIni("[CONFIG]\r\nDOUBLEEXEC=1\r\n");
  int first = app.Start();
  ASSERT_NE(app.WaitForFrame(first, kStartMs), nullptr);
  int second = app.Start(app.CopyMedia("pic.jpg", "b.jpg"));
  HWND secondFrame = app.WaitForFrame(second, kStartMs);
  ASSERT_NE(secondFrame, nullptr);
  EXPECT_TRUE(TitleBecomes(secondFrame, "b"));
  EXPECT_EQ(wt::WindowText(app.WaitForFrame(first, 100)), "Tarnvale");  // nothing was handed off
  EXPECT_EQ(e2e::AllFrames().size(), 2u);
}

TEST(SingleInstance, TwentyQuickSecondStartsLeaveOneResponsiveWindowWithTheLastPath) {
  Installation app("burst");
  int first = app.Start();
  HWND frame = app.WaitForFrame(first, kStartMs);
  ASSERT_NE(frame, nullptr);

  std::vector<int> starts;
  std::vector<std::string> paths;
  for (int i = 0; i < 19; ++i) paths.push_back(app.CopyMedia("pic.jpg", "clip" + std::to_string(i) + ".jpg"));
  const std::string lastPath = app.CopyMedia("pic.jpg", "last.jpg");
  for (const std::string& p : paths) starts.push_back(app.Start(p));
  // The burst boots side by side, in no fixed order: the last path is started once all of it is done.
  for (int s : starts) EXPECT_TRUE(app.WaitExit(s, 60000));
  int last = app.Start(lastPath);
  EXPECT_TRUE(app.WaitExit(last, 60000));

  EXPECT_TRUE(app.Running(first));
  EXPECT_TRUE(e2e::Responds(frame));
  EXPECT_EQ(e2e::AllFrames().size(), 1u);
  EXPECT_TRUE(TitleBecomes(frame, "last", 5000)) << wt::WindowText(frame);
}

TEST(SingleInstance, AwkwardCommandLinesStartNormally) {
  struct Case {
    std::string arguments;
    std::string title;
  } const cases[] = {
      {"", "Tarnvale"},
      {"\"<dir>a b.jpg", "a b"},                                 // the quote never closes
      {"\"C:\\" + std::string(400, 'L') + ".jpg\"", "Tarnvale"},  // longer than any path
      {"<dir>x.jpg trailing words", "x"},
      {"<dir>notes.xyz", "Tarnvale"},                              // not in any list
  };
  for (Case c : cases) {
    Installation app("args");
    app.CopyMedia("pic.jpg", "a b.jpg");
    app.CopyMedia("pic.jpg", "x.jpg");
    app.CopyMedia("pic.jpg", "notes.xyz");
    if (std::size_t at = c.arguments.find("<dir>"); at != std::string::npos) c.arguments.replace(at, 5, app.Folder());
    int first = app.Start(c.arguments);
    HWND frame = app.WaitForFrame(first, kStartMs);
    ASSERT_NE(frame, nullptr) << c.arguments;
    EXPECT_TRUE(TitleBecomes(frame, c.title, 5000)) << c.arguments << " -> " << wt::WindowText(frame);
    EXPECT_TRUE(app.Close(first, kStartMs));
  }
}

TEST(SingleInstance, AForeignBlockWithoutANulIsIgnored) {
  Installation app("foreign");
  int first = app.Start();
  HWND frame = app.WaitForFrame(first, kStartMs);
  ASSERT_NE(frame, nullptr);

  HANDLE h = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 260, "_T_A_R_N_V_A_L_E");
  ASSERT_NE(h, nullptr);
  void* v = ::MapViewOfFile(h, FILE_MAP_WRITE, 0, 0, 260);
  ASSERT_NE(v, nullptr);
  std::memset(v, 'x', 260);
  ::PostMessageA(frame, WM_COMMAND, 55, 0);
  ::Sleep(500);
  EXPECT_TRUE(e2e::Responds(frame));
  EXPECT_EQ(wt::WindowText(frame), "Tarnvale");
  ::UnmapViewOfFile(v);
  ::CloseHandle(h);
}
