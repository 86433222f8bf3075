#include "config/Settings.h"

#include <gtest/gtest.h>

#include "native/MemoryProfile.h"

namespace {

using test::MemoryProfile;

constexpr char kTitle[] = "Tarnvale 3.5P";

}  // namespace

TEST(Settings, DefaultsOfAnEmptyFile) {
  MemoryProfile ini;
  Settings s = LoadSettings(ini, kTitle);
  EXPECT_EQ(s.homeDir, "");
  EXPECT_FALSE(s.fullScreen);
  EXPECT_TRUE(s.pictChangeScreenSize);
  EXPECT_EQ(s.extVideo, "avi,mpg,mp2,wmv,asf,m2v,mp4(q),mov(q),qt(q),ra(r),ram(r),rm(r),rmvb(r)");
  EXPECT_EQ(s.extAudio, "wav,mp3,wma,mid,m2a,m4a");
  EXPECT_EQ(s.extPicture, "bmp(p),jpg(p),jpeg(p)");
  EXPECT_EQ(s.extOpen, "txt,url,exe");
  EXPECT_EQ(s.slideshowTime, 5);
  EXPECT_EQ(s.fTime, 10);
  EXPECT_EQ(s.rTime, 10);
  EXPECT_EQ(s.playMode, 0);
  EXPECT_EQ(s.skin, "標準");
  EXPECT_DOUBLE_EQ(LoadVolumeFraction(ini), 0.5);
  EXPECT_TRUE(ini.writes.empty());
}

TEST(Settings, EditionLetterChoosesTheVideoList) {
  EXPECT_EQ(DefaultSettings("Tarnvale 3.5N").extVideo, "avi,mpg,mp2,wmv,asf,m2v,mp4(q)");
  EXPECT_NE(DefaultSettings("Tarnvale 3.5P").extVideo.find("rmvb(r)"), std::string::npos);
  EXPECT_NE(DefaultSettings("").extVideo.find("mov(q)"), std::string::npos);
}

TEST(Settings, StoredValuesWinAndExtensionListsAreLowerCased) {
  MemoryProfile ini;
  ini.keys["CONFIG/EXT_VIDEO"] = "AVI,MPG";
  ini.keys["CONFIG/EXT_AUDIO"] = "MP3,ＷＡＶ表";
  ini.keys["CONFIG/HOMEDIR"] = "D:\\Media\\表";
  ini.keys["CONFIG/CURSORMODE"] = "7";
  ini.keys["CONFIG/SKIN"] = "ソフト";
  Settings s = LoadSettings(ini, kTitle);
  EXPECT_EQ(s.extVideo, "avi,mpg");
  EXPECT_EQ(s.extAudio, "mp3,ＷＡＶ表");  // full-width letters and the 0x5C trail byte survive
  EXPECT_EQ(s.homeDir, "D:\\Media\\表");  // only the extension lists are lower-cased
  EXPECT_TRUE(s.cursorMode);
  EXPECT_EQ(s.skin, "ソフト");

  MemoryProfile out;
  SaveSettings(out, s);
  EXPECT_EQ(out.keys["CONFIG/CURSORMODE"], "1");
}

TEST(Settings, GarbageNumbersGiveTheDefaults) {
  struct Case {
    const char* text;
    int expected;
  } const cases[] = {
      {"12", 12},  {" 7", 7},     {"15s", 15},    {"-3", -3},      {"+4", 4},
      {"abc", 5},  {"", 5},       {"0x10", 0},    {"99999999999", 5}, {"2147483647", 2147483647},
      {"-2147483648", -2147483648LL}, {"-", 5},
  };
  for (const Case& c : cases) {
    MemoryProfile ini;
    ini.keys["CONFIG/SLIDESHOWTIME"] = c.text;
    EXPECT_EQ(LoadSettings(ini, kTitle).slideshowTime, c.expected) << c.text;
  }
}

TEST(Settings, OverlongTextIsCutWithoutSplittingACharacter) {
  MemoryProfile ini;
  // 254 ASCII bytes then a double-byte character: the cut at 255 must not keep its lead byte alone.
  ini.keys["CONFIG/HOMEDIR"] = std::string(254, 'a') + "表" + std::string(100, 'b');
  ini.keys["CONFIG/TVDIR"] = std::string(5000, 'c');
  Settings s = LoadSettings(ini, kTitle);
  EXPECT_EQ(s.homeDir, std::string(254, 'a'));
  EXPECT_EQ(s.tvDir, std::string(255, 'c'));
}

TEST(Settings, SaveWritesTheWholeConfigSectionInOrder) {
  MemoryProfile ini;
  Settings s = DefaultSettings(kTitle);
  s.playMode = 3;
  s.topmost = true;
  SaveSettings(ini, s);
  const std::vector<std::string> order = {
      "HOMEDIR", "TVDIR", "FULLSCREEN", "MOVIECHAGESCREENSIZE", "PICTCHAGESCREENSIZE", "EXT_VIDEO",
      "EXT_AUDIO", "EXT_PICTURE", "EXT_OPEN", "SLIDESHOWTIME", "DISABLESCREENSAVER", "DISABLEMONITOR",
      "CURSORMODE", "FTIME", "RTIME", "TOPMOST", "PLAYMODE", "SINGLELINE", "DOUBLEEXEC", "SKIN"};
  ASSERT_EQ(ini.writes.size(), order.size());
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(ini.writes[i], "CONFIG/" + order[i]);
  EXPECT_EQ(ini.keys["CONFIG/PLAYMODE"], "3");
  EXPECT_EQ(ini.keys["CONFIG/TOPMOST"], "1");
  EXPECT_EQ(ini.keys["CONFIG/PICTCHAGESCREENSIZE"], "1");
  EXPECT_EQ(ini.keys["CONFIG/FULLSCREEN"], "0");
  EXPECT_EQ(ini.keys.count("CONFIG/VOLUME"), 0u);

  Settings back = LoadSettings(ini, kTitle);
  EXPECT_EQ(back.playMode, 3);
  EXPECT_TRUE(back.topmost);
  EXPECT_EQ(back.extVideo, s.extVideo);
}

TEST(Settings, WindowPositionKeepsTheNormalRectangleWhileMaximised) {
  MemoryProfile ini;
  SaveWindowPosition(ini, {10, 20, 650, 500}, false);
  EXPECT_EQ(ini.writes, (std::vector<std::string>{"POSITION/FULL_SCREEN", "POSITION/MONITOR_TOP",
                                                  "POSITION/MONITOR_BOTTOM", "POSITION/MONITOR_LEFT",
                                                  "POSITION/MONITOR_RIGHT"}));
  SaveWindowPosition(ini, {0, 0, 1280, 1024}, true);
  WindowPosition w = LoadWindowPosition(ini);
  EXPECT_TRUE(w.fullScreen);
  EXPECT_EQ(w.rect, (geo::Rect{10, 20, 650, 500}));
}

TEST(Settings, VolumeRoundTripsEveryPercentage) {
  for (int percent = 0; percent <= 100; ++percent) {
    MemoryProfile ini;
    ini.keys["CONFIG/VOLUME"] = std::to_string(percent);
    SaveVolume(ini, LoadVolumeFraction(ini));
    EXPECT_EQ(ini.keys["CONFIG/VOLUME"], std::to_string(percent));
  }
  MemoryProfile ini;
  ini.keys["CONFIG/VOLUME"] = "500";
  EXPECT_DOUBLE_EQ(LoadVolumeFraction(ini), 1.0);
  ini.keys["CONFIG/VOLUME"] = "-20";
  EXPECT_DOUBLE_EQ(LoadVolumeFraction(ini), 0.0);
}

TEST(Settings, ConsumersGuardUnusableNumbers) {
  Settings s;
  s.slideshowTime = 0;
  EXPECT_EQ(SlideshowPeriodMs(s), 1000);
  s.slideshowTime = -5;
  EXPECT_EQ(SlideshowPeriodMs(s), 1000);
  s.slideshowTime = 2147483647;
  EXPECT_EQ(SlideshowPeriodMs(s), 86400 * 1000);
  EXPECT_EQ(SeekStepSeconds(0), 1);
  EXPECT_EQ(SeekStepSeconds(14), 14);
}

TEST(Settings, FolderOfAModulePath) {
  EXPECT_EQ(FolderOfPath("C:\\Program Files\\Tarnvale\\Tarnvale.exe"), "C:\\Program Files\\Tarnvale\\");
  EXPECT_EQ(FolderOfPath("C:\\表\\Tarnvale.exe"), "C:\\表\\");
  EXPECT_EQ(FolderOfPath("Tarnvale.exe"), "");
}
