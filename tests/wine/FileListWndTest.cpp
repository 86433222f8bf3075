// The file list on screen: the bar, the rows and the slider as real windows over the view, the rows'
// states and faces, the keys of the shown list, and what the list does with playback.
#include "browser/FileListWnd.h"
#include "browser/TagText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/PlayerApp.h"
#include "config/IniProfile.h"
#include "framework/CodePage.h"
#include "framework/Gdi.h"
#include "framework/Handles.h"
#include "res/ResourceIds.h"
#include "wine/ListPixels.h"
#include "wine/Pixels.h"
#include "wine/WineSupport.h"

namespace {

// Holds a key down in this thread's keyboard state (what GetKeyState reads) while it lives.
class HeldKey {
 public:
  explicit HeldKey(int vk) : m_vk(vk) { Set(0x80); }
  ~HeldKey() { Set(0); }

 private:
  void Set(BYTE state) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[m_vk] = state;
    ::SetKeyboardState(keys);
  }
  int m_vk;
};

// Whether window a lies above window b in the Z order.
bool Above(HWND a, HWND b) {
  for (HWND h = ::GetWindow(a, GW_HWNDNEXT); h; h = ::GetWindow(h, GW_HWNDNEXT))
    if (h == b) return true;
  return false;
}

class FileListWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::DeleteFileA(SettingsFilePath().c_str());
    EXPECT_TRUE(wt::MakeFolder(home.File("sub"))) << "could not make a test folder";
    std::string folder = home.Path().substr(0, home.Path().size() - 1);
    ::WritePrivateProfileStringA("CONFIG", "HOMEDIR", folder.c_str(), SettingsFilePath().c_str());
  }
  void TearDown() override {
    frame.reset();
    ::SetCurrentDirectoryA(wt::ExeFolder().c_str());  // so that the home folder can go
    ::DeleteFileA(SettingsFilePath().c_str());
  }
  // clip100.avi, clip101.avi, ... in the home folder.
  void Populate(int files, const std::string& prefix = "clip") {
    for (int i = 0; i < files; ++i) wt::WriteFile(home.File(prefix + std::to_string(100 + i) + ".avi"), "x");
  }
  void Start(int files = 30) {
    Populate(files);
    frame = std::make_unique<CMainFrame>();
    frame->View().LoadSettings();
    ASSERT_TRUE(frame->Create());
    ::ShowWindow(frame->Hwnd(), SW_SHOW);
    frame->View().Repaint();
    List().ShowList();
    // The system's activation events come in; the focus keeper runs after them.
    wt::Pump(250);
  }
  CFileListWnd& List() { return frame->View().FileList(); }
  CTagList& Tags() { return List().Tags(); }
  HWND ViewHwnd() { return frame->View().Hwnd(); }
  void Key(WPARAM vk) {
    ::SendMessageA(List().Hwnd(), WM_KEYDOWN, vk, 1);
    wt::Pump(10);
  }
  std::string CursorName() {
    std::optional<FileEntry> e = Tags().GetCursorEntry();
    return e ? e->name : std::string("<none>");
  }
  std::string Title() {
    char text[300] = {};
    ::SendMessageA(List().Hwnd(), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // The text the row shows, as its window reports it.
  std::string RowText(int row) {
    char text[300] = {};
    ::SendMessageA(Tags().Tag(row).Hwnd(), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // Moves the cursor with Down until it rests on the entry named name.
  bool DownTo(const std::string& name) {
    for (int i = 0; i < 200 && CursorName() != name; ++i) Key(VK_DOWN);
    return CursorName() == name;
  }
  std::string Home() const { return home.Path().substr(0, home.Path().size() - 1); }
  bool TitleShows(const std::string& text) { return wt::TitleBarShows(List().Hwnd(), frame->View().Skin(), text); }

  wt::TempDir home{"list"};
  CPlayerApp app;
  std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(FileListWndTest, RowsStandAboveTheViewUnderTheBar) {
  Start();
  ASSERT_TRUE(::IsWindowVisible(List().Hwnd()));
  const RECT bar = wt::WindowRect(List().Hwnd());
  EXPECT_EQ(bar.bottom - bar.top, 36);
  int shown = 0;
  for (int row = 0; row < kRowWindows; ++row) {
    const CListTag& tag = List().Tags().Tag(row);
    if (!::IsWindowVisible(tag.Hwnd())) continue;
    ++shown;
    const RECT r = wt::WindowRect(tag.Hwnd());
    EXPECT_EQ(r.top, bar.top + 40 + 40 * row);
    EXPECT_EQ(r.bottom - r.top, 36);
    EXPECT_TRUE(Above(tag.Hwnd(), ViewHwnd())) << row;
  }
  EXPECT_EQ(shown, List().Tags().VisibleRows());
}

TEST_F(FileListWndTest, TheSliderComesWithMoreEntriesThanRows) {
  Start(2);  // two files, a folder and the command entries fit
  const RECT bar = wt::WindowRect(List().Hwnd());
  EXPECT_FALSE(::IsWindowVisible(Tags().Slider().Hwnd()));
  EXPECT_EQ(wt::WindowRect(Tags().Tag(0).Hwnd()).right, bar.right);

  Populate(40, "more");
  List().GoHome(false, true);
  EXPECT_TRUE(::IsWindowVisible(Tags().Slider().Hwnd()));
  const RECT slider = wt::WindowRect(Tags().Slider().Hwnd());
  EXPECT_EQ(slider.right - slider.left, 16);
  EXPECT_EQ(wt::WindowRect(Tags().Tag(0).Hwnd()).right, bar.right - 16);
}

// A walk as a user makes it with the keys of the shown list.
TEST_F(FileListWndTest, KeysWalkFoldersAndBuildThePlaylist) {
  EXPECT_TRUE(wt::WriteFile(home.File("sub\\inner.avi"), "x")) << "could not write a test file";
  Start();
  EXPECT_EQ(Title(), Home().substr(Home().rfind('\\') + 1));
  EXPECT_EQ(CursorName(), kTextParent);

  // Into the folder and back: the cursor lands on the folder just left.
  ASSERT_TRUE(DownTo(home.File("sub")));
  Key(VK_RETURN);
  EXPECT_EQ(Title(), "sub");
  EXPECT_EQ(CursorName(), kTextParent);
  Key(VK_BACK);
  EXPECT_EQ(Title(), Home().substr(Home().rfind('\\') + 1));
  EXPECT_EQ(CursorName(), home.File("sub"));

  // Paging moves the view, not the cursor; Home puts the cursor back on the up entry.
  const int rows = Tags().VisibleRows(), first = Tags().First();
  Key(VK_NEXT);
  EXPECT_EQ(Tags().First(), first + rows);
  EXPECT_EQ(CursorName(), home.File("sub"));
  Key(VK_PRIOR);
  EXPECT_EQ(Tags().First(), first);
  Key(VK_HOME);
  EXPECT_EQ(CursorName(), kTextParent);

  // Insert and '4' add files to the playlist; the playlist shows them, Delete takes one out.
  ASSERT_TRUE(DownTo(home.File("clip100.avi")));
  Key(VK_INSERT);
  Key(VK_DOWN);
  Key('4');
  EXPECT_EQ(frame->View().Files().Count(), 4);
  // A click on a row's icon is the row's alternate activation.
  const CListTag& row = Tags().Tag(Tags().Cursor() - Tags().First() + 1);
  ::SendMessageA(::GetWindow(row.Hwnd(), GW_CHILD), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  wt::Pump(50);
  EXPECT_EQ(frame->View().Files().Count(), 5);
  EXPECT_EQ(frame->View().Files().Playlist().back().name, row.Entry().name);
  {
    HeldKey ctrl(VK_CONTROL);
    Key(VK_RIGHT);
  }
  EXPECT_EQ(List().ListMode(), 1);
  EXPECT_EQ(Title(), "プレイリスト");
  EXPECT_EQ(CursorName(), kTextShowFiles);
  Key(VK_DELETE);  // on a command entry: nothing
  EXPECT_EQ(frame->View().Files().Count(), 5);
  Key(VK_DOWN);
  Key(VK_DELETE);
  EXPECT_EQ(frame->View().Files().Count(), 4);
  EXPECT_EQ(RowText(2), "clip101");
  {
    HeldKey ctrl(VK_CONTROL);
    Key(VK_LEFT);
  }
  EXPECT_EQ(List().ListMode(), 0);

  // '2' cycles the order: name reverse puts the last file first among the files.
  Key('2');
  EXPECT_EQ(frame->View().Files().SortModeOf(0), SORT_NAME_REVERSE);
  const std::vector<FileEntry>& list = frame->View().Files().FileList();
  auto firstFile = std::find_if(list.begin(), list.end(), [](const FileEntry& e) { return IsFileKind(e.kind); });
  ASSERT_NE(firstFile, list.end());
  EXPECT_EQ(firstFile->name, home.File("clip129.avi"));

  Key(VK_ESCAPE);
  EXPECT_FALSE(List().IsShown());
  EXPECT_TRUE(wt::PumpUntil([&] { return !::IsWindowVisible(List().Hwnd()); }, 3000));
  EXPECT_FALSE(::IsWindowVisible(Tags().Tag(0).Hwnd()));
  Key('1');  // the list is hidden: the key is not the list's
  EXPECT_FALSE(List().IsShown());
}

TEST_F(FileListWndTest, EachRowStateShowsItsOwnBackground) {
  Start();
  // The built-in background strip: four images of 32 × 36 side by side.
  fw::Bitmap strip(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TAGBK),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  ASSERT_TRUE(strip);
  wt::PixelTarget reference(128, 36);
  {
    fw::MemoryDC dc(reference.Dc());
    fw::SelectGuard use(dc.Get(), strip.Get());
    ::BitBlt(reference.Dc(), 0, 0, 128, 36, dc.Get(), 0, 0, SRCCOPY);
  }

  // Row 0 normal, row 1 cursor, row 2 playing; then row 3 pressed, which takes the cursor.
  List().GoHome(false, true);
  Tags().SetCursor(1);
  frame->View().Files().NowPlaying() = Tags().Tag(2).Entry();
  Tags().UpdateStates();
  const RECT row = wt::WindowRect(Tags().Tag(0).Hwnd());
  const int width = row.right - row.left;
  wt::PixelTarget shot(width, 4 * 40);
  auto capture = [&](int r) {
    fw::WindowDC dc(Tags().Tag(r).Hwnd());
    ::BitBlt(shot.Dc(), 0, 40 * r, width, 36, dc.Get(), 0, 0, SRCCOPY);
  };
  for (int r = 0; r < 3; ++r) capture(r);
  const HWND pressed = Tags().Tag(3).Hwnd();
  ::SendMessageA(pressed, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 18));
  EXPECT_EQ(Tags().Tag(3).State(), TAG_PRESSED);
  EXPECT_EQ(Tags().Tag(1).State(), TAG_NORMAL);
  capture(3);
  wt::SaveBmp(shot, wt::ReviewPath("rows-normal-cursor-playing-pressed.bmp"));
  for (int state = 0; state < 4; ++state)
    for (int y : {2, 18, 33})
      EXPECT_EQ(shot.At(width - 3, 40 * state + y), reference.At(32 * state + 20, y)) << "state " << state << " y " << y;
  // The icon's see-through corner shows the row's background, never the key colour.
  EXPECT_EQ(shot.At(2, 2), reference.At(2, 2));
  EXPECT_EQ(Tags().Tag(2).Icon().RestFrame(), FRAME_ALTERNATE);

  // The button comes up elsewhere: the pressed row's entry, the folder, is still the one activated.
  ASSERT_EQ(Tags().Tag(3).Entry().name, home.File("sub"));
  ::SendMessageA(pressed, WM_LBUTTONUP, 0, MAKELPARAM(-300, -300));
  EXPECT_EQ(Title(), "sub");
}


TEST_F(FileListWndTest, EnterPlaysVideoWithTheListHiddenAndMusicWithItShown) {
  EXPECT_TRUE(::CopyFileA(wt::MediaPath("clip.avi").c_str(), home.File("a-clip.avi").c_str(), FALSE)) << "could not copy a test file";
  EXPECT_TRUE(::CopyFileA(wt::MediaPath("tone.mp3").c_str(), home.File("b-tone.mp3").c_str(), FALSE)) << "could not copy a test file";
  ::WritePrivateProfileStringA("CONFIG", "EXT_VIDEO", "avi", SettingsFilePath().c_str());
  Start(0);
  ASSERT_TRUE(DownTo(home.File("b-tone.mp3")));
  Key(VK_RETURN);
  EXPECT_TRUE(List().IsShown());
  EXPECT_TRUE(frame->View().IsLoaded());
  EXPECT_TRUE(frame->View().IsAudioOnly());
  Key(VK_UP);  // the music row, no longer the cursor, shows that it plays
  const int musicRow = Tags().Cursor() + 1 - Tags().First();
  EXPECT_EQ(Tags().Tag(musicRow).State(), TAG_PLAYING);

  ASSERT_EQ(CursorName(), home.File("a-clip.avi"));
  Key(VK_RETURN);
  EXPECT_FALSE(List().IsShown());
  EXPECT_EQ(frame->View().Files().NowPlaying().name, home.File("a-clip.avi"));
  EXPECT_EQ(frame->View().Selected(), EngineSelector::kDirectShow);
  EXPECT_FALSE(frame->View().IsAudioOnly());
  // Hidden, the list leaves the keys to the view: the focus keeper hands it the focus.
  EXPECT_TRUE(wt::PumpUntil([&] { return ::GetFocus() == ViewHwnd(); }, 1000));
}

// Names a folder may hold: double-byte names whose trail byte is a backslash, ampersands, names of 255
// bytes, a folder deleted while it is listed.
TEST_F(FileListWndTest, NothingAFolderHoldsBreaksTheList) {
  EXPECT_TRUE(wt::MakeFolder(home.File("R&B"))) << "could not make a test folder";
  EXPECT_TRUE(wt::WriteFile(home.File("R&B\\ファイルリストを表示.avi"), "x")) << "could not write a test file";
  const std::wstring longName(255 - 4, L'n');
  std::wstring wide(home.Path().begin(), home.Path().end());
  fw::UniqueHandle(::CreateFileW((L"\\\\?\\" + wide + longName + L".avi").c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_NEW, 0, nullptr));
  // A shortcut that leads back to the folder it stands in.
  ASSERT_TRUE(wt::MakeShortcut(home.File("loop.lnk"), Home()));
  Start(3);
  ASSERT_TRUE(DownTo(home.File("loop.lnk")));
  Key(VK_INSERT);  // its tree into the playlist: the loop ends, and each of the five videos comes once
  EXPECT_EQ(frame->View().Files().Count(), 2 + 5);
  ASSERT_TRUE(DownTo(home.File("R&B")));
  EXPECT_EQ(RowText(Tags().Cursor() - Tags().First()), "R&B");
  Key(VK_RETURN);
  EXPECT_EQ(Title(), "R&B");
  EXPECT_TRUE(TitleShows("R&B")) << "the ampersand is painted, not taken for a prefix";
  ASSERT_TRUE(DownTo(home.File("R&B\\ファイルリストを表示.avi")));
  EXPECT_EQ(RowText(Tags().Cursor() - Tags().First()), "ファイルリストを表示");

  // The folder goes away under the list: the keys still work and lead out of it.
  wt::RemoveTree(home.File("R&B"));
  Key(VK_NEXT);
  Key('2');
  Key(VK_BACK);
  EXPECT_EQ(frame->View().Files().CurrentDirectory(), Home());
  // The long name is listed, and activating it fails quietly.
  const std::string longPath = home.File(std::string(longName.begin(), longName.end()) + ".avi");
  ASSERT_NE(CFileListModel::FindEntryByName(frame->View().Files().FileList(), longPath), 0);
  ASSERT_TRUE(DownTo(longPath));
  Key(VK_RETURN);
  EXPECT_TRUE(wt::PumpUntil([&] { return !frame->View().IsLoaded(); }, 4000));
  EXPECT_TRUE(::IsWindow(List().Hwnd()));
}

// The generated media hold a folder of 10,000 empty files, made once at build time.
TEST_F(FileListWndTest, AFolderOfTenThousandFilesPagesToItsEndAndWraps) {
  std::string many = wt::MediaPath("many");
  ::WritePrivateProfileStringA("CONFIG", "HOMEDIR", many.c_str(), SettingsFilePath().c_str());
  Start(0);
  const std::vector<FileEntry>& list = frame->View().Files().FileList();
  const int count = static_cast<int>(list.size());
  ASSERT_GT(count, 10000);
  const int rows = Tags().VisibleRows();
  Key(VK_HOME);
  ASSERT_EQ(Tags().First(), 0);
  Key(VK_PRIOR);  // from the top, Page Up goes to the end
  EXPECT_EQ(Tags().First(), count - rows);
  EXPECT_EQ(RowText(rows - 1), TagPlainName(list.back()));
  Key(VK_NEXT);  // and Page Down at the end wraps to the top
  EXPECT_EQ(Tags().First(), 0);
  Tags().SetCursor(0);
  Key(VK_UP);  // Up on the first entry: the view and the cursor go to the last entry
  EXPECT_EQ(Tags().Cursor(), count - 1);
  EXPECT_EQ(Tags().First(), count - rows);
}

TEST_F(FileListWndTest, JogDialModeFollowsThePointerAndKeysWarpIt) {
  ::WritePrivateProfileStringA("CONFIG", "CURSORMODE", "1", SettingsFilePath().c_str());
  Start();
  // A move over a row makes it the cursor.
  ::SendMessageA(Tags().Tag(5).Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 10));
  EXPECT_EQ(Tags().Cursor(), Tags().First() + 5);
  // A key move puts the pointer on the new cursor row, two thirds down.
  ::SetCursorPos(0, 0);
  Key(VK_DOWN);
  const RECT row = wt::WindowRect(Tags().Tag(Tags().Cursor() - Tags().First()).Hwnd());
  POINT p;
  ::GetCursorPos(&p);
  EXPECT_EQ(p.y, row.top + 2 * ((row.bottom - row.top) / 3));
  EXPECT_EQ(p.x, row.left + 48);
  // The wheel moves the cursor, one line a message.
  const int at = Tags().Cursor();
  ::SendMessageA(List().Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-360)), 0);
  EXPECT_EQ(Tags().Cursor(), at + 1);
}

TEST_F(FileListWndTest, WithoutJogDialTheWheelScrollsAndTheCursorStays) {
  Start();
  const int cursor = Tags().Cursor(), first = Tags().First();
  ::SendMessageA(Tags().Tag(0).Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(Tags().First(), first + 1);
  EXPECT_EQ(Tags().Cursor(), cursor);
  ::SendMessageA(Tags().Tag(0).Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 10));
  EXPECT_EQ(Tags().Cursor(), cursor);
}

// The idle timers with a period of 1.5 s instead of 30 s; the playing entry stands in the middle of a long
// playlist, so that centring on it differs from scrolling to either end.
TEST_F(FileListWndTest, AfterAWhileTheListFollowsMusicPlayedFromThePlaylist) {
  EXPECT_TRUE(::CopyFileA(wt::MediaPath("tone.mp3").c_str(), home.File("tone.mp3").c_str(), FALSE)) << "could not copy a test file";
  Start();
  CFileListModel& model = frame->View().Files();
  auto clips = [&](int from) {
    for (int i = from; i < from + 20; ++i) model.AddEntry(model.EntryForOpenPath(home.File("clip1" + std::to_string(i) + ".avi")));
  };
  clips(10);
  const int tone = model.Count();
  model.AddEntry(model.EntryForOpenPath(home.File("tone.mp3")));
  clips(30);
  frame->View().Config().playMode = 2;  // repeat one: the 3 s tone lasts the test
  frame->View().PlayIndex(tone);
  frame->View().SetPlayingFromPlaylist(true);
  ASSERT_TRUE(frame->View().IsLoaded());
  List().SetIdlePeriod(1500);
  List().SetListMode(0);
  wt::Pump(1000);
  List().SetListMode(0);  // activity: the period starts again
  wt::Pump(1000);
  EXPECT_EQ(List().ListMode(), 0) << "the timer was not restarted";
  // List mode 0's timer fires: music switches the list to the playlist, centred on what plays.
  EXPECT_TRUE(wt::PumpUntil([&] { return List().ListMode() == 1; }, 5000));
  const int centred = tone - Tags().VisibleRows() / 2 + 1;
  ASSERT_GT(centred, 0);
  EXPECT_EQ(Tags().First(), centred);
  EXPECT_EQ(Title(), "プレイリスト");
  // Scrolled away in the playlist, timer 1 brings the rows back to what plays.
  Tags().ScrollToFraction(0.0);
  List().RestartIdleTimer();
  ASSERT_EQ(Tags().First(), 0);
  EXPECT_TRUE(wt::PumpUntil([&] { return Tags().First() == centred; }, 5000));
}

// A video played from the playlist leaves list mode 0 as it is when that timer fires: only music switches.
TEST_F(FileListWndTest, AfterAWhileAVideoFromThePlaylistKeepsTheFileList) {
  Start();
  CFileListModel& model = frame->View().Files();
  model.AddEntry(model.EntryForOpenPath(wt::MediaPath("clip.avi")));
  frame->View().PlayIndex(model.Count() - 1);
  frame->View().SetPlayingFromPlaylist(true);
  ASSERT_TRUE(frame->View().IsLoaded());
  List().ShowList();
  List().SetIdlePeriod(300);
  List().SetListMode(0);
  wt::Pump(1500);
  EXPECT_EQ(List().ListMode(), 0);
}

// Shift makes Enter the entry's alternate activation: a file is added to the playlist instead of played,
// a folder's tree is added instead of entered.
TEST_F(FileListWndTest, ShiftTurnsEnterIntoTheAlternateActivation) {
  Start(3);
  CFileListModel& model = frame->View().Files();
  ASSERT_TRUE(DownTo(home.File("clip100.avi")));
  {
    HeldKey shift(VK_SHIFT);
    Key(VK_RETURN);
  }
  EXPECT_FALSE(frame->View().IsLoaded());
  ASSERT_EQ(model.Count(), model.CommandEntryCount() + 1);
  EXPECT_EQ(model.Playlist().back().name, home.File("clip100.avi"));
  EXPECT_TRUE(wt::WriteFile(home.File("sub\\inner.avi"), "x")) << "could not write a test file";
  ASSERT_TRUE(DownTo(home.File("sub")));
  {
    HeldKey shift(VK_SHIFT);
    Key(VK_RETURN);
  }
  EXPECT_EQ(model.CurrentDirectory(), Home());
  EXPECT_EQ(model.Playlist().back().name, home.File("sub\\inner.avi"));
}

// The bar's list-hide switch hides the list; its empty-playlist switch, in the playlist, empties it.
TEST_F(FileListWndTest, TheListHideAndEmptyPlaylistSwitches) {
  Start(3);
  CFileListModel& model = frame->View().Files();
  model.AddEntry(model.EntryForOpenPath(home.File("clip100.avi")));
  model.AddEntry(model.EntryForOpenPath(home.File("clip101.avi")));
  List().SetListMode(1);
  ::SendMessageA(List().Hwnd(), WM_COMMAND, ID_PLAYLIST_DELETE_SWITCH, 0);
  EXPECT_EQ(model.Count(), model.CommandEntryCount());
  EXPECT_EQ(List().ListMode(), 1);
  ::SendMessageA(List().Hwnd(), WM_COMMAND, ID_LIST_HIDE_SWITCH, 0);
  EXPECT_FALSE(List().IsShown());
  EXPECT_TRUE(wt::PumpUntil([&] { return !::IsWindowVisible(List().Hwnd()); }, 3000));
}

// '1' (and the view's F1) cycles hidden -> file list -> playlist -> hidden, and shows the file list again.
TEST_F(FileListWndTest, ToggleListCyclesThroughBothListsAndHidden) {
  Start(3);
  List().SetListMode(1);
  List().HideList();
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    ::SendMessageA(ViewHwnd(), WM_KEYDOWN, VK_F1, 1);  // hidden, the list leaves the keys to the view
    EXPECT_TRUE(List().IsShown());
    EXPECT_EQ(List().ListMode(), 0);
    EXPECT_NE(Title(), "プレイリスト");
    Key('1');
    EXPECT_TRUE(List().IsShown());
    EXPECT_EQ(List().ListMode(), 1);
    EXPECT_EQ(Title(), "プレイリスト");
    Key('1');
    EXPECT_FALSE(List().IsShown());
  }
}

TEST_F(FileListWndTest, ADropPlaysTheFirstFileAndAFolderNothing) {
  EXPECT_TRUE(::CopyFileA(wt::MediaPath("tone.mp3").c_str(), home.File("tone.mp3").c_str(), FALSE)) << "could not copy a test file";
  Start();
  auto drop = [&](const std::vector<std::string>& paths, HWND target) {
    std::string names;
    for (const std::string& p : paths) names += p + '\0';
    names += '\0';
    HGLOBAL block = ::GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* files = static_cast<DROPFILES*>(::GlobalLock(block));
    files->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), names.data(), names.size());
    ::GlobalUnlock(block);
    ::SendMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);  // the handler frees it
  };
  // A folder named like a video is still a folder: nothing plays and the list stays.
  ASSERT_TRUE(wt::MakeFolder(home.File("movie.avi")));
  for (const char* folder : {"sub", "movie.avi"}) {
    drop({home.File(folder)}, List().Hwnd());
    EXPECT_FALSE(frame->View().IsLoaded()) << folder;
    EXPECT_NE(frame->View().Files().NowPlaying().name, home.File(folder));
    EXPECT_TRUE(::IsWindowVisible(List().Hwnd())) << folder;
  }
  drop({home.File("tone.mp3"), wt::MediaPath("clip.avi")}, List().Hwnd());
  EXPECT_EQ(frame->View().Files().NowPlaying().name, home.File("tone.mp3"));
  // Dropped on the view, a file plays as well.
  drop({wt::MediaPath("clip.avi"), home.File("tone.mp3")}, frame->View().Hwnd());
  EXPECT_EQ(frame->View().Files().NowPlaying().name, wt::MediaPath("clip.avi"));
}

TEST_F(FileListWndTest, RowsWhoseThumbnailRequestsWerePushedOutAskAgainOnceTheWorkerIsIdle) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
    ::CopyFileA(wt::MediaPath("pic.jpg").c_str(), home.File(name).c_str(), FALSE);
  // Every decode waits its turn under the program's picture mutex: held here, the worker makes nothing
  // while the rows draw and ask, and their requests still wait when newer ones push them out.
  fw::UniqueHandle decodes(::CreateMutexA(nullptr, FALSE, "TN_CPICT"));
  ASSERT_EQ(::WaitForSingleObject(decodes.Get(), 1000), WAIT_OBJECT_0);
  Start(0);
  for (int i = 0; i < 40; ++i)
    (void)Tags().Thumbnails().Get(List().Hwnd(), fw::Widen(home.File("gone" + std::to_string(i) + ".jpg")), 44, 36);
  ::ReleaseMutex(decodes.Get());
  std::vector<int> pictures;
  for (int r = 0; r < kRowWindows; ++r)
    if (Tags().Tag(r).IsInUse() && Tags().Tag(r).Entry().name.ends_with(".jpg")) pictures.push_back(r);
  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_TRUE(wt::PumpUntil(
      [&] {
        for (int r : pictures)
          if (Tags().Tag(r).LacksThumbnail()) return false;
        return true;
      },
      10000));
}

TEST_F(FileListWndTest, PictureRowsGetTheirThumbnailsAndBrokenOnesStayPlain) {
  for (const char* name : {"a.jpg", "b.jpg"}) ::CopyFileA(wt::MediaPath("pic.jpg").c_str(), home.File(name).c_str(), FALSE);
  EXPECT_TRUE(::CopyFileA(wt::MediaPath("broken.jpg").c_str(), home.File("c.jpg").c_str(), FALSE)) << "could not copy a test file";
  Start(0);
  auto rowOf = [&](const std::string& name) {
    for (int r = 0; r < kRowWindows; ++r)
      if (Tags().Tag(r).IsInUse() && Tags().Tag(r).Entry().name == home.File(name)) return r;
    return -1;
  };
  const int a = rowOf("a.jpg"), c = rowOf("c.jpg");
  ASSERT_GE(a, 0);
  ASSERT_GE(c, 0);
  EXPECT_TRUE(wt::PumpUntil([&] { return !Tags().Tag(a).LacksThumbnail(); }, 5000));
  EXPECT_TRUE(wt::PumpUntil([&] { return !Tags().Tag(c).LacksThumbnail(); }, 5000));
  wt::Pump(200);  // the rows repaint a little after the notice
  // The thumbnail stands at the row's right end: the test picture's colours there, not the background.
  const RECT row = wt::WindowRect(Tags().Tag(a).Hwnd());
  wt::PixelTarget shot(row.right - row.left, 36);
  shot.CopyFrom(Tags().Tag(a).Hwnd());
  wt::SaveBmp(shot, wt::ReviewPath("row-with-thumbnail.bmp"));
  const COLORREF background = shot.At(shot.Width() - 50, 18);
  int differing = 0;
  for (int x = shot.Width() - 44; x < shot.Width() - 4; x += 4) differing += shot.At(x, 18) != background;
  EXPECT_GT(differing, 5);
  // The broken picture's thumbnail is made all the same and left unpainted: no decoding on every paint.
  EXPECT_EQ(Tags().Thumbnails().PendingCount(), 0u);
}
