// The settings dialog's rules without the dialog: the framework's integer rule and its messages, the
// skin list, the fields going back into the record, the dialog's place.
#include "config/SettingsDialogModel.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "framework/DialogText.h"
#include "framework/Geometry.h"
#include "native/MemoryProfile.h"

TEST(SettingsDialog, AnIntegerEditHoldsASignedNumberWithBlanksAroundAndNothingElse) {
  struct Case {
    const char* text;
    std::optional<int> value;
  } const cases[] = {
      {"5", 5},
      {" 60 ", 60},
      {"\t-3\t", -3},
      {"+7", 7},
      {"0", 0},
      {"  00", 0},
      {"2147483647", INT_MAX},
      {"-2147483648", INT_MIN},
      // Beyond 32 bits: the nearest end, which no range accepts.
      {"2147483648", INT_MAX},
      {"99999999999999999999", INT_MAX},
      {"-99999999999999999999", INT_MIN},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {"5x", std::nullopt},
      {"1 2", std::nullopt},
      {"-", std::nullopt},
      {"-0", std::nullopt},
      {"+0", std::nullopt},
      {"0x10", std::nullopt},
      {"1.5", std::nullopt},
      {"１０", std::nullopt},      // full-width digits
      {"\x81\x40" "5", std::nullopt},  // a full-width blank
  };
  for (const Case& c : cases) EXPECT_EQ(fw::ParseDialogInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(SettingsDialog, TheRangeMessageNamesTheBounds) {
  EXPECT_EQ(fw::IntegerRangeMessage(1, 60), "1 から 60 までの整数を入力してください。");
  EXPECT_EQ(fw::IntegerRangeMessage(1, 600), "1 から 600 までの整数を入力してください。");
  EXPECT_EQ(fw::IntegerRangeMessage(-5, 0), "-5 から 0 までの整数を入力してください。");
  EXPECT_EQ(fw::FormatMessageArgs("%2/%1/%1%3%", "a", "表"), "表/a/a%3%");
  EXPECT_EQ(std::string(fw::kNotAnIntegerMessage), "整数を入力してください。");
}

TEST(SettingsDialog, TheSkinsFolderIsTheCurrentSkinsParent) {
  struct Case {
    const char* skinFolder;
    const char* skins;
  } const cases[] = {
      {"C:\\Tarnvale\\skin\\標準\\", "C:\\Tarnvale\\skin\\"},
      // 表 and ソ end in the byte of a backslash.
      {"C:\\Tarnvale\\skin\\表\\", "C:\\Tarnvale\\skin\\"},
      {"Z:\\ソフト\\skin\\ソ\\", "Z:\\ソフト\\skin\\"},
      {"C:\\Tarnvale\\skin\\Blue", "C:\\Tarnvale\\skin\\"},
      {"C:\\Tarnvale\\skin\\\\", "C:\\Tarnvale\\skin\\"},  // an empty skin name
      {"skin", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(SkinsFolderOf(c.skinFolder), c.skins) << c.skinFolder;
}

TEST(SettingsDialog, TheSkinListOffersTheVisibleFolders) {
  const std::vector<ListedItem> listing = {
      {".", true, false},     {"..", true, false},      {"Blue", true, false}, {"secret", true, true},
      {"TNSKIN.INI", false, false}, {"標準", true, false}, {"表", true, false},  {"a.bmp", false, true},
  };
  EXPECT_EQ(SkinFolderNames(listing), (std::vector<std::string>{"Blue", "標準", "表"}));
  EXPECT_TRUE(SkinFolderNames({}).empty());
}

TEST(SettingsDialog, OkCopiesEveryFieldAndKeepsThePlayMode) {
  Settings record;
  record.playMode = 3;
  Settings fields;
  fields.homeDir = "D:\\ホーム";
  fields.tvDir = "D:\\TV";
  fields.fullScreen = true;
  fields.movieChangeScreenSize = true;
  fields.pictChangeScreenSize = false;
  fields.disableScreenSaver = true;
  fields.disableMonitor = true;
  fields.extVideo = "AVI,Mp4(q)";  // stored as typed: lower case only at the next start
  fields.extAudio = "mp3";
  fields.extPicture = "jpg(p)";
  fields.extOpen = "";
  fields.slideshowTime = 60;
  fields.cursorMode = true;
  fields.fTime = 600;
  fields.rTime = 1;
  fields.topmost = true;
  fields.singleLine = true;
  fields.doubleExec = true;
  fields.skin = "Blue";
  fields.playMode = 1;  // not a field of the dialog
  ApplyDialogFields(fields, record);
  Settings expected = fields;
  expected.playMode = 3;
  EXPECT_EQ(record, expected);
}

TEST(SettingsDialog, ALongTextIsCutAtACharacterSoTheNextStartReadsWhatWasSaved) {
  Settings fields;
  fields.homeDir = std::string(254, 'h') + "表示";  // the 255th byte is a lead byte
  fields.extOpen = std::string(300, 'x');
  fields.skin = std::string(255, 's');
  Settings record;
  ApplyDialogFields(fields, record);
  EXPECT_EQ(record.homeDir, std::string(254, 'h'));
  EXPECT_EQ(record.extOpen, std::string(255, 'x'));
  EXPECT_EQ(record.skin, fields.skin);

  test::MemoryProfile ini;
  SaveSettings(ini, record);
  EXPECT_EQ(LoadSettings(ini, "Tarnvale 3.5P"), record);
}

TEST(SettingsDialog, TheDialogStandsCentredOverTheViewInsideTheWorkArea) {
  const geo::Rect work{0, 0, 1280, 1000};
  struct Case {
    geo::Rect over;
    geo::Rect placed;
  } const cases[] = {
      {{100, 100, 740, 580}, {120, 140, 720, 540}},    // 600 × 400 over a 640 × 480 view
      {{-500, -300, 140, 180}, {0, 0, 600, 400}},      // the view mostly off the screen
      {{1000, 900, 1640, 1380}, {680, 600, 1280, 1000}},
      {{0, 0, 1280, 1000}, {340, 300, 940, 700}},
  };
  for (const Case& c : cases) EXPECT_EQ(geo::CentreOver(c.over, 600, 400, work), c.placed);
  // Larger than the area: its top left corner stays on the screen.
  EXPECT_EQ(geo::CentreOver({0, 0, 100, 100}, 2000, 1200, work), (geo::Rect{0, 0, 2000, 1200}));
}
