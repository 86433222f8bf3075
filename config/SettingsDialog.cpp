#include "config/SettingsDialog.h"

#include <vector>

#include "config/SettingsDialogModel.h"
#include "framework/CodePage.h"
#include "framework/FileSystem.h"
#include "framework/FolderBrowser.h"
#include "framework/SystemText.h"
#include "res/ResourceIds.h"

CSettingsDialog::CSettingsDialog(const Settings& settings, std::string skinFolder, HWND centreOn)
    : fw::Dialog(IDD_SETTINGS), m_fields(settings), m_skinFolder(std::move(skinFolder)), m_centreOn(centreOn) {}

bool CSettingsDialog::OnMessage(fw::Msg& m) {
  static constexpr fw::Route<CSettingsDialog> kRoutes[] = {
      {WM_COMMAND, IDC_BROWSE_HOMEDIR, &CSettingsDialog::OnBrowseHome},
      {WM_COMMAND, IDC_BROWSE_TVDIR, &CSettingsDialog::OnBrowseTv},
  };
  return fw::Dispatch(*this, kRoutes, m);
}

void CSettingsDialog::OnInit() {
  CentreOn(m_centreOn);
  SetItemText(IDC_PROGRAM_TITLE, fw::LoadResourceString(IDS_PROGRAM_TITLE));
  FillSkinList();
}

bool CSettingsDialog::Exchange(bool save) {
  fw::DataExchange dx(*this, save);
  Settings& f = m_fields;
  dx.Check(IDC_FULLSCREEN, f.fullScreen);
  dx.Folder(IDC_HOMEDIR, f.homeDir);
  dx.Folder(IDC_TVDIR, f.tvDir);
  dx.Text(IDC_EXT_VIDEO, f.extVideo);
  dx.Text(IDC_EXT_PICTURE, f.extPicture);
  dx.Text(IDC_EXT_AUDIO, f.extAudio);
  dx.Int(IDC_SLIDESHOWTIME, f.slideshowTime);
  dx.Range(IDC_SLIDESHOWTIME, f.slideshowTime, 1, 60);
  dx.Check(IDC_CURSORMODE, f.cursorMode);
  dx.Text(IDC_EXT_OPEN, f.extOpen);
  dx.Check(IDC_DISABLE_MONITOR, f.disableMonitor);
  dx.Check(IDC_DISABLE_SCREENSAVER, f.disableScreenSaver);
  dx.Check(IDC_MOVIE_ASPECT, f.movieChangeScreenSize);
  dx.Check(IDC_PICT_ASPECT, f.pictChangeScreenSize);
  dx.Int(IDC_FTIME, f.fTime);
  dx.Range(IDC_FTIME, f.fTime, 1, 600);
  dx.Int(IDC_RTIME, f.rTime);
  dx.Range(IDC_RTIME, f.rTime, 1, 600);
  dx.Check(IDC_TOPMOST, f.topmost);
  dx.Check(IDC_SINGLELINE, f.singleLine);
  dx.Check(IDC_DOUBLEEXEC, f.doubleExec);
  return dx.Ok();
}

void CSettingsDialog::OnOk() {
  // With no entry chosen (the current skin has no folder any more) the skin stays as it was.
  if (::SendMessageA(Item(IDC_SKIN), CB_GETCURSEL, 0, 0) != CB_ERR) m_fields.skin = ItemText(IDC_SKIN);
  fw::Dialog::OnOk();
}

void CSettingsDialog::OnBrowseHome(fw::Msg&) { BrowseInto(IDC_HOMEDIR); }
void CSettingsDialog::OnBrowseTv(fw::Msg&) { BrowseInto(IDC_TVDIR); }

void CSettingsDialog::BrowseInto(int editId) {
  const std::wstring folder = fw::BrowseForFolder(Hwnd(), kBrowseTitle, kBrowseFlags);
  if (!folder.empty()) PutChosenFolder(editId, folder);
}

bool CSettingsDialog::PutChosenFolder(int editId, const std::wstring& folder) {
  // TN.INI keeps the code page: a folder it cannot name goes in by its short path, or is refused whole.
  const std::optional<std::string> stored = CodePagePathOf(fw::Narrow(folder), fw::ShortPathOf(folder));
  if (!stored) {
    ShowMessage(fw::Widen(kFolderRefused) + L"\n" + folder);
    return false;
  }
  SetItemText(editId, *stored);
  return true;
}

void CSettingsDialog::FillSkinList() {
  std::vector<ListedItem> listing;
  const std::string skins = SkinsFolderOf(m_skinFolder);
  if (!skins.empty()) {
    SystemFileSystem().Search(fw::Widen(skins), [&](const FoundItem& item) {
      // A skin is named in TN.INI, in the code page: a folder it cannot name could never be loaded.
      if (fw::Widen(item.name) != item.wideName) return;
      listing.push_back({std::string(item.name), (item.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                         (item.attributes & FILE_ATTRIBUTE_HIDDEN) != 0});
    });
  }
  const HWND list = Item(IDC_SKIN);
  for (const std::string& name : SkinFolderNames(listing))
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  ::SendMessageA(list, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(kStandardSkinName));
  // The list's own search ignores case; the skin's name is compared exactly.
  const int count = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const int length = static_cast<int>(::SendMessageA(list, CB_GETLBTEXTLEN, i, 0));
    if (length < 0) continue;
    // The length asked for first may be larger than the text; the copy reports the real one.
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = ::SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    if (text == m_fields.skin) {
      ::SendMessageA(list, CB_SETCURSEL, i, 0);
      break;
    }
  }
}
