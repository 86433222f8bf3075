// The main screens of the real program as a user meets them, kept as pictures beside the test logs
// (screen-*.bmp; the test command makes small PNGs of them for the README): the file list over the
// skin's wallpaper, a video playing with the control panel up, and the settings dialog.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "e2e/Process.h"
#include "e2e/Screen.h"
#include "wine/DialogDriver.h"
#include "wine/Pixels.h"

using e2e::Installation;
using e2e::kStartMs;

namespace {

// A dark blue radial wallpaper, as a skin would have one.
std::string Wallpaper() {
  constexpr int w = 320, h = 180;
  return wt::Bmp24(w, h, [](int x, int y) {
    const double dx = (x - w / 2) / double(w), dy = (y - h / 2) / double(h);
    const double f = 1.0 - std::min(1.0, 1.6 * std::sqrt(dx * dx + dy * dy));
    return RGB(int(8 + 39 * f), int(18 + 82 * f), int(31 + 117 * f));
  });
}

}  // namespace

TEST(Screens, TheListOverTheWallpaperAVideoWithThePanelAndTheSettingsDialog) {
  Installation app("screens");
  const std::string skin = app.Folder() + "skin\\標準\\";
  ::CreateDirectoryA((app.Folder() + "skin").c_str(), nullptr);
  ::CreateDirectoryA(skin.c_str(), nullptr);
  wt::WriteFile(skin + "TNSKIN.INI", "[WALLPAPER]\r\nFILENAME=wall.bmp\r\n");
  wt::WriteFile(skin + "wall.bmp", Wallpaper());
  const std::string home = app.Folder() + "ホーム";
  app.CopyMedia("pic.jpg", "ホーム\\写真\\夏の海.jpg");
  app.CopyMedia("tone.mp3", "ホーム\\音楽\\テーマ曲.mp3");
  app.CopyMedia("clip.avi", "ホーム\\ビデオ\\散歩.avi");
  const std::string video = app.CopyMedia("long.avi", "ホーム\\旅行の記録.avi");
  app.CopyMedia("wide.bmp", "ホーム\\パノラマ.bmp");
  app.WriteIni("[CONFIG]\r\nHOMEDIR=" + home + "\r\nEXT_VIDEO=avi\r\n");

  const int p = app.Start();
  const HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  const HWND view = e2e::ViewOf(frame);
  const HWND list = e2e::ListOf(view);
  HWND panel = nullptr;
  ASSERT_TRUE(wt::WaitUntil([&] { return (panel = e2e::PanelOf(view)) != nullptr; }, kStartMs));
  ::SetCursorPos(2, 2);
  // The home folder: the commands, then its three folders and two files as far as the view has room.
  ASSERT_TRUE(wt::WaitUntil([&] { return e2e::RowsOf(list).size() >= 7; }, kStartMs));
  ::Sleep(1500);  // the picture rows' thumbnails come from the worker
  const RECT screen = wt::WindowRect(frame);
  const e2e::Capture listed = e2e::CaptureScreen(screen);
  e2e::SaveForReview(listed, "screen-list.bmp");
  EXPECT_GT(e2e::DistinctColours(listed, {0, 0, listed.width, listed.height}), 40u);

  // A video handed over by a second start plays; the list makes way and the panel comes under the pointer.
  app.Start("\"" + video + "\"");
  ASSERT_TRUE(e2e::TitleBecomes(frame, "旅行の記録", kStartMs));
  EXPECT_TRUE(wt::WaitUntil([&] { return !::IsWindowVisible(list); }, 5000) || e2e::HideList(frame));
  const RECT pr = wt::WindowRect(panel);
  ::SetCursorPos(pr.left + 300, pr.top + 80);
  ASSERT_TRUE(wt::WaitUntil([&] { return ::IsWindowVisible(panel) != FALSE; }, 5000));
  ::Sleep(1200);  // the status clock has ticked
  const e2e::Capture playing = e2e::CaptureScreen(screen);
  e2e::SaveForReview(playing, "screen-video.bmp");
  ::Sleep(500);
  EXPECT_GT(e2e::ChangedShare(playing, e2e::CaptureScreen(screen)), 0.0);  // the video moves

  // The settings switch, at the panel's left under the list switch.
  e2e::Click(pr.left + 30, pr.top + 52);
  const HWND dialog = wt::WaitForDialog("設定", 10000, app.Pid(p));
  ASSERT_NE(dialog, nullptr);
  ::Sleep(500);
  e2e::SaveForReview(e2e::CaptureScreen(screen), "screen-settings.bmp");
  wt::Press(dialog, IDCANCEL);
  EXPECT_TRUE(wt::WaitGone(dialog, 10000));
  EXPECT_TRUE(app.Close(p, kStartMs));
}
