// The settings dialog as the program runs it: the real template and its controls driven from a second
// thread while the player view sits in the modal loop; TN.INI and the view's state afterwards; a skin
// change reaching every window; a close or a hand-off while the dialog is open.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "config/SettingsDialog.h"
#include "controls/SwitchBitmapCache.h"
#include "framework/CodePage.h"
#include "framework/Platform.h"
#include "res/ResourceIds.h"
#include "wine/DialogDriver.h"
#include "wine/PanelFixture.h"
#include "wine/Pixels.h"

namespace {

constexpr char kTitle[] = "設定";
constexpr unsigned kWaitMs = 10000;

// Runs a function on the user-interface thread while that thread sits in the dialog's loop.
class UiCall : public fw::Window {
 public:
  bool Create() { return CreateEx(0, nullptr, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr); }
  void Run(const std::function<void()>& fn) { ::SendMessageA(Hwnd(), WM_APP, 0, reinterpret_cast<LPARAM>(&fn)); }

 protected:
  bool OnMessage(fw::Msg& m) override {
    if (m.msg != WM_APP) return false;
    (*reinterpret_cast<const std::function<void()>*>(m.lp))();
    return true;
  }
};

class SettingsDialogTest : public wt::PanelFixture {
 protected:
  void SetUp() override {
    PanelFixture::SetUp();
    wt::RemoveTree(SkinsFolder());
    ::CreateDirectoryA(SkinsFolder().c_str(), nullptr);
    ASSERT_TRUE(ui.Create());
  }
  void TearDown() override {
    PanelFixture::TearDown();
    ClearSwitchBitmapCache();
    wt::RemoveTree(SkinsFolder());
  }
  static std::string SkinsFolder() { return wt::ExeFolder() + "skin\\"; }
  static std::string MakeSkin(const std::string& name) {
    const std::string folder = SkinsFolder() + name + "\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
  }
  // Opens the dialog from the settings switch, as its click does; steps run meanwhile on the driver.
  void OpenWith(const std::function<void(HWND)>& steps) {
    {
      wt::DialogScript script(kTitle, [&] {
        const HWND dialog = wt::WaitForDialog(kTitle, kWaitMs);
        if (dialog) steps(dialog);
      });
      Panel().ShowPanel();  // a hidden panel's switch only brings the panel back
      Post(Panel().Hwnd(), ID_SETTINGS_SWITCH);
    }
    EXPECT_FALSE(View().SettingsDialogOpen());
  }
  std::vector<std::string> Config() { return wt::IniSection(SettingsFilePath(), "CONFIG"); }
  // What SetUp wrote: a dialog that saves nothing leaves it so.
  std::vector<std::string> UnsavedConfig() { return {"HOMEDIR=" + home.Path().substr(0, home.Path().size() - 1)}; }

  UiCall ui;
};

// Every control of the template in its order: class, place in dialog units, label.
struct Control {
  int id;
  const char* cls;
  RECT units;  // left, top, width, height
  const char* text;  // null: not compared (the edits hold the settings)
};

const Control kControls[] = {
    {-1, "Static", {8, 42, 56, 8}, "ホームフォルダ"},
    {IDC_HOMEDIR, "Edit", {8, 52, 190, 12}, nullptr},
    {IDC_BROWSE_HOMEDIR, "Button", {200, 52, 10, 12}, "..."},
    {-1, "Static", {8, 70, 205, 8}, "TV録画フォルダ（ファイルリストに日付が表示され、日付順になります）"},
    {IDC_TVDIR, "Edit", {8, 80, 190, 12}, nullptr},
    {IDC_BROWSE_TVDIR, "Button", {200, 80, 10, 12}, "..."},
    {IDC_FULLSCREEN, "Button", {8, 104, 132, 8}, "起動時にフルスクリーンにする"},
    {IDC_TOPMOST, "Button", {8, 120, 132, 8}, "常に手前に表示"},
    {IDC_DOUBLEEXEC, "Button", {8, 136, 80, 8}, "多重起動を許可する"},
    {IDC_CURSORMODE, "Button", {8, 152, 132, 8}, "マウスホール - ジョグダイアル モード"},
    {IDC_SINGLELINE, "Button", {8, 168, 200, 8}, "フォルダ名またはファイル名が表示しきれない場合でも改行しない"},
    {IDC_SAVER_GROUP, "Button", {8, 184, 203, 24}, "再生時にスクリーンセーバー、モニター省電力機能を無効にする"},
    {IDC_DISABLE_SCREENSAVER, "Button", {12, 196, 81, 8}, "スクリーンセーバー無効"},
    {IDC_DISABLE_MONITOR, "Button", {104, 196, 84, 8}, "モニター省電力機能無効"},
    {IDC_SEEK_GROUP, "Button", {8, 212, 203, 48}, "戻し、送りボタンを押したときの移動秒数"},
    {-1, "Static", {16, 227, 13, 8}, "戻り"},
    {IDC_RTIME, "Edit", {32, 224, 19, 12}, nullptr},
    {-1, "Static", {56, 228, 8, 8}, "秒"},
    {-1, "Static", {88, 227, 13, 8}, "送り"},
    {IDC_FTIME, "Edit", {104, 224, 19, 12}, nullptr},
    {-1, "Static", {128, 228, 8, 8}, "秒"},
    {-1, "Static", {16, 240, 188, 17},
     "TV録画フォルダ内のファイル再生時は、ＣＭをとばしやすくするために、自動的に戻り5秒、送り14秒になります。"},
    {IDC_ASPECT_GROUP, "Button", {8, 264, 203, 24}, "ウィンドウのサイズによって縦横の比率を変更しない"},
    {IDC_MOVIE_ASPECT, "Button", {12, 276, 28, 8}, "動画"},
    {IDC_PICT_ASPECT, "Button", {44, 276, 28, 8}, "写真"},
    {-1, "Static", {12, 12, 20, 20}, nullptr},
    {IDC_PROGRAM_TITLE, "Static", {36, 24, 75, 10}, "Tarnvale 3.5P"},
    {IDC_EXT_GROUP, "Button", {224, 8, 203, 142}, "拡張子フィルタ"},
    {IDC_EXT_HELP, "Static", {235, 18, 185, 34},
     "ファイルリストに表示、または再生したいファイルの拡張子を記入してください。拡張子の後ろに(d) (q) (r) "
     "(p)を付けるとそれぞれDirectShow,QuickTime,RealPlayer,IPictureで再生します。(d)は省略可。(p)は写真表示のみに使用して"
     "ください。"},
    {-1, "Static", {235, 58, 15, 10}, "動画"},
    {IDC_EXT_VIDEO, "Edit", {252, 56, 168, 12}, nullptr},
    {-1, "Static", {235, 78, 15, 10}, "音楽"},
    {IDC_EXT_AUDIO, "Edit", {252, 76, 168, 12}, nullptr},
    {-1, "Static", {235, 98, 15, 10}, "写真"},
    {IDC_EXT_PICTURE, "Edit", {252, 96, 168, 12}, nullptr},
    {-1, "Static", {236, 114, 184, 16}, "関連付けされたアプリケーションで開く(実行形式ファイルの場合そのファイルを実行します。）"},
    {IDC_EXT_OPEN, "Edit", {252, 132, 168, 12}, nullptr},
    {-1, "Button", {224, 154, 203, 52}, "スライドショー"},
    {-1, "Static", {235, 165, 188, 17}, "プレイリスト内の写真ファイルを、ここで設定する表示間隔で連続表示します。"},
    {-1, "Static", {236, 190, 30, 8}, "表示間隔"},
    {IDC_SLIDESHOWTIME, "Edit", {268, 187, 19, 12}, nullptr},
    {-1, "Static", {292, 189, 30, 8}, "秒 (1-60)"},
    {-1, "Button", {224, 210, 203, 56}, "スキン"},
    {-1, "Static", {232, 222, 188, 20}, "スキンを選択してください。スキンデータはSkinフォルダにあります。自由に追加変更可能です。"},
    {IDC_SKIN, "ComboBox", {232, 246, 188, 70}, nullptr},
    {IDOK, "Button", {320, 274, 50, 14}, "OK"},
    {IDCANCEL, "Button", {376, 274, 50, 14}, "ｷｬﾝｾﾙ"},
};

std::vector<HWND> ChildrenInOrder(HWND dialog) {
  std::vector<HWND> children;
  for (HWND h = ::GetWindow(dialog, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) children.push_back(h);
  return children;
}

bool IsIcon(const Control& c) { return c.units.left == 12 && c.units.top == 12; }

// The place of a control in the dialog's client area against its place in dialog units.
bool PlacedAsTabled(HWND dialog, HWND control, const Control& c, std::string* why) {
  // The dialog manager converts the corner and the size each on its own, as the template holds them.
  RECT want = c.units;
  ::MapDialogRect(dialog, &want);
  want.right += want.left;
  want.bottom += want.top;
  RECT got = wt::WindowRect(control);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&got), 2);
  // An icon takes its picture's size and a drop-down list its edit's height: their corner counts.
  const bool ok = got.left == want.left && got.top == want.top &&
                  (IsIcon(c) || got.right == want.right) && (IsIcon(c) || c.id == IDC_SKIN || got.bottom == want.bottom);
  if (!ok)
    *why = std::to_string(got.left) + "," + std::to_string(got.top) + "," + std::to_string(got.right) + "," +
           std::to_string(got.bottom) + " instead of " + std::to_string(want.left) + "," + std::to_string(want.top) +
           "," + std::to_string(want.right) + "," + std::to_string(want.bottom);
  return ok;
}

// Every switch among the window's children.
std::vector<const CSkinSwitch*> SwitchesOf(HWND window) {
  std::vector<const CSkinSwitch*> found;
  for (HWND h = ::GetWindow(window, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
    if (auto* sw = dynamic_cast<const CSkinSwitch*>(fw::Window::FromHandle(h))) found.push_back(sw);
  return found;
}

}  // namespace

TEST_F(SettingsDialogTest, TheTemplateIsAsTabledWithItsJapaneseTextsInTheCodePage) {
  Start(100, 100, 800, 500);
  std::vector<std::string> misplaced;
  std::string face, titleText;
  LONG fontHeight = 0;
  DWORD style = 0;
  RECT client{}, placed{}, expectedSize{0, 0, 435, 295};
  std::vector<LONG_PTR> styles, exStyles;
  bool iconShown = false;
  std::size_t childCount = 0;
  SIZE narrow{}, wide{};
  OpenWith([&](HWND dialog) {
    style = static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_STYLE));
    titleText = wt::WindowText(dialog);
    ::GetClientRect(dialog, &client);
    ::MapDialogRect(dialog, &expectedSize);
    placed = wt::WindowRect(dialog);
    LOGFONTA lf{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    face = lf.lfFaceName;
    fontHeight = lf.lfHeight;
    {
      fw::WindowDC dc(dialog);
      fw::SelectGuard use(dc.Get(), reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0)));
      ::GetTextExtentPoint32A(dc.Get(), "iiii", 4, &narrow);
      ::GetTextExtentPoint32A(dc.Get(), "WWWW", 4, &wide);
    }
    const std::vector<HWND> children = ChildrenInOrder(dialog);
    childCount = children.size();
    for (std::size_t i = 0; i < children.size() && i < std::size(kControls); ++i) {
      const Control& c = kControls[i];
      const HWND h = children[i];
      std::string why;
      if (::GetDlgCtrlID(h) != (c.id == -1 ? 0xFFFF : c.id) && !(c.id == -1 && ::GetDlgCtrlID(h) == -1))
        misplaced.push_back(std::to_string(i) + ": id " + std::to_string(::GetDlgCtrlID(h)));
      if (wt::ClassName(h) != c.cls) misplaced.push_back(std::to_string(i) + ": class " + wt::ClassName(h));
      if (c.text && wt::WindowText(h) != c.text) misplaced.push_back(std::to_string(i) + ": text " + wt::WindowText(h));
      if (!PlacedAsTabled(dialog, h, c, &why)) misplaced.push_back(std::to_string(i) + ": " + why);
      styles.push_back(::GetWindowLongPtrA(h, GWL_STYLE));
      exStyles.push_back(::GetWindowLongPtrA(h, GWL_EXSTYLE));
      if (IsIcon(c)) iconShown = ::SendMessageA(h, STM_GETICON, 0, 0) != 0;
    }
    // For review: what the user sees, once every control has painted.
    ui.Run([&] { ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); });
    const RECT r = wt::WindowRect(dialog);
    wt::PixelTarget shot(r.right - r.left, r.bottom - r.top);
    shot.CopyFrom(nullptr, r.left, r.top);
    wt::SaveBmp(shot, wt::ReviewPath("settings-dialog.bmp"));
  });

  EXPECT_EQ(titleText, "設定");
  EXPECT_EQ(style & (DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT),
            static_cast<DWORD>(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT));
  EXPECT_EQ(face, "ＭＳ Ｐゴシック");
  EXPECT_EQ(fontHeight, -12);  // 9 points at 96 dots per inch
  // A proportional face, as on Windows (the scripts' prefixes map the name to one under Wine).
  EXPECT_LT(narrow.cx * 2, wide.cx);
  EXPECT_EQ(client.right, expectedSize.right);
  EXPECT_EQ(client.bottom, expectedSize.bottom);
  ASSERT_EQ(childCount, std::size(kControls));
  EXPECT_TRUE(misplaced.empty()) << ::testing::PrintToString(misplaced);
  // Centred over the view (800 × 500 at 100, 100).
  EXPECT_NEAR((placed.left + placed.right) / 2, 500, 1);
  EXPECT_NEAR((placed.top + placed.bottom) / 2, 350, 1);
  for (std::size_t i = 0; i < styles.size(); ++i) {
    const Control& c = kControls[i];
    const LONG_PTR s = styles[i];
    if (std::strcmp(c.cls, "Edit") == 0) {
      // The dialog manager draws an edit's border as a sunken client edge.
      const LONG_PTR ex = exStyles[i];
      EXPECT_TRUE(((s & WS_BORDER) || (ex & WS_EX_CLIENTEDGE)) && (s & ES_AUTOHSCROLL)) << i;
    } else if (std::strcmp(c.cls, "Button") == 0 && c.units.bottom == 8) {
      EXPECT_EQ(s & BS_TYPEMASK, BS_AUTOCHECKBOX) << i;
    } else if (c.id == IDC_SKIN) {
      // The scroll bar goes to the drop-down list, which shows it only when the list is long.
      EXPECT_EQ(s & (CBS_DROPDOWNLIST | CBS_SORT), CBS_DROPDOWNLIST | CBS_SORT);
    } else if (IsIcon(c)) {
      EXPECT_EQ(s & SS_TYPEMASK, SS_ICON);
      EXPECT_TRUE(iconShown);
    }
  }
}

TEST_F(SettingsDialogTest, TheFieldsComeFromTnIniAndOkWritesTheWholeConfigSectionAsTyped) {
  WriteSetting("TVDIR", "D:\\録画");
  WriteSetting("FULLSCREEN", "1");
  WriteSetting("EXT_AUDIO", "MP3,wav");
  WriteSetting("SLIDESHOWTIME", "7");
  WriteSetting("FTIME", "30");
  WriteSetting("RTIME", "3");
  WriteSetting("DISABLEMONITOR", "1");
  WriteSetting("PLAYMODE", "2");
  Start();
  struct Seen {
    std::string tv, audio, slideshow, forward, back;
    bool fullScreen, monitor, saver, pictAspect;
  } seen{};
  OpenWith([&](HWND d) {
    seen = {wt::ItemText(d, IDC_TVDIR), wt::ItemText(d, IDC_EXT_AUDIO), wt::ItemText(d, IDC_SLIDESHOWTIME),
            wt::ItemText(d, IDC_FTIME), wt::ItemText(d, IDC_RTIME), wt::IsChecked(d, IDC_FULLSCREEN),
            wt::IsChecked(d, IDC_DISABLE_MONITOR), wt::IsChecked(d, IDC_DISABLE_SCREENSAVER),
            wt::IsChecked(d, IDC_PICT_ASPECT)};
    wt::SetItemText(d, IDC_HOMEDIR, "C:\\ホーム\\表");
    wt::SetItemText(d, IDC_TVDIR, "");
    wt::SetItemText(d, IDC_EXT_VIDEO, "AVI,Mp4(Q)");
    wt::SetItemText(d, IDC_EXT_PICTURE, "jpg(p)");
    wt::SetItemText(d, IDC_EXT_AUDIO, std::string(300, 'a') + "表");
    wt::SetItemText(d, IDC_EXT_OPEN, "txt");
    wt::SetItemText(d, IDC_SLIDESHOWTIME, " 60 ");
    wt::SetItemText(d, IDC_FTIME, "600");
    wt::SetItemText(d, IDC_RTIME, "1");
    for (int id : {IDC_FULLSCREEN, IDC_DISABLE_MONITOR, IDC_PICT_ASPECT}) wt::SetChecked(d, id, false);
    for (int id : {IDC_CURSORMODE, IDC_DISABLE_SCREENSAVER, IDC_MOVIE_ASPECT, IDC_SINGLELINE, IDC_DOUBLEEXEC})
      wt::SetChecked(d, id, true);
    wt::Press(d, IDOK);
    wt::WaitGone(d, kWaitMs);
  });
  EXPECT_EQ(seen.tv, "D:\\録画");
  EXPECT_EQ(seen.audio, "mp3,wav");  // the record's lower-cased list
  EXPECT_EQ(seen.slideshow, "7");
  EXPECT_EQ(seen.forward, "30");
  EXPECT_EQ(seen.back, "3");
  EXPECT_TRUE(seen.fullScreen && seen.monitor && seen.pictAspect);
  EXPECT_FALSE(seen.saver);

  const std::vector<std::string> expected = {
      "HOMEDIR=C:\\ホーム\\表", "TVDIR=", "FULLSCREEN=0", "MOVIECHAGESCREENSIZE=1", "PICTCHAGESCREENSIZE=0",
      "EXT_VIDEO=AVI,Mp4(Q)", "EXT_AUDIO=" + std::string(255, 'a'), "EXT_PICTURE=jpg(p)", "EXT_OPEN=txt",
      "SLIDESHOWTIME=60", "DISABLESCREENSAVER=1", "DISABLEMONITOR=0", "CURSORMODE=1", "FTIME=600", "RTIME=1",
      "TOPMOST=0", "PLAYMODE=2", "SINGLELINE=1", "DOUBLEEXEC=1", "SKIN=標準"};
  std::vector<std::string> config = Config();
  config.erase(std::remove_if(config.begin(), config.end(), [](const std::string& l) { return l.rfind("VOLUME=", 0) == 0; }),
               config.end());
  // Keys already in the file keep their places: the section is compared as a set.
  std::sort(config.begin(), config.end());
  std::vector<std::string> sortedExpected = expected;
  std::sort(sortedExpected.begin(), sortedExpected.end());
  EXPECT_EQ(config, sortedExpected);
  EXPECT_EQ(View().Config().extAudio, std::string(255, 'a'));
  EXPECT_EQ(View().Config().extVideo, "AVI,Mp4(Q)");
  EXPECT_EQ(View().Config().slideshowTime, 60);
  EXPECT_EQ(View().Config().playMode, 2);
}

TEST_F(SettingsDialogTest, ANumberThatIsNoIntegerOrOutOfRangeIsRefusedWithItsMessage) {
  Start();
  struct Case {
    int id;
    const char* text;
    const char* message;
  } const cases[] = {
      {IDC_SLIDESHOWTIME, "0", "1 から 60 までの整数を入力してください。"},
      {IDC_SLIDESHOWTIME, "61", "1 から 60 までの整数を入力してください。"},
      {IDC_SLIDESHOWTIME, "五", "整数を入力してください。"},
      {IDC_FTIME, "601", "1 から 600 までの整数を入力してください。"},
      {IDC_FTIME, "", "整数を入力してください。"},
      {IDC_RTIME, "-1", "1 から 600 までの整数を入力してください。"},
      {IDC_RTIME, "1.5", "整数を入力してください。"},
  };
  struct Seen {
    std::string message;
    bool focusOnEdit = false, stillOpen = false;
  };
  std::vector<Seen> seen;
  OpenWith([&](HWND d) {
    for (const Case& c : cases) {
      for (int id : {IDC_SLIDESHOWTIME, IDC_FTIME, IDC_RTIME}) wt::SetItemText(d, id, "5");
      wt::SetItemText(d, c.id, c.text);
      wt::Press(d, IDOK);
      Seen s;
      if (const HWND box = wt::WaitForOwnedDialog(d, kWaitMs)) {
        s.message = wt::MessageBoxText(box);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        wt::WaitGone(box, kWaitMs);
      }
      wt::WaitUntil([&] { return wt::FocusIn(d) == ::GetDlgItem(d, c.id); }, 2000);
      s.focusOnEdit = wt::FocusIn(d) == ::GetDlgItem(d, c.id);
      s.stillOpen = ::IsWindowVisible(d) != FALSE;
      seen.push_back(s);
    }
    // Two faults: the first in the exchange's order is the one named.
    wt::SetItemText(d, IDC_RTIME, "0");
    wt::SetItemText(d, IDC_SLIDESHOWTIME, "x");
    wt::Press(d, IDOK);
    Seen s;
    if (const HWND box = wt::WaitForOwnedDialog(d, kWaitMs)) {
      s.message = wt::MessageBoxText(box);
      ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    seen.push_back(s);
  });
  ASSERT_EQ(seen.size(), std::size(cases) + 1);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(seen[i].message, cases[i].message) << cases[i].text;
    EXPECT_TRUE(seen[i].focusOnEdit) << cases[i].text;
    EXPECT_TRUE(seen[i].stillOpen) << cases[i].text;
  }
  EXPECT_EQ(seen.back().message, "整数を入力してください。");
  EXPECT_EQ(Config(), UnsavedConfig());
  EXPECT_EQ(View().Config().slideshowTime, 5);
}

TEST_F(SettingsDialogTest, CancelAfterBrowsingLeavesEverySettingAsItWas) {
  Start();
  wt::TempDir chosen("chosen");
  const std::string folder = chosen.Path().substr(0, chosen.Path().size() - 1);
  const Settings before = View().Config();
  std::string title, afterChoice, afterCancel;
  bool browserOwned = false, selected = false;
  OpenWith([&](HWND d) {
    wt::Press(d, IDC_BROWSE_HOMEDIR);
    if (const HWND browser = wt::WaitForOwnedDialog(d, kWaitMs)) {
      browserOwned = true;
      for (HWND h = ::GetWindow(browser, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (wt::WindowText(h) == CSettingsDialog::kBrowseTitle) title = wt::WindowText(h);
      selected = wt::SelectInFolderBrowser(browser, folder, kWaitMs);
      ::PostMessageA(browser, WM_COMMAND, IDOK, 0);
      wt::WaitGone(browser, kWaitMs);
    }
    wt::WaitUntil([&] { return wt::ItemText(d, IDC_HOMEDIR) == folder; }, 3000);
    afterChoice = wt::ItemText(d, IDC_HOMEDIR);
    wt::SetItemText(d, IDC_TVDIR, "kept");
    wt::Press(d, IDC_BROWSE_TVDIR);
    if (const HWND browser = wt::WaitForOwnedDialog(d, kWaitMs)) {
      ::PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
      wt::WaitGone(browser, kWaitMs);
    }
    afterCancel = wt::ItemText(d, IDC_TVDIR);
    wt::SetChecked(d, IDC_TOPMOST, true);
    wt::Press(d, IDCANCEL);
    wt::WaitGone(d, kWaitMs);
  });
  EXPECT_TRUE(browserOwned);
  EXPECT_TRUE(selected);
  EXPECT_EQ(title, "フォルダを選択してください。");
  EXPECT_EQ(afterChoice, folder);
  EXPECT_EQ(afterCancel, "kept");
  EXPECT_EQ(View().Config(), before);
  EXPECT_EQ(Config(), UnsavedConfig());
}

// TN.INI is in the code page: a chosen folder it cannot name is entered by its short path, or refused
// with a message that names it; a typed wildcard (what an edit makes of a character it cannot hold) is
// refused at OK. Nothing with a substitute reaches TN.INI.
TEST_F(SettingsDialogTest, AFolderTnIniCannotNameGoesInByItsShortPathOrIsRefused) {
  Start();
  wt::TempDir chosen("widechoice");
  const std::wstring folder = fw::Widen(chosen.Path()) + L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC";
  const std::wstring gone = fw::Widen(chosen.Path()) + L"\uD55C\uAD6D";
  for (const std::wstring& f : {folder, gone}) ASSERT_TRUE(::CreateDirectoryW(f.c_str(), nullptr));
  const std::string shortPath = fw::ShortPathOf(folder).text;
  ASSERT_FALSE(shortPath.empty()) << "the volume keeps short names";
  std::string afterShort, tvBefore, afterGone, typedMessage;
  std::wstring refusal;
  bool selected = false, goneSelected = false;
  auto browse = [&](HWND d, int button, const std::wstring& path, bool removeFirst) {
    wt::Press(d, button);
    const HWND browser = wt::WaitForOwnedDialog(d, kWaitMs);
    if (!browser) return false;
    const bool ok = wt::SelectInFolderBrowser(browser, path, kWaitMs);
    if (removeFirst) ::RemoveDirectoryW(path.c_str());
    ::PostMessageA(browser, WM_COMMAND, IDOK, 0);
    wt::WaitGone(browser, kWaitMs);
    return ok;
  };
  OpenWith([&](HWND d) {
    selected = browse(d, IDC_BROWSE_HOMEDIR, folder, false);
    wt::WaitUntil([&] { return wt::ItemText(d, IDC_HOMEDIR) == shortPath; }, 3000);
    afterShort = wt::ItemText(d, IDC_HOMEDIR);
    // Gone before the browser closes: there is no short path to take.
    tvBefore = wt::ItemText(d, IDC_TVDIR);
    goneSelected = browse(d, IDC_BROWSE_TVDIR, gone, true);
    if (const HWND box = wt::WaitForOwnedDialog(d, kWaitMs)) {
      refusal = wt::MessageBoxWideText(box);
      ::PostMessageA(box, WM_COMMAND, IDOK, 0);
      wt::WaitGone(box, kWaitMs);
    }
    afterGone = wt::ItemText(d, IDC_TVDIR);
    wt::SetItemText(d, IDC_TVDIR, "C:\\Caf?");
    wt::Press(d, IDOK);
    if (const HWND box = wt::WaitForOwnedDialog(d, kWaitMs)) {
      typedMessage = wt::MessageBoxText(box);
      ::PostMessageA(box, WM_COMMAND, IDOK, 0);
      wt::WaitGone(box, kWaitMs);
    }
    wt::SetItemText(d, IDC_TVDIR, tvBefore);
    wt::Press(d, IDOK);
    wt::WaitGone(d, kWaitMs);
  });
  EXPECT_TRUE(selected);
  EXPECT_TRUE(goneSelected);
  EXPECT_EQ(afterShort, shortPath);
  EXPECT_NE(refusal.find(gone), std::wstring::npos) << "the message names the folder";
  EXPECT_EQ(afterGone, tvBefore);
  EXPECT_EQ(typedMessage, "フォルダの名前に使えない文字(? *)が含まれています。\nC:\\Caf?");
  EXPECT_EQ(View().Config().homeDir, shortPath);
  const std::vector<std::string> config = Config();
  EXPECT_NE(std::find(config.begin(), config.end(), "HOMEDIR=" + shortPath), config.end());
  for (const std::string& line : config) EXPECT_EQ(line.find('?'), std::string::npos) << line;
}

TEST_F(SettingsDialogTest, TheSkinListOffersTheStandardSkinFirstAndTheVisibleFoldersSorted) {
  for (const char* name : {"Blue", "標準", "表", "Amber"}) MakeSkin(name);
  const std::string hidden = MakeSkin("secret");
  ::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
  wt::WriteFile(SkinsFolder() + "readme.txt", "not a skin");
  WriteSetting("SKIN", "Blue");
  Start();
  std::vector<std::string> items;
  int selected = -2;
  OpenWith([&](HWND d) {
    items = wt::ComboItems(d, IDC_SKIN);
    selected = wt::ComboSelection(d, IDC_SKIN);
  });
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0], "標準");
  EXPECT_EQ(items[1], "Amber");
  EXPECT_EQ(items[2], "Blue");
  EXPECT_EQ(std::count(items.begin(), items.end(), "標準"), 2);
  EXPECT_EQ(std::count(items.begin(), items.end(), "表"), 1);
  EXPECT_EQ(std::count(items.begin(), items.end(), "secret"), 0);
  EXPECT_EQ(selected, 2);
}

TEST_F(SettingsDialogTest, WithoutTheCurrentSkinsFolderNothingIsChosenAndOkKeepsTheSkin) {
  WriteSetting("SKIN", "Gone");
  Start();
  int selected = 0;
  std::size_t count = 0;
  OpenWith([&](HWND d) {
    selected = wt::ComboSelection(d, IDC_SKIN);
    count = wt::ComboItems(d, IDC_SKIN).size();
    wt::Press(d, IDOK);
    wt::WaitGone(d, kWaitMs);
  });
  EXPECT_EQ(selected, CB_ERR);
  EXPECT_EQ(count, 1u);  // only the standard skin
  EXPECT_EQ(View().Config().skin, "Gone");
  EXPECT_EQ(ReadSetting("SKIN"), "Gone");
}

// A skin whose files are good, damaged or missing one by one: each strip is the skin's own or, alone, the
// built-in one.
TEST_F(SettingsDialogTest, ANewSkinReachesEveryWindowAndEachDamagedBitmapFallsBackOnItsOwn) {
  const std::string red = MakeSkin("Red");
  const COLORREF kFace = RGB(200, 0, 0), kBase = RGB(0, 0, 250);
  for (const char* face : {"SETTINGSW.bmp", "MINSW.bmp", "HOMESW.bmp", "FOLDERSW.bmp"})
    wt::WriteFile(red + face, wt::SolidBmp24(128, 32, kFace));
  wt::WriteFile(red + "NUMBER.bmp", wt::SolidBmp24(208, 32, kFace));
  wt::WriteFile(red + "TAGBK.bmp", wt::SolidBmp24(128, 36, kFace));
  wt::WriteFile(red + "wall.bmp", wt::SolidBmp24(64, 48, kFace));
  std::string truncated = wt::SolidBmp24(128, 32, kFace);
  truncated.resize(truncated.size() / 2);
  wt::WriteFile(red + "STOPSW.bmp", truncated);
  std::string absurd = wt::SolidBmp24(128, 32, kFace);
  absurd[18] = absurd[19] = absurd[20] = '\x7f';  // a width of more than two billion
  wt::WriteFile(red + "PLAYSW.bmp", absurd);
  wt::WriteFile(red + "volume.bmp", "BM not a bitmap");
  wt::WriteFile(red + "TNSKIN.INI", "[SLIDER]\r\nBASE_COLOR=fa0000\r\n[WALLPAPER]\r\nFILENAME=wall.bmp\r\n");
  ::CreateDirectoryA((home.Path() + "sub").c_str(), nullptr);
  Start();
  View().FileList().ShowList();
  PumpApp(200);
  ASSERT_FALSE(View().Wallpaper().IsLoaded());
  const CSkinBitmap* oldSettingsFace = SwitchesOf(Panel().Hwnd()).front()->Face();

  OpenWith([&](HWND d) {
    const std::vector<std::string> items = wt::ComboItems(d, IDC_SKIN);
    const auto at = std::find(items.begin(), items.end(), "Red");
    if (at != items.end()) wt::SelectComboItem(d, IDC_SKIN, static_cast<int>(at - items.begin()));
    wt::Press(d, IDOK);
    wt::WaitGone(d, kWaitMs);
  });
  PumpApp(300);

  EXPECT_EQ(View().Skin().skinName, "Red");
  EXPECT_EQ(View().Skin().skinFolder, red);
  EXPECT_EQ(View().Skin().sliderBaseColor, kBase);
  EXPECT_TRUE(View().Wallpaper().IsLoaded());
  EXPECT_EQ(ReadSetting("SKIN"), "Red");

  // Each switch shows what the cache now holds for its id: no switch keeps a strip of the old skin.
  std::vector<HWND> owners = {Panel().Hwnd(), Buttons().Hwnd(), View().FileList().Hwnd()};
  for (int row = 0; row < kRowWindows; ++row)
    if (View().FileList().Tags().Tag(row).IsInUse()) owners.push_back(View().FileList().Tags().Tag(row).Hwnd());
  int switches = 0;
  for (HWND owner : owners)
    for (const CSkinSwitch* sw : SwitchesOf(owner)) {
      if (!sw->Face()) continue;
      ++switches;
      const unsigned id = sw->Face()->FilePath().empty() ? sw->Face()->ResourceId() : 0;
      if (id) {
        EXPECT_EQ(sw->Face(), GetSwitchBitmap(id, std::string()).get()) << id;
      }
    }
  EXPECT_GE(switches, 18);
  EXPECT_NE(SwitchesOf(Panel().Hwnd()).front()->Face(), oldSettingsFace);

  auto faceOf = [](const CSkinSwitch* sw) { return sw->Face(); };
  const std::vector<const CSkinSwitch*> panel = SwitchesOf(Panel().Hwnd());
  const CSkinSwitch* settingsSwitch = panel[5];  // the switches in their creation order: the settings one is the sixth
  ASSERT_EQ(::GetDlgCtrlID(settingsSwitch->Hwnd()), ID_SETTINGS_SWITCH);
  EXPECT_EQ(faceOf(settingsSwitch)->FilePath(), red + "SETTINGSW.bmp");
  EXPECT_EQ(Panel().PlaySwitch().Face()->ResourceId(), static_cast<unsigned>(IDB_PLAYSW));  // absurd
  for (const CSkinSwitch* sw : panel)
    if (::GetDlgCtrlID(sw->Hwnd()) == ID_STOP_SWITCH) {
      EXPECT_EQ(sw->Face()->ResourceId(), static_cast<unsigned>(IDB_STOPSW));  // truncated
    }
  EXPECT_EQ(Panel().DigitStrip().FilePath(), red + "NUMBER.bmp");
  EXPECT_EQ(Panel().IndicatorStrip().ResourceId(), static_cast<unsigned>(IDB_INDICATOR));  // missing
  EXPECT_EQ(Buttons().MinimiseSwitch().Face()->FilePath(), red + "MINSW.bmp");
  EXPECT_EQ(Buttons().MaximiseSwitch().Face()->ResourceId(), static_cast<unsigned>(IDB_MAXSW));
  const CListTag& firstRow = View().FileList().Tags().Tag(0);
  EXPECT_EQ(firstRow.Background().FilePath(), red + "TAGBK.bmp");

  // The volume slider is drawn again in the new colours.
  Panel().ShowPanel();
  PumpApp(300);
  const HWND volume = Panel().VolumeSlider().Hwnd();
  const RECT v = wt::WindowRect(volume);
  wt::PixelTarget slider(v.right - v.left, v.bottom - v.top);
  slider.CopyFrom(volume);
  EXPECT_EQ(slider.At(slider.Width() - 4, slider.Height() / 2), kBase);

  // The same skin again: nothing is loaded anew.
  const std::size_t cached = SwitchBitmapCacheSize();
  const CSkinBitmap* face = faceOf(settingsSwitch);
  OpenWith([&](HWND d) {
    wt::Press(d, IDOK);
    wt::WaitGone(d, kWaitMs);
  });
  EXPECT_EQ(faceOf(settingsSwitch), face);
  EXPECT_EQ(SwitchBitmapCacheSize(), cached);

  // Back to the standard skin: the built-in strips everywhere.
  OpenWith([&](HWND d) {
    wt::SelectComboItem(d, IDC_SKIN, 0);
    wt::Press(d, IDOK);
    wt::WaitGone(d, kWaitMs);
  });
  EXPECT_EQ(faceOf(settingsSwitch)->ResourceId(), static_cast<unsigned>(IDB_SETTINGSW));
  EXPECT_EQ(Panel().DigitStrip().ResourceId(), static_cast<unsigned>(IDB_NUMBER));
  EXPECT_EQ(firstRow.Background().ResourceId(), static_cast<unsigned>(IDB_TAGBK));
  EXPECT_FALSE(View().Wallpaper().IsLoaded());
}

// Windows makes the owner and every owned window topmost with the frame; Wine 8 puts the flag on one owned
// pop-up instead and takes it off nowhere (see PLATFORM.md). The frame is never moved or sized.
TEST_F(SettingsDialogTest, AlwaysOnTopAppliesAtOnceWithoutMovingTheFrame) {
  Start(120, 80, 700, 450);
  const RECT before = wt::WindowRect(frame->Hwnd());
  auto topmostWindows = [&] {
    int n = 0;
    for (HWND h : {frame->Hwnd(), View().Hwnd(), Panel().Hwnd(), Buttons().Hwnd(), View().FileList().Hwnd()})
      n += (::GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return n;
  };
  auto setTopmost = [&](bool on) {
    OpenWith([&](HWND d) {
      wt::SetChecked(d, IDC_TOPMOST, on);
      wt::Press(d, IDOK);
      wt::WaitGone(d, kWaitMs);
    });
  };
  EXPECT_EQ(topmostWindows(), 0);
  setTopmost(true);
  EXPECT_EQ(ReadSetting("TOPMOST"), "1");
  EXPECT_TRUE(wt::SameRect(wt::WindowRect(frame->Hwnd()), before));
  if (fw::RunningUnderWine()) {
    EXPECT_GE(topmostWindows(), 1);
  } else {
    EXPECT_EQ(topmostWindows(), 5);
  }
  setTopmost(false);
  EXPECT_EQ(ReadSetting("TOPMOST"), "0");
  EXPECT_TRUE(wt::SameRect(wt::WindowRect(frame->Hwnd()), before));
  if (!fw::RunningUnderWine()) {
    EXPECT_EQ(topmostWindows(), 0);
  }
  EXPECT_EQ(::GetWindowLongPtrA(frame->Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(SettingsDialogTest, WhileTheDialogIsOpenTheCursorStaysAndNothingElseTakesInputOrFocus) {
  Start();
  View().FileList().ShowList();
  PumpApp(200);
  struct Seen {
    bool open = false, cursor = false, panelShown = true, buttonsShown = true, focusInDialog = false;
    bool frameEnabled = true, panelEnabled = true, listEnabled = true;
  } seen;
  OpenWith([&](HWND d) {
    ui.Run([&] {
      seen.open = View().SettingsDialogOpen();
      CursorInto(Panel().Hwnd());
      Tick(Panel().Hwnd(), CControlPanel::kHoverTimer);
      Tick(Panel().Hwnd(), CControlPanel::kHideTimer);
      seen.panelShown = Panel().IsShown();
      CursorInto(Buttons().Hwnd());
      Tick(Buttons().Hwnd(), CWindowButtons::kHoverTimer);
      seen.buttonsShown = Buttons().IsShown();
      Tick(View().Hwnd(), CPlayerView::kCursorTimer);
      seen.cursor = View().CursorVisible();
      Tick(View().FileList().Hwnd(), CFileListWnd::kFocusTimer);
      seen.focusInDialog = ::IsChild(d, ::GetFocus()) != FALSE;
      seen.frameEnabled = ::IsWindowEnabled(frame->Hwnd()) != FALSE;
      seen.panelEnabled = ::IsWindowEnabled(Panel().Hwnd()) != FALSE;
      seen.listEnabled = ::IsWindowEnabled(View().FileList().Hwnd()) != FALSE;
    });
    ParkCursor();
  });
  EXPECT_TRUE(seen.open);
  EXPECT_FALSE(seen.panelShown);
  EXPECT_FALSE(seen.buttonsShown);
  EXPECT_TRUE(seen.cursor);
  EXPECT_TRUE(seen.focusInDialog);
  EXPECT_FALSE(seen.frameEnabled || seen.panelEnabled || seen.listEnabled);
  EXPECT_TRUE(::IsWindowEnabled(frame->Hwnd()) && ::IsWindowEnabled(Panel().Hwnd()) &&
              ::IsWindowEnabled(View().FileList().Hwnd()) && ::IsWindowEnabled(View().Hwnd()));
}

// A close that comes while the dialog runs ends the dialog first (as Cancel: nothing of it is saved),
// then the program closes in order.
TEST_F(SettingsDialogTest, ACloseWhileTheDialogIsOpenEndsTheDialogFirst) {
  struct Way {
    const char* name;
    std::function<void(HWND dialog)> close;
  } const ways[] = {
      {"WM_CLOSE from outside", [&](HWND) { ::PostMessageA(frame->Hwnd(), WM_CLOSE, 0, 0); }},
      {"Alt+F4 reaching the view", [&](HWND) { ::PostMessageA(View().Hwnd(), WM_SYSKEYDOWN, VK_F4, 1 << 29); }},
      {"WM_CLOSE over a message box",
       [&](HWND d) {
         wt::SetItemText(d, IDC_SLIDESHOWTIME, "0");
         wt::Press(d, IDOK);
         wt::WaitForOwnedDialog(d, kWaitMs);
         ::PostMessageA(frame->Hwnd(), WM_CLOSE, 0, 0);
       }},
      {"WM_CLOSE over the folder browser",
       [&](HWND d) {
         wt::Press(d, IDC_BROWSE_TVDIR);
         wt::WaitForOwnedDialog(d, kWaitMs);
         ::PostMessageA(frame->Hwnd(), WM_CLOSE, 0, 0);
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    Start();
    bool ended = false;
    OpenWith([&](HWND d) {
      wt::SetItemText(d, IDC_EXT_OPEN, "changed");
      way.close(d);
      ended = wt::WaitGone(d, kWaitMs);
    });
    EXPECT_TRUE(ended);
    EXPECT_TRUE(wt::WaitUntil([&] { app.PumpPending(); return !frame->Exists(); }, kWaitMs));
    EXPECT_EQ(ReadSetting("EXT_OPEN"), "");
    EXPECT_NE(ReadSetting("VOLUME"), "");  // the close itself ran in order
    EXPECT_NE(ReadSetting("FULL_SCREEN", "POSITION"), "");
    frame.reset();
    ::DeleteFileA(SettingsFilePath().c_str());
    WriteSetting("HOMEDIR", home.Path().substr(0, home.Path().size() - 1).c_str());
  }
}

// A second start's hand-off is taken at once (the sender may end) and played when the dialog ends.
TEST_F(SettingsDialogTest, AHandOffWhileTheDialogIsOpenPlaysAfterIt) {
  Start();
  CSharedBlock sender;
  sender.SetName(kHandOffBlockName, kSharedBlockSize);
  char* block = static_cast<char*>(sender.CreateOrOpen());
  ASSERT_NE(block, nullptr);
  bool taken = false;
  std::string titleMeanwhile;
  OpenWith([&](HWND d) {
    const char path[] = "C:\\clips\\handed.mpg";
    std::memcpy(block, path, sizeof path);
    ::PostMessageA(frame->Hwnd(), WM_COMMAND, ID_HANDOFF, 0);
    taken = wt::WaitUntil([&] { return block[0] == '\0'; }, kWaitMs);
    titleMeanwhile = wt::WindowText(frame->Hwnd());
    wt::Press(d, IDCANCEL);
    wt::WaitGone(d, kWaitMs);
  });
  EXPECT_TRUE(taken);
  EXPECT_EQ(titleMeanwhile, "Tarnvale");
  EXPECT_EQ(wt::WindowText(frame->Hwnd()), "handed");
}
