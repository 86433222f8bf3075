// The real program against bad input: settings files of garbage, broken skins, broken media handed over in
// a burst, files gone at once, overlong paths and folders named like media. Each time it starts, keeps
// answering, shows its list, closes in order and leaves its settings file readable.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "e2e/Process.h"

using e2e::Installation;
using e2e::kStartMs;

namespace {

std::string RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(random() & 0xFF);
  return s;
}

// Starts the program, checks that it is usable, closes it; the exit must come within the start time. The
// list shows at start unless the command line holds a video, which hides it.
void StartsUsableAndCloses(Installation& app, const std::string& arguments = "", bool listShown = true) {
  const int p = app.Start(arguments);
  const HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(e2e::Responds(frame));
  const HWND list = e2e::ListOf(e2e::ViewOf(frame));
  ASSERT_NE(list, nullptr);
  if (listShown) EXPECT_TRUE(wt::WaitUntil([&] { return !e2e::RowsOf(list).empty(); }, 5000));
  EXPECT_TRUE(app.Close(p, kStartMs));
}

std::string EveryKey(const std::string& value) {
  std::string ini = "[CONFIG]\r\n";
  for (const char* key : {"HOMEDIR", "TVDIR", "FULLSCREEN", "MOVIECHAGESCREENSIZE", "PICTCHAGESCREENSIZE",
                          "DISABLESCREENSAVER", "DISABLEMONITOR", "EXT_VIDEO", "EXT_AUDIO", "EXT_PICTURE",
                          "EXT_OPEN", "SLIDESHOWTIME", "CURSORMODE", "FTIME", "RTIME", "TOPMOST", "PLAYMODE",
                          "SINGLELINE", "DOUBLEEXEC", "SKIN", "VOLUME"})
    ini += std::string(key) + "=" + value + "\r\n";
  ini += "[POSITION]\r\n";
  for (const char* key : {"FULL_SCREEN", "MONITOR_TOP", "MONITOR_BOTTOM", "MONITOR_LEFT", "MONITOR_RIGHT",
                          "STATUS_TOP", "STATUS_BOTTOM", "STATUS_LEFT", "STATUS_RIGHT"})
    ini += std::string(key) + "=" + value + "\r\n";
  return ini;
}

// The CONFIG lines the program holds, as it writes them when the play mode switch ('7') is pressed.
std::vector<std::string> SavedConfig(Installation& app) {
  const int p = app.Start("");
  const HWND frame = app.WaitForFrame(p, kStartMs);
  if (!frame) return {};
  const std::string before = wt::ReadFile(app.IniPath());
  ::PostMessageA(e2e::ViewOf(frame), WM_KEYDOWN, '7', 1);
  EXPECT_TRUE(wt::WaitUntil([&] { return wt::ReadFile(app.IniPath()) != before; }, 5000));
  EXPECT_TRUE(app.Close(p, kStartMs));
  return wt::IniSection(app.IniPath(), "CONFIG");
}

// Writes an ASCII path of any length through the "\\?\" prefix, which lifts the 260-character limit.
bool WriteLongPath(const std::string& path, const std::string& bytes) {
  const std::wstring wide = L"\\\\?\\" + std::wstring(path.begin(), path.end());
  const fw::UniqueHandle file(
      ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file.Get() && ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

TEST(BadInput, SettingsFilesOfGarbageStillStartAUsableProgram) {
  const std::string cut(255, '9');
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> saved;  // lines the settings read from it are written back as
  } const cases[] = {
      {"random bytes", RandomBytes(65536, 7), {"EXT_AUDIO=wav,mp3,wma,mid,m2a,m4a", "SLIDESHOWTIME=5", "FTIME=10"}},
      {"a megabyte", std::string(1 << 20, 'A'), {"EXT_OPEN=txt,url,exe", "RTIME=10", "SKIN=標準", "TOPMOST=0"}},
      {"values of 10,000 characters", EveryKey(std::string(10000, '9')),
       {"HOMEDIR=" + cut, "TVDIR=" + cut, "EXT_VIDEO=" + cut, "EXT_OPEN=" + cut, "SKIN=" + cut}},
      {"absurd numbers", EveryKey("-99999999999999999999"), {}},
      {"the smallest integer", EveryKey("-2147483648"), {}},
      {"double-byte text", EveryKey("表表表表"), {"EXT_AUDIO=表表表表", "SKIN=表表表表"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Installation app("badini");
    app.WriteIni(c.text);
    StartsUsableAndCloses(app);
    // What was written at the close reads back, and the next start is usable too.
    EXPECT_FALSE(wt::IniSection(app.IniPath(), "POSITION").empty());
    StartsUsableAndCloses(app);
    // The settings the program took: the defaults where the file had none, long texts cut.
    const std::vector<std::string> config = SavedConfig(app);
    for (const std::string& line : c.saved) EXPECT_TRUE(Holds(config, line)) << line.substr(0, 40);
  }
}

TEST(BadInput, AReadOnlySettingsFileIsLeftAsItWas) {
  Installation app("readonly");
  const std::string text = "[CONFIG]\r\nSLIDESHOWTIME=7\r\n";
  app.WriteIni(text);
  ASSERT_TRUE(::SetFileAttributesA(app.IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
  StartsUsableAndCloses(app);
  ::SetFileAttributesA(app.IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(wt::ReadFile(app.IniPath()), text);
}

TEST(BadInput, BrokenSkinsFallBackToTheBuiltInFaces) {
  Installation app("badskin");
  const std::string skin = app.Folder() + "skin\\broken\\";
  EXPECT_TRUE(wt::MakeFolder(app.Folder() + "skin")) << "could not make a test folder";
  EXPECT_TRUE(wt::MakeFolder(skin)) << "could not make a test folder";
  EXPECT_TRUE(wt::WriteFile(skin + "TNSKIN.INI", RandomBytes(4096, 3))) << "could not write a test file";
  // Every face: cut short, empty, or with a header that claims a huge picture.
  std::string huge = "BM" + std::string(52, '\0');
  huge[14] = 40;
  huge[18] = huge[19] = huge[20] = static_cast<char>(0xFF);
  huge[21] = 0x7F;
  huge[22] = 1;
  huge[26] = 1;
  huge[28] = 24;
  const char* faces[] = {"TAGBK.bmp", "HOMESW.bmp", "FOLDERSW.bmp", "1UPSW.bmp", "NUMBER.bmp", "INDICATOR.bmp",
                         "PLAYSW.bmp", "volume.bmp", "MINSW.bmp", "LISTHIDESW.bmp", "NAMESORTFSW.bmp"};
  int n = 0;
  for (const char* face : faces) {
    const std::string bytes = n % 3 == 0 ? std::string("BM\x36\x01", 4) : n % 3 == 1 ? std::string() : huge;
    EXPECT_TRUE(wt::WriteFile(skin + face, bytes)) << "could not write a test file";
    ++n;
  }
  app.WriteIni("[CONFIG]\r\nSKIN=broken\r\n");
  StartsUsableAndCloses(app);
  // Names that would lead out of the skin folder, or run to 300 characters.
  app.WriteIni("[CONFIG]\r\nSKIN=..\\..\\..\r\n");
  StartsUsableAndCloses(app);
  app.WriteIni("[CONFIG]\r\nSKIN=" + std::string(300, 's') + "\r\n");
  StartsUsableAndCloses(app);
}

TEST(BadInput, BrokenMediaHandedOverInABurstLeaveThePlayerWorking) {
  Installation app("burst");
  const int p = app.Start();
  const HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  std::vector<std::string> broken;
  for (const char* name : {"random.avi", "truncated.avi", "empty.avi", "broken.jpg"})
    broken.push_back(app.CopyMedia(name, std::string("burst-") + name));
  for (const char* ext : {"mp3", "wma", "wav", "mp4", "mov", "rm", "wmv", "bmp", "mpg"}) {
    const std::string path = app.Folder() + "noise." + ext;
    EXPECT_TRUE(wt::WriteFile(path, RandomBytes(30000, static_cast<unsigned>(ext[0])))) << "could not write a test file";
    broken.push_back(path);
  }
  std::vector<int> senders;
  for (const std::string& path : broken) senders.push_back(app.Start("\"" + path + "\""));
  // A file that goes right after its hand-off.
  const std::string gone = app.CopyMedia("clip.avi", "gone.avi");
  senders.push_back(app.Start("\"" + gone + "\""));
  ::DeleteFileA(gone.c_str());
  EXPECT_TRUE(e2e::Responds(frame, 10000));
  // The second starts boot side by side: one still on its way would hand over after the good file.
  for (int sender : senders) EXPECT_TRUE(app.WaitExit(sender, kStartMs));
  // After the burst a good file still plays.
  const int last = app.Start("\"" + app.CopyMedia("clip.avi", "good.avi") + "\"");
  EXPECT_TRUE(app.WaitExit(last, kStartMs));
  EXPECT_TRUE(e2e::TitleBecomes(frame, "good", 20000));
  EXPECT_TRUE(app.Close(p, kStartMs));
}

TEST(BadInput, ACorruptVideoIsGivenUpTheNextFilePlaysAndTheProgramExitsCleanly) {
  // A whole header before noise: Wine's parser never returns from rendering it, so its graph is left behind.
  Installation app("corrupt");
  const std::string corrupt = "\"" + app.CopyMedia("corrupt.avi", "corrupt.avi") + "\"";
  const int p = app.Start(corrupt);
  const HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(e2e::Responds(frame));
  // Outside the playlist the given-up entry is closed.
  EXPECT_TRUE(e2e::TitleBecomes(frame, "Tarnvale", 20000));

  // Handed over again, with a good clip right behind it while the render waits: the clip plays.
  const int again = app.Start(corrupt);
  EXPECT_TRUE(app.WaitExit(again, kStartMs));
  ASSERT_TRUE(e2e::TitleBecomes(frame, "corrupt", 5000));
  EXPECT_TRUE(e2e::Responds(frame)) << "the wait answers what other programs send";
  const int good = app.Start("\"" + app.CopyMedia("clip.avi", "good.avi") + "\"");
  EXPECT_TRUE(app.WaitExit(good, kStartMs));
  EXPECT_TRUE(e2e::TitleBecomes(frame, "good", 20000));
  EXPECT_TRUE(e2e::TitleBecomes(frame, "Tarnvale", 10000)) << "the clip plays to its end";

  // Two graphs are left behind, still rendering: the program still ends at once, its settings written.
  const ULONGLONG start = ::GetTickCount64();
  ASSERT_TRUE(app.Close(p, kStartMs));
  EXPECT_LT(::GetTickCount64() - start, 6000u);
  EXPECT_EQ(app.ExitCode(p), 0u);
  EXPECT_FALSE(wt::IniSection(app.IniPath(), "POSITION").empty());
}

TEST(BadInput, ClosingWhileACorruptVideoRendersEndsTheProgram) {
  Installation app("corruptclose");
  const int p = app.Start("\"" + app.CopyMedia("corrupt.avi", "corrupt.avi") + "\"");
  const HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(e2e::TitleBecomes(frame, "corrupt", 5000));
  // The close waits in the queue for the render's bound at most.
  const ULONGLONG start = ::GetTickCount64();
  ASSERT_TRUE(app.Close(p, kStartMs));
  EXPECT_LT(::GetTickCount64() - start, 5000u + 6000u);
  EXPECT_EQ(app.ExitCode(p), 0u);
}

TEST(BadInput, OverlongPathsAndFoldersNamedLikeMedia) {
  Installation app("paths");
  EXPECT_TRUE(wt::MakeFolder(app.Folder() + "movie.avi")) << "could not make a test folder";
  app.WriteIni("[CONFIG]\r\nHOMEDIR=" + app.Folder().substr(0, app.Folder().size() - 1) + "\r\n");
  // Real clips at those lengths (made through the long-path prefix): the 259-character one, which fits
  // the program's 260-byte buffers with its NUL, plays; the longer ones are dropped and play nothing.
  const std::string clip = wt::ReadFile(wt::MediaPath("clip.avi"));
  ASSERT_FALSE(clip.empty());
  for (std::size_t length : {259u, 260u, 300u}) {
    SCOPED_TRACE(length);
    // A name holds at most 255 characters: the longest path goes through a folder.
    std::string folder = app.Folder();
    if (length - folder.size() - 4 > 200) {
      folder += std::string(100, 'd') + "\\";
      ASSERT_TRUE(wt::MakeFolder(folder));
    }
    const std::string stem(length - folder.size() - 4, 'p');
    const std::string path = folder + stem + ".avi";
    ASSERT_EQ(path.size(), length);
    EXPECT_TRUE(WriteLongPath(path, clip)) << "could not write a test file";
    const int p = app.Start("\"" + path + "\"");
    const HWND frame = app.WaitForFrame(p, kStartMs);
    ASSERT_NE(frame, nullptr);
    if (length < 260) {
      EXPECT_TRUE(e2e::TitleBecomes(frame, stem, 5000));
    } else {
      ::Sleep(1500);
      EXPECT_EQ(wt::WindowText(frame), "Tarnvale");
    }
    EXPECT_TRUE(e2e::Responds(frame));
    EXPECT_TRUE(app.Close(p, kStartMs));
  }
  const int p = app.Start("\"" + app.Folder() + "movie.avi\"");
  const HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  const HWND list = e2e::ListOf(e2e::ViewOf(frame));
  // The folder plays nothing and is listed as a folder, which the list enters.
  EXPECT_TRUE(wt::WaitUntil([&] {
    for (HWND row : e2e::RowsOf(list))
      if (e2e::TextOf(row) == "movie.avi") return true;
    return false;
  }, 5000));
  ::Sleep(500);
  EXPECT_EQ(wt::WindowText(frame), "Tarnvale");
  EXPECT_TRUE(app.Close(p, kStartMs));
}
