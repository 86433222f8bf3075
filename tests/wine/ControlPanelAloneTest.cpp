// The control panel on its own, over a fake player: what each switch asks for, the volume it takes from
// and gives back to TN.INI's keeper, and the input it hands on, without the frame, the view or the list.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/ControlPanel.h"
#include "res/ResourceIds.h"
#include "wine/WineSupport.h"

namespace {

class FakePlayer : public IPanelHost, public IPanelStore, public IPlayerCommands, public IInputSink {
 public:
  explicit FakePlayer(HWND view) : m_view(view) {}

  HWND ViewWindow() const override { return m_view; }
  bool SettingsDialogOpen() const override { return false; }
  bool IsFrameMinimised() const override { return false; }
  bool ListShown() const override { return false; }
  void ShowCursorAndArm(bool) override {}
  EntryKind NowPlayingKind() override { return 0; }
  geo::Rect PanelPlace(const geo::Rect& panelClient) const override { return panelClient; }
  void FillStatus(StatusInputs&) const override {}

  geo::Rect SavedPanelRect() const override { return {10, 300, 644, 388}; }
  double SavedVolume() const override { return 0.25; }
  void SavePanelState(double volume, const geo::Rect&) override { savedVolumes.push_back(volume); }

  void Do(PlayerCommand command) override { commands.push_back(command); }
  void SeekToFraction(double) override {}
  void SetVolume(double fraction) override { volumes.push_back(fraction); }
  int PlayMode() const override { return 0; }
  bool IsMaximised() const override { return false; }

  void HandleKey(WPARAM virtualKey, LPARAM) override { keys.push_back(virtualKey); }
  void HandleSystemKey(fw::Msg&) override {}
  bool HandleWheel(int delta) override { return wheels.push_back(delta), true; }
  void HandleMiddleButton(bool) override {}
  bool HandleAppCommand(int) override { return false; }
  bool RefusesSystemCommand(WPARAM) const override { return false; }

  std::vector<PlayerCommand> commands;
  std::vector<double> volumes, savedVolumes;
  std::vector<WPARAM> keys;
  std::vector<int> wheels;

 private:
  HWND m_view;
};

}  // namespace

TEST(ControlPanelAlone, EachSwitchAsksThePlayerForItsCommand) {
  std::unique_ptr<HWND__, decltype(&::DestroyWindow)> owner(
      ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                        nullptr),
      &::DestroyWindow);
  FakePlayer player(owner.get());
  const SkinLook look;
  {
    CControlPanel panel(player, player, player, player, look);
    ASSERT_TRUE(panel.Create(owner.get()));
    // The volume comes from the keeper of TN.INI and goes to the player at once.
    EXPECT_DOUBLE_EQ(panel.GetVolume(), 0.25);
    EXPECT_EQ(player.volumes, std::vector<double>{0.25});

    const struct {
      UINT id;
      PlayerCommand command;
    } switches[] = {
        {ID_SETTINGS_SWITCH, PlayerCommand::kSettings},   {ID_STOP_SWITCH, PlayerCommand::kStop},
        {ID_PLAY_SWITCH, PlayerCommand::kPlayOrPause},    {ID_NEXT_SWITCH, PlayerCommand::kNext},
        {ID_PREVIOUS_SWITCH, PlayerCommand::kPrevious},   {ID_SHOW_FILE_LIST, PlayerCommand::kShowFiles},
        {ID_SHOW_PLAYLIST, PlayerCommand::kShowPlaylist}, {ID_PLAYMODE_SWITCH, PlayerCommand::kCyclePlayMode},
        {ID_FORWARD_SWITCH, PlayerCommand::kForward},     {ID_BACK_SWITCH, PlayerCommand::kBack},
    };
    for (const auto& s : switches) {
      player.commands.clear();
      ::SendMessageA(panel.Hwnd(), WM_COMMAND, s.id, 0);
      EXPECT_EQ(player.commands, std::vector<PlayerCommand>{s.command}) << s.id;
    }

    // Keys and the wheel go on to the player as if they had reached the view.
    ::SendMessageA(panel.Hwnd(), WM_KEYDOWN, 'S', 1);
    ::SendMessageA(panel.Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
    EXPECT_EQ(player.keys, std::vector<WPARAM>{'S'});
    EXPECT_EQ(player.wheels, std::vector<int>{-120});

    panel.SetVolume(0.5);
    // Destroyed with the view that owns it, the panel leaves its volume with the keeper.
    owner.reset();
    EXPECT_EQ(player.savedVolumes, std::vector<double>{0.5});
  }
}
