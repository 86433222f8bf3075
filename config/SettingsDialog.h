#pragma once
// The settings dialog (template IDD_SETTINGS): every user setting of TN.INI and the skin, edited on the
// dialog's own copy of the settings; the caller takes the copy back only after OK.

#include <string>

#include "config/Settings.h"
#include "framework/Dialog.h"

class CSettingsDialog : public fw::Dialog {
 public:
  // The fields start as settings; the skin list is made from the folder that holds skinFolder; the
  // dialog is centred over centreOn.
  CSettingsDialog(const Settings& settings, std::string skinFolder, HWND centreOn);

  // The dialog's fields: after OK, what the user chose.
  const Settings& Fields() const { return m_fields; }

  static constexpr char kBrowseTitle[] = "フォルダを選択してください。";
  // Only file-system folders, with the browser's status text.
  static constexpr UINT kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  // Shown above the name of a chosen folder that TN.INI cannot hold.
  static constexpr char kFolderRefused[] = "このフォルダは名前にTN.INIで使えない文字を含み、短い名前もないため設定できません。";

  // The folder chosen in the browser goes into the edit: its path, or its short path where the code page
  // cannot hold the path; neither (the edit stays as it was, a message names the folder): false.
  bool PutChosenFolder(int editId, const std::wstring& folder);

 protected:
  bool OnMessage(fw::Msg& m) override;
  void OnInit() override;
  bool Exchange(bool save) override;
  void OnOk() override;

 private:
  void OnBrowseHome(fw::Msg& m);
  void OnBrowseTv(fw::Msg& m);
  void BrowseInto(int editId);
  void FillSkinList();

  Settings m_fields;
  std::string m_skinFolder;
  HWND m_centreOn;
};
