#include "config/SkinDefinition.h"

#include <cstdio>

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
  // A missing colour key reads as the default's own six digits, which SkinColor turns back into it.
  auto colour = [&](const char* section, const char* key, SkinColorRef fallback) {
    char digits[7];
    std::snprintf(digits, sizeof digits, "%06x", static_cast<unsigned>(fallback));
    return SkinColor(text(section, key, digits, 6));
  };
  auto size = [&](const char* key, int fallback) { return ReadProfileInt(ini, "STRING", key, fallback); };

  listTitleFont = text("STRING", "LISTTITLE_FONT", d.listTitleFont, 255);
  listTitleFontSize = size("LISTTITLE_FONTSIZE", d.listTitleFontSize);
  listTitleColor = colour("STRING", "LISTTITLE_COLOR", d.listTitleColor);
  listTitleFrameColor = colour("STRING", "LISTTITLEFRAME_COLOR", d.listTitleFrameColor);
  tagFont = text("STRING", "TAG_FONT", d.tagFont, 255);
  tagFontSize = size("TAG_FONTSIZE", d.tagFontSize);
  tagNormalColor = colour("STRING", "TAGNORMAL_COLOR", d.tagNormalColor);
  tagCursorColor = colour("STRING", "TAGCURSOR_COLOR", d.tagCursorColor);
  tagPlayingColor = colour("STRING", "TAGPLAYING_COLOR", d.tagPlayingColor);
  timeFont = text("STRING", "TIME_FONT", d.timeFont, 255);
  timeFontSize = size("TIME_FONTSIZE", d.timeFontSize);
  timeNormalColor = colour("STRING", "TIMENORMAL_COLOR", d.timeNormalColor);
  timeNormalFrameColor = colour("STRING", "TIMENORMALFRAME_COLOR", d.timeNormalFrameColor);
  timeCursorColor = colour("STRING", "TIMECURSOR_COLOR", d.timeCursorColor);
  timeCursorFrameColor = colour("STRING", "TIMECURSORFRAME_COLOR", d.timeCursorFrameColor);
  timePlayingColor = colour("STRING", "TIMEPLAYING_COLOR", d.timePlayingColor);
  timePlayingFrameColor = colour("STRING", "TIMEPLAYINGFRAME_COLOR", d.timePlayingFrameColor);
  sliderBaseColor = colour("SLIDER", "BASE_COLOR", d.sliderBaseColor);
  sliderBaseFrameColor = colour("SLIDER", "BASEFRAME_COLOR", d.sliderBaseFrameColor);
  sliderBarColor = colour("SLIDER", "BAR_COLOR", d.sliderBarColor);
  sliderOnBarColor = colour("SLIDER", "ONBAR_COLOR", d.sliderOnBarColor);
  sliderBarFrameColor = colour("SLIDER", "BARFRAME_COLOR", d.sliderBarFrameColor);
  wallpaperFile = text("WALLPAPER", "FILENAME", d.wallpaperFile, 259);
}
