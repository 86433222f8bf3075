// TN.INI through the real profile-string API: round trip, code page 932 text, read-only and broken files.
#include "config/IniProfile.h"

#include <gtest/gtest.h>

#include "config/Settings.h"
#include "wine/WineSupport.h"

namespace {
constexpr char kTitle[] = "Tarnvale 3.5P";
}

TEST(IniProfile, SettingsRoundTripThroughTheFile) {
  ASSERT_EQ(::GetACP(), 932u) << "the tests expect the Japanese code page (LANG=ja_JP.UTF-8)";
  wt::TempDir dir("ini");
  IniProfile ini(dir.File("TN.INI"));
  Settings s = DefaultSettings(kTitle);
  s.homeDir = "C:\\表示\\ソフト";
  s.tvDir = "D:\\TV";
  s.extVideo = "AVI,Mpg";
  s.cursorMode = true;
  s.playMode = 2;
  s.slideshowTime = 12;
  s.skin = "標準";
  SaveSettings(ini, s);

  Settings back = LoadSettings(ini, kTitle);
  EXPECT_EQ(back.homeDir, s.homeDir);
  EXPECT_EQ(back.tvDir, "D:\\TV");
  EXPECT_EQ(back.extVideo, "avi,mpg");  // lower-cased at the next load
  EXPECT_TRUE(back.cursorMode);
  EXPECT_EQ(back.playMode, 2);
  EXPECT_EQ(back.slideshowTime, 12);
  EXPECT_EQ(back.skin, "標準");

  std::vector<std::string> config = wt::IniSection(dir.File("TN.INI"), "CONFIG");
  ASSERT_EQ(config.size(), 20u);
  EXPECT_EQ(config.front(), "HOMEDIR=C:\\表示\\ソフト");
  EXPECT_EQ(config.back(), "SKIN=標準");
}

TEST(IniProfile, AMissingFileOrSectionGivesTheDefaults) {
  wt::TempDir dir("ini");
  IniProfile missing(dir.File("none\\TN.INI"));
  Settings s = LoadSettings(missing, kTitle);
  EXPECT_EQ(s.skin, "標準");
  EXPECT_EQ(s.fTime, 10);
  EXPECT_TRUE(LoadWindowPosition(missing).rect.IsNull());

  ASSERT_TRUE(wt::WriteFile(dir.File("TN.INI"), "[OTHER]\r\nFTIME=3\r\n"));
  IniProfile other(dir.File("TN.INI"));
  EXPECT_EQ(LoadSettings(other, kTitle).fTime, 10);
}

TEST(IniProfile, GarbageInTheFileGivesDefaultsAndSurvivesWrites) {
  wt::TempDir dir("ini");
  std::string garbage = "\x01\x02[CONFIG\r\n==\r\n[CONFIG]\r\nFTIME=zz\r\nRTIME=99999999999999\r\n";
  garbage += "PLAYMODE=2\r\nSKIN=" + std::string(3000, 's') + "\r\n\xff\xfe\x00junk\r\n";
  garbage.append("\r\n[POSITION]\r\nMONITOR_TOP=1e5\r\n", 31);
  ASSERT_TRUE(wt::WriteFile(dir.File("TN.INI"), garbage));
  IniProfile ini(dir.File("TN.INI"));
  Settings s = LoadSettings(ini, kTitle);
  EXPECT_EQ(s.fTime, 10);
  EXPECT_EQ(s.rTime, 10);
  EXPECT_EQ(s.playMode, 2);
  EXPECT_EQ(s.skin.size(), kMaxSettingText);

  SaveWindowPosition(ini, {1, 2, 300, 400}, false);
  EXPECT_EQ(LoadWindowPosition(ini).rect, (geo::Rect{1, 2, 300, 400}));
  EXPECT_EQ(LoadSettings(ini, kTitle).playMode, 2);  // the write kept the other keys
}

TEST(IniProfile, AFileThatCannotBeWrittenLosesNothing) {
  wt::TempDir dir("ini");
  const std::string path = dir.File("TN.INI");
  ASSERT_TRUE(wt::WriteFile(path, "[CONFIG]\r\nHOMEDIR=C:\\home\r\nPLAYMODE=1\r\n"));
  const std::string before = wt::ReadFile(path);
  // Another program holds the file open for reading and lets nobody write (a read-only attribute would
  // not stop the root user the tests may run as).
  HANDLE lock = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);

  IniProfile ini(path);
  Settings s = LoadSettings(ini, kTitle);
  EXPECT_EQ(s.homeDir, "C:\\home");
  s.playMode = 3;
  SaveSettings(ini, s);  // fails silently
  SaveWindowPosition(ini, {1, 2, 3, 4}, false);
  EXPECT_FALSE(ini.WriteString("CONFIG", "PLAYMODE", "3"));
  EXPECT_EQ(s.playMode, 3);  // the record in memory stays valid
  ::CloseHandle(lock);
  EXPECT_EQ(wt::ReadFile(path), before);
}

TEST(IniProfile, TheFileLivesBesideTheExecutable) {
  EXPECT_EQ(SettingsFilePath(), wt::ExeFolder() + "TN.INI");
  EXPECT_EQ(ProgramFolder(), wt::ExeFolder());
}
