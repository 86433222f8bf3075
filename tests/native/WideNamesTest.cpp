// Names outside the code page: which code-page form a path can be stored or handed on in, the wide path
// rules, the order of names whose code-page forms are the same, what the list keeps and shows of them, and
// the wide command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/StartupText.h"
#include "browser/FileListModel.h"
#include "browser/Sort.h"
#include "browser/TagText.h"
#include "config/Settings.h"
#include "framework/WidePath.h"
#include "native/ExampleSettings.h"
#include "FakeFileSystem.h"

namespace {

// The names of a library of today, as UTF-16 units (the emoji U+1F3B5 as its surrogate pair).
const std::wstring kCafe = L"Caf\u00E9 del Mar.avi";
const std::wstring kKorean = L"\uD55C\uAD6D\uC5B4 \uB178\uB798.avi";
const std::wstring kKoreanToo = L"\uC870\uC6A9\uD55C \uBC24\uAE38.avi";  // the same code-page form as kKorean
const std::wstring kMarked = L"\u00DCn\u00EFc\u00F6d\u00E9 \u2713.avi";
const std::wstring kEmoji = L"\xD83C\xDFB5 clip.avi";

TEST(CodePagePath, TheExactLongFormElseTheExactShortFormElseNone) {
  struct Case {
    CodePageName longForm, shortForm;
    std::optional<std::string> stored;
  } const cases[] = {
      {{"C:\\音楽♪"}, {"C:\\8A8A~1"}, "C:\\音楽♪"},
      {{"C:\\Caf? del Mar", false}, {"C:\\CAFDEL~1"}, "C:\\CAFDEL~1"},
      {{"C:\\Caf? del Mar", false}, {}, std::nullopt},                     // no short names on the volume
      {{"C:\\??\\Caf?", false}, {"C:\\??\\CAF~1", false}, std::nullopt},  // nor an exact one
      {{}, {}, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(CodePagePathOf(c.longForm, c.shortForm), c.stored) << c.longForm.text;
}

TEST(WidePath, SeparatorsAndSurrogatePairs) {
  EXPECT_EQ(wide::JoinPath(L"C:\\", kEmoji), L"C:\\" + kEmoji);
  EXPECT_EQ(wide::JoinPath(L"C:\\m", kEmoji), L"C:\\m\\" + kEmoji);
  EXPECT_EQ(wide::FileName(L"C:\\m\\" + kKorean), kKorean);
  EXPECT_EQ(wide::ParentFolder(L"C:\\m\\" + kKorean), L"C:\\m");
  EXPECT_EQ(wide::ParentFolder(L"C:\\m"), L"C:\\");
  EXPECT_EQ(wide::ParentFolder(L"C:\\"), L"");
  EXPECT_EQ(wide::NormaliseFolder(L"C:\\m\\\\"), L"C:\\m");
  EXPECT_EQ(wide::NormaliseFolder(L"C:"), L"C:\\");
  // A cut never leaves half of a pair.
  EXPECT_EQ(wide::CutUnits(kEmoji, 1), L"");
  EXPECT_EQ(wide::CutUnits(kEmoji, 2), kEmoji.substr(0, 2));
  EXPECT_EQ(wide::CutUnits(kEmoji, 100), kEmoji);
  EXPECT_LT(wide::Compare(L"a", L"b"), 0);
  EXPECT_GT(wide::Compare(L"ab", L"a"), 0);
  EXPECT_EQ(wide::Compare(kKorean, kKorean), 0);
}

FileEntry Entry(const std::wstring& name, std::int32_t id) {
  FileEntry e{cp932::Narrow(L"C:\\m\\" + name).text, KIND_VIDEO, 0, 0, id, 0, L"C:\\m\\" + name};
  return e;
}

TEST(WideNameOrder, NamesWithOneCodePageFormAreOrderedByTheirWideNamesInEveryNameMode) {
  ASSERT_EQ(cp932::Narrow(kKorean).text, cp932::Narrow(kKoreanToo).text);
  const std::vector<FileEntry> entries = {Entry(kKorean, 1), Entry(kKoreanToo, 2), Entry(L"abc.avi", 3),
                                          Entry(kCafe, 4), Entry(L"Caf\u00E8 del Mar.avi", 5)};
  std::mt19937 random(7);
  for (SortMode mode : {SORT_NAME_FORWARD, SORT_NAME_REVERSE, SORT_PATH}) {
    std::vector<std::wstring> first;
    for (int round = 0; round < 20; ++round) {
      std::vector<FileEntry> v = entries;
      std::shuffle(v.begin(), v.end(), random);
      Sort(v, mode);
      std::vector<std::wstring> order;
      for (const FileEntry& e : v) order.push_back(e.widePath);
      if (round == 0) first = order;
      EXPECT_EQ(order, first) << "mode " << mode << ": the order is total, whatever order the names came in";
    }
    const auto at = [&](const std::wstring& name) { return std::find(first.begin(), first.end(), L"C:\\m\\" + name) - first.begin(); };
    // kKoreanToo starts with U+C870, below kKorean's U+D55C.
    if (mode == SORT_NAME_REVERSE)
      EXPECT_LT(at(kKorean), at(kKoreanToo));
    else
      EXPECT_GT(at(kKorean), at(kKoreanToo)) << mode;
  }
  EXPECT_NE(CompareEntries(entries[0], entries[1], SORT_NAME_FORWARD), 0);
  EXPECT_EQ(CompareEntries(entries[0], entries[1], SORT_NAME_FORWARD),
            -CompareEntries(entries[1], entries[0], SORT_NAME_FORWARD));
}

class WideNamesModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs.AddFolder("C:\\Home");
    for (const std::wstring& name : {kCafe, kKorean, kKoreanToo, kMarked, kEmoji, std::wstring(L"\u97F3\u697D\u266A.avi")})
      fs.AddWideFile("C:\\m", name, 100);
    fs.current = "C:\\m";
  }
  Settings settings = ExampleSettings("C:\\Home");
  FakeFileSystem fs;
};

TEST_F(WideNamesModelTest, TheListKeepsEachFilesWidePathAndShowsItsRealName) {
  CFileListModel model(settings, fs);
  model.BuildFileList(false, SORT_NAME_FORWARD);
  std::vector<std::wstring> shown, paths;
  for (const FileEntry& e : model.FileList()) {
    if (e.kind != KIND_VIDEO) continue;
    shown.push_back(TagDisplayWideName(e));
    paths.push_back(e.widePath);
    EXPECT_EQ(e.name, cp932::Narrow(e.widePath).text) << "the code-page form stays what it is today";
  }
  ASSERT_EQ(shown.size(), 6u);
  for (const std::wstring& name : {kCafe, kKorean, kKoreanToo, kMarked, kEmoji}) {
    EXPECT_NE(std::find(paths.begin(), paths.end(), L"C:\\m\\" + name), paths.end());
    EXPECT_NE(std::find(shown.begin(), shown.end(), name.substr(0, name.size() - 4)), shown.end());
  }
  EXPECT_NE(std::find(shown.begin(), shown.end(), L"\u97F3\u697D\u266A"), shown.end());
  // The playlist takes the entries with their wide paths.
  for (const FileEntry& e : model.FileList()) model.AddEntry(e);
  EXPECT_EQ(model.PlaylistByPosition().back().widePath, model.FileList()[model.FileList().size() - 1].widePath);
  EXPECT_EQ(model.AddTree(L"C:\\m"), 6u);
  for (const FileEntry& e : model.Collection()) EXPECT_FALSE(e.widePath.empty()) << e.name;
}

TEST_F(WideNamesModelTest, APathFromOutsideKeepsItsWideForm) {
  CFileListModel model(settings, fs);
  const FileEntry entry = model.EntryForOpenPath(L"C:\\m\\" + kEmoji);
  EXPECT_EQ(entry.kind, KIND_VIDEO);
  EXPECT_EQ(entry.widePath, L"C:\\m\\" + kEmoji);
  EXPECT_EQ(entry.name, "C:\\m\\? clip.avi");
}

TEST(WideCommandLine, TheProgramNameIsSkippedAndThePathComesWhole) {
  struct Case {
    std::wstring line, arguments, path;
  } const cases[] = {
      {L"\"C:\\Program Files\\Tarnvale\\Tarnvale.exe\" \"C:\\m\\" + kEmoji + L"\"", L"\"C:\\m\\" + kEmoji + L"\"",
       L"C:\\m\\" + kEmoji},
      {L"Tarnvale.exe C:\\m\\" + kKorean, L"C:\\m\\" + kKorean, L"C:\\m\\\uD55C\uAD6D\uC5B4"},  // cut at the space
      {L"Tarnvale.exe \t \"C:\\" + kCafe + L"\"", L"\"C:\\" + kCafe + L"\"", L"C:\\" + kCafe},
      {L"\"Tarnvale.exe\"", L"", L""},
      {L"Tarnvale.exe", L"", L""},
      {L"Tarnvale.exe \"C:\\" + std::wstring(300, L'x') + L"\"", L"\"C:\\" + std::wstring(300, L'x') + L"\"", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CommandLineArguments(c.line), c.arguments);
    EXPECT_EQ(ExtractCommandLinePath(CommandLineArguments(c.line)), c.path);
  }
  EXPECT_EQ(TitleFromPath(std::wstring_view(L"C:\\\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC\\" + kEmoji)),
            L"\xD83C\xDFB5 clip");
}

}  // namespace
