// What the floating panels ask of the player view: its state for their showing and their status line,
// their place and TN.INI keys, and the commands of their switches.
#include "config/IniProfile.h"
#include "playback/PlayerView.h"

EntryKind CPlayerView::NowPlayingKind() { return Files().Classify(Files().NowPlaying()); }

geo::Rect CPlayerView::PanelPlace(const geo::Rect& panelClient) const {
  return m_frame.LayoutPanels(panelClient).panel;
}

void CPlayerView::FillStatus(StatusInputs& in) const {
  const CFileListModel& files = Files();
  in.loaded = m_loaded;
  if (KindClass(in.kind) == KIND_PICTURE && files.NowPlaying().id == files.PlaylistCurrent().id)
    in.playlistIndex = files.IndexOfPlaylistCurrent();
  in.commandEntries = files.CommandEntryCount();
  in.playlistCount = files.Count();
}

geo::Rect CPlayerView::SavedPanelRect() const {
  IniProfile ini(SettingsFilePath());
  return LoadStatusRect(ini);
}

double CPlayerView::SavedVolume() const {
  IniProfile ini(SettingsFilePath());
  return LoadVolumeFraction(ini);
}

void CPlayerView::SavePanelState(double volume, const geo::Rect& panelRect) {
  IniProfile ini(SettingsFilePath());
  SaveVolume(ini, volume);
  SaveStatusRect(ini, panelRect);
}

bool CPlayerView::IsMaximised() const { return m_frame.IsMaximised(); }

void CPlayerView::Do(PlayerCommand command) {
  switch (command) {
    case PlayerCommand::kSettings:
      OpenSettings();
      break;
    case PlayerCommand::kStop:
      Stop();
      break;
    case PlayerCommand::kPlayOrPause:
      if (m_loaded)
        TogglePause();
      else
        Start();
      break;
    case PlayerCommand::kNext:
      Next();
      break;
    case PlayerCommand::kPrevious:
      Previous();
      break;
    case PlayerCommand::kCyclePlayMode:
      CyclePlayMode();
      break;
    case PlayerCommand::kForward:
      SeekForward();
      break;
    case PlayerCommand::kBack:
      SeekBack();
      break;
    case PlayerCommand::kShowFiles:
    case PlayerCommand::kShowPlaylist:
      m_fileList.Tags().SetMovedFlag();
      m_fileList.SetListMode(command == PlayerCommand::kShowFiles ? 0 : 1);
      m_fileList.ShowList();
      break;
    case PlayerCommand::kFullScreen:
      ToggleFullScreen();
      break;
    case PlayerCommand::kMinimise:
      m_controlPanel.AutoHide(false);
      m_windowButtons.AutoHide(false);
      m_frame.Minimise();
      break;
    case PlayerCommand::kExit:
      m_frame.RequestExit();
      break;
  }
}
