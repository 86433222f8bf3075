#include "config/SettingsDialogModel.h"

#include "framework/Mbcs.h"

std::string SkinsFolderOf(std::string_view skinFolder) {
  std::string_view s = skinFolder;
  const std::size_t last = mbcs::FindLast(s, '\\');
  if (last != std::string_view::npos && last + 1 == s.size()) s.remove_suffix(1);
  const std::size_t parent = mbcs::FindLast(s, '\\');
  return parent == std::string_view::npos ? std::string() : std::string(s.substr(0, parent + 1));
}

std::vector<std::string> SkinFolderNames(const std::vector<ListedItem>& listing) {
  std::vector<std::string> names;
  for (const ListedItem& item : listing)
    if (item.folder && !item.hidden && item.name != "." && item.name != ".." && !item.name.empty())
      names.push_back(item.name);
  return names;
}

void ApplyDialogFields(const Settings& fields, Settings& record) {
  auto text = [](const std::string& typed) { return std::string(mbcs::CutBytes(typed, kMaxSettingText)); };
  record.homeDir = text(fields.homeDir);
  record.tvDir = text(fields.tvDir);
  record.fullScreen = fields.fullScreen;
  record.movieChangeScreenSize = fields.movieChangeScreenSize;
  record.pictChangeScreenSize = fields.pictChangeScreenSize;
  record.disableScreenSaver = fields.disableScreenSaver;
  record.disableMonitor = fields.disableMonitor;
  record.extVideo = text(fields.extVideo);
  record.extAudio = text(fields.extAudio);
  record.extPicture = text(fields.extPicture);
  record.extOpen = text(fields.extOpen);
  record.slideshowTime = fields.slideshowTime;
  record.cursorMode = fields.cursorMode;
  record.fTime = fields.fTime;
  record.rTime = fields.rTime;
  record.topmost = fields.topmost;
  record.singleLine = fields.singleLine;
  record.doubleExec = fields.doubleExec;
  record.skin = text(fields.skin);
}
