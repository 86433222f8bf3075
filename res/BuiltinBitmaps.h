#pragma once
// The built-in bitmap strips: the resource each skin file falls back to, its size and its frames. The
// resource script embeds them, tools/resgen draws them (and a contact sheet of all of them, laid out as
// below), and the tests walk the same table. Win32-free, so the host tool can include it.

#include <cstddef>

#include "res/ResourceIds.h"

struct BuiltinBitmap {
  unsigned id;
  const char* file;  // the skin file it stands in for, also the generated file's name
  int width, height;
  int frameWidth, frameCount;
};

inline constexpr BuiltinBitmap kBuiltinBitmaps[] = {
    {IDB_NUMBER, "NUMBER.bmp", 208, 32, 16, 13},
    {IDB_INDICATOR, "INDICATOR.bmp", 160, 32, 32, 5},
    {IDB_VOLUME, "volume.bmp", 16, 16, 16, 1},
    {IDB_SETTINGSW, "SETTINGSW.bmp", 128, 32, 32, 4},
    {IDB_PLAYSW, "PLAYSW.bmp", 128, 32, 32, 4},
    {IDB_STOPSW, "STOPSW.bmp", 128, 32, 32, 4},
    {IDB_FSW, "FSW.bmp", 128, 32, 32, 4},
    {IDB_RSW, "RSW.bmp", 128, 32, 32, 4},
    {IDB_MINSW, "MINSW.bmp", 128, 32, 32, 4},
    {IDB_MAXSW, "MAXSW.bmp", 128, 32, 32, 4},
    {IDB_MIDSW, "MIDSW.bmp", 128, 32, 32, 4},
    {IDB_BATUSW, "BATUSW.bmp", 128, 32, 32, 4},
    {IDB_PAUSESW, "PAUSESW.bmp", 128, 32, 32, 4},
    {IDB_TAGBK, "TAGBK.bmp", 128, 36, 32, 4},
    {IDB_NAMESORTFSW, "NAMESORTFSW.bmp", 128, 32, 32, 4},
    {IDB_TIMESORTFSW, "TIMESORTFSW.bmp", 128, 32, 32, 4},
    {IDB_HOMESW, "HOMESW.bmp", 128, 32, 32, 4},
    {IDB_1UPSW, "1UPSW.bmp", 128, 32, 32, 4},
    {IDB_FFSW, "FFSW.bmp", 128, 32, 32, 4},
    {IDB_RRSW, "RRSW.bmp", 128, 32, 32, 4},
    {IDB_FILELISTSW, "FILELISTSW.bmp", 128, 32, 32, 4},
    {IDB_REPEATALLSW, "REPEATALLSW.bmp", 128, 32, 32, 4},
    {IDB_PLAYLISTSW, "PLAYLISTSW.bmp", 128, 32, 32, 4},
    {IDB_MUSICSW, "MUSICSW.bmp", 128, 32, 32, 4},
    {IDB_FOLDERSW, "FOLDERSW.bmp", 128, 32, 32, 4},
    {IDB_PICTURESW, "PICTURESW.bmp", 128, 32, 32, 4},
    {IDB_VIDEOSW, "VIDEOSW.bmp", 128, 32, 32, 4},
    {IDB_OPENSW, "OPENSW.bmp", 128, 32, 32, 4},
    {IDB_LISTHIDESW, "LISTHIDESW.bmp", 128, 32, 32, 4},
    {IDB_NAMESORTRSW, "NAMESORTRSW.bmp", 128, 32, 32, 4},
    {IDB_TIMESORTRSW, "TIMESORTRSW.bmp", 128, 32, 32, 4},
    {IDB_REMOVEPLSW, "REMOVEPLSW.bmp", 128, 32, 32, 4},
    {IDB_ADDPLAYLISTSW, "ADDPLAYLISTSW.bmp", 128, 32, 32, 4},
    {IDB_PLAYPLAYLISTSW, "PLAYPLAYLISTSW.bmp", 128, 32, 32, 4},
    {IDB_MUSICPLSW, "MUSICPLSW.bmp", 128, 32, 32, 4},
    {IDB_VIDEOPLSW, "VIDEOPLSW.bmp", 128, 32, 32, 4},
    {IDB_PICTUREPLSW, "PICTUREPLSW.bmp", 128, 32, 32, 4},
    {IDB_REPEAT1SW, "REPEAT1SW.bmp", 128, 32, 32, 4},
    {IDB_RANDOMSW, "RANDOMSW.bmp", 128, 32, 32, 4},
    {IDB_NOREPEATSW, "NOREPEATSW.bmp", 128, 32, 32, 4},
    {IDB_DRIVESW, "DRIVESW.bmp", 128, 32, 32, 4},
};
inline constexpr std::size_t kBuiltinBitmapCount = sizeof kBuiltinBitmaps / sizeof kBuiltinBitmaps[0];

// The palette colour that every see-through pixel of the built-in strips holds: the panels' colour key.
inline constexpr int kKeyRed = 128, kKeyGreen = 0, kKeyBlue = 128;

// The contact sheet: a title band, then the strips in table order, two to a row. Each cell holds the label,
// the strip as it is stored (see-through pixels in the key colour), and the strip as a panel shows it.
namespace sheet {

inline constexpr int kColumns = 2;
inline constexpr int kTitleHeight = 24;
inline constexpr int kCellWidth = 552;
inline constexpr int kCellHeight = 46;
inline constexpr int kLabelLeft = 8;    // within the cell
inline constexpr int kStripLeft = 120;  // the stored strip, within the cell
inline constexpr int kShownLeft = 336;  // the strip over a panel background, within the cell
inline constexpr int kStripTop = 5;
inline constexpr int kRows = static_cast<int>((kBuiltinBitmapCount + kColumns - 1) / kColumns);
inline constexpr int kWidth = kColumns * kCellWidth;
inline constexpr int kHeight = kTitleHeight + kRows * kCellHeight;

struct Origin {
  int x, y;
};

constexpr Origin CellOrigin(std::size_t index) {
  return {static_cast<int>(index % kColumns) * kCellWidth,
          kTitleHeight + static_cast<int>(index / kColumns) * kCellHeight};
}

// Where the stored strip of table entry index has its top-left pixel.
constexpr Origin StripOrigin(std::size_t index) {
  Origin cell = CellOrigin(index);
  return {cell.x + kStripLeft, cell.y + kStripTop};
}

}  // namespace sheet
