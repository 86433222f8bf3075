// The main screens of the real program as a user meets them, kept as pictures beside the test logs
// (screen-*.bmp; the test command makes small PNGs of them for the README): the file list over the
// skin's wallpaper, a video playing with the control panel up, and the settings dialog. Each kept
// picture is read back as a viewer shows it and must hold what the program draws: the switches' faces
// from the program's own strips, the dialog's labels and edit texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "controls/SkinBitmap.h"
#include "e2e/Process.h"
#include "e2e/Screen.h"
#include "res/ResourceIds.h"
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

struct FacePlace {
  unsigned resource;
  int left, top;  // in the window that shows the face
  int frameWidth = 32;
};

// How much of each face the kept picture shows where the window puts it (origin: the window's place in
// the picture).
void ExpectFacesShown(const e2e::Capture& picture, POINT origin, const std::vector<FacePlace>& faces,
                      const char* what) {
  for (const FacePlace& f : faces) {
    CSkinBitmap strip;
    ASSERT_TRUE(strip.LoadFromResource(f.resource, f.frameWidth, 1)) << f.resource;
    EXPECT_GE(e2e::FaceMatch(picture, origin.x + f.left, origin.y + f.top, strip, 0), 0.9)
        << what << ": the face of strip " << f.resource << " at " << f.left << ", " << f.top;
  }
}

POINT OriginIn(const RECT& picture, HWND window) {
  const RECT r = wt::WindowRect(window);
  return {r.left - picture.left, r.top - picture.top};
}

// Every label and every edit with text that lies in the picture shows its text on its ground; returns
// how many were looked at.
int ExpectDialogTextShown(const e2e::Capture& picture, const RECT& pictureRect, HWND dialog) {
  std::vector<HWND> items;
  ::EnumChildWindows(
      dialog, [](HWND h, LPARAM out) { return reinterpret_cast<std::vector<HWND>*>(out)->push_back(h), TRUE; },
      reinterpret_cast<LPARAM>(&items));
  int looked = 0;
  for (HWND item : items) {
    const std::string kind = wt::ClassName(item);
    const LONG style = ::GetWindowLongA(item, GWL_STYLE);
    const bool label = kind == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT;
    if ((!label && kind != "Edit") || !::IsWindowVisible(item) || e2e::TextOf(item).empty()) continue;
    RECT r = wt::WindowRect(item);
    if (r.left < pictureRect.left || r.top < pictureRect.top || r.right > pictureRect.right ||
        r.bottom > pictureRect.bottom)
      continue;
    ::OffsetRect(&r, -pictureRect.left, -pictureRect.top);
    ++looked;
    const bool shown = label ? e2e::ShowsTextOn(picture, r, ::GetSysColor(COLOR_BTNFACE))
                             : e2e::ShowsTextOn(picture, r, ::GetSysColor(COLOR_WINDOW)) ||
                                   e2e::ShowsTextOn(picture, r, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(shown) << kind << " \"" << e2e::TextOf(item) << "\" at " << r.left << ", " << r.top;
  }
  return looked;
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
  e2e::SaveForReview(e2e::CaptureScreen(screen), "screen-list.bmp");
  const e2e::Capture listed = e2e::LoadReview("screen-list.bmp");
  ASSERT_EQ(listed.width, screen.right - screen.left);
  EXPECT_GT(e2e::DistinctColours(listed, {0, 0, listed.width, listed.height}), 40u);
  // The bar's switches at its right end, and the rows' folder icons.
  const int bar = wt::WindowRect(list).right - wt::WindowRect(list).left;
  ExpectFacesShown(listed, OriginIn(screen, list),
                   {{IDB_HOMESW, bar - 168, 2}, {IDB_1UPSW, bar - 134, 2}, {IDB_REMOVEPLSW, bar - 66, 2},
                    {IDB_LISTHIDESW, bar - 32, 2}},
                   "the list's bar");
  int folders = 0;
  for (HWND row : e2e::RowsOf(list)) {
    const std::string name = e2e::TextOf(row);
    if (name != "写真" && name != "音楽" && name != "ビデオ") continue;
    ++folders;
    ExpectFacesShown(listed, OriginIn(screen, ::GetWindow(row, GW_CHILD)), {{IDB_FOLDERSW, 0, 0}}, name.c_str());
  }
  EXPECT_EQ(folders, 3);

  // A video handed over by a second start plays; the list makes way and the panel comes under the pointer.
  app.Start("\"" + video + "\"");
  ASSERT_TRUE(e2e::TitleBecomes(frame, "旅行の記録", kStartMs));
  EXPECT_TRUE(wt::WaitUntil([&] { return !::IsWindowVisible(list); }, 5000) || e2e::HideList(frame));
  const RECT pr = wt::WindowRect(panel);
  ::SetCursorPos(pr.left + 300, pr.top + 80);
  ASSERT_TRUE(wt::WaitUntil([&] { return ::IsWindowVisible(panel) != FALSE; }, 5000));
  ::Sleep(1200);  // the status clock has ticked
  e2e::SaveForReview(e2e::CaptureScreen(screen), "screen-video.bmp");
  const e2e::Capture playing = e2e::LoadReview("screen-video.bmp");
  ::Sleep(500);
  EXPECT_GT(e2e::ChangedShare(playing, e2e::CaptureScreen(screen)), 0.0);  // the video moves
  // Over the moving picture, the panel's switches (the play-mode and play faces change with the state)
  // and the volume slider's icon.
  ExpectFacesShown(playing, OriginIn(screen, panel),
                   {{IDB_FILELISTSW, 22, 10},
                    {IDB_PLAYLISTSW, 56, 10},
                    {IDB_RRSW, 124, 10},
                    {IDB_FFSW, 158, 10},
                    {IDB_SETTINGSW, 22, 44},
                    {IDB_STOPSW, 56, 44},
                    {IDB_RSW, 124, 44},
                    {IDB_FSW, 158, 44},
                    {IDB_VOLUME, 208, 16, 16}},
                   "the control panel");

  // The settings switch, at the panel's left under the list switch.
  e2e::Click(pr.left + 30, pr.top + 52);
  const HWND dialog = wt::WaitForDialog("設定", 10000, app.Pid(p));
  ASSERT_NE(dialog, nullptr);
  ::Sleep(500);
  // The dialog as a whole: it is larger than the frame and stands out over its edges. The focused edit's
  // selection is taken away first, so that every text stands on its own paper.
  for (HWND edit = ::FindWindowExA(dialog, nullptr, "Edit", nullptr); edit;
       edit = ::FindWindowExA(dialog, edit, "Edit", nullptr))
    ::SendMessageA(edit, EM_SETSEL, 0, 0);
  ::Sleep(300);
  const RECT box = wt::WindowRect(dialog);
  e2e::SaveForReview(e2e::CaptureScreen(box), "screen-settings.bmp");
  EXPECT_GE(ExpectDialogTextShown(e2e::LoadReview("screen-settings.bmp"), box, dialog), 20);
  wt::Press(dialog, IDCANCEL);
  EXPECT_TRUE(wt::WaitGone(dialog, 10000));
  EXPECT_TRUE(app.Close(p, kStartMs));
}
