// The file list on screen: the bar, the rows and the slider as real windows over the view, the rows'
// states and faces, the keys of the shown list, and what the list does with playback.
#include "browser/FileListWnd.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/MainFrame.h"
#include "app/PlayerApp.h"
#include "config/IniProfile.h"
#include "wine/Pixels.h"
#include "wine/WineSupport.h"

namespace {

// Whether window a lies above window b in the Z order.
bool Above(HWND a, HWND b) {
  for (HWND h = ::GetWindow(a, GW_HWNDNEXT); h; h = ::GetWindow(h, GW_HWNDNEXT))
    if (h == b) return true;
  return false;
}

class FileListWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::DeleteFileA(SettingsFilePath().c_str());
    for (int i = 0; i < files; ++i) wt::WriteFile(home.File("clip" + std::to_string(100 + i) + ".avi"), "x");
    ::CreateDirectoryA(home.File("sub").c_str(), nullptr);
    std::string folder = home.Path().substr(0, home.Path().size() - 1);
    ::WritePrivateProfileStringA("CONFIG", "HOMEDIR", folder.c_str(), SettingsFilePath().c_str());
  }
  void TearDown() override {
    frame.reset();
    ::DeleteFileA(SettingsFilePath().c_str());
  }
  void Start() {
    frame = std::make_unique<CMainFrame>();
    frame->View().LoadSettings();
    ASSERT_TRUE(frame->Create());
    ::ShowWindow(frame->Hwnd(), SW_SHOW);
    frame->View().Repaint();
    List().ShowList();
    // The system's activation events come in; the focus keeper runs after them.
    wt::Pump(250);
  }
  CFileListWnd& List() { return frame->View().FileList(); }
  HWND ViewHwnd() { return frame->View().Hwnd(); }

  int files = 30;
  wt::TempDir home{"list"};
  CPlayerApp app;
  std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(FileListWndTest, RowsStandAboveTheViewUnderTheBar) {
  Start();
  ASSERT_TRUE(::IsWindowVisible(List().Hwnd()));
  const RECT bar = wt::WindowRect(List().Hwnd());
  EXPECT_EQ(bar.bottom - bar.top, 36);
  int shown = 0;
  for (int row = 0; row < kRowWindows; ++row) {
    const CListTag& tag = List().Tags().Tag(row);
    if (!::IsWindowVisible(tag.Hwnd())) continue;
    ++shown;
    const RECT r = wt::WindowRect(tag.Hwnd());
    EXPECT_EQ(r.top, bar.top + 40 + 40 * row);
    EXPECT_EQ(r.bottom - r.top, 36);
    EXPECT_TRUE(Above(tag.Hwnd(), ViewHwnd())) << row;
  }
  EXPECT_EQ(shown, List().Tags().VisibleRows());
}
