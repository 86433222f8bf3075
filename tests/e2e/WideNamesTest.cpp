// Files named outside the code page reach the real program whole: on the first start's wide command line,
// handed over by a second start, and dropped on its window; each plays and titles the frame with its name.
#include <gtest/gtest.h>

#include "e2e/Process.h"
#include "e2e/Screen.h"
#include "framework/CodePage.h"
#include "framework/Handles.h"

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

// Unpacked under a folder the code page cannot name (a user folder such as "Zoë"), the program still reads
// and writes its TN.INI beside itself.
TEST(WideNames, AProgramFolderOutsideTheCodePageKeepsItsSettings) {
  Installation app("wideprogram");
  const std::wstring folder = app.Relocate(L"Zo\u00EB \uD55C\uAD6D");
  const std::string home = app.Folder() + "home";
  ASSERT_TRUE(wt::MakeFolder(home));
  const std::string ini = "[CONFIG]\r\nHOMEDIR=" + home + "\r\n";
  {
    fw::UniqueHandle file(::CreateFileW((folder + L"TN.INI").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ASSERT_TRUE(file && ::WriteFile(file.Get(), ini.data(), static_cast<DWORD>(ini.size()), &written, nullptr));
  }
  const int p = app.Start(std::wstring());
  HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  HWND list = e2e::ListOf(e2e::ViewOf(frame));
  EXPECT_TRUE(wt::WaitUntil([&] { return e2e::TextOf(list) == "home"; }, 5000)) << "TN.INI was read";
  EXPECT_TRUE(app.Close(p, kStartMs));
  char position[16] = {};
  ::GetPrivateProfileStringA("POSITION", "FULL_SCREEN", "", position, sizeof position,
                             fw::ShortPathOf(folder + L"TN.INI").text.c_str());
  EXPECT_NE(position[0], '\0') << "the closing wrote TN.INI";
}
