#include "config/SkinDefinition.h"

#include "framework/Mbcs.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

SkinColorRef SkinColor(std::string_view text) {
  text = text.substr(0, 6);
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
      i + 2 < text.size() && HexDigit(text[i + 2]) >= 0)
    i += 2;
  std::uint32_t value = 0;
  for (; i < text.size() && HexDigit(text[i]) >= 0; ++i) value = value * 16 + static_cast<std::uint32_t>(HexDigit(text[i]));
  if (negative) value = 0u - value;
  return value & 0x00FFFFFFu;
}

bool CSkinDefinition::IsPlainSkinName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (std::size_t i = 0; i < name.size(); i += mbcs::CharLength(name, i))
    if (name[i] == '\\' || name[i] == '/' || name[i] == ':') return false;
  return true;
}

std::string CSkinDefinition::FolderOf(const std::string& programFolder, const std::string& name) {
  return programFolder + "skin\\" + (IsPlainSkinName(name) ? name : std::string("標準")) + "\\";
}

void CSkinDefinition::LoadFrom(Profile& ini, const std::string& folder) {
  const CSkinDefinition d;  // the defaults
  skinFolder = folder;
  auto text = [&](const char* section, const char* key, const std::string& fallback, std::size_t max) {
    return std::string(mbcs::CutBytes(ini.ReadString(section, key, fallback.c_str()), max));
  };
  auto colour = [&](const char* key, const char* fallback) {
    return SkinColor(text("STRING", key, fallback, 6));
  };
  auto size = [&](const char* key, int fallback) { return ReadProfileInt(ini, "STRING", key, fallback); };

  listTitleFont = text("STRING", "LISTTITLE_FONT", d.listTitleFont, 255);
  listTitleFontSize = size("LISTTITLE_FONTSIZE", d.listTitleFontSize);
  listTitleColor = colour("LISTTITLE_COLOR", "00ff00");
  listTitleFrameColor = colour("LISTTITLEFRAME_COLOR", "335533");
  tagFont = text("STRING", "TAG_FONT", d.tagFont, 255);
  tagFontSize = size("TAG_FONTSIZE", d.tagFontSize);
  tagNormalColor = colour("TAGNORMAL_COLOR", "eeeeee");
  tagCursorColor = colour("TAGCURSOR_COLOR", "333333");
  tagPlayingColor = colour("TAGPLAYING_COLOR", "eeeeee");
  timeFont = text("STRING", "TIME_FONT", d.timeFont, 255);
  timeFontSize = size("TIME_FONTSIZE", d.timeFontSize);
  timeNormalColor = colour("TIMENORMAL_COLOR", "eeeeee");
  timeNormalFrameColor = colour("TIMENORMALFRAME_COLOR", "226666");
  timeCursorColor = colour("TIMECURSOR_COLOR", "888888");
  timeCursorFrameColor = colour("TIMECURSORFRAME_COLOR", "111111");
  timePlayingColor = colour("TIMEPLAYING_COLOR", "eeeeee");
  timePlayingFrameColor = colour("TIMEPLAYINGFRAME_COLOR", "226666");
  sliderBaseColor = SkinColor(text("SLIDER", "BASE_COLOR", "c0c0c0", 6));
  sliderBaseFrameColor = SkinColor(text("SLIDER", "BASEFRAME_COLOR", "000000", 6));
  sliderBarColor = SkinColor(text("SLIDER", "BAR_COLOR", "ffffff", 6));
  sliderOnBarColor = SkinColor(text("SLIDER", "ONBAR_COLOR", "00ff00", 6));
  sliderBarFrameColor = SkinColor(text("SLIDER", "BARFRAME_COLOR", "000000", 6));
  wallpaperFile = text("WALLPAPER", "FILENAME", "", 259);
}
