#pragma once
// The current skin: its folder below the program's folder, and the fonts, colours and wallpaper name of
// its TNSKIN.INI.

#include <cstdint>
#include <string>
#include <string_view>

#include "config/Profile.h"
#include "controls/SkinLook.h"

// A colour value read from six hexadecimal digits taken as one number, so the text reads blue, green,
// red: "226666" is red 0x66, green 0x66, blue 0x22. The hexadecimal conversion of at most the first six characters (leading blanks, a sign and a "0x"
// prefix accepted; it stops at the first character that is not a hex digit). Text that does not start
// with a number gives 0. Only the low 24 bits are kept, so a negative number still gives a colour.
SkinColorRef SkinColor(std::string_view text);

// The folder and the sliders' colours are the controls' part (SkinLook).
class CSkinDefinition : public SkinLook {
 public:
  std::string listTitleFont = "ＭＳ Ｐゴシック";
  int listTitleFontSize = 240;  // tenths of a point
  SkinColorRef listTitleColor = SkinColor("00ff00");
  SkinColorRef listTitleFrameColor = SkinColor("335533");
  std::string tagFont = "ＭＳ Ｐゴシック";
  int tagFontSize = 240;
  SkinColorRef tagNormalColor = SkinColor("eeeeee");
  SkinColorRef tagCursorColor = SkinColor("333333");
  SkinColorRef tagPlayingColor = SkinColor("eeeeee");
  std::string timeFont = "ＭＳ Ｐゴシック";
  int timeFontSize = 180;
  SkinColorRef timeNormalColor = SkinColor("eeeeee");
  SkinColorRef timeNormalFrameColor = SkinColor("226666");
  SkinColorRef timeCursorColor = SkinColor("888888");
  SkinColorRef timeCursorFrameColor = SkinColor("111111");
  SkinColorRef timePlayingColor = SkinColor("eeeeee");
  SkinColorRef timePlayingFrameColor = SkinColor("226666");
  std::string wallpaperFile;  // relative to the skin folder; empty: no wallpaper
  std::string skinName = "標準";

  // Re-reads TNSKIN.INI of the skin named skinName below the program's folder and sets the skin folder.
  void Load();
  // The same from a profile, with the skin folder already known. Missing keys give the defaults.
  void LoadFrom(Profile& ini, const std::string& folder);

  // The folder of a skin: programFolder + "skin\" + name + "\". A name that is not one plain folder name
  // (empty, "." or "..", or holding a path separator or a drive colon) would lead out of the skin folder:
  // the standard skin's folder is taken instead.
  static std::string FolderOf(const std::string& programFolder, const std::string& name);
  static bool IsPlainSkinName(std::string_view name);
};
