// The main frame and the player view as real windows: styles, ownership, the geometry coupling, full
// screen, the closing sequence and what it writes, the hand-off receiver and panel transparency.
#include "app/MainFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <memory>

#include "app/PlayerApp.h"
#include "config/IniProfile.h"
#include "controls/PanelKey.h"
#include "framework/CodePage.h"
#include "framework/Handles.h"
#include "wine/WineSupport.h"

namespace {

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::DeleteFileA(SettingsFilePath().c_str());
    frame = std::make_unique<CMainFrame>();
  }
  void TearDown() override {
    frame.reset();
    ::DeleteFileA(SettingsFilePath().c_str());
  }
  void Start() {
    frame->View().LoadSettings();
    ASSERT_TRUE(frame->Create());
    ::ShowWindow(frame->Hwnd(), SW_SHOW);
    wt::Pump(50);
  }
  HWND Frame() { return frame->Hwnd(); }
  HWND View() { return frame->View().Hwnd(); }

  CPlayerApp app;  // for the window-name publication
  std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(MainFrameTest, CaptionlessFrameOwnsAPopupView) {
  Start();
  LONG_PTR style = ::GetWindowLongPtrA(Frame(), GWL_STYLE);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(::GetWindowLongPtrA(Frame(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  EXPECT_EQ(wt::WindowText(Frame()), "Tarnvale");
  EXPECT_EQ(::GetClassLongPtrA(Frame(), GCL_STYLE), 0);
  EXPECT_EQ(::GetClassLongPtrA(Frame(), GCLP_HCURSOR), 0);

  ASSERT_TRUE(::IsWindow(View()));
  EXPECT_EQ(::GetWindow(View(), GW_OWNER), Frame());
  LONG_PTR viewStyle = ::GetWindowLongPtrA(View(), GWL_STYLE);
  EXPECT_EQ(viewStyle & (WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CHILD | WS_BORDER),
            WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
  EXPECT_TRUE(::GetWindowLongPtrA(View(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  EXPECT_EQ(::GetClassLongPtrA(View(), GCL_STYLE), CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
  EXPECT_NE(::GetClassLongPtrA(View(), GCLP_HCURSOR), 0);

  ::SetFocus(Frame());
  EXPECT_EQ(::GetFocus(), View());
}

TEST_F(MainFrameTest, WithoutAStoredPositionTheViewIsCentredAndTheFrameFollows) {
  Start();
  RECT v = wt::WindowRect(View());
  int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(v.right - v.left, 640);
  EXPECT_EQ(v.bottom - v.top, 480);
  EXPECT_EQ(v.left, (sw - 640) / 2);
  EXPECT_EQ(v.top, (sh - 480) / 2);
  EXPECT_TRUE(SameRect(wt::WindowRect(Frame()), v));
  EXPECT_FALSE(frame->View().StartInFullScreen());

  ::SetWindowPos(View(), nullptr, 30, 40, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT moved{30, 40, 530, 340};
  EXPECT_TRUE(SameRect(wt::WindowRect(View()), moved));
  EXPECT_TRUE(SameRect(wt::WindowRect(Frame()), moved));
}

TEST_F(MainFrameTest, AStoredPositionIsUsedAndGarbageIsNot) {
  IniProfile ini(SettingsFilePath());
  SaveWindowPosition(ini, {50, 60, 850, 660}, false);
  Start();
  EXPECT_TRUE(SameRect(wt::WindowRect(View()), RECT{50, 60, 850, 660}));
  frame.reset();

  SaveWindowPosition(ini, {9000, 9000, 9100, 9010}, false);
  frame = std::make_unique<CMainFrame>();
  Start();
  RECT v = wt::WindowRect(View());
  EXPECT_EQ(v.right - v.left, 640);
  EXPECT_EQ(v.left, (::GetSystemMetrics(SM_CXSCREEN) - 640) / 2);
}

TEST_F(MainFrameTest, NeitherWindowTracksBelow160By120) {
  Start();
  for (HWND h : {Frame(), View()}) {
    MINMAXINFO info{};
    ::SendMessageA(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 160);
    EXPECT_EQ(info.ptMinTrackSize.y, 120);
  }
}

TEST_F(MainFrameTest, FullScreenCoversTheFrameAndRemembersTheNormalWindow) {
  Start();
  RECT normal = wt::WindowRect(View());
  EXPECT_EQ(frame->ToggleFullScreen(), 1);
  wt::Pump(50);
  EXPECT_TRUE(frame->IsMaximised());
  RECT full = wt::WindowRect(Frame());
  EXPECT_GT(full.right - full.left, normal.right - normal.left);
  EXPECT_TRUE(SameRect(wt::WindowRect(View()), full));

  std::vector<std::string> pos = wt::IniSection(SettingsFilePath(), "POSITION");
  EXPECT_TRUE(HasLine(pos, "FULL_SCREEN=0"));
  EXPECT_TRUE(HasLine(pos, "MONITOR_LEFT=" + std::to_string(normal.left)));
  EXPECT_TRUE(HasLine(pos, "MONITOR_BOTTOM=" + std::to_string(normal.bottom)));

  EXPECT_EQ(frame->ToggleFullScreen(), 0);
  wt::Pump(50);
  EXPECT_FALSE(frame->IsMaximised());
  EXPECT_TRUE(SameRect(wt::WindowRect(View()), normal));
}

TEST_F(MainFrameTest, RestoringPutsTheControlPanelBackWhereItWasBeforeFullScreen) {
  Start();
  HWND panel = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 400, 500, 634, 88, View(), nullptr,
                                 nullptr, nullptr);
  frame->SetControlPanel(panel);
  frame->ToggleFullScreen();
  wt::Pump(50);
  ::MoveWindow(panel, 600, 900, 634, 88, TRUE);  // where a full-screen layout puts it
  frame->ToggleFullScreen();
  wt::Pump(50);
  EXPECT_TRUE(SameRect(wt::WindowRect(panel), RECT{400, 500, 1034, 588}));

  // Minimising remembers where it was too.
  ::MoveWindow(panel, 10, 20, 634, 88, TRUE);
  ::ShowWindow(Frame(), SW_MINIMIZE);
  frame->ToggleFullScreen();
  wt::Pump(50);
  ::MoveWindow(panel, 0, 0, 634, 88, TRUE);
  frame->ToggleFullScreen();
  wt::Pump(50);
  EXPECT_TRUE(SameRect(wt::WindowRect(panel), RECT{10, 20, 644, 108}));
  frame->SetControlPanel(nullptr);
  ::DestroyWindow(panel);
}

// Of the CONFIG section only the control panel's volume is written on close; the view writes its position
// and the panel its own.
TEST_F(MainFrameTest, ClosingWritesThePositionsAndOnlyTheVolume) {
  Start();
  RECT normal = wt::WindowRect(View());
  RECT panel = wt::WindowRect(frame->View().ControlPanel().Hwnd());
  ::SendMessageA(Frame(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(frame->Exists());
  EXPECT_FALSE(frame->View().Exists());
  EXPECT_EQ(wt::IniSection(SettingsFilePath(), "CONFIG"), std::vector<std::string>{"VOLUME=50"});
  std::vector<std::string> pos = wt::IniSection(SettingsFilePath(), "POSITION");
  std::sort(pos.begin(), pos.end());
  std::vector<std::string> expected{"FULL_SCREEN=0",
                                    "MONITOR_TOP=" + std::to_string(normal.top),
                                    "MONITOR_BOTTOM=" + std::to_string(normal.bottom),
                                    "MONITOR_LEFT=" + std::to_string(normal.left),
                                    "MONITOR_RIGHT=" + std::to_string(normal.right),
                                    "STATUS_TOP=" + std::to_string(panel.top),
                                    "STATUS_BOTTOM=" + std::to_string(panel.bottom),
                                    "STATUS_LEFT=" + std::to_string(panel.left),
                                    "STATUS_RIGHT=" + std::to_string(panel.right)};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(pos, expected);
}

TEST_F(MainFrameTest, MaximisingWhileClosingRecordsNoNormalPosition) {
  Start();
  frame->RequestExit();  // the WM_CLOSE waits in the queue
  EXPECT_TRUE(frame->IsClosing());
  ::ShowWindow(Frame(), SW_MAXIMIZE);
  EXPECT_TRUE(wt::IniSection(SettingsFilePath(), "POSITION").empty());
  wt::PumpUntil([&] { return !frame->Exists(); }, 2000);
  EXPECT_FALSE(frame->Exists());
  std::vector<std::string> pos = wt::IniSection(SettingsFilePath(), "POSITION");
  EXPECT_TRUE(HasLine(pos, "FULL_SCREEN=1"));
  EXPECT_FALSE(std::any_of(pos.begin(), pos.end(), [](const std::string& line) { return line.rfind("MONITOR_", 0) == 0; }));
}

TEST_F(MainFrameTest, HandOffOpensThePathAndEmptiesTheBlock) {
  Start();
  CSharedBlock sender;
  sender.SetName(kHandOffBlockName, kSharedBlockSize);
  char* block = static_cast<char*>(sender.CreateOrOpen());
  ASSERT_NE(block, nullptr);
  std::strcpy(block, "C:\\clips\\movie.mpg");
  ::SendMessageA(Frame(), WM_COMMAND, 55, 0);
  EXPECT_EQ(wt::WindowText(Frame()), "movie");
  EXPECT_EQ(CPlayerApp::RunningWindowName(), L"movie");
  EXPECT_EQ(block[0], '\0');

  // Not this program's command: lParam is not 0.
  std::strcpy(block, "C:\\clips\\other.mpg");
  ::SendMessageA(Frame(), WM_COMMAND, 55, 1);
  EXPECT_EQ(wt::WindowText(Frame()), "movie");

  // A block without a NUL in its 260 bytes holds no path.
  std::memset(block, 'q', kSharedBlockSize);
  ::SendMessageA(Frame(), WM_COMMAND, 55, 0);
  EXPECT_EQ(wt::WindowText(Frame()), "movie");

  sender.CloseBlock();
  ::SendMessageA(Frame(), WM_COMMAND, 55, 0);  // no block at all
  EXPECT_EQ(wt::WindowText(Frame()), "movie");

  frame->View().ResetTitle();
  EXPECT_EQ(wt::WindowText(Frame()), "Tarnvale");
  EXPECT_EQ(CPlayerApp::RunningWindowName(), L"Tarnvale");
}

// Titles and hand-offs of files named outside the code page.
TEST_F(MainFrameTest, ANameOutsideTheCodePageReachesTheTitleTheWindowNameAndTheRunningInstanceWhole) {
  Start();
  const std::wstring clip = L"C:\\clips\\\xD83C\xDFB5 \uD55C\uAD6D\uC5B4.mpg";
  const std::wstring title = L"\xD83C\xDFB5 \uD55C\uAD6D\uC5B4";
  CSharedBlock wideSender, sender;
  wideSender.SetName(kHandOffWideBlockName, kWideBlockUnits * sizeof(wchar_t));
  sender.SetName(kHandOffBlockName, kSharedBlockSize);
  auto* wideBlock = static_cast<wchar_t*>(wideSender.CreateOrOpen());
  auto* block = static_cast<char*>(sender.CreateOrOpen());
  ASSERT_TRUE(wideBlock && block);
  auto shownTitle = [&] {
    wchar_t text[128] = {};
    ::InternalGetWindowText(Frame(), text, 128);  // the stored title, not the ANSI window's answer
    return std::wstring(text);
  };
  auto publishedName = [] {
    CSharedBlock published;
    return published.OpenNamed(kWindowNameBlockName) ? published.ReadText(kSharedBlockSize) : std::string("<none>");
  };

  // A newer second start writes both blocks: the wide one is taken, and both are emptied.
  std::copy(clip.c_str(), clip.c_str() + clip.size() + 1, wideBlock);
  std::strcpy(block, "C:\\clips\\SHORT~1.MPG");
  ::SendMessageA(Frame(), WM_COMMAND, 55, 0);
  EXPECT_EQ(frame->View().Files().NowPlaying().widePath, clip);
  EXPECT_EQ(shownTitle(), title);
  EXPECT_EQ(::FindWindowW(nullptr, title.c_str()), Frame()) << "another instance finds the frame by its wide title";
  EXPECT_EQ(CPlayerApp::RunningWindowName(), title);
  EXPECT_EQ(publishedName(), "") << "the code-page name holds no substitutes";
  EXPECT_EQ(wideBlock[0], L'\0');
  EXPECT_EQ(block[0], '\0');

  // An older second start writes the code-page block alone; a name inside the code page is published in it.
  std::strcpy(block, "C:\\clips\\音楽♪.mpg");
  ::SendMessageA(Frame(), WM_COMMAND, 55, 0);
  EXPECT_EQ(frame->View().Files().NowPlaying().name, "C:\\clips\\音楽♪.mpg");
  EXPECT_EQ(CPlayerApp::RunningWindowName(), L"\u97F3\u697D\u266A");
  EXPECT_EQ(publishedName(), "音楽♪");

  // A wide block without its zero in its 260 units holds no path: the code-page block is taken.
  std::wmemset(wideBlock, L'q', kWideBlockUnits);
  std::strcpy(block, "C:\\clips\\plain.mpg");
  ::SendMessageA(Frame(), WM_COMMAND, 55, 0);
  EXPECT_EQ(frame->View().Files().NowPlaying().name, "C:\\clips\\plain.mpg");
}

TEST_F(MainFrameTest, ASecondStartWritesTheWholePathAndACodePageFormWithoutSubstitutes) {
  Start();
  wt::TempDir dir("handwide");
  const std::wstring outside = fw::Widen(dir.Path()) + L"Caf\u00E9 \xD83C\xDFB5.avi";
  const std::wstring inside = fw::Widen(dir.Path()) + L"\u97F3\u697D\u266A.avi";
  for (const std::wstring& path : {outside, inside}) {
    fw::UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file);
  }
  struct Written {
    std::wstring wide;
    std::string text;
    bool taken = false;
  };
  auto handOff = [&](const std::wstring& path) {
    CMainFrame second;
    Written w;
    EXPECT_TRUE(second.WriteHandOffPath(path));
    CSharedBlock wide, narrow;
    if (wide.OpenNamed(kHandOffWideBlockName)) w.wide = wide.ReadWideText(kWideBlockUnits);
    if (narrow.OpenNamed(kHandOffBlockName)) w.text = narrow.ReadText(kSharedBlockSize);
    ::SendMessageA(Frame(), WM_COMMAND, 55, 0);  // the running instance takes it
    w.taken = second.WaitForHandOffTaken(1000);
    return w;
  };
  const Written a = handOff(outside);
  EXPECT_EQ(a.wide, outside);
  EXPECT_EQ(a.text, fw::ShortPathOf(outside).text) << "an older instance gets the short path";
  EXPECT_EQ(a.text.find('?'), std::string::npos);
  EXPECT_TRUE(a.taken);
  EXPECT_EQ(frame->View().Files().NowPlaying().widePath, outside);
  const Written b = handOff(inside);
  EXPECT_EQ(b.wide, inside);
  EXPECT_EQ(b.text, fw::Narrow(inside).text);
  EXPECT_TRUE(b.taken);
}

TEST_F(MainFrameTest, PanelTransparencyUsesTheKeyColourUnlessAPictureOrQuickTimePlays) {
  Start();
  HWND panel = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, View(), nullptr, nullptr, nullptr);
  ASSERT_NE(panel, nullptr);
  struct Case {
    std::uint32_t kind;
    bool layered;
  } const cases[] = {{0, true}, {0xC00, true}, {0xD00, true}, {0xC20, true},
                     {0xE00, false}, {0xEF0, false}, {0xC10, false}, {0xD11, false}};
  for (const Case& c : cases) {
    ::SetWindowLongPtrA(panel, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    ApplyPanelTransparency(panel, c.kind);
    LONG_PTR ex = ::GetWindowLongPtrA(panel, GWL_EXSTYLE);
    if (c.layered) {
      EXPECT_TRUE(ex & WS_EX_LAYERED) << std::hex << c.kind;
      COLORREF key = 0;
      BYTE alpha = 0;
      DWORD flags = 0;
      ASSERT_TRUE(::GetLayeredWindowAttributes(panel, &key, &alpha, &flags));
      EXPECT_EQ(key, RGB(128, 0, 128));
      EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
    } else {
      EXPECT_EQ(ex, 0) << std::hex << c.kind;
    }
  }
  ::DestroyWindow(panel);
}
