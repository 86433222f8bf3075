// The file list model on real folders under Wine: the system's folder search, drives, current directory
// and shell links (made here with the real IShellLink interface).

#include "browser/FileListModel.h"

#include <gtest/gtest.h>

#include "config/Settings.h"
#include "framework/CodePage.h"
#include "framework/Com.h"
#include "framework/Mbcs.h"
#include "native/ExampleSettings.h"
#include "wine/WineSupport.h"

namespace {

Settings TestSettings() { return ExampleSettings("C:\\nowhere"); }

std::string NoSlash(std::string path) {
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

bool Lists(const std::vector<FileEntry>& v, const std::string& name) {
  for (const FileEntry& e : v)
    if (e.name == name) return true;
  return false;
}

EntryKind KindOf(const std::vector<FileEntry>& v, const std::string& name) {
  for (const FileEntry& e : v)
    if (e.name == name) return e.kind;
  return 0;
}

std::vector<std::string> Names(const std::vector<FileEntry>& v) {
  std::vector<std::string> out;
  for (const FileEntry& e : v) out.push_back(e.name);
  return out;
}

class BrowserWine : public ::testing::Test {
 protected:
  void SetUp() override {
    char cwd[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, cwd);
    m_oldCwd = cwd;
  }
  // Back to where the test started, so that the temporary folder can be removed.
  void TearDown() override { ::SetCurrentDirectoryA(m_oldCwd.c_str()); }

  void Enter(const std::string& folder) { ASSERT_TRUE(::SetCurrentDirectoryA(folder.c_str())) << folder; }
  std::string Folder(const std::string& name) {
    std::string path = dir.File(name);
    EXPECT_TRUE(wt::MakeFolder(path)) << "could not make a test folder";
    return path;
  }
  std::string File(const std::string& name, DWORD attributes = 0) {
    std::string path = dir.File(name);
    EXPECT_TRUE(wt::WriteFile(path, "x")) << "could not write a test file";
    if (attributes) ::SetFileAttributesA(path.c_str(), attributes);
    return path;
  }

  wt::TempDir dir{"browser"};
  Settings settings = TestSettings();
  CFileListModel model{settings};
  std::string m_oldCwd;
};

}  // namespace

TEST_F(BrowserWine, RunsInTheJapaneseCodePage) { EXPECT_EQ(::GetACP(), 932u); }

TEST_F(BrowserWine, ListsHiddenAndSystemFilesButSkipsHiddenFolders) {
  const std::string a = File("a.avi"), b = File("B.MP3"), txt = File("note.txt");
  const std::string hidden = File("h.avi", FILE_ATTRIBUTE_HIDDEN), system = File("s.jpg", FILE_ATTRIBUTE_SYSTEM);
  File("x.dat");
  File("README");
  const std::string sub = Folder("sub"), secret = Folder("secret");
  ::SetFileAttributesA(secret.c_str(), FILE_ATTRIBUTE_HIDDEN);
  Enter(dir.Path());
  EXPECT_EQ(model.CurrentDirectory(), NoSlash(dir.Path()));

  model.BuildFileList(false, SORT_NAME_FORWARD);
  const auto& list = model.FileList();
  EXPECT_EQ(Names(list), (std::vector<std::string>{"ホームフォルダ", "プレイリストを空にする", "プレイリストを表示,再生",
                                                   "このフォルダをプレイリストに追加", "1つ上のフォルダ", sub, a, b, hidden,
                                                   txt, system}));
  EXPECT_EQ(KindOf(list, "1つ上のフォルダ"), KIND_PARENT);
  EXPECT_EQ(KindOf(list, sub), KIND_FOLDER);
  EXPECT_EQ(KindOf(list, a), KIND_VIDEO);
  EXPECT_EQ(KindOf(list, b), KIND_AUDIO);
  EXPECT_EQ(KindOf(list, system), KIND_PICTURE | ENGINE_PICTURE);
  EXPECT_EQ(KindOf(list, txt), KIND_OPEN);
  // File times are seconds since 1970 and recent.
  const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
  for (const FileEntry& e : list) {
    if (e.kind == KIND_VIDEO) {
      EXPECT_NEAR(static_cast<double>(e.lastWriteTime), static_cast<double>(now), 120.0) << e.name;
      EXPECT_NEAR(static_cast<double>(e.creationTime), static_cast<double>(now), 120.0) << e.name;
    }
  }
}

TEST_F(BrowserWine, UpEntryOfADriveRootDiffersFromAFolders) {
  Enter("C:\\");
  EXPECT_EQ(model.CurrentDirectory(), "C:\\");
  model.BuildFileList(false, 0);
  EXPECT_EQ(KindOf(model.FileList(), "1つ上のフォルダ"), KIND_PARENT_ROOT);
  // Entries at the root have one backslash after the drive.
  for (const FileEntry& e : model.FileList()) {
    if (e.kind != KIND_FOLDER) continue;
    EXPECT_EQ(e.name.substr(0, 3), "C:\\");
    EXPECT_NE(e.name.substr(3, 1), "\\") << e.name;
  }
  EXPECT_TRUE(Lists(model.FileList(), "C:\\windows") || Lists(model.FileList(), "C:\\Windows"));

  Enter(dir.Path());
  model.BuildFileList(false, 0);
  EXPECT_EQ(KindOf(model.FileList(), "1つ上のフォルダ"), KIND_PARENT);
}

TEST_F(BrowserWine, HomeEntryRules) {
  Enter("C:\\");
  settings.homeDir = "C:\\";  // becomes C:, which never equals C:\ .
  model.BuildFileList(false, 0);
  EXPECT_TRUE(Lists(model.FileList(), "ホームフォルダ"));

  Enter(dir.Path());
  settings.homeDir = dir.Path();  // with its trailing backslash
  model.BuildFileList(false, 0);
  EXPECT_FALSE(Lists(model.FileList(), "ホームフォルダ"));
  EXPECT_FALSE(Lists(model.FileList(), "このフォルダをプレイリストに追加"));
  EXPECT_TRUE(Lists(model.FileList(), "プレイリストを表示,再生"));

  settings.homeDir = mbcs::LowerAscii(dir.Path());  // the comparison is case-sensitive
  ASSERT_NE(settings.homeDir, dir.Path());
  model.BuildFileList(false, 0);
  EXPECT_TRUE(Lists(model.FileList(), "ホームフォルダ"));
  EXPECT_TRUE(Lists(model.FileList(), "このフォルダをプレイリストに追加"));
}

TEST_F(BrowserWine, ShortcutsMadeWithTheShellLinkInterface) {
  const std::string target = Folder("target");
  const std::string note = File("target\\note.txt"), data = File("target\\data.dat"), gone = File("target\\gone.avi");
  const std::string shelf = Folder("shelf");
  ASSERT_TRUE(wt::MakeShortcut(dir.File("shelf\\folder.lnk"), target));
  ASSERT_TRUE(wt::MakeShortcut(dir.File("shelf\\note.lnk"), note));
  ASSERT_TRUE(wt::MakeShortcut(dir.File("shelf\\data.lnk"), data));
  ASSERT_TRUE(wt::MakeShortcut(dir.File("shelf\\gone.lnk"), gone));
  ASSERT_TRUE(::DeleteFileA(gone.c_str()));

  ShortcutTarget t = model.ResolveShortcut(dir.File("shelf\\folder.lnk"));
  EXPECT_EQ(mbcs::LowerAscii(t.path), mbcs::LowerAscii(target));
  EXPECT_TRUE(t.isFolder);
  t = model.ResolveShortcut(dir.File("shelf\\note.lnk"));
  EXPECT_EQ(mbcs::LowerAscii(t.path), mbcs::LowerAscii(note));
  EXPECT_FALSE(t.isFolder);
  EXPECT_TRUE(model.ResolveShortcut(dir.File("shelf\\gone.lnk")).path.empty());
  EXPECT_TRUE(model.ResolveShortcut(dir.File("shelf\\missing.lnk")).path.empty());

  Enter(shelf);
  model.BuildFileList(false, 0);
  EXPECT_EQ(KindOf(model.FileList(), dir.File("shelf\\folder.lnk")), 0x901u);
  EXPECT_EQ(KindOf(model.FileList(), dir.File("shelf\\note.lnk")), 0xF01u);
  EXPECT_FALSE(Lists(model.FileList(), dir.File("shelf\\data.lnk")));
  EXPECT_FALSE(Lists(model.FileList(), dir.File("shelf\\gone.lnk")));
}

TEST_F(BrowserWine, CollectionEntersHiddenFoldersAndKeepsPathOrder) {
  const std::string m = Folder("m");
  File("m\\c.mp3");
  File("m\\b.mp3");
  Folder("m\\x");
  File("m\\x\\a.mp3");
  const std::string secret = Folder("m\\secret");
  File("m\\secret\\s.jpg");
  ::SetFileAttributesA(secret.c_str(), FILE_ATTRIBUTE_HIDDEN);
  File("m\\skip.dat");

  Enter(m);
  model.BuildFileList(false, 0);
  EXPECT_FALSE(Lists(model.FileList(), secret));  // the scan skips it

  EXPECT_EQ(model.CollectTree(m), 4u);  // the collection enters it
  EXPECT_EQ(Names(model.Collection()),
            (std::vector<std::string>{m + "\\b.mp3", m + "\\c.mp3", m + "\\secret\\s.jpg", m + "\\x\\a.mp3"}));
  EXPECT_EQ(model.AddTree(m), 4u);
  EXPECT_EQ(model.Count(), 6);
}

TEST_F(BrowserWine, ShortcutLoopsEndTheCollection) {
  const std::string t = Folder("t");
  File("t\\a.avi");
  Folder("t\\sub");
  File("t\\sub\\b.avi");
  ASSERT_TRUE(wt::MakeShortcut(dir.File("t\\sub\\up.lnk"), t));  // back to an ancestor
  const std::string p = Folder("p"), q = Folder("q");
  File("p\\p.mp3");
  File("q\\q.mp3");
  ASSERT_TRUE(wt::MakeShortcut(dir.File("p\\toq.lnk"), q));  // two folders pointing at each other
  ASSERT_TRUE(wt::MakeShortcut(dir.File("q\\top.lnk"), p));

  EXPECT_EQ(model.CollectTree(t), 2u);
  EXPECT_EQ(model.CollectTree(p), 2u);
  std::vector<std::string> names;
  for (const FileEntry& e : model.Collection()) names.push_back(mbcs::LowerAscii(e.name));
  EXPECT_EQ(names, (std::vector<std::string>{mbcs::LowerAscii(p + "\\p.mp3"), mbcs::LowerAscii(q + "\\q.mp3")}));
}

TEST_F(BrowserWine, DoubleByteNamesWithBackslashTrailBytes) {
  // 表 is 95 5C and ソ is 83 5C in code page 932.
  const std::string folder = Folder("表示");
  const std::string clip = File("表示\\ソフト.avi");
  const std::string sub = Folder("表示\\ソ");
  const std::string deep = File("表示\\ソ\\表.mp3");
  File("表示\\ソ\\表");
  Enter(folder);
  EXPECT_EQ(model.CurrentDirectory(), folder);
  model.BuildFileList(false, 0);
  EXPECT_EQ(KindOf(model.FileList(), clip), KIND_VIDEO);
  EXPECT_EQ(KindOf(model.FileList(), sub), KIND_FOLDER);
  EXPECT_EQ(model.CollectTree(folder), 2u);
  EXPECT_EQ(Names(model.Collection()), (std::vector<std::string>{clip, deep}));
  ASSERT_TRUE(wt::MakeShortcut(dir.File("表示\\ソ.lnk"), sub));
  model.BuildFileList(false, 0);
  EXPECT_EQ(KindOf(model.FileList(), dir.File("表示\\ソ.lnk")), 0x901u);
}

TEST_F(BrowserWine, PathsLongerThan260CharactersAreSkippedWithoutHarm) {
  // A chain of folders made through the wide API, far beyond what the ANSI functions take.
  std::string path = NoSlash(dir.Path());
  std::wstring wide = L"\\\\?\\";
  {
    wchar_t w[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, w, MAX_PATH);
    wide += w;
  }
  std::size_t reachable = 0;
  for (int i = 0; i < 12; ++i) {
    path += "\\long_folder_name_" + std::to_string(i) + std::string(20, 'x');
    wide += L"\\long_folder_name_" + std::to_wstring(i) + std::wstring(20, L'x');
    ASSERT_TRUE(::CreateDirectoryW(wide.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    std::wstring file = wide + L"\\clip.avi";
    HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    ::CloseHandle(h);
    if (path.size() + 4 <= kMaxPathChars) ++reachable;
  }
  ASSERT_GT(path.size(), 400u);
  EXPECT_EQ(model.CollectTree(NoSlash(dir.Path())), reachable);
  EXPECT_EQ(model.EntryForOpenPath(path + "\\clip.avi").kind, KIND_VIDEO);
  EXPECT_TRUE(model.ResolveShortcut(path + "\\x.lnk").path.empty());
  // Clean up through the wide API: the ANSI removal cannot reach the deep end.
  for (int i = 11; i >= 0; --i) {
    ::DeleteFileW((wide + L"\\clip.avi").c_str());
    ::RemoveDirectoryW(wide.c_str());
    wide.resize(wide.find_last_of(L'\\'));
  }
}

TEST_F(BrowserWine, DriveListHasTheSystemDriveButNeverZ) {
  model.BuildFileList(true, 0);
  bool sawC = false;
  for (const FileEntry& e : model.FileList()) {
    if (e.kind != KIND_DRIVE) continue;
    EXPECT_NE(e.name.rfind("Z:\\", 0), 0u) << e.name;
    if (e.name.rfind("C:\\", 0) == 0) sawC = true;
  }
  EXPECT_TRUE(sawC);
  EXPECT_FALSE(Lists(model.FileList(), "このフォルダをプレイリストに追加"));
}

TEST_F(BrowserWine, EntryForOpenPath) {
  const std::string folder = Folder("dropped.avi");
  const std::string txt = File("a.txt"), dat = File("a.dat");
  EXPECT_EQ(model.EntryForOpenPath(folder).kind, 0u);
  ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_READONLY);  // a folder is a folder, whatever else is set
  EXPECT_EQ(model.EntryForOpenPath(folder).kind, 0u);
  ::SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  FileEntry e = model.EntryForOpenPath(txt);
  EXPECT_EQ(e.kind, KIND_OPEN);
  EXPECT_GT(e.id, 0);
  EXPECT_EQ(model.EntryForOpenPath(dat).kind, 0u);
  EXPECT_EQ(model.EntryForOpenPath(dir.File("gone.mp4")).kind, KIND_VIDEO | ENGINE_QUICKTIME);
}

// The model's answer to an unreadable folder is tested natively (FileListModelTest); here the system's
// side of it: a search that cannot be made reports failure instead of an empty listing. (Wine, like
// Windows, refuses to remove the current directory, and as root no folder is unreadable.)
TEST_F(BrowserWine, ASearchThatCannotBeMadeReportsFailure) {
  int items = 0;
  const auto count = [&](const FoundItem&) { ++items; };
  EXPECT_FALSE(SystemFileSystem().Search(fw::Widen(dir.File("missing")), count));
  EXPECT_FALSE(SystemFileSystem().Search(fw::Widen(File("plain.avi")), count));
  EXPECT_FALSE(SystemFileSystem().Search(fw::Widen("C:\\" + std::string(300, 'x')), count));
  EXPECT_EQ(items, 0);
  EXPECT_TRUE(SystemFileSystem().Search(fw::Widen(NoSlash(dir.Path())), count));
  EXPECT_EQ(items, 3);  // ".", ".." and plain.avi
}
