// The settings dialog of the real program, opened from the control panel's settings switch and driven
// from outside as a user's typing and clicks would: a refused number keeps it open with its message, OK
// writes the whole CONFIG section, makes the frame topmost and switches the skin (here its wallpaper),
// Cancel writes nothing, and a hidden skin folder is never offered.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "e2e/Process.h"
#include "framework/CodePage.h"
#include "res/ResourceIds.h"
#include "wine/DialogDriver.h"
#include "wine/Pixels.h"

// After the system's headers it needs; the K32 entry points of kernel32.
#define PSAPI_VERSION 2
#include <psapi.h>

using e2e::Installation;
using e2e::kStartMs;

namespace {

constexpr char kTitle[] = "設定";
constexpr unsigned kWaitMs = 10000;
constexpr COLORREF kWallpaper = RGB(200, 40, 160);

class Settings : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string skins = app.Folder() + "skin\\";
    ::CreateDirectoryA(skins.c_str(), nullptr);
    const std::string pink = skins + "桃色\\";
    ::CreateDirectoryA(pink.c_str(), nullptr);
    wt::WriteFile(pink + "TNSKIN.INI", "[WALLPAPER]\r\nFILENAME=wall.bmp\r\n");
    wt::WriteFile(pink + "wall.bmp", wt::SolidBmp24(64, 48, kWallpaper));
    ::CreateDirectoryA((skins + "隠し").c_str(), nullptr);
    ::SetFileAttributesA((skins + "隠し").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::CreateDirectoryA((skins + "Blue").c_str(), nullptr);

    process = app.Start();
    frame = app.WaitForFrame(process, kStartMs);
    ASSERT_NE(frame, nullptr);
    view = e2e::ViewOf(frame);
    ASSERT_TRUE(wt::WaitUntil([&] { return (panel = e2e::PanelOf(view)) != nullptr; }, kStartMs));
    // Closed, the list leaves the view's middle to the wallpaper.
    ASSERT_TRUE(e2e::HideList(frame));
  }
  void TearDown() override { EXPECT_TRUE(app.Close(process, kStartMs)); }

  // The settings switch of the panel, brought up under the pointer first.
  HWND OpenDialog() {
    const RECT p = wt::WindowRect(panel);
    ::SetCursorPos(p.left + 30, p.top + 52);
    if (!wt::WaitUntil([&] { return ::IsWindowVisible(panel) != FALSE; }, 5000)) return nullptr;
    ::Sleep(300);  // shown is not yet on the screen: the click must not go to the view under it
    e2e::Click(p.left + 30, p.top + 52);
    return wt::WaitForDialog(kTitle, kWaitMs, app.Pid(process));
  }
  COLORREF ViewMiddle() {
    const RECT r = wt::WindowRect(view);
    wt::PixelTarget pixel(1, 1);
    pixel.CopyFrom(nullptr, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return pixel.At(0, 0);
  }
  // Windows makes the frame and its owned windows topmost together; Wine 8 marks only one of them.
  int TopmostWindows() {
    struct Count {
      DWORD pid;
      int n;
    } count{app.Pid(process), 0};
    ::EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
          auto* c = reinterpret_cast<Count*>(lp);
          DWORD pid = 0;
          ::GetWindowThreadProcessId(h, &pid);
          if (pid == c->pid && (::GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_TOPMOST)) ++c->n;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.n;
  }
  std::vector<std::string> Config() { return wt::IniSection(app.IniPath(), "CONFIG"); }

  Installation app{"settings"};
  int process = -1;
  HWND frame = nullptr, view = nullptr, panel = nullptr;
};

}  // namespace

TEST_F(Settings, ARefusedNumberKeepsTheDialogAndOkWritesEverySettingAndSwitchesTheSkin) {
  const HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(wt::ItemText(dialog, IDC_SLIDESHOWTIME), "5");  // TN.INI has none yet: the defaults
  EXPECT_EQ(wt::ComboItems(dialog, IDC_SKIN), (std::vector<std::string>{"標準", "Blue", "桃色"}));
  EXPECT_EQ(wt::ComboSelection(dialog, IDC_SKIN), 0);

  struct Refusal {
    int id;
    const char* text;
    const char* message;
  } const refusals[] = {
      {IDC_SLIDESHOWTIME, "0", "1 から 60 までの整数を入力してください。"},
      {IDC_FTIME, "十", "整数を入力してください。"},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.text);
    wt::SetItemText(dialog, r.id, r.text);
    wt::Press(dialog, IDOK);
    const HWND box = wt::WaitForOwnedDialog(dialog, kWaitMs);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(wt::MessageBoxText(box), r.message);
    wt::Press(box, IDOK);
    EXPECT_TRUE(wt::WaitGone(box, kWaitMs));
    EXPECT_TRUE(::IsWindowVisible(dialog));
    // The focus goes back to the edit once the box's call has returned in the program, a moment after
    // the box is gone.
    EXPECT_TRUE(wt::WaitUntil([&] { return wt::FocusIn(dialog) == ::GetDlgItem(dialog, r.id); }, kWaitMs));
    wt::SetItemText(dialog, r.id, "9");
  }
  EXPECT_EQ(wt::ReadFile(app.IniPath()).find("SLIDESHOWTIME"), std::string::npos);

  wt::SetChecked(dialog, IDC_TOPMOST, true);
  wt::SetItemText(dialog, IDC_EXT_OPEN, "txt,表");
  wt::SelectComboItem(dialog, IDC_SKIN, 2);
  wt::Press(dialog, IDOK);
  ASSERT_TRUE(wt::WaitGone(dialog, kWaitMs));

  // The settings are taken and saved once the dialog's loop has returned.
  std::vector<std::string> config;
  EXPECT_TRUE(wt::WaitUntil([&] { return (config = Config()).size() >= 20; }, kWaitMs));
  EXPECT_EQ(config.size(), 20u);  // every key but the volume, which the panel writes at the close
  for (const char* line : {"SLIDESHOWTIME=9", "FTIME=9", "TOPMOST=1", "EXT_OPEN=txt,表", "SKIN=桃色", "PLAYMODE=0"})
    EXPECT_NE(std::find(config.begin(), config.end(), line), config.end()) << line;
  EXPECT_TRUE(wt::WaitUntil([&] { return TopmostWindows() > 0; }, kWaitMs));
  EXPECT_TRUE(wt::WaitUntil([&] { return ViewMiddle() == kWallpaper; }, 5000));
}

// The manifest as the running program shows it: the dialog's controls come from the common controls 6 of
// the side-by-side store, which a manifest the loader does not take does not give. (Its DPI stance cannot be
// seen from outside under Wine 8: another process's window reports per-monitor awareness without the
// manifest's entries, and GetProcessDpiAwareness reports none with them.)
TEST_F(Settings, TheManifestGivesTheDialogTheCommonControlsSix) {
  const fw::UniqueHandle program(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app.Pid(process)));
  ASSERT_NE(program.Get(), nullptr);
  const HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  HMODULE modules[512];
  DWORD bytes = 0;
  ASSERT_TRUE(::EnumProcessModules(program.Get(), modules, sizeof modules, &bytes));
  std::string comctl;
  for (DWORD i = 0; i < std::min<DWORD>(bytes / sizeof modules[0], 512); ++i) {
    char name[MAX_PATH] = {};
    ::GetModuleFileNameExA(program.Get(), modules[i], name, MAX_PATH);
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.find("comctl32.dll") != std::string::npos) comctl += lower + "\n";
  }
  EXPECT_NE(comctl.find("common-controls_6595b64144ccf1df_6."), std::string::npos) << comctl;
  wt::Press(dialog, IDCANCEL);
  EXPECT_TRUE(wt::WaitGone(dialog, kWaitMs));
}

TEST_F(Settings, CancelWritesNothingAndChangesNothing) {
  const HWND first = OpenDialog();
  ASSERT_NE(first, nullptr);
  wt::Press(first, IDOK);  // a first OK, so that TN.INI holds the whole section
  ASSERT_TRUE(wt::WaitGone(first, kWaitMs));
  ASSERT_TRUE(wt::WaitUntil([&] { return Config().size() >= 20; }, kWaitMs));
  const std::string saved = wt::ReadFile(app.IniPath());

  const HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  wt::SetItemText(dialog, IDC_HOMEDIR, "C:\\どこか");
  wt::SetChecked(dialog, IDC_TOPMOST, true);
  wt::SelectComboItem(dialog, IDC_SKIN, 2);
  wt::Press(dialog, IDCANCEL);
  ASSERT_TRUE(wt::WaitGone(dialog, kWaitMs));
  ::Sleep(500);  // time for a save that must not come
  EXPECT_EQ(wt::ReadFile(app.IniPath()), saved);
  EXPECT_EQ(TopmostWindows(), 0);
  EXPECT_NE(ViewMiddle(), kWallpaper);
}

// Closed from outside while the dialog and its message box are open: the dialog ends as Cancel (its
// typing is not saved), the program closes in order and leaves a whole TN.INI.
TEST_F(Settings, ACloseWhileTheDialogIsOpenEndsItAndTheProgram) {
  const HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  wt::SetItemText(dialog, IDC_EXT_OPEN, "typed");
  wt::SetItemText(dialog, IDC_RTIME, "0");
  wt::Press(dialog, IDOK);
  ASSERT_NE(wt::WaitForOwnedDialog(dialog, kWaitMs), nullptr);
  ::PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(app.WaitExit(process, kStartMs));
  const std::string ini = wt::ReadFile(app.IniPath());
  EXPECT_EQ(ini.find("typed"), std::string::npos);
  for (const char* key : {"VOLUME=", "[POSITION]"}) EXPECT_NE(ini.find(key), std::string::npos) << key;
}

// A home folder chosen in the browser whose name the code page cannot hold reaches TN.INI as its short path.
TEST_F(Settings, AHomeFolderOutsideTheCodePageIsStoredByItsShortPath) {
  const std::wstring folder = fw::Widen(app.Folder()) + L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC";
  ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
  const std::string shortPath = fw::ShortPathOf(folder).text;
  HWND dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  wt::Press(dialog, IDC_BROWSE_HOMEDIR);
  const HWND browser = wt::WaitForOwnedDialog(dialog, kWaitMs);
  ASSERT_NE(browser, nullptr);
  // The browser takes a selection once its tree is filled: asked a few times over a second and a half.
  for (int i = 0; i < 6; ++i, ::Sleep(250)) e2e::SelectInFolderBrowser(browser, folder);
  ::PostMessageA(browser, WM_COMMAND, IDOK, 0);
  wt::WaitGone(browser, kWaitMs);
  EXPECT_TRUE(wt::WaitUntil([&] { return wt::ItemText(dialog, IDC_HOMEDIR) == shortPath; }, 5000))
      << wt::ItemText(dialog, IDC_HOMEDIR);
  wt::Press(dialog, IDOK);
  std::vector<std::string> config;
  EXPECT_TRUE(wt::WaitUntil([&] { return (config = Config()).size() >= 20; }, kWaitMs));
  EXPECT_NE(std::find(config.begin(), config.end(), "HOMEDIR=" + shortPath), config.end());
  for (const std::string& line : config) EXPECT_EQ(line.find('?'), std::string::npos) << line;
}
