#include "browser/Sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "framework/Mbcs.h"
#include "support/MbcsReference.h"

namespace {

FileEntry E(const std::string& name, EntryKind kind, std::int64_t time = 0) {
  static std::int32_t id = 1;
  return {name, kind, time, time, id++, 0};
}

std::vector<std::string> Names(const std::vector<FileEntry>& v) {
  std::vector<std::string> out;
  for (const FileEntry& e : v) out.push_back(e.name);
  return out;
}

std::vector<FileEntry> Sorted(std::vector<FileEntry> v, SortMode mode) {
  Sort(v, mode);
  return v;
}

// The comparisons in their plain definition, on lower-cased copies, as the reference.
int ReferenceName(const FileEntry& a, const FileEntry& b) {
  return mbcs_ref::Compare(mbcs::LowerAscii(a.name), mbcs::LowerAscii(b.name));
}

int ReferencePath(const FileEntry& x, const FileEntry& y) {
  std::string a = mbcs::LowerAscii(x.name), b = mbcs::LowerAscii(y.name);
  std::size_t da = mbcs_ref::CountBackslashes(a), db = mbcs_ref::CountBackslashes(b);
  if (da == db) return mbcs_ref::Compare(a, b);
  const std::string& shallow = da < db ? a : b;
  const std::string& deep = da < db ? b : a;
  std::size_t last = mbcs::FindLast(shallow, '\\');
  std::string folder = last == std::string::npos ? std::string() : shallow.substr(0, last + 1);
  if (deep.starts_with(folder)) return da < db ? -1 : 1;
  return mbcs_ref::Compare(a, b);
}

int Sign(int v) { return (v > 0) - (v < 0); }

// Random names from a small alphabet with the troublesome bytes: upper and lower letters, backslashes,
// a '!' below the backslash, half-width katakana (A1-DF) and double-byte characters with trail bytes
// 5C ('\'), 41 ('A') and 7E.
std::string RandomName(std::mt19937& rng, bool path) {
  static const char* pieces[] = {"a", "B", "b", "A", "!", "\xB1", "表", "ソ", "\x83\x41", "\x83\x7E", "z", "Z"};
  std::uniform_int_distribution<int> len(0, 6), piece(0, 11), slash(0, 3);
  std::string s = path ? "d:\\m\\" : "";
  int n = len(rng);
  for (int i = 0; i < n; ++i) {
    s += pieces[piece(rng)];
    if (path && slash(rng) == 0) s += '\\';
  }
  return s;
}

}  // namespace

// The folder z stays above the files in both directions.
TEST(Sort, NameOrderKeepsFoldersAboveFilesInBothDirections) {
  std::vector<FileEntry> v = {E("C:\\m\\b.avi", KIND_VIDEO), E("C:\\m\\A.avi", KIND_VIDEO), E("C:\\m\\z", KIND_FOLDER)};
  EXPECT_EQ(Names(Sorted(v, SORT_NAME_FORWARD)), (std::vector<std::string>{"C:\\m\\z", "C:\\m\\A.avi", "C:\\m\\b.avi"}));
  EXPECT_EQ(Names(Sorted(v, SORT_NAME_REVERSE)), (std::vector<std::string>{"C:\\m\\z", "C:\\m\\b.avi", "C:\\m\\A.avi"}));
}

TEST(Sort, EveryModeKeepsTheGroupsInKindOrder) {
  std::vector<FileEntry> v = {
      E("C:\\m\\z.txt", KIND_OPEN, 5),       E("C:\\m\\y.mp4", KIND_VIDEO | ENGINE_QUICKTIME, 1),
      E("C:\\m\\link.lnk", KIND_FOLDER | 1, 9), E("C:\\m\\sub", KIND_FOLDER, 7),
      E("1つ上のフォルダ", KIND_PARENT),      E("このフォルダをプレイリストに追加", KIND_ADD_FOLDER),
      E("プレイリストを表示,再生", KIND_PLAY_PLAYLIST), E("プレイリストを空にする", KIND_CLEAR_PLAYLIST),
      E("ホームフォルダ", KIND_HOME),          E("C:\\m\\a.jpg", KIND_PICTURE | ENGINE_PICTURE, 3),
      E("C:\\m\\b.mp3", KIND_AUDIO | 1, 8),   E("D:\\", KIND_DRIVE),
  };
  const std::vector<EntryKind> groupOrder = {KIND_HOME, KIND_CLEAR_PLAYLIST, KIND_PLAY_PLAYLIST, KIND_ADD_FOLDER,
                                             KIND_PARENT, KIND_DRIVE, KIND_FOLDER, KIND_FOLDER | 1};
  const std::vector<std::string> files[] = {
      {"C:\\m\\a.jpg", "C:\\m\\b.mp3", "C:\\m\\y.mp4", "C:\\m\\z.txt"},   // name forward
      {"C:\\m\\z.txt", "C:\\m\\y.mp4", "C:\\m\\b.mp3", "C:\\m\\a.jpg"},   // name reverse
      {"C:\\m\\y.mp4", "C:\\m\\a.jpg", "C:\\m\\z.txt", "C:\\m\\b.mp3"},   // time forward
      {"C:\\m\\b.mp3", "C:\\m\\z.txt", "C:\\m\\a.jpg", "C:\\m\\y.mp4"},   // time reverse
  };
  const SortMode modes[] = {SORT_NAME_FORWARD, SORT_NAME_REVERSE, SORT_TIME_FORWARD, SORT_TIME_REVERSE};
  for (int m = 0; m < 4; ++m) {
    std::vector<FileEntry> s = Sorted(v, modes[m]);
    ASSERT_EQ(s.size(), v.size());
    for (std::size_t i = 0; i < groupOrder.size(); ++i) EXPECT_EQ(s[i].kind, groupOrder[i]) << "mode " << modes[m];
    EXPECT_EQ(s[1].name, "プレイリストを空にする");
    std::vector<std::string> tail;
    for (std::size_t i = groupOrder.size(); i < s.size(); ++i) tail.push_back(s[i].name);
    EXPECT_EQ(tail, files[m]) << "mode " << modes[m];
  }
}

TEST(Sort, TimeOrdersUseTheLastWriteTime) {
  FileEntry old = E("C:\\b.avi", KIND_VIDEO), young = E("C:\\a.avi", KIND_VIDEO);
  old.lastWriteTime = 100;
  old.creationTime = 900;
  young.lastWriteTime = 200;
  young.creationTime = 0;
  EXPECT_LT(CompareEntries(old, young, SORT_TIME_FORWARD), 0);
  EXPECT_GT(CompareEntries(old, young, SORT_TIME_REVERSE), 0);
  young.lastWriteTime = 100;
  EXPECT_EQ(CompareEntries(old, young, SORT_TIME_FORWARD), 0);
}

TEST(Sort, DrivesOrderByLetter) {
  std::vector<FileEntry> v = {E("E:\\", KIND_DRIVE), E("C:\\システム", KIND_DRIVE), E("D:\\DATA", KIND_DRIVE)};
  EXPECT_EQ(Names(Sorted(v, SORT_NAME_FORWARD)), (std::vector<std::string>{"C:\\システム", "D:\\DATA", "E:\\"}));
}

// D:\m with D:\m\b.mp3, D:\m\x\a.mp3 and D:\m\c.mp3 gives b.mp3, c.mp3, x\a.mp3.
TEST(Sort, PathOrderPutsAFoldersOwnFilesBeforeItsSubfolders) {
  std::vector<FileEntry> v = {E("D:\\m\\b.mp3", KIND_AUDIO), E("D:\\m\\x\\a.mp3", KIND_AUDIO), E("D:\\m\\c.mp3", KIND_AUDIO)};
  EXPECT_EQ(Names(Sorted(v, SORT_PATH)), (std::vector<std::string>{"D:\\m\\b.mp3", "D:\\m\\c.mp3", "D:\\m\\x\\a.mp3"}));
  std::vector<FileEntry> w = {E("D:\\m\\z\\q\\1.mp3", KIND_AUDIO), E("D:\\m\\z.mp3", KIND_AUDIO), E("D:\\m\\Y\\2.mp3", KIND_AUDIO),
                              E("D:\\m\\z\\0.mp3", KIND_AUDIO), E("D:\\m\\a!\\3.mp3", KIND_AUDIO), E("D:\\m\\a\\4.mp3", KIND_AUDIO)};
  // Different folders compare by the whole path: "a!" before "a\" since '!' is below '\'.
  EXPECT_EQ(Names(Sorted(w, SORT_PATH)),
            (std::vector<std::string>{"D:\\m\\z.mp3", "D:\\m\\a!\\3.mp3", "D:\\m\\a\\4.mp3", "D:\\m\\Y\\2.mp3",
                                      "D:\\m\\z\\0.mp3", "D:\\m\\z\\q\\1.mp3"}));
}

TEST(Sort, NameComparisonIsTheMultibyteComparisonOfLowerCasedCopies) {
  std::mt19937 rng(932);
  for (int i = 0; i < 20000; ++i) {
    FileEntry a = E(RandomName(rng, false), KIND_VIDEO), b = E(RandomName(rng, false), KIND_VIDEO);
    ASSERT_EQ(Sign(CompareEntries(a, b, SORT_NAME_FORWARD)), Sign(ReferenceName(a, b))) << a.name << " | " << b.name;
    ASSERT_EQ(Sign(CompareEntries(a, b, SORT_NAME_REVERSE)), -Sign(ReferenceName(a, b)));
  }
}

TEST(Sort, PathComparisonFollowsTheDefinition) {
  std::mt19937 rng(1995);
  for (int i = 0; i < 20000; ++i) {
    FileEntry a = E(RandomName(rng, true), KIND_AUDIO), b = E(RandomName(rng, true), KIND_AUDIO);
    ASSERT_EQ(Sign(CompareEntries(a, b, SORT_PATH)), Sign(ReferencePath(a, b))) << a.name << " | " << b.name;
  }
}

// The sort skips the prefix all names share; the result must still be ordered by the plain comparison.
TEST(Sort, SortedListsAreOrderedByTheReferenceComparisons) {
  std::mt19937 rng(7);
  for (int round = 0; round < 50; ++round) {
    std::vector<FileEntry> v;
    for (int i = 0; i < 200; ++i) v.push_back(E(RandomName(rng, true), i % 7 ? KIND_VIDEO : KIND_FOLDER, i % 13));
    for (SortMode mode : {SORT_NAME_FORWARD, SORT_NAME_REVERSE, SORT_PATH}) {
      std::vector<FileEntry> s = Sorted(v, mode);
      for (std::size_t i = 1; i < s.size(); ++i) {
        int ref = 0;
        if (s[i - 1].kind != s[i].kind && !(IsFileKind(s[i - 1].kind) && IsFileKind(s[i].kind)))
          ref = s[i - 1].kind < s[i].kind ? -1 : 1;
        else if (mode == SORT_PATH)
          ref = ReferencePath(s[i - 1], s[i]);
        else
          ref = mode == SORT_NAME_FORWARD ? ReferenceName(s[i - 1], s[i]) : -ReferenceName(s[i - 1], s[i]);
        ASSERT_LE(ref, 0) << "mode " << mode << ": " << s[i - 1].name << " before " << s[i].name;
      }
    }
  }
}

TEST(Sort, AbsentArraysAndUnknownModesAreLeftAlone) {
  std::vector<FileEntry> v = {E("C:\\b", KIND_VIDEO), E("C:\\a", KIND_VIDEO)};
  Sort(v, 2);
  Sort(v, 255);
  EXPECT_EQ(Names(v), (std::vector<std::string>{"C:\\b", "C:\\a"}));
  Sort(nullptr, 5, SORT_NAME_FORWARD);
  EXPECT_EQ(CompareEntries(v[0], v[1], 3), 0);
}

TEST(Sort, CycleAndFaces) {
  EXPECT_EQ(NextSortMode(0), 1);
  EXPECT_EQ(NextSortMode(1), 16);
  EXPECT_EQ(NextSortMode(16), 17);
  EXPECT_EQ(NextSortMode(17), 0);
  EXPECT_EQ(NextSortMode(32), 0);
  struct {
    SortMode mode;
    const char* file;
    int resource;
  } faces[] = {{0, "NAMESORTFSW.bmp", 159}, {1, "NAMESORTRSW.bmp", 174}, {16, "TIMESORTFSW.bmp", 160}, {17, "TIMESORTRSW.bmp", 175}};
  for (const auto& f : faces) {
    EXPECT_STREQ(FaceOfSortMode(f.mode).file, f.file);
    EXPECT_EQ(FaceOfSortMode(f.mode).resource, f.resource);
  }
  EXPECT_EQ(FaceOfSortMode(32).file, nullptr);
}

// With TVDIR d:\tv the folders D:\TV, D:\TV\2005 and D:\TV2 are TV folders; with d:\tv\ D:\TV
// itself is not, its subfolders are; an empty TVDIR makes none.
TEST(Sort, TvFolderIsACaseInsensitivePrefixTest) {
  struct {
    const char* dir;
    const char* tv;
    bool expected;
  } cases[] = {
      {"D:\\TV", "d:\\tv", true},    {"D:\\TV\\2005", "d:\\tv", true}, {"D:\\TV2", "d:\\tv", true},
      {"D:\\TV", "d:\\tv\\", false}, {"D:\\TV\\2005", "d:\\tv\\", true}, {"D:\\Movies", "d:\\tv", false},
      {"D:\\TV", "", false},         {"C:\\録画\\ドラマ", "c:\\録画", true}, {"D:", "d:\\tv", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsTvPath(c.dir, c.tv), c.expected) << c.dir << " under " << c.tv;
}

// The sort skips the bytes a group's names share; that prefix must end at a character boundary. Here all
// names share the lead byte 83 of ア (83 41), ソ (83 5C) and ミ (83 7E); a lone lead byte at the end of a
// name is one character, below any double-byte one.
TEST(Sort, SharedPrefixEndingInsideADoubleByteCharacter) {
  std::vector<FileEntry> v = {E("C:\\ソb", KIND_VIDEO), E("C:\\アa", KIND_VIDEO), E("C:\\\x83\x7E", KIND_VIDEO),
                              E("C:\\ソ", KIND_VIDEO), E("C:\\\x83", KIND_VIDEO), E("ホームフォルダ", KIND_HOME)};
  EXPECT_EQ(Names(Sorted(v, SORT_NAME_FORWARD)),
            (std::vector<std::string>{"ホームフォルダ", "C:\\\x83", "C:\\アa", "C:\\ソ", "C:\\ソb", "C:\\\x83\x7E"}));
  EXPECT_EQ(Names(Sorted(v, SORT_NAME_REVERSE)),
            (std::vector<std::string>{"ホームフォルダ", "C:\\\x83\x7E", "C:\\ソb", "C:\\ソ", "C:\\アa", "C:\\\x83"}));
  // Half-width katakana (single bytes B1, B2) sort below every double-byte character and above ASCII.
  std::vector<FileEntry> w = {E("C:\\d\\表", KIND_AUDIO), E("C:\\d\\\xB2", KIND_AUDIO), E("C:\\d\\z", KIND_AUDIO),
                              E("C:\\d\\\xB1", KIND_AUDIO)};
  EXPECT_EQ(Names(Sorted(w, SORT_NAME_FORWARD)),
            (std::vector<std::string>{"C:\\d\\z", "C:\\d\\\xB1", "C:\\d\\\xB2", "C:\\d\\表"}));
  EXPECT_EQ(Names(Sorted(w, SORT_PATH)), (std::vector<std::string>{"C:\\d\\z", "C:\\d\\\xB1", "C:\\d\\\xB2", "C:\\d\\表"}));
}

// Names equal in their first 16 bytes after the shared prefix are decided by the rest.
TEST(Sort, LongNamesDifferingLate) {
  const std::string stem = "C:\\v\\Recording of the evening news ";
  std::vector<FileEntry> v = {E(stem + "2005-03-02.mp4", KIND_VIDEO), E(stem + "2005-03-01.mp4", KIND_VIDEO),
                              E(stem + "2005-03-01.MP4x", KIND_VIDEO), E("C:\\v\\a\\" + stem.substr(5) + "1.mp4", KIND_VIDEO)};
  EXPECT_EQ(Names(Sorted(v, SORT_NAME_FORWARD)),
            (std::vector<std::string>{"C:\\v\\a\\" + stem.substr(5) + "1.mp4", stem + "2005-03-01.mp4",
                                      stem + "2005-03-01.MP4x", stem + "2005-03-02.mp4"}));
  EXPECT_EQ(Names(Sorted(v, SORT_PATH)),
            (std::vector<std::string>{stem + "2005-03-01.mp4", stem + "2005-03-01.MP4x", stem + "2005-03-02.mp4",
                                      "C:\\v\\a\\" + stem.substr(5) + "1.mp4"}));
}
