#include "browser/FileListModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "config/Settings.h"
#include "native/ExampleSettings.h"
#include "FakeFileSystem.h"

namespace {

Settings TestSettings() { return ExampleSettings("C:\\Home"); }

std::vector<std::string> Names(const std::vector<FileEntry>& v) {
  std::vector<std::string> out;
  for (const FileEntry& e : v) out.push_back(e.name);
  return out;
}

std::vector<EntryKind> Kinds(const std::vector<FileEntry>& v) {
  std::vector<EntryKind> out;
  for (const FileEntry& e : v) out.push_back(e.kind);
  return out;
}

bool Lists(const std::vector<FileEntry>& v, const std::string& name) {
  return CFileListModel::FindEntryByName(v, name) != 0 || (!v.empty() && v[0].name == name);
}

class FileListModelTest : public ::testing::Test {
 protected:
  Settings settings = TestSettings();
  FakeFileSystem fs;
};

}  // namespace

TEST_F(FileListModelTest, StartsWithTheTwoPlaylistCommandEntriesAndNothingPlaying) {
  CFileListModel model(settings, fs);
  ASSERT_EQ(model.Count(), 2);
  EXPECT_EQ(model.CommandEntryCount(), 2);
  EXPECT_EQ(Names(model.Playlist()), (std::vector<std::string>{"プレイリストを空にする", "ファイルリストを表示"}));
  EXPECT_EQ(Kinds(model.Playlist()), (std::vector<EntryKind>{KIND_CLEAR_PLAYLIST, KIND_SHOW_FILES}));
  EXPECT_EQ(model.Playlist()[0].playlistPosition, 0);
  EXPECT_EQ(model.Playlist()[1].playlistPosition, 1);
  EXPECT_EQ(model.Playlist()[0].id, 1);
  EXPECT_EQ(model.Playlist()[1].id, 2);
  EXPECT_EQ(model.NowPlaying().id, -1);
  EXPECT_EQ(model.PlaylistCurrent().id, 0);
  EXPECT_EQ(model.IndexOfNowPlaying(), -1);
  EXPECT_EQ(model.IndexOfPlaylistCurrent(), -1);
  EXPECT_TRUE(model.RandomHistory().empty());
  EXPECT_EQ(model.ListMode(), 0);
  EXPECT_FALSE(model.DriveList());
  EXPECT_EQ(model.SortModeOf(0), 0);
  EXPECT_EQ(model.SortModeOf(1), 0);
  EXPECT_EQ(model.SavedSortMode(), 0);
}

TEST_F(FileListModelTest, ListsAFolderWithItsCommandEntriesInGroupOrder) {
  fs.AddFile("C:\\Movies\\b.avi", 30);
  fs.AddFile("C:\\Movies\\A.AVI", 20);
  fs.AddFile("C:\\Movies\\song.mp3", 10);
  fs.AddFile("C:\\Movies\\hidden.avi", 5, kAttrHidden);   // hidden and system files are listed
  fs.AddFile("C:\\Movies\\system.jpg", 6, kAttrSystem);
  fs.AddFile("C:\\Movies\\data.dat");                     // unlisted
  fs.AddFile("C:\\Movies\\README");                       // no extension
  fs.AddFolder("C:\\Movies\\z", kAttrDirectory, 40);
  fs.AddFolder("C:\\Movies\\secret", kAttrDirectory | kAttrHidden);
  fs.current = "C:\\Movies";
  CFileListModel model(settings, fs);
  model.BuildFileList(false, SORT_NAME_FORWARD);
  EXPECT_EQ(Names(model.FileList()),
            (std::vector<std::string>{"ホームフォルダ", "プレイリストを空にする", "プレイリストを表示,再生",
                                      "このフォルダをプレイリストに追加", "1つ上のフォルダ", "C:\\Movies\\z",
                                      "C:\\Movies\\A.AVI", "C:\\Movies\\b.avi", "C:\\Movies\\hidden.avi",
                                      "C:\\Movies\\song.mp3", "C:\\Movies\\system.jpg"}));
  EXPECT_EQ(Kinds(model.FileList()),
            (std::vector<EntryKind>{0x100, 0x200, 0x400, 0x500, 0x600, 0x900, 0xC00, 0xC00, 0xC00, 0xD00, 0xEF0}));
  const FileEntry& folder = model.FileList()[5];
  EXPECT_EQ(folder.lastWriteTime, 40);
  const FileEntry& b = model.FileList()[7];
  EXPECT_EQ(b.lastWriteTime, 30);
  EXPECT_EQ(b.creationTime, 15);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(model.FileList()[i].lastWriteTime, 0);

  std::set<std::int32_t> ids;
  for (const FileEntry& e : model.FileList()) ids.insert(e.id);
  EXPECT_EQ(ids.size(), model.FileList().size());
  EXPECT_EQ(*ids.begin(), 3);  // after the playlist's two command entries

  model.BuildFileList(false, SORT_TIME_REVERSE);
  const std::vector<std::string> all = Names(model.FileList());
  std::vector<std::string> files(all.begin() + 6, all.end());
  EXPECT_EQ(files, (std::vector<std::string>{"C:\\Movies\\b.avi", "C:\\Movies\\A.AVI", "C:\\Movies\\song.mp3",
                                             "C:\\Movies\\system.jpg", "C:\\Movies\\hidden.avi"}));
  EXPECT_GT(model.FileList()[0].id, 13);  // the counter is never reset
}

TEST_F(FileListModelTest, UpEntryOfADriveRootLeadsToTheDriveList) {
  fs.AddFile("C:\\clip.avi");
  fs.current = "C:\\";
  CFileListModel model(settings, fs);
  model.BuildFileList(false, 0);
  int up = CFileListModel::FindEntryByName(model.FileList(), "1つ上のフォルダ");
  EXPECT_EQ(model.FileList()[up].kind, KIND_PARENT_ROOT);
  EXPECT_TRUE(Lists(model.FileList(), "C:\\clip.avi"));  // no doubled backslash at the root
  EXPECT_EQ(fs.searched.back(), "C:\\");

  // A file system that reports ".." at a root is not believed.
  fs.dotsAtRoot = true;
  model.BuildFileList(false, 0);
  up = CFileListModel::FindEntryByName(model.FileList(), "1つ上のフォルダ");
  EXPECT_EQ(model.FileList()[up].kind, KIND_PARENT_ROOT);
  EXPECT_EQ(std::count_if(model.FileList().begin(), model.FileList().end(),
                          [](const FileEntry& e) { return e.name == "1つ上のフォルダ"; }),
            1);
}

TEST_F(FileListModelTest, AnUnreadableFolderListsOnlyTheCommandEntriesAndTheRootUpEntry) {
  fs.AddFile("C:\\Locked\\a.avi");
  fs.unreadable.insert("C:\\Locked");
  fs.current = "C:\\Locked";
  CFileListModel model(settings, fs);
  model.BuildFileList(false, 0);
  EXPECT_EQ(Kinds(model.FileList()), (std::vector<EntryKind>{0x100, 0x200, 0x400, 0x500, 0x700}));
  fs.current = "C:\\Missing";
  model.BuildFileList(false, 0);
  EXPECT_EQ(Kinds(model.FileList()), (std::vector<EntryKind>{0x100, 0x200, 0x400, 0x500, 0x700}));
}

TEST_F(FileListModelTest, HomeEntryRules) {
  fs.AddFile("C:\\Home\\a.avi");
  fs.AddFile("C:\\ソ\\a.avi");
  struct {
    const char* home;
    const char* current;
    bool listed;
  } cases[] = {
      {"C:\\Home", "C:\\Home", false},
      {"C:\\Home\\", "C:\\Home", false},  // one trailing backslash is removed
      {"c:\\home", "C:\\Home", true},     // case-sensitive
      {"C:\\", "C:\\", true},             // C:\ becomes C:, which never equals C:\ .
      {"C:\\ソ", "C:\\ソ", false},         // the trail byte 5C of ソ is not a trailing backslash
      {"C:\\ソ\\", "C:\\ソ", false},
      {"", "C:\\Home", true},
  };
  for (const auto& c : cases) {
    settings.homeDir = c.home;
    fs.current = c.current;
    CFileListModel model(settings, fs);
    model.BuildFileList(false, 0);
    EXPECT_EQ(Lists(model.FileList(), "ホームフォルダ"), c.listed) << c.home << " in " << c.current;
    EXPECT_EQ(Lists(model.FileList(), "このフォルダをプレイリストに追加"), c.listed) << c.home << " in " << c.current;
    EXPECT_TRUE(Lists(model.FileList(), "プレイリストを表示,再生"));
    EXPECT_TRUE(Lists(model.FileList(), "プレイリストを空にする"));
  }
}

TEST_F(FileListModelTest, TheLiveSettingsApplyFromTheNextListing) {
  fs.AddFile("C:\\Home\\a.xyz");
  fs.current = "C:\\Home";
  CFileListModel model(settings, fs);
  model.BuildFileList(false, 0);
  EXPECT_FALSE(Lists(model.FileList(), "C:\\Home\\a.xyz"));
  settings.extVideo += ",xyz";
  settings.homeDir = "D:\\";
  model.BuildFileList(false, 0);
  EXPECT_TRUE(Lists(model.FileList(), "C:\\Home\\a.xyz"));
  EXPECT_TRUE(Lists(model.FileList(), "ホームフォルダ"));
}

TEST_F(FileListModelTest, DriveListHasDrivesCToYOfTypesTwoToFive) {
  fs.drives["C:\\"] = {kDriveFixed, "System"};
  fs.drives["D:\\"] = {kDriveCdRom, ""};          // no disc: the root alone
  fs.drives["E:\\"] = {kDriveRemovable, "USB"};
  fs.drives["F:\\"] = {kDriveRemote, "net"};
  fs.drives["G:\\"] = {kDriveRamDisk, "ram"};
  fs.drives["H:\\"] = {kDriveUnknown, "unknown"};
  fs.drives["A:\\"] = {kDriveRemovable, "floppy"};
  fs.drives["Z:\\"] = {kDriveFixed, "unix"};
  fs.current = "C:\\";
  CFileListModel model(settings, fs);
  model.BuildFileList(true, 0);
  EXPECT_EQ(Names(model.FileList()), (std::vector<std::string>{"ホームフォルダ", "プレイリストを空にする", "プレイリストを表示,再生",
                                                               "C:\\System", "D:\\", "E:\\USB", "F:\\net"}));
  EXPECT_EQ(model.FileList()[3].kind, KIND_DRIVE);
  EXPECT_EQ(fs.driveQueries.size(), 23u);  // C to Y
  EXPECT_EQ(fs.driveQueries.front(), "C:\\");
  EXPECT_EQ(fs.driveQueries.back(), "Y:\\");
}

TEST_F(FileListModelTest, ShortcutsAreListedByTheShortcutsPath) {
  fs.AddFolder("C:\\Target");
  fs.AddFile("C:\\Target\\note.txt");
  fs.AddShortcut("C:\\Home\\folder.lnk", "C:\\Target", true);
  fs.AddShortcut("C:\\Home\\note.lnk", "C:\\Target\\note.txt", false);
  fs.AddShortcut("C:\\Home\\data.lnk", "C:\\Target\\data.dat", false);
  fs.AddShortcut("C:\\Home\\gone.lnk", "", false);
  fs.AddFile("C:\\Home\\plain.avi");
  fs.current = "C:\\Home";
  CFileListModel model(settings, fs);
  model.BuildFileList(false, 0);
  const auto& list = model.FileList();
  EXPECT_EQ(list[CFileListModel::FindEntryByName(list, "C:\\Home\\folder.lnk")].kind, 0x901u);
  EXPECT_EQ(list[CFileListModel::FindEntryByName(list, "C:\\Home\\note.lnk")].kind, 0xF01u);
  EXPECT_FALSE(Lists(list, "C:\\Home\\data.lnk"));
  EXPECT_FALSE(Lists(list, "C:\\Home\\gone.lnk"));
  EXPECT_EQ(fs.resolveCalls, 4);  // only the .lnk files are resolved
  // The folder shortcut is in the group after the folders.
  EXPECT_EQ(list[CFileListModel::FindEntryByName(list, "C:\\Home\\folder.lnk") + 1].name, "C:\\Home\\note.lnk");
}

TEST_F(FileListModelTest, DoubleByteNamesWithBackslashTrailBytes) {
  fs.AddFile("C:\\表示\\ソ.avi");
  fs.AddFile("C:\\表示\\ソ");          // no extension
  fs.AddFolder("C:\\表示\\ソフト");
  fs.current = "C:\\表示";
  CFileListModel model(settings, fs);
  model.BuildFileList(false, 0);
  EXPECT_TRUE(Lists(model.FileList(), "C:\\表示\\ソ.avi"));
  EXPECT_TRUE(Lists(model.FileList(), "C:\\表示\\ソフト"));
  EXPECT_FALSE(Lists(model.FileList(), "C:\\表示\\ソ"));
  EXPECT_EQ(model.CollectTree("C:\\表示"), 1u);
}

TEST_F(FileListModelTest, FindEntryByNameIsExactAndFallsBackToTheFirstEntry) {
  fs.AddFile("C:\\Home\\a.avi");
  fs.current = "C:\\Home";
  CFileListModel model(settings, fs);
  model.BuildFileList(false, 0);
  int i = CFileListModel::FindEntryByName(model.FileList(), "C:\\Home\\a.avi");
  EXPECT_EQ(model.FileList()[i].name, "C:\\Home\\a.avi");
  EXPECT_EQ(CFileListModel::FindEntryByName(model.FileList(), "c:\\home\\a.avi"), 0);
  EXPECT_EQ(CFileListModel::FindEntryByName({}, "x"), 0);
}

TEST_F(FileListModelTest, CollectionEntersHiddenFoldersAndKeepsPathOrder) {
  fs.AddFile("D:\\m\\c.mp3");
  fs.AddFile("D:\\m\\x\\a.mp3");
  fs.AddFile("D:\\m\\b.mp3");
  fs.AddFile("D:\\m\\.hidden\\h.avi");
  fs.AddFolder("D:\\m\\secret", kAttrDirectory | kAttrHidden);
  fs.AddFile("D:\\m\\secret\\s.jpg");
  fs.AddFile("D:\\m\\notes.txt");
  fs.AddFile("D:\\m\\skip.dat");
  CFileListModel model(settings, fs);
  EXPECT_EQ(model.CollectTree("D:\\m"), 6u);
  EXPECT_EQ(Names(model.Collection()),
            (std::vector<std::string>{"D:\\m\\b.mp3", "D:\\m\\c.mp3", "D:\\m\\notes.txt", "D:\\m\\.hidden\\h.avi",
                                      "D:\\m\\secret\\s.jpg", "D:\\m\\x\\a.mp3"}));
  EXPECT_EQ(model.Collection().size(), 6u);
  EXPECT_EQ(model.VisitedFolders().size(), 4u);
  // A trailing backslash names the same folder.
  EXPECT_EQ(model.CollectTree("D:\\m\\"), 6u);
  EXPECT_EQ(model.Collection()[0].name, "D:\\m\\b.mp3");
}

TEST_F(FileListModelTest, CollectionFollowsFolderShortcutsAndShortcutLoopsEnd) {
  fs.AddFile("C:\\T\\a.avi");
  fs.AddFile("C:\\T\\sub\\b.avi");
  fs.AddShortcut("C:\\T\\sub\\up.lnk", "C:\\T", true);       // back to an ancestor
  fs.AddFile("C:\\P\\p.mp3");
  fs.AddFile("C:\\Q\\q.mp3");
  fs.AddShortcut("C:\\P\\toq.lnk", "C:\\Q", true);           // two folders pointing at each other
  fs.AddShortcut("C:\\Q\\top.lnk", "C:\\P\\", true);
  fs.AddShortcut("C:\\T\\other.lnk", "C:\\P", true);
  fs.AddShortcut("C:\\T\\clip.lnk", "C:\\Q\\q.mp3", false);  // a file shortcut is collected as itself
  CFileListModel model(settings, fs);
  EXPECT_EQ(model.CollectTree("C:\\T"), 5u);
  EXPECT_EQ(Names(model.Collection()), (std::vector<std::string>{"C:\\P\\p.mp3", "C:\\Q\\q.mp3", "C:\\T\\a.avi",
                                                                 "C:\\T\\clip.lnk", "C:\\T\\sub\\b.avi"}));
  EXPECT_EQ(model.Collection()[3].kind, 0xD01u);
  EXPECT_EQ(model.CollectTree("C:\\P"), 2u);
  EXPECT_EQ(model.VisitedFolders(), (std::vector<std::string>{"C:\\P", "C:\\Q"}));
}

TEST_F(FileListModelTest, CollectionOfAnEndlessShortcutChainStopsAtTheDepthLimit) {
  // Every folder holds a shortcut to a new, deeper folder: only the depth guard ends this.
  struct Endless : FakeFileSystem {
    bool Search(const std::wstring& folder, const Visitor& visit) override {
      visit({"f.avi", L"f.avi", 0x20, 0, 0});
      visit({"next.lnk", L"next.lnk", 0x20, 0, 0});
      (void)folder;
      return true;
    }
    ShortcutTarget ResolveShortcut(const std::wstring& path) override {
      const std::wstring target = path.substr(0, path.size() - 4) + L"x";
      return {Narrow(target).text, true, target};
    }
  } endless;
  CFileListModel model(settings, endless);
  EXPECT_EQ(model.CollectTree("C:\\e"), static_cast<std::size_t>(kMaxCollectDepth + 1));
}

TEST_F(FileListModelTest, CollectionOfAMissingFolderIsEmpty) {
  CFileListModel model(settings, fs);
  EXPECT_EQ(model.CollectTree("C:\\nowhere"), 0u);
  EXPECT_EQ(model.CollectTree(""), 0u);
}

TEST_F(FileListModelTest, EntryForOpenPath) {
  fs.AddFolder("C:\\Movies.avi");
  fs.AddFile("C:\\doc\\a.txt");
  fs.AddFile("C:\\doc\\a.dat");
  CFileListModel model(settings, fs);
  FileEntry folder = model.EntryForOpenPath("C:\\Movies.avi");
  EXPECT_EQ(folder.kind, 0u);
  EXPECT_EQ(folder.id, 0);
  FileEntry text = model.EntryForOpenPath("C:\\doc\\a.txt");
  EXPECT_EQ(text.kind, KIND_OPEN);
  EXPECT_EQ(text.name, "C:\\doc\\a.txt");
  EXPECT_EQ(text.id, 3);
  EXPECT_EQ(text.lastWriteTime, 0);
  EXPECT_EQ(model.EntryForOpenPath("C:\\doc\\a.dat").kind, 0u);
  FileEntry missing = model.EntryForOpenPath("C:\\gone\\clip.avi");  // classified by its name
  EXPECT_EQ(missing.kind, KIND_VIDEO);
  EXPECT_EQ(missing.id, 4);
}

// ---- Sort modes, TV recording folder

TEST_F(FileListModelTest, SortCycleWithTheSavedMode) {
  CFileListModel model(settings, fs);
  const SortMode expected[] = {1, 16, 17, 0};
  const char* faces[] = {"NAMESORTRSW.bmp", "TIMESORTFSW.bmp", "TIMESORTRSW.bmp", "NAMESORTFSW.bmp"};
  for (int i = 0; i < 4; ++i) {
    SortFace face = model.SetSortMode(SORT_CYCLE, false);
    EXPECT_EQ(model.SortModeOf(0), expected[i]);
    EXPECT_EQ(model.SavedSortMode(), expected[i]);
    EXPECT_STREQ(face.file, faces[i]);
  }
  // Another mode is stored for the current list only; the saved mode stays.
  EXPECT_EQ(model.SetSortMode(SORT_TIME_FORWARD, false).resource, 160);
  EXPECT_EQ(model.SortModeOf(0), 16);
  EXPECT_EQ(model.SavedSortMode(), 0);
  // The playlist has its own mode; the cycle there changes the saved mode too.
  model.StoreListMode(1);
  model.SetSortMode(SORT_CYCLE, false);
  EXPECT_EQ(model.SortModeOf(1), 1);
  EXPECT_EQ(model.SortModeOf(0), 16);
  EXPECT_EQ(model.SavedSortMode(), 1);
  EXPECT_STREQ(model.CurrentSortFace().file, "NAMESORTRSW.bmp");
}

TEST_F(FileListModelTest, ResortSortsTheCurrentListModesArray) {
  fs.AddFile("C:\\Home\\a.avi", 2);
  fs.AddFile("C:\\Home\\b.avi", 1);
  fs.current = "C:\\Home";
  CFileListModel model(settings, fs);
  model.BuildFileList();
  EXPECT_EQ(model.FileList().back().name, "C:\\Home\\b.avi");
  model.SetSortMode(SORT_TIME_REVERSE, true);
  EXPECT_EQ(model.FileList().back().name, "C:\\Home\\b.avi");
  model.SetSortMode(SORT_TIME_FORWARD, true);
  EXPECT_EQ(model.FileList().back().name, "C:\\Home\\a.avi");
}

TEST_F(FileListModelTest, TvFolderListsOldestFirstAndTheUsersOrderComesBack) {
  settings.tvDir = "c:\\tv";
  fs.AddFile("C:\\TV\\new.mp4", 300);
  fs.AddFile("C:\\TV\\old.mp4", 100);
  fs.AddFile("C:\\Films\\b.avi");
  fs.AddFile("C:\\Films\\a.avi");
  CFileListModel model(settings, fs);
  model.SetSortMode(SORT_CYCLE, false);  // the user chooses name reverse
  fs.current = "C:\\TV";
  EXPECT_TRUE(model.IsTvFolder());
  EXPECT_STREQ(model.ChooseSortModeForListing().file, "TIMESORTFSW.bmp");
  model.BuildFileList();
  EXPECT_EQ(model.FileList().back().name, "C:\\TV\\new.mp4");
  EXPECT_EQ(model.SavedSortMode(), 1);
  fs.current = "C:\\Films";
  EXPECT_FALSE(model.IsTvFolder());
  EXPECT_STREQ(model.ChooseSortModeForListing().file, "NAMESORTRSW.bmp");
  model.BuildFileList();
  EXPECT_EQ(model.FileList().back().name, "C:\\Films\\a.avi");
  // Only in list mode 0.
  fs.current = "C:\\TV\\2005";
  EXPECT_TRUE(model.IsTvFolder());
  model.StoreListMode(1);
  EXPECT_FALSE(model.IsTvFolder());
  settings.tvDir.clear();
  model.StoreListMode(0);
  EXPECT_FALSE(model.IsTvFolder());
}

TEST_F(FileListModelTest, PlayingInTheTvFolderFollowsTheNowPlayingPath) {
  settings.tvDir = "d:\\tv";
  CFileListModel model(settings, fs);
  EXPECT_FALSE(model.IsPlayingInTvFolder());
  model.NowPlaying().name = "D:\\TV\\2005\\show.mp4";
  EXPECT_TRUE(model.IsPlayingInTvFolder());
  model.NowPlaying().name = "D:\\TV2\\show.mp4";
  EXPECT_TRUE(model.IsPlayingInTvFolder());
  model.NowPlaying().name = "D:\\Films\\show.mp4";
  EXPECT_FALSE(model.IsPlayingInTvFolder());
  settings.tvDir.clear();
  model.NowPlaying().name = "D:\\TV\\show.mp4";
  EXPECT_FALSE(model.IsPlayingInTvFolder());
}

// ---- Playlist

namespace {
FileEntry Media(const std::string& name, EntryKind kind = KIND_VIDEO) { return {name, kind, 0, 0, 999, 0}; }
}  // namespace

TEST_F(FileListModelTest, AddingTheSameFileTwiceGivesTwoEntries) {
  CFileListModel model(settings, fs);
  EXPECT_TRUE(model.AddEntry(Media("C:\\a.avi")));
  EXPECT_TRUE(model.AddEntry(Media("C:\\a.avi")));
  ASSERT_EQ(model.Count(), 4);
  EXPECT_NE(model.EntryAt(2).id, model.EntryAt(3).id);
  EXPECT_NE(model.EntryAt(2).id, 999);
  EXPECT_EQ(model.EntryAt(3).playlistPosition, 3);
  EXPECT_TRUE(model.RemoveEntry(model.EntryAt(2)));
  ASSERT_EQ(model.Count(), 3);
  EXPECT_EQ(model.EntryAt(2).name, "C:\\a.avi");
  EXPECT_EQ(model.EntryAt(2).playlistPosition, 2);
}

TEST_F(FileListModelTest, OnlyVideoAudioAndPictureEntriesAreTaken) {
  CFileListModel model(settings, fs);
  EXPECT_FALSE(model.AddEntry(Media("C:\\a.txt", KIND_OPEN)));
  EXPECT_FALSE(model.AddEntry(Media("C:\\d", KIND_FOLDER)));
  EXPECT_FALSE(model.AddEntry(Media("C:\\d.lnk", KIND_FOLDER | 1)));
  EXPECT_FALSE(model.AddEntry(Media("ホームフォルダ", KIND_HOME)));
  EXPECT_TRUE(model.AddEntry(Media("C:\\a.mp4", KIND_VIDEO | ENGINE_QUICKTIME)));
  EXPECT_TRUE(model.AddEntry(Media("C:\\a.lnk", KIND_AUDIO | 1)));
  EXPECT_TRUE(model.AddEntry(Media("C:\\a.jpg", KIND_PICTURE | ENGINE_PICTURE)));
  EXPECT_EQ(model.Count(), 5);
}

TEST_F(FileListModelTest, RemovingPositionThreeOfSixLeavesNoGap) {
  CFileListModel model(settings, fs);
  for (const char* n : {"C:\\2.avi", "C:\\3.avi", "C:\\4.avi", "C:\\5.avi"}) model.AddEntry(Media(n));
  ASSERT_EQ(model.Count(), 6);
  FileEntry third = model.EntryAt(3);
  EXPECT_EQ(third.playlistPosition, 3);
  ASSERT_TRUE(model.RemoveEntry(third));
  ASSERT_EQ(model.Count(), 5);
  EXPECT_EQ(Names(model.Playlist()), (std::vector<std::string>{"プレイリストを空にする", "ファイルリストを表示", "C:\\2.avi",
                                                               "C:\\4.avi", "C:\\5.avi"}));
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(model.EntryAt(i).playlistPosition, i);
    EXPECT_EQ(model.PlaylistByPosition()[i].playlistPosition, i);
  }
  // A stale copy (its position has moved) is found by its id; a removed one is not found again.
  FileEntry five = model.EntryAt(4);
  five.playlistPosition = 5;
  EXPECT_TRUE(model.RemoveEntry(five));
  EXPECT_FALSE(model.RemoveEntry(third));
  EXPECT_EQ(model.Count(), 4);
  // Command entries stay.
  EXPECT_FALSE(model.RemoveEntry(model.EntryAt(0)));
  EXPECT_EQ(model.CommandEntryCount(), 2);
}

TEST_F(FileListModelTest, RemovingThePlaylistCurrentEntryClearsIt) {
  CFileListModel model(settings, fs);
  model.AddEntry(Media("C:\\a.avi"));
  model.AddEntry(Media("C:\\b.avi"));
  model.PlaylistCurrent() = model.EntryAt(3);
  model.NowPlaying() = model.EntryAt(3);
  EXPECT_EQ(model.IndexOfPlaylistCurrent(), 3);
  EXPECT_EQ(model.IndexOfNowPlaying(), 3);
  model.RemoveEntry(model.EntryAt(2));
  EXPECT_EQ(model.IndexOfNowPlaying(), 2);
  EXPECT_EQ(model.PlaylistCurrent().name, "C:\\b.avi");
  model.RemoveEntry(model.EntryAt(2));
  EXPECT_EQ(model.PlaylistCurrent().id, 0);
  EXPECT_EQ(model.PlaylistCurrent().name, "");
  EXPECT_EQ(model.IndexOfNowPlaying(), -1);  // playback goes on; the entry is gone from the list
  EXPECT_EQ(model.NowPlaying().name, "C:\\b.avi");
}

TEST_F(FileListModelTest, SortingThePlaylistThenAddingRestoresInsertionOrder) {
  CFileListModel model(settings, fs);
  for (const char* n : {"C:\\b.avi", "C:\\c.avi", "C:\\a.avi"}) model.AddEntry(Media(n));
  model.StoreListMode(1);
  model.SetSortMode(SORT_NAME_REVERSE, true);
  EXPECT_EQ(Names(model.Playlist()), (std::vector<std::string>{"プレイリストを空にする", "ファイルリストを表示", "C:\\c.avi",
                                                               "C:\\b.avi", "C:\\a.avi"}));
  EXPECT_EQ(model.EntryAt(4).playlistPosition, 4);  // positions are unchanged by a sort
  EXPECT_EQ(model.EntryAt(2).playlistPosition, 3);
  model.AddEntry(Media("C:\\d.avi"));
  EXPECT_EQ(Names(model.Playlist()), (std::vector<std::string>{"プレイリストを空にする", "ファイルリストを表示", "C:\\b.avi",
                                                               "C:\\c.avi", "C:\\a.avi", "C:\\d.avi"}));
  // A refused entry also restores position order.
  model.SetSortMode(SORT_NAME_FORWARD, true);
  EXPECT_EQ(model.EntryAt(2).name, "C:\\a.avi");
  model.AddEntry(Media("C:\\x.txt", KIND_OPEN));
  EXPECT_EQ(model.EntryAt(2).name, "C:\\b.avi");
}

TEST_F(FileListModelTest, ClearPlaylistLeavesExactlyTheTwoCommandEntries) {
  CFileListModel model(settings, fs);
  for (const char* n : {"C:\\a.avi", "C:\\b.avi"}) model.AddEntry(Media(n));
  model.PlaylistCurrent() = model.EntryAt(2);
  model.RandomHistory().insert(model.EntryAt(2).id);
  std::int32_t before = 0;
  for (int i = 0; i < model.Count(); ++i) before = std::max(before, model.EntryAt(i).id + 1);
  model.ClearPlaylist();
  ASSERT_EQ(model.Count(), 2);
  EXPECT_EQ(model.CommandEntryCount(), 2);
  EXPECT_EQ(Kinds(model.Playlist()), (std::vector<EntryKind>{KIND_CLEAR_PLAYLIST, KIND_SHOW_FILES}));
  EXPECT_EQ(model.EntryAt(0).id, before);  // new command entries with the next ids
  EXPECT_EQ(model.EntryAt(1).id, before + 1);
  EXPECT_EQ(model.PlaylistCurrent().id, 0);
  EXPECT_EQ(model.PlaylistCurrent().name, "C:\\a.avi");  // the name stays
  EXPECT_EQ(model.RandomHistory().size(), 1u);           // the history is the play order's business
  // Whatever the playlist's sort mode, the command entries keep their order.
  model.StoreListMode(1);
  model.SetSortMode(SORT_NAME_REVERSE, false);
  model.ClearPlaylist();
  EXPECT_EQ(Kinds(model.Playlist()), (std::vector<EntryKind>{KIND_CLEAR_PLAYLIST, KIND_SHOW_FILES}));
}

TEST_F(FileListModelTest, AddTreeAppendsTheMediaFilesOfTheCollectionInPathOrder) {
  fs.AddFile("D:\\m\\c.mp3");
  fs.AddFile("D:\\m\\x\\a.mp3");
  fs.AddFile("D:\\m\\b.mp3");
  fs.AddFile("D:\\m\\readme.txt");
  CFileListModel model(settings, fs);
  model.AddEntry(Media("C:\\first.avi"));
  EXPECT_EQ(model.AddTree("D:\\m"), 3u);
  EXPECT_EQ(Names(model.Playlist()), (std::vector<std::string>{"プレイリストを空にする", "ファイルリストを表示", "C:\\first.avi",
                                                               "D:\\m\\b.mp3", "D:\\m\\c.mp3", "D:\\m\\x\\a.mp3"}));
  // The collection's ids are kept.
  EXPECT_EQ(model.EntryAt(3).id, model.Collection()[0].id);
  EXPECT_EQ(model.Collection().size(), 4u);
  for (int i = 0; i < model.Count(); ++i) EXPECT_EQ(model.EntryAt(i).playlistPosition, i);
  EXPECT_EQ(model.AppendAll(nullptr, 3), 0u);
}

TEST_F(FileListModelTest, EntryAtOutsideThePlaylistIsAnEmptyEntry) {
  CFileListModel model(settings, fs);
  EXPECT_EQ(model.EntryAt(-1).id, 0);
  EXPECT_EQ(model.EntryAt(2).id, 0);
  EXPECT_EQ(model.EntryAt(1).kind, KIND_SHOW_FILES);
  EXPECT_EQ(&model.List(1), &model.Playlist());
  EXPECT_EQ(&model.List(0), &model.FileList());
}

TEST_F(FileListModelTest, RebuildOfAFilledPlaylistKeepsItsCommandEntries) {
  CFileListModel model(settings, fs);
  model.AddEntry(Media("C:\\a.avi"));
  model.Rebuild();
  EXPECT_EQ(model.Count(), 3);
  EXPECT_EQ(model.CommandEntryCount(), 2);
}

// A walk through folders and drives as the keys and switches make it.
TEST_F(FileListModelTest, NavigationWalksFoldersDrivesAndHome) {
  fs.drives["C:\\"] = {kDriveFixed, "SYS"};
  fs.drives["E:\\"] = {kDriveCdRom, ""};
  fs.noDisc.insert("E:\\");
  fs.AddFolder("C:\\Home");
  fs.AddFolder("C:\\Movies\\2005");
  fs.AddFile("C:\\Movies\\2005\\a.avi");
  fs.current = "C:\\Movies\\2005";
  CFileListModel model(settings, fs);

  // Up from a folder lands in its parent, naming the folder just left.
  EXPECT_EQ(model.GoUp(), std::optional<std::wstring>(L"C:\\Movies\\2005"));
  EXPECT_EQ(fs.current, "C:\\Movies");
  EXPECT_TRUE(Lists(model.FileList(), "C:\\Movies\\2005"));
  // Up from a drive root lists the drives and names the root's drive entry.
  model.EnterFolder("C:\\");
  EXPECT_EQ(model.GoUp(), std::optional<std::wstring>(L"C:\\SYS"));
  EXPECT_TRUE(model.DriveList());
  EXPECT_TRUE(Lists(model.FileList(), "C:\\SYS"));
  EXPECT_EQ(model.GoUp(), std::nullopt);  // nothing further up

  // A drive without a disc leaves the drive list as it was; a readable one is entered.
  const std::size_t drives = model.FileList().size();
  EXPECT_FALSE(model.EnterDrive({"E:\\", KIND_DRIVE}));
  EXPECT_TRUE(model.DriveList());
  EXPECT_EQ(model.FileList().size(), drives);
  EXPECT_TRUE(model.EnterDrive({"C:\\SYS", KIND_DRIVE}));
  EXPECT_FALSE(model.DriveList());
  EXPECT_EQ(fs.current, "C:\\");

  // A folder that cannot be entered lists the old one again.
  fs.unenterable.insert("C:\\Movies");
  model.EnterFolder("C:\\Movies");
  EXPECT_EQ(fs.current, "C:\\");
  EXPECT_TRUE(Lists(model.FileList(), "C:\\Movies"));

  // Home lists only when the directory changes, unless forced.
  EXPECT_TRUE(model.GoHome(false));
  EXPECT_EQ(fs.current, "C:\\Home");
  EXPECT_FALSE(model.GoHome(false));
  EXPECT_TRUE(model.GoHome(true));
}

TEST_F(FileListModelTest, HomeOnADriveRootDoesNothingFromTheDriveListReachedThere) {
  settings.homeDir = "C:\\";
  fs.drives["C:\\"] = {kDriveFixed, "SYS"};
  fs.AddFolder("C:\\x");
  CFileListModel model(settings, fs);
  model.GoUp();
  ASSERT_TRUE(model.DriveList());
  EXPECT_FALSE(model.GoHome(false));  // C:\ already: no new listing
  EXPECT_TRUE(model.DriveList());
}
