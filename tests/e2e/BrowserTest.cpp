// The real program's file list walked as a user walks it: keys and clicks through a generated tree, the
// drive list, the playlist, and playing from the list.
#include <gtest/gtest.h>

#include <functional>

#include "e2e/Process.h"
#include "framework/CodePage.h"

using e2e::Installation;
using e2e::kStartMs;

namespace {

bool Eventually(const std::function<bool()>& condition, unsigned timeoutMs = 5000) {
  return wt::WaitUntil(condition, timeoutMs);
}

class BrowserWalk {
 public:
  explicit BrowserWalk(HWND frame) : m_frame(frame), m_list(e2e::ListOf(e2e::ViewOf(frame))) {}
  HWND List() const { return m_list; }
  std::string Title() const { return e2e::TextOf(m_list); }
  std::vector<std::string> Rows() const {
    std::vector<std::string> names;
    for (HWND row : e2e::RowsOf(m_list)) names.push_back(e2e::TextOf(row));
    return names;
  }
  // The cursor row is drawn on the light background of its state.
  std::string CursorRow() const {
    fw::WindowDC screen(nullptr);
    for (HWND row : e2e::RowsOf(m_list)) {
      const RECT r = wt::WindowRect(row);
      const COLORREF c = ::GetPixel(screen.Get(), r.right - 3, r.top + 10);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) > 3 * 160) return e2e::TextOf(row);
    }
    return {};
  }
  bool TitleIs(const std::string& title) const { return Eventually([&] { return Title() == title; }); }
  bool CursorIs(const std::string& name) const { return Eventually([&] { return CursorRow() == name; }, 2000); }
  // Down until the cursor rests on the named row; each press waits for the cursor to move on.
  bool DownTo(const std::string& name) const {
    for (int i = 0; i < 40; ++i) {
      const std::string at = CursorRow();
      if (at == name) return true;
      e2e::PressKey(VK_DOWN);
      Eventually([&] { return CursorRow() != at; }, 1000);
    }
    return false;
  }
  bool Shows(const std::string& row) const {
    return Eventually([&] {
      std::vector<std::string> rows = Rows();
      return std::find(rows.begin(), rows.end(), row) != rows.end();
    });
  }

 private:
  HWND m_frame;
  HWND m_list;
};

}  // namespace

TEST(Browser, AUserWalksFoldersDrivesAndThePlaylist) {
  Installation app("walk");
  const std::string home = app.Folder() + "home";
  app.CopyMedia("clip.avi", "home\\ビデオ\\clip.avi");
  app.CopyMedia("tone.mp3", "home\\音楽\\tone.mp3");
  app.CopyMedia("pic.jpg", "home\\表示\\pic.jpg");  // 表 ends in the byte of a backslash
  app.CopyMedia("tone.mp3", "home\\R&B\\tone.mp3");
  app.WriteIni("[CONFIG]\r\nHOMEDIR=" + home + "\r\nEXT_VIDEO=avi\r\n");
  const int p = app.Start();
  HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  BrowserWalk walk(frame);
  ASSERT_NE(walk.List(), nullptr);

  // At start the list shows the home folder with the cursor on the up entry.
  EXPECT_TRUE(walk.TitleIs("home"));
  EXPECT_TRUE(walk.CursorIs("1つ上のフォルダ"));
  for (const char* folder : {"ビデオ", "音楽", "表示", "R&B"}) EXPECT_TRUE(walk.Shows(folder)) << folder;

  // Into a folder whose name holds a backslash trail byte, and back onto it.
  ASSERT_TRUE(walk.DownTo("表示"));
  e2e::PressKey(VK_RETURN);
  EXPECT_TRUE(walk.TitleIs("表示"));
  EXPECT_TRUE(walk.Shows("pic"));
  e2e::PressKey(VK_BACK);
  EXPECT_TRUE(walk.TitleIs("home"));
  EXPECT_TRUE(walk.CursorIs("表示"));

  // Music plays with the list shown; Insert puts it on the playlist, which Ctrl+Right shows.
  ASSERT_TRUE(walk.DownTo("音楽"));
  e2e::PressKey(VK_RETURN);
  EXPECT_TRUE(walk.TitleIs("音楽"));
  ASSERT_TRUE(walk.DownTo("tone"));
  e2e::PressKey(VK_RETURN);
  EXPECT_TRUE(e2e::TitleBecomes(frame, "tone"));
  EXPECT_TRUE(::IsWindowVisible(walk.List()));
  e2e::PressKey(VK_INSERT);
  e2e::PressKey(VK_RIGHT, true);
  EXPECT_TRUE(walk.TitleIs("プレイリスト"));
  EXPECT_TRUE(Eventually([&] {
    return walk.Rows() == std::vector<std::string>{"プレイリストを空にする", "ファイルリストを表示", "tone"};
  }));
  ASSERT_TRUE(walk.DownTo("tone"));
  e2e::PressKey(VK_DELETE);
  EXPECT_TRUE(Eventually([&] { return walk.Rows().size() == 2; }));
  e2e::PressKey(VK_LEFT, true);
  EXPECT_TRUE(walk.TitleIs("音楽"));

  // Up and up to the drive list: C: to Y: only.
  for (int i = 0; i < 12 && walk.Title() != "マイコンピュータ"; ++i) {
    e2e::PressKey(VK_BACK);
    ::Sleep(150);
  }
  ASSERT_TRUE(walk.TitleIs("マイコンピュータ"));
  std::string drive;
  for (const std::string& row : walk.Rows()) {
    EXPECT_EQ(row.find("(A:)"), std::string::npos);
    EXPECT_EQ(row.find("(Z:)"), std::string::npos);
    if (row.size() >= 4 && row.compare(row.size() - 4, 4, "(C:)") == 0) drive = row;
  }
  ASSERT_FALSE(drive.empty());
  EXPECT_TRUE(walk.CursorIs(drive));
  e2e::PressKey(VK_RETURN);
  EXPECT_TRUE(walk.TitleIs(drive));

  // The home switch, clicked, goes home; then a video hides the list and plays.
  const RECT bar = wt::WindowRect(walk.List());
  e2e::Click(bar.right - 168 + 16, bar.top + 18);
  EXPECT_TRUE(walk.TitleIs("home"));
  ASSERT_TRUE(walk.DownTo("ビデオ"));
  e2e::PressKey(VK_RETURN);
  ASSERT_TRUE(walk.DownTo("clip"));
  e2e::PressKey(VK_RETURN);
  EXPECT_TRUE(e2e::TitleBecomes(frame, "clip"));
  EXPECT_TRUE(Eventually([&] { return !::IsWindowVisible(walk.List()) && e2e::RowsOf(walk.List()).empty(); }));
  EXPECT_TRUE(e2e::Responds(frame));
  EXPECT_TRUE(app.Close(p, kStartMs));
}

// A library of today's names: the rows answer in the code page (its substitutes), but Enter goes into the
// folder and plays the clip by their real names, and the playlist plays them in turn.
TEST(Browser, NamesOutsideTheCodePageAreEnteredPlayedAndPlaylisted) {
  Installation app("widewalk");
  const std::wstring greek = L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC";
  const std::wstring cafe = L"Caf\u00E9 del Mar", korean = L"\uD55C\uAD6D\uC5B4 \uB178\uB798";
  app.CopyMedia("clip.avi", L"home\\" + greek + L"\\\xD83C\xDFB5 clip.avi");
  app.CopyMedia("clip.avi", L"home\\" + cafe + L".avi");
  app.CopyMedia("clip.avi", L"home\\" + korean + L".avi");
  app.WriteIni("[CONFIG]\r\nHOMEDIR=" + app.Folder() + "home\r\nEXT_VIDEO=avi\r\n");
  const int p = app.Start();
  HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  BrowserWalk walk(frame);
  const auto shown = [](const std::wstring& name) { return fw::Narrow(name).text; };
  ASSERT_TRUE(walk.TitleIs("home"));

  ASSERT_TRUE(walk.DownTo(shown(greek)));
  e2e::PressKey(VK_RETURN);
  EXPECT_TRUE(walk.TitleIs(shown(greek))) << "Enter went into the folder";
  ASSERT_TRUE(walk.DownTo(shown(L"\xD83C\xDFB5 clip")));
  e2e::PressKey(VK_RETURN);
  EXPECT_TRUE(e2e::TitleBecomes(frame, std::wstring(L"\xD83C\xDFB5 clip")));
  EXPECT_TRUE(Eventually([&] { return !::IsWindowVisible(walk.List()); }));

  // Back in the list, up, and both clips of the home folder onto the playlist, which then plays them.
  e2e::PressKey(VK_F1);
  ASSERT_TRUE(Eventually([&] { return ::IsWindowVisible(walk.List()) != FALSE; }));
  EXPECT_TRUE(walk.TitleIs(shown(greek)));
  e2e::PressKey(VK_BACK);
  ASSERT_TRUE(walk.TitleIs("home"));
  for (const std::wstring& name : {cafe, korean}) {
    ASSERT_TRUE(walk.DownTo(shown(name)));
    e2e::PressKey(VK_INSERT);
  }
  e2e::PressKey(VK_RIGHT, true);
  ASSERT_TRUE(walk.TitleIs("プレイリスト"));
  ASSERT_TRUE(walk.DownTo(shown(cafe)));
  e2e::PressKey(VK_RETURN);
  EXPECT_TRUE(e2e::TitleBecomes(frame, cafe));
  EXPECT_TRUE(e2e::TitleBecomes(frame, korean, 15000)) << "the next entry follows at the end";
  EXPECT_TRUE(app.Close(p, kStartMs));
}
