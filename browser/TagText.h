#pragma once
// What the list rows and the list's title bar show, as text and numbers: the displayed name of an entry,
// the date stamp, the title of the listed folder, the icon of a kind, the name font's reduction and the
// pointer warp of the jog-dial mode. Win32-free.

#include <functional>
#include <string>
#include <string_view>

#include "browser/FileEntry.h"
#include "framework/Geometry.h"

// Every '&' doubled, so that the system's text drawing shows it instead of taking it for a mnemonic.
std::string DoubleAmpersands(std::string_view text);

// The name a row shows: the part after the last backslash; media files and shortcuts without their
// extension; a drive as its label followed by " (C:)".
std::string TagPlainName(const FileEntry& entry);
// The same with its ampersands doubled, as the row draws it.
std::string TagDisplayName(const FileEntry& entry);
// The same rule on the entry's wide path, with the ampersands doubled: what the row draws, so that a name
// outside the code page shows as it is. Empty for an entry without one (a command entry).
std::wstring TagDisplayWideName(const FileEntry& entry);
// Every '&' doubled.
std::wstring DoubleAmpersands(std::wstring_view text);

// A local date and time as the rows show it: "%y/%m/%d(曜)%H:%M", e.g. 05/03/12(土)21:30.
struct LocalStamp {
  int year = 1970, month = 1, day = 1;  // full year, 1-12, 1-31
  int weekday = 0;                      // 0 Sunday … 6 Saturday
  int hour = 0, minute = 0;
};
std::string TagDateText(const LocalStamp& t);

// Whether a row shows a date: pictures always, other files in the TV recording folder.
bool ShowsDate(EntryKind kind, bool inTvFolder);
// The time a row shows: the last-write time for pictures, the creation time for the others.
std::int64_t DateShown(const FileEntry& entry);

// The title of the list bar. List mode 1: "プレイリスト". List mode 0: "マイコンピュータ" in the drive list;
// for a drive root (ends with a backslash) its label, " (", the root without backslashes and ")"; else the
// folder's own name.
std::string ListTitleText(int listMode, bool driveList, std::string_view currentDirectory,
                          std::string_view volumeLabel);

// The icon strip of a row by its kind and the list mode: the skin file and the built-in resource; none
// (file null) for kinds without one.
struct TagIcon {
  const char* file = nullptr;
  unsigned resource = 0;
};
TagIcon IconForKind(EntryKind kind, int listMode);

// The name font's size for word-wrapped drawing: from size down in steps of 10 (one point) while two
// lines of textHeight(size) pixels are taller than the row, but never below minSize. A skin may name any
// size; the steps start at kMaxTagFontSize at most, a size two lines of which no row can hold, so that an
// absurd one costs a bounded number of trial fonts.
inline constexpr int kMinTagFontSize = 60;     // tenths of a point
inline constexpr int kMaxTagFontSize = 7200;
int WrappedFontSize(int size, int rowHeight, const std::function<int(int size)>& textHeight,
                    int minSize = kMinTagFontSize);

// Where the jog-dial mode puts the pointer when the cursor moved to the row at screen rectangle r by key
// or wheel: two thirds down the row, and inside it horizontally.
struct WarpPoint {
  int x, y;
  friend constexpr bool operator==(const WarpPoint&, const WarpPoint&) = default;
};
WarpPoint PointerWarp(const geo::Rect& row, int pointerX);
