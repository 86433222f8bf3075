#include "browser/TagText.h"

#include <algorithm>
#include <cstdio>

#include "framework/Mbcs.h"
#include "framework/WidePath.h"
#include "res/ResourceIds.h"

namespace {

bool EndsWithBackslash(std::string_view s) {
  const std::size_t last = mbcs::FindLast(s, '\\');
  return last != std::string_view::npos && last + 1 == s.size();
}

std::string_view AfterLastBackslash(std::string_view s) {
  const std::size_t last = mbcs::FindLast(s, '\\');
  return last == std::string_view::npos ? s : s.substr(last + 1);
}

}  // namespace

std::string DoubleAmpersands(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 4);
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = mbcs::CharLength(text, i);
    if (n == 1 && text[i] == '&') out += '&';
    out.append(text.substr(i, n));
    i += n;
  }
  return out;
}

std::string TagPlainName(const FileEntry& entry) {
  std::string_view name = AfterLastBackslash(entry.name);
  if (entry.kind > 0xB00 || IsViaShortcut(entry.kind)) {
    const std::size_t dot = mbcs::FindLast(name, '.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
  }
  std::string shown(name);
  if (entry.kind == KIND_DRIVE) {
    shown += " (";
    shown.append(mbcs::CutBytes(entry.name, 2));
    shown += ')';
  }
  return shown;
}

std::string TagDisplayName(const FileEntry& entry) { return DoubleAmpersands(TagPlainName(entry)); }

std::wstring DoubleAmpersands(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size() + 4);
  for (wchar_t c : text) {
    if (c == L'&') out += L'&';
    out += c;
  }
  return out;
}

std::wstring TagDisplayWideName(const FileEntry& entry) {
  std::wstring_view name = wide::FileName(entry.widePath);
  if (entry.kind > 0xB00 || IsViaShortcut(entry.kind)) {
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring_view::npos) name = name.substr(0, dot);
  }
  std::wstring shown(name);
  if (entry.kind == KIND_DRIVE) {
    shown += L" (";
    shown.append(entry.widePath.substr(0, 2));
    shown += L')';
  }
  return DoubleAmpersands(shown);
}

std::string TagDateText(const LocalStamp& t) {
  static constexpr const char* kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
  const char* weekday = t.weekday >= 0 && t.weekday < 7 ? kWeekdays[t.weekday] : "?";
  char text[64];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d(%s)%02d:%02d", ((t.year % 100) + 100) % 100, t.month, t.day,
                weekday, t.hour, t.minute);
  return text;
}

bool ShowsDate(EntryKind kind, bool inTvFolder) {
  return KindClass(kind) == KIND_PICTURE || (kind > 0xB00 && inTvFolder);
}

std::int64_t DateShown(const FileEntry& entry) {
  return KindClass(entry.kind) == KIND_PICTURE ? entry.lastWriteTime : entry.creationTime;
}

std::string ListTitleText(int listMode, bool driveList, std::string_view currentDirectory,
                          std::string_view volumeLabel) {
  if (listMode == 1) return "プレイリスト";
  if (driveList) return "マイコンピュータ";
  std::string text;
  if (EndsWithBackslash(currentDirectory)) {
    text.assign(volumeLabel);
    text += " (";
    for (std::size_t i = 0; i < currentDirectory.size();) {
      const std::size_t n = mbcs::CharLength(currentDirectory, i);
      if (!(n == 1 && currentDirectory[i] == '\\')) text.append(currentDirectory.substr(i, n));
      i += n;
    }
    text += ')';
  } else {
    text.assign(AfterLastBackslash(currentDirectory));
  }
  return text;
}

TagIcon IconForKind(EntryKind kind, int listMode) {
  switch (KindClass(kind)) {
    case KIND_HOME:
      return {"HOMESW.bmp", IDB_HOMESW};
    case KIND_CLEAR_PLAYLIST:
      return {"REMOVEPLSW.bmp", IDB_REMOVEPLSW};
    case KIND_SHOW_FILES:
      return {"FILELISTSW.bmp", IDB_FILELISTSW};
    case KIND_PLAY_PLAYLIST:
      return {"PLAYPLAYLISTSW.bmp", IDB_PLAYPLAYLISTSW};
    case KIND_ADD_FOLDER:
      return {"ADDPLAYLISTSW.bmp", IDB_ADDPLAYLISTSW};
    case KIND_PARENT:
    case KIND_PARENT_ROOT:
      return {"1UPSW.bmp", IDB_1UPSW};
    case KIND_DRIVE:
      return {"DRIVESW.bmp", IDB_DRIVESW};
    case KIND_FOLDER:
      return {"FOLDERSW.bmp", IDB_FOLDERSW};
    case KIND_OPEN:
      return {"OPENSW.bmp", IDB_OPENSW};
    default:
      break;
  }
  if (listMode != 0 && listMode != 1) return {};
  const bool playlist = listMode == 1;
  switch (KindClass(kind)) {
    case KIND_VIDEO:
      return playlist ? TagIcon{"VIDEOPLSW.bmp", IDB_VIDEOPLSW} : TagIcon{"VIDEOSW.bmp", IDB_VIDEOSW};
    case KIND_AUDIO:
      return playlist ? TagIcon{"MUSICPLSW.bmp", IDB_MUSICPLSW} : TagIcon{"MUSICSW.bmp", IDB_MUSICSW};
    case KIND_PICTURE:
      return playlist ? TagIcon{"PICTUREPLSW.bmp", IDB_PICTUREPLSW} : TagIcon{"PICTURESW.bmp", IDB_PICTURESW};
    default:
      return {};
  }
}

int WrappedFontSize(int size, int rowHeight, const std::function<int(int size)>& textHeight, int minSize) {
  size = std::min(size, kMaxTagFontSize);
  while (size >= minSize + 10 && 2 * textHeight(size) > rowHeight) size -= 10;
  return size;
}

WarpPoint PointerWarp(const geo::Rect& row, int pointerX) {
  int x = pointerX;
  if (pointerX < row.left + 40)
    x = row.left + 48;
  else if (pointerX > row.right)
    x = row.right - 16;
  return {x, row.top + 2 * (row.Height() / 3)};
}
