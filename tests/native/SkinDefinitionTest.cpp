#include "config/SkinDefinition.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class MapProfile : public Profile {
 public:
  std::map<std::string, std::string> keys;
  std::string ReadString(const char* section, const char* key, const char* fallback) override {
    auto it = keys.find(std::string(section) + "/" + key);
    return it == keys.end() ? fallback : it->second;
  }
  bool WriteString(const char*, const char*, const char*) override { return false; }
};

}  // namespace

TEST(SkinColor, SixHexDigitsReadAsBlueGreenRed) {
  struct Case {
    const char* text;
    std::uint32_t colour;
  } const cases[] = {
      {"226666", 0x226666},  // red 0x66, green 0x66, blue 0x22
      {"0000ff", 0x0000FF},  // the last two digits are red
      {"00ff00", 0x00FF00},
      {"eeeeee12", 0xEEEEEE},  // cut to six characters
      {"0x00ff00", 0x00FF},    // "0x00ff" once cut
      {"  ff", 0xFF},          // leading blanks
      {"12zz34", 0x12},        // stops at the first non-hex character
      {"zz", 0},               // not a number: black
      {"", 0},
      {"-1", 0xFFFFFF},        // a sign is accepted; only 24 bits are a colour
      {"+ab", 0xAB},
      {"0x", 0},
      {"表示", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(SkinColor(c.text), c.colour) << c.text;
}

TEST(SkinDefinition, MissingFileGivesTheDefaults) {
  MapProfile none;
  CSkinDefinition d;
  d.LoadFrom(none, "C:\\prog\\skin\\標準\\");
  EXPECT_EQ(d.skinFolder, "C:\\prog\\skin\\標準\\");
  EXPECT_EQ(d.tagNormalColor, 0xEEEEEEu);
  EXPECT_EQ(d.tagCursorColor, 0x333333u);
  EXPECT_EQ(d.timeNormalFrameColor, 0x226666u);
  EXPECT_EQ(d.listTitleColor, 0x00FF00u);
  EXPECT_EQ(d.sliderBaseColor, 0xC0C0C0u);
  EXPECT_EQ(d.tagFontSize, 240);
  EXPECT_EQ(d.timeFontSize, 180);
  EXPECT_EQ(d.tagFont, "ＭＳ Ｐゴシック");
  EXPECT_EQ(d.wallpaperFile, "");
  EXPECT_EQ(CSkinDefinition::FolderOf("C:\\prog\\", "黒"), "C:\\prog\\skin\\黒\\");
}

TEST(SkinDefinition, StoredValuesAndGarbage) {
  MapProfile ini;
  ini.keys["STRING/TAGCURSOR_COLOR"] = "0000ff";
  ini.keys["STRING/TAG_FONTSIZE"] = "120";
  ini.keys["STRING/TIME_FONTSIZE"] = "big";
  ini.keys["STRING/LISTTITLE_FONT"] = std::string(300, 'f');
  ini.keys["SLIDER/ONBAR_COLOR"] = "0xff0000";
  ini.keys["WALLPAPER/FILENAME"] = "壁紙.jpg";
  CSkinDefinition d;
  d.LoadFrom(ini, "x\\");
  EXPECT_EQ(d.tagCursorColor, 0x0000FFu);
  EXPECT_EQ(d.tagFontSize, 120);
  EXPECT_EQ(d.timeFontSize, 180);
  EXPECT_EQ(d.listTitleFont.size(), 255u);
  EXPECT_EQ(d.sliderOnBarColor, 0xFF00u);
  EXPECT_EQ(d.wallpaperFile, "壁紙.jpg");
}

TEST(SkinDefinition, ASkinNameNeverLeadsOutOfTheSkinFolder) {
  EXPECT_EQ(CSkinDefinition::FolderOf("C:\\P\\", "ocean"), "C:\\P\\skin\\ocean\\");
  EXPECT_EQ(CSkinDefinition::FolderOf("C:\\P\\", "表示"), "C:\\P\\skin\\表示\\");  // 表 ends in 0x5C
  for (const char* name : {"..\\..\\Windows", "..", ".", "", "a/b", "C:x", "sub\\dir"})
    EXPECT_EQ(CSkinDefinition::FolderOf("C:\\P\\", name), "C:\\P\\skin\\標準\\") << name;
}
