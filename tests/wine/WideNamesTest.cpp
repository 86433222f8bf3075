// Files and folders named outside the code page, on the real file system: the seam lists, enters,
// resolves and collects them by their wide paths, and the list draws their real names.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/MainFrame.h"
#include "app/PlayerApp.h"
#include "browser/FileListWnd.h"
#include "config/IniProfile.h"
#include "config/Settings.h"
#include "framework/CodePage.h"
#include "framework/Com.h"
#include "framework/Gdi.h"
#include "wine/ListPixels.h"
#include "wine/Pixels.h"
#include "wine/WineSupport.h"

namespace {

const std::wstring kGreek = L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC";
const std::wstring kEmojiClip = L"\xD83C\xDFB5 clip.avi";
const std::wstring kKoreanClip = L"\uD55C\uAD6D\uC5B4 \uB178\uB798.avi";
const std::wstring kCafeClip = L"Caf\u00E9 del Mar.avi";

bool MakeWideFile(const std::wstring& path) {
  return ::CopyFileW(fw::Widen(wt::MediaPath("clip.avi")).c_str(), path.c_str(), FALSE) != FALSE;
}

// A shell link to a target with any name, made through the wide interfaces as the shell makes it.
bool MakeWideShortcut(const std::wstring& link, const std::wstring& target) {
  fw::ComScope com;
  fw::ComPtr<IShellLinkW> shell;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, shell.PutVoid())))
    return false;
  fw::ComPtr<IPersistFile> file;
  return SUCCEEDED(shell->SetPath(target.c_str())) && SUCCEEDED(shell.As(file)) &&
         SUCCEEDED(file->Save(link.c_str(), TRUE));
}

const FileEntry* ByPath(const std::vector<FileEntry>& list, const std::wstring& path) {
  auto it = std::find_if(list.begin(), list.end(), [&](const FileEntry& e) { return e.widePath == path; });
  return it == list.end() ? nullptr : &*it;
}

class WideNames : public ::testing::Test {
 protected:
  void SetUp() override {
    base = fw::Widen(dir.Path());
    for (const std::wstring& folder : {kGreek, std::wstring(L"\uD55C\uAD6D")})
      ASSERT_TRUE(::CreateDirectoryW((base + folder).c_str(), nullptr));
    for (const std::wstring& name : {kEmojiClip, kKoreanClip, std::wstring(L"\u97F3\u697D\u266A.avi")})
      ASSERT_TRUE(MakeWideFile(base + name));
    ASSERT_TRUE(MakeWideFile(base + kGreek + L"\\" + kCafeClip));
  }
  void TearDown() override { ::SetCurrentDirectoryA(wt::ExeFolder().c_str()); }

  wt::TempDir dir{"wide"};
  std::wstring base;
};

TEST_F(WideNames, TheSeamListsEntersResolvesAndCollectsByTheWidePaths) {
  // Two folders whose names have the same code-page form ("??"), each with a clip.
  for (const std::wstring& folder : {std::wstring(L"\uAC00\uB098"), std::wstring(L"\uB2E4\uB77C")}) {
    ASSERT_TRUE(::CreateDirectoryW((base + folder).c_str(), nullptr));
    ASSERT_TRUE(MakeWideFile(base + folder + L"\\" + kKoreanClip));
  }
  ASSERT_EQ(fw::Narrow(L"\uAC00\uB098").text, fw::Narrow(L"\uB2E4\uB77C").text);
  ASSERT_TRUE(MakeWideShortcut(base + L"\xD83C\xDFB5 link.lnk", base + kEmojiClip));

  Settings settings = DefaultSettings("Tarnvale");
  settings.homeDir = "C:\\";
  settings.extVideo = "avi";
  CFileListModel model(settings);
  model.EnterFolder(wide::NormaliseFolder(base));
  const std::vector<FileEntry>& list = model.FileList();
  for (const std::wstring& name : {kEmojiClip, kKoreanClip, kGreek, std::wstring(L"\u97F3\u697D\u266A.avi")}) {
    const FileEntry* e = ByPath(list, base + name);
    ASSERT_NE(e, nullptr) << fw::Narrow(name).text;
    EXPECT_NE(::GetFileAttributesW(e->widePath.c_str()), INVALID_FILE_ATTRIBUTES) << "the path names the file";
    EXPECT_EQ(e->name, fw::Narrow(e->widePath).text);
  }
  const FileEntry* link = ByPath(list, base + L"\xD83C\xDFB5 link.lnk");
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->kind, KIND_VIDEO | KIND_VIA_SHORTCUT);
  EXPECT_EQ(model.ResolveShortcut(link->widePath).widePath, base + kEmojiClip);

  // Entering the folder and going up again, which puts the cursor back on it.
  model.EnterFolder(ByPath(list, base + kGreek)->widePath);
  EXPECT_EQ(model.CurrentFolder(), base + kGreek);
  EXPECT_NE(ByPath(model.FileList(), base + kGreek + L"\\" + kCafeClip), nullptr);
  const std::optional<std::wstring> left = model.GoUp();
  ASSERT_TRUE(left);
  EXPECT_EQ(*left, base + kGreek);
  EXPECT_EQ(model.FileList()[CFileListModel::FindEntryByPath(model.FileList(), *left)].widePath, base + kGreek);

  // The tree: both "??" folders are entered, each once.
  model.CollectTree(wide::NormaliseFolder(base));
  int korean = 0;
  for (const FileEntry& e : model.Collection()) korean += wide::FileName(e.widePath) == kKoreanClip ? 1 : 0;
  EXPECT_EQ(korean, 3);  // base, and each of the two folders
  EXPECT_NE(ByPath(model.Collection(), base + kGreek + L"\\" + kCafeClip), nullptr);
}

// The set of pixels in colour c, moved so that its top-left ink pixel is at the origin.
std::vector<POINT> Ink(const wt::PixelTarget& p, COLORREF c, int fromX, int toX) {
  std::vector<POINT> ink;
  for (int y = 0; y < p.Height(); ++y)
    for (int x = fromX; x < toX; ++x)
      if (p.At(x, y) == c) ink.push_back({x, y});
  if (ink.empty()) return ink;
  LONG left = ink[0].x, top = ink[0].y;
  for (const POINT& q : ink) left = std::min(left, q.x), top = std::min(top, q.y);
  for (POINT& q : ink) q.x -= left, q.y -= top;
  std::sort(ink.begin(), ink.end(), [](POINT a, POINT b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
  return ink;
}

class WideNamesOnScreen : public WideNames {
 protected:
  void SetUp() override {
    WideNames::SetUp();
    ::DeleteFileA(SettingsFilePath().c_str());
    const std::string home = dir.Path().substr(0, dir.Path().size() - 1);
    ::WritePrivateProfileStringA("CONFIG", "HOMEDIR", home.c_str(), SettingsFilePath().c_str());
    ::WritePrivateProfileStringA("CONFIG", "EXT_VIDEO", "avi", SettingsFilePath().c_str());
    frame = std::make_unique<CMainFrame>();
    frame->View().LoadSettings();
    ASSERT_TRUE(frame->Create());
    ::ShowWindow(frame->Hwnd(), SW_SHOW);
    frame->View().Repaint();
    List().ShowList();
    wt::Pump(250);
  }
  void TearDown() override {
    frame.reset();
    ::DeleteFileA(SettingsFilePath().c_str());
    WideNames::TearDown();
  }
  CFileListWnd& List() { return frame->View().FileList(); }
  const CListTag* RowOf(const std::wstring& path) {
    for (int r = 0; r < List().Tags().VisibleRows(); ++r)
      if (List().Tags().Tag(r).IsInUse() && List().Tags().Tag(r).Entry().widePath == path) return &List().Tags().Tag(r);
    return nullptr;
  }
  // Whether the row's name is drawn as text is drawn in the row's font and colour: the pixels of that
  // colour between the icon and the right edge, against a reference drawn alone.
  bool RowShows(const CListTag& row, const std::wstring& text) {
    const RECT r = wt::WindowRect(row.Hwnd());
    const int w = r.right - r.left, h = r.bottom - r.top;
    wt::PixelTarget shown(w, h), drawn(w, h, RGB(0, 0, 0));
    if (!shown.CopyFrom(row.Hwnd())) return false;
    const CSkinDefinition& skin = List().Skin();
    const fw::Font font = fw::PointFont(skin.tagFont, skin.tagFontSize);
    fw::SelectGuard use(drawn.Dc(), font.Get());
    ::SetBkMode(drawn.Dc(), TRANSPARENT);
    ::SetTextColor(drawn.Dc(), skin.tagNormalColor);
    RECT all{0, 0, w, h};
    ::DrawTextW(drawn.Dc(), text.c_str(), static_cast<int>(text.size()), &all, DT_SINGLELINE | DT_VCENTER);
    const std::vector<POINT> a = Ink(shown, skin.tagNormalColor, 40, w - 60), b = Ink(drawn, skin.tagNormalColor, 0, w);
    if (a.empty() || b.empty()) return false;
    std::size_t same = 0;
    for (const POINT& q : b)
      same += std::binary_search(a.begin(), a.end(), q, [](POINT x, POINT y) { return x.y != y.y ? x.y < y.y : x.x < y.x; });
    return same * 10 >= std::max(a.size(), b.size()) * 9;
  }

  CPlayerApp app;
  std::unique_ptr<CMainFrame> frame;
};

TEST_F(WideNamesOnScreen, RowsAndTheTitleShowTheRealNamesAndEnterAndPlayGoByThem) {
  List().GoHome(false, true);
  const CListTag* korean = RowOf(base + kKoreanClip);
  ASSERT_NE(korean, nullptr);
  EXPECT_TRUE(RowShows(*korean, L"\uD55C\uAD6D\uC5B4 \uB178\uB798"));
  EXPECT_FALSE(RowShows(*korean, fw::Widen(fw::Narrow(L"\uD55C\uAD6D\uC5B4 \uB178\uB798").text)))
      << "not the code-page form";
  const CListTag* emoji = RowOf(base + kEmojiClip);
  ASSERT_NE(emoji, nullptr);
  EXPECT_TRUE(RowShows(*emoji, L"\xD83C\xDFB5 clip"));

  // Enter on the folder enters it; its name is the list's title.
  const CListTag* greek = RowOf(base + kGreek);
  ASSERT_NE(greek, nullptr);
  List().Activate(greek->Entry(), false);
  EXPECT_EQ(List().Model().CurrentFolder(), base + kGreek);
  EXPECT_EQ(List().TitleText(), kGreek);
  EXPECT_TRUE(wt::TitleBarShows(List().Hwnd(), List().Skin(), kGreek));
  ASSERT_NE(RowOf(base + kGreek + L"\\" + kCafeClip), nullptr);
  List().GoUp(true);
  ASSERT_TRUE(List().Tags().GetCursorEntry());
  EXPECT_EQ(List().Tags().GetCursorEntry()->widePath, base + kGreek) << "the cursor is back on the folder left";
  List().EnterFolder(base + L"\uD55C\uAD6D");
  EXPECT_TRUE(wt::TitleBarShows(List().Hwnd(), List().Skin(), std::wstring(L"\uD55C\uAD6D")));
  EXPECT_FALSE(wt::TitleBarShows(List().Hwnd(), List().Skin(), std::wstring(L"??"))) << "not the code-page form";
  List().GoUp(true);

  // Played from the list, the clip's real name is the frame's title.
  List().Activate(RowOf(base + kEmojiClip)->Entry(), false);
  EXPECT_TRUE(frame->View().IsLoaded());
  EXPECT_EQ(frame->View().Selected(), EngineSelector::kDirectShow);
  wchar_t title[64] = {};
  ::InternalGetWindowText(frame->Hwnd(), title, 64);
  EXPECT_STREQ(title, L"\xD83C\xDFB5 clip");
}

}  // namespace
