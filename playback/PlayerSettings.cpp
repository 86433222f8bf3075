// The player view's settings dialog: running it, taking its values back, a skin change reaching every
// window, and what a close or a hand-off does while the dialog is open.
#include "config/SettingsDialogModel.h"
#include "controls/SwitchBitmapCache.h"
#include "playback/PlayerView.h"

void CPlayerView::OpenSettings() {
  if (m_settingsDialogOpen || !Exists()) return;
  m_settingsDialogOpen = true;
  ShowCursorAndArm(true);
  ::SetFocus(Hwnd());
  CSettingsDialog dialog(m_settings, m_skin.skinFolder, Hwnd());
  m_settingsDialog = &dialog;
  const INT_PTR result = dialog.DoModal(Hwnd());
  m_settingsDialog = nullptr;
  m_settingsDialogOpen = false;
  m_fileList.WakeFocusKeeper();
  WakePanelPolls();
  if (result == IDOK) ApplySettings(dialog.Fields());

  // What came in while the dialog ran, now that its loop has returned.
  std::wstring handedOver = std::exchange(m_openAfterSettings, std::wstring());
  if (std::exchange(m_closeAfterSettings, false)) {
    ::PostMessageA(m_frame.FrameWindow(), WM_CLOSE, 0, 0);
    return;
  }
  if (!handedOver.empty()) m_fileList.OpenPath(handedOver);
}

HWND CPlayerView::SettingsDialogWindow() const { return m_settingsDialog ? m_settingsDialog->Hwnd() : nullptr; }

bool CPlayerView::EndSettingsBeforeClose() {
  if (!m_settingsDialogOpen) return false;
  m_closeAfterSettings = true;
  if (m_settingsDialog) m_settingsDialog->Cancel();
  return true;
}

void CPlayerView::OpenHandedOver(const std::wstring& path) {
  if (m_settingsDialogOpen)
    m_openAfterSettings = path;  // the latest hand-off wins
  else
    m_fileList.OpenPath(path);
}

void CPlayerView::ApplySettings(const Settings& fields) {
  const std::string skinBefore = m_settings.skin;
  ApplyDialogFields(fields, m_settings);
  if (m_settings.skin != skinBefore) ReloadSkin();
  SaveSettings();
  UpdateOutputRect();
  Repaint();
  UpdateDisplayRequest();
  ApplyTopmost();
}

// The cache is emptied after the definition names the new folder and before the windows ask for their
// faces again, so that they read the new skin's files; a switch keeps its old face until it has the new.
void CPlayerView::ReloadSkin() {
  m_skin.skinName = m_settings.skin;
  m_skin.Load();
  ClearSwitchBitmapCache();
  LoadWallpaper();
  m_fileList.ReloadSkin();
  m_controlPanel.ReloadSkin();
  m_windowButtons.ReloadSkin();
  m_fileList.Tags().ReloadSkinAll();
}

void CPlayerView::ApplyTopmost() {
  if (!m_frame.FrameWindow()) return;
  ::SetWindowPos(m_frame.FrameWindow(), m_settings.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}
