// Closing the real program in the middle of things: while thumbnails are being made, while an entry of
// each engine starts, during a wheel scan, and while minimised. Each time it ends within a few seconds,
// leaves no process behind and leaves TN.INI whole.
#include <gtest/gtest.h>

#include <functional>

#include "e2e/Process.h"

using e2e::Installation;
using e2e::kStartMs;

namespace {

constexpr unsigned kCloseMs = 6000;
const std::string kSettings = "[CONFIG]\r\nSLIDESHOWTIME=9\r\nFTIME=11\r\n";

// Starts the program with the arguments, does what `during` says once the frame is there, closes it, and
// checks that the process ended in time with the settings still readable as they were.
void ClosesCleanly(const char* tag, const std::string& arguments, const std::function<void(HWND)>& during,
                   const std::string& extraSettings = "") {
  Installation app(tag);
  app.WriteIni(kSettings + extraSettings);
  const int p = app.Start(arguments);
  const HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  during(frame);
  const DWORD start = ::GetTickCount();
  EXPECT_TRUE(app.Close(p, kCloseMs)) << tag;
  EXPECT_LT(::GetTickCount() - start, kCloseMs) << tag;
  EXPECT_EQ(::GetPrivateProfileIntA("CONFIG", "SLIDESHOWTIME", 0, app.IniPath().c_str()), 9) << tag;
  EXPECT_EQ(::GetPrivateProfileIntA("CONFIG", "FTIME", 0, app.IniPath().c_str()), 11) << tag;
  EXPECT_FALSE(wt::IniSection(app.IniPath(), "POSITION").empty()) << tag;
}

}  // namespace

TEST(Lifecycle, ClosingWhileThumbnailsAreMade) {
  Installation pictures("pictures");
  for (int i = 0; i < 40; ++i) pictures.CopyMedia("pic.jpg", "p" + std::to_string(100 + i) + ".jpg");
  const std::string home = pictures.Folder().substr(0, pictures.Folder().size() - 1);
  ClosesCleanly("thumbs", "", [](HWND) { ::Sleep(300); }, "HOMEDIR=" + home + "\r\n");
}

TEST(Lifecycle, ClosingWhileEntriesStart) {
  Installation media("startmedia");
  const std::string mp4 = media.CopyMedia("long.mp4", "starting.mp4");  // QuickTime by the default lists
  const std::string avi = media.CopyMedia("long.avi", "starting.avi");
  ClosesCleanly("quicktime", "\"" + mp4 + "\"", [](HWND) {});
  ClosesCleanly("realplayer", "\"" + avi + "\"", [](HWND) {}, "EXT_VIDEO=avi(r)\r\n");
  ClosesCleanly("directshow", "\"" + avi + "\"", [](HWND) {}, "EXT_VIDEO=avi\r\n");
}

TEST(Lifecycle, ClosingDuringAWheelScanAndWhileMinimised) {
  Installation media("scanmedia");
  const std::string avi = media.CopyMedia("long.avi", "scan.avi");
  ClosesCleanly("scan", "\"" + avi + "\"",
                [](HWND frame) {
                  ASSERT_TRUE(e2e::TitleBecomes(frame, "scan", 5000));
                  const HWND view = e2e::ViewOf(frame);
                  for (int i = 0; i < 3; ++i)
                    ::PostMessageA(view, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
                  ::Sleep(700);
                },
                "EXT_VIDEO=avi\r\n");
  ClosesCleanly("minimised", "", [](HWND frame) {
    ::ShowWindow(frame, SW_MINIMIZE);
    wt::WaitUntil([&] { return ::IsIconic(frame) != FALSE; }, 3000);
  });
}
