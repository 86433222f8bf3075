// The file list window on its own, over a fake player: what it asks of the player for a row, a key it
// does not take, a seek key and a refused system command, without the frame, the view or the engines.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "browser/FileListWnd.h"
#include "config/Settings.h"
#include "config/SkinDefinition.h"
#include "wine/WineSupport.h"

namespace {

class FakePlayer : public IListPlayer, public IListScreen, public IInputSink {
 public:
  explicit FakePlayer(HWND view) : m_view(view) {}

  int PlayEntry(const FileEntry& entry, bool explicitOpen) override {
    played.push_back(entry.name);
    explicitOpens += explicitOpen;
    return 0;
  }
  int StartPlaylist() override { return ++starts, 0; }
  void SetPlayingFromPlaylist(bool) override {}
  bool IsLoaded() const override { return false; }
  void SeekForward() override { seeks.push_back(+1); }
  void SeekBack() override { seeks.push_back(-1); }

  HWND ViewWindow() const override { return m_view; }
  geo::Rect ListArea() const override { return {0, 0, 640, 400}; }
  bool DraggingWindow() const override { return false; }
  bool SettingsDialogOpen() const override { return false; }
  HWND SettingsDialogWindow() const override { return nullptr; }
  bool IsFrameMinimised() const override { return false; }
  void Repaint() override {}
  void ShowCursorAndArm(bool) override {}
  void ShowControlPanel(bool show) override { panelShown = show; }

  void HandleKey(WPARAM virtualKey, LPARAM) override { keys.push_back(virtualKey); }
  void HandleSystemKey(fw::Msg&) override {}
  bool HandleWheel(int) override { return true; }
  void HandleMiddleButton(bool) override {}
  bool HandleAppCommand(int) override { return false; }
  bool RefusesSystemCommand(WPARAM command) const override {
    asked.push_back(command);
    return command == SC_SCREENSAVE;
  }

  std::vector<std::string> played;
  int explicitOpens = 0, starts = 0;
  std::vector<int> seeks;
  std::vector<WPARAM> keys;
  mutable std::vector<WPARAM> asked;  // system commands
  bool panelShown = false;

 private:
  HWND m_view;
};

}  // namespace

TEST(FileListAlone, ItAsksThePlayerForWhatItDoesNotDoItself) {
  wt::TempDir folder("alone");
  const std::string clip = folder.File("clip.avi");
  wt::WriteFile(clip, "x");
  // The view is any window that owns the list's windows; it goes after the list.
  const std::unique_ptr<HWND__, decltype(&::DestroyWindow)> owner(
      ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr, nullptr,
                        ::GetModuleHandleA(nullptr), nullptr),
      &::DestroyWindow);
  const HWND view = owner.get();
  ASSERT_NE(view, nullptr);
  FakePlayer player(view);
  Settings settings = DefaultSettings("Tarnvale");
  const CSkinDefinition skin;
  CFileListWnd list(player, player, player, settings, skin);
  ASSERT_TRUE(list.Create(view));
  list.EnterFolder(folder.Path().substr(0, folder.Path().size() - 1));
  list.ShowList();
  EXPECT_TRUE(player.panelShown);

  ::SendMessageA(list.Hwnd(), WM_KEYDOWN, VK_LEFT, 1);
  ::SendMessageA(list.Hwnd(), WM_KEYDOWN, VK_RIGHT, 1);
  EXPECT_EQ(player.seeks, (std::vector<int>{-1, +1}));
  ::SendMessageA(list.Hwnd(), WM_KEYDOWN, VK_F12, 1);
  EXPECT_EQ(player.keys, std::vector<WPARAM>{VK_F12});

  // The player decides which system commands are refused.
  EXPECT_EQ(::SendMessageA(list.Hwnd(), WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
  EXPECT_EQ(player.asked, std::vector<WPARAM>{SC_SCREENSAVE});

  // A video row: the list makes way (and the panel goes with it), then the player opens the file.
  list.Activate(list.Model().EntryForOpenPath(clip), false);
  ASSERT_EQ(player.played, std::vector<std::string>{clip});
  EXPECT_EQ(player.explicitOpens, 1);
  EXPECT_FALSE(list.IsShown());
  EXPECT_FALSE(player.panelShown);
  EXPECT_FALSE(::IsWindowVisible(list.Hwnd()));
}
