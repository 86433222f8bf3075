// The skin switch as a real child window: hover by mouse moves, the 10 ms timer and the capture, the
// pressed frame, the posted command and its order, rest frames, face swaps and faces that failed to load.
#include "controls/SkinSwitch.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "controls/SwitchBitmapCache.h"
#include "framework/Gdi.h"
#include "res/ResourceIds.h"
#include "wine/Pixels.h"
#include "wine/WineSupport.h"

namespace {

constexpr int kBoardX = 200, kBoardY = 150;
constexpr geo::Rect kSwitchRect{20, 10, 52, 42};

// The switch's parent: records every command with the frame the switch shows when it is handled.
class Board : public fw::Window {
 public:
  struct Seen {
    UINT id;
    int frame;
  };
  std::vector<Seen> commands;
  const CSkinSwitch* watched = nullptr;

  bool Create() {
    return CreateEx(0, nullptr, "board", WS_POPUP | WS_VISIBLE, kBoardX, kBoardY, 300, 200, nullptr, nullptr);
  }
  int Count(UINT id) const {
    int n = 0;
    for (const Seen& s : commands) n += s.id == id;
    return n;
  }
  std::vector<UINT> Ids(bool withMoves) const {
    std::vector<UINT> ids;
    for (const Seen& s : commands)
      if (withMoves || s.id != ID_SWITCH_MOUSE_MOVE) ids.push_back(s.id);
    return ids;
  }

 protected:
  bool OnMessage(fw::Msg& m) override {
    if (m.msg != WM_COMMAND) return false;
    commands.push_back({m.CommandId(), watched ? watched->CurrentFrame() : -1});
    return true;
  }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// Dispatches everything but mouse moves until the condition holds or the time is up.
bool PumpWithoutMouseMoves(unsigned timeoutMs, const std::function<bool()>& done = [] { return false; }) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      if (msg.message != WM_MOUSEMOVE) ::DispatchMessageA(&msg);
    if (done()) return true;
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::Sleep(1);
  }
}

class SkinSwitchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearSwitchBitmapCache();
    ASSERT_TRUE(board.Create());
    ASSERT_TRUE(sw.Create(board.Hwnd(), kSwitchRect, ID_PLAY_SWITCH, IDB_PLAYSW, ""));
    board.watched = &sw;
    ParkCursor();
    wt::Pump(30);
    board.commands.clear();
  }
  void TearDown() override {
    ParkCursor();
    ClearSwitchBitmapCache();
  }

  static void ParkCursor() { ::SetCursorPos(1000, 900); }
  // Puts the pointer over the switch and delivers the move the system would.
  void Hover() {
    ::SetCursorPos(kBoardX + kSwitchRect.left + 16, kBoardY + kSwitchRect.top + 16);
    ::SendMessageA(sw.Hwnd(), WM_MOUSEMOVE, 0, At(16, 16));
  }
  // What the switch shows now, against frame f of a built-in face.
  bool Shows(unsigned faceId, int frame) {
    wt::PixelTarget shown(32, 32), expected(32, 32);
    shown.CopyFrom(sw.Hwnd());
    CSkinBitmap face;
    face.LoadFromResource(faceId, 32, 4);
    face.DrawFrame(frame, expected.Dc(), 0, 0, 32, 32);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (shown.At(x, y) != expected.At(x, y)) return false;
    return true;
  }

  Board board;
  CSkinSwitch sw;
};

}  // namespace

TEST_F(SkinSwitchTest, IsAVisibleChildShowingItsNormalFrame) {
  EXPECT_TRUE(::IsWindowVisible(sw.Hwnd()));
  EXPECT_EQ(::GetParent(sw.Hwnd()), board.Hwnd());
  EXPECT_TRUE(::GetWindowLongPtrA(sw.Hwnd(), GWL_STYLE) & WS_CLIPSIBLINGS);
  EXPECT_TRUE(::GetClassLongPtrA(sw.Hwnd(), GCL_STYLE) & CS_DBLCLKS);
  EXPECT_EQ(::GetDlgCtrlID(sw.Hwnd()), ID_PLAY_SWITCH);
  EXPECT_EQ(sw.CurrentFrame(), FRAME_NORMAL);
  EXPECT_TRUE(Shows(IDB_PLAYSW, FRAME_NORMAL));
}

TEST_F(SkinSwitchTest, LightsOnHoverAndReleasesWithinATickAfterThePointerJumpsAway) {
  Hover();
  EXPECT_EQ(sw.CurrentFrame(), FRAME_HOVER);
  EXPECT_EQ(::GetCapture(), sw.Hwnd());
  EXPECT_TRUE(Shows(IDB_PLAYSW, FRAME_HOVER));
  wt::Pump(60);  // the timer keeps ticking while the pointer stays, each tick a mouse-move notice
  EXPECT_EQ(sw.CurrentFrame(), FRAME_HOVER);
  EXPECT_GE(board.Count(ID_SWITCH_MOUSE_MOVE), 3);

  // The pointer jumps away and no mouse move is delivered: only the 10 ms timer can notice.
  ParkCursor();
  const DWORD start = ::GetTickCount();
  const bool released = PumpWithoutMouseMoves(1000, [&] { return ::GetCapture() != sw.Hwnd(); });
  const DWORD elapsed = ::GetTickCount() - start;
  EXPECT_TRUE(released);
  EXPECT_LE(elapsed, 60u) << "one 10 ms tick, with room for a loaded machine";
  EXPECT_EQ(sw.CurrentFrame(), FRAME_NORMAL);
  EXPECT_TRUE(Shows(IDB_PLAYSW, FRAME_NORMAL));
  // Resting: the timer is gone, no more notices.
  board.commands.clear();
  wt::Pump(50);
  EXPECT_EQ(board.Count(ID_SWITCH_MOUSE_MOVE), 0);
}

TEST_F(SkinSwitchTest, ClickShowsPressedThenPostsItsCommandThenShowsHover) {
  Hover();
  ::SendMessageA(sw.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(16, 16));
  EXPECT_EQ(sw.CurrentFrame(), FRAME_PRESSED);
  EXPECT_TRUE(Shows(IDB_PLAYSW, FRAME_PRESSED));
  ::SendMessageA(sw.Hwnd(), WM_LBUTTONUP, 0, At(16, 16));
  EXPECT_EQ(sw.CurrentFrame(), FRAME_HOVER);
  EXPECT_EQ(board.Count(ID_PLAY_SWITCH), 0) << "posted, not sent";
  EXPECT_TRUE(wt::PumpUntil([&] { return board.Count(ID_PLAY_SWITCH) == 1; }, 500));
  // The mouse-move notice of the hover came first; the command was handled with Hover already shown.
  EXPECT_EQ(board.commands.front().id, static_cast<UINT>(ID_SWITCH_MOUSE_MOVE));
  for (const Board::Seen& s : board.commands) {
    if (s.id == ID_PLAY_SWITCH) {
      EXPECT_EQ(s.frame, FRAME_HOVER);
    }
  }
  EXPECT_TRUE(Shows(IDB_PLAYSW, FRAME_HOVER));
}

TEST_F(SkinSwitchTest, ADoubleClickPostsTwoCommands) {
  Hover();
  ::SendMessageA(sw.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(16, 16));
  ::SendMessageA(sw.Hwnd(), WM_LBUTTONUP, 0, At(16, 16));
  ::SendMessageA(sw.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(16, 16));
  EXPECT_EQ(sw.CurrentFrame(), FRAME_PRESSED);
  ::SendMessageA(sw.Hwnd(), WM_LBUTTONUP, 0, At(16, 16));
  wt::PumpUntil([&] { return board.Count(ID_PLAY_SWITCH) == 2; }, 500);
  EXPECT_EQ(board.Count(ID_PLAY_SWITCH), 2);
}

TEST_F(SkinSwitchTest, ARestFrameSetWhileHoveredWaitsUntilThePointerLeaves) {
  Hover();
  sw.SetRestFrame(FRAME_ALTERNATE);
  EXPECT_EQ(sw.CurrentFrame(), FRAME_HOVER);
  EXPECT_EQ(sw.RestFrame(), FRAME_ALTERNATE);
  ParkCursor();
  ::SendMessageA(sw.Hwnd(), WM_MOUSEMOVE, 0, At(500, 500));  // the capture brings the move outside
  EXPECT_EQ(sw.CurrentFrame(), FRAME_ALTERNATE);
  EXPECT_NE(::GetCapture(), sw.Hwnd());
  EXPECT_TRUE(Shows(IDB_PLAYSW, FRAME_ALTERNATE));
}

TEST_F(SkinSwitchTest, SetRestFrameRedrawsOnlyWhenItChangesTheRestingFace) {
  fw::WindowDC dc(sw.Hwnd());
  RECT r{0, 0, 32, 32};
  fw::FillSolid(dc.Get(), r, RGB(0, 0, 0));
  sw.SetRestFrame(FRAME_NORMAL);  // the frame it has: nothing happens
  wt::PixelTarget shown(32, 32);
  shown.CopyFrom(sw.Hwnd());
  EXPECT_TRUE(shown.AllAre(r, RGB(0, 0, 0)));
  sw.SetRestFrame(FRAME_ALTERNATE);
  EXPECT_EQ(sw.CurrentFrame(), FRAME_ALTERNATE);
  EXPECT_TRUE(Shows(IDB_PLAYSW, FRAME_ALTERNATE));
}

TEST_F(SkinSwitchTest, SwappingTheFaceWhileLitKeepsTheLitFrame) {
  Hover();
  sw.SetBitmap(IDB_PAUSESW, "");
  EXPECT_EQ(sw.CurrentFrame(), FRAME_HOVER);
  EXPECT_TRUE(Shows(IDB_PAUSESW, FRAME_HOVER));
  EXPECT_EQ(sw.Face(), GetSwitchBitmap(IDB_PAUSESW, "").get()) << "the face is the cached strip";
}

TEST_F(SkinSwitchTest, EndHoverRestsAndReleasesOnlyItsOwnCapture) {
  Hover();
  wt::Pump(20);
  sw.EndHover();
  EXPECT_EQ(sw.CurrentFrame(), FRAME_NORMAL);
  EXPECT_EQ(::GetCapture(), nullptr);
  // With the pointer gone and no moves delivered, a running timer would still post its notices.
  ParkCursor();
  board.commands.clear();
  PumpWithoutMouseMoves(50);
  EXPECT_EQ(board.Count(ID_SWITCH_MOUSE_MOVE), 0) << "the hover timer stopped";

  ::SetCapture(board.Hwnd());
  sw.EndHover();
  EXPECT_EQ(::GetCapture(), board.Hwnd());
  ::ReleaseCapture();
}

TEST(SkinSwitch, AFaceThatFailedToLoadDrawsNothingButStillWorks) {
  ClearSwitchBitmapCache();
  Board board;
  ASSERT_TRUE(board.Create());
  CSkinSwitch sw;
  ASSERT_TRUE(sw.Create(board.Hwnd(), kSwitchRect, ID_STOP_SWITCH, 9999, "Z:\\nowhere\\STOPSW.bmp"));
  ASSERT_NE(sw.Face(), nullptr);
  EXPECT_FALSE(sw.Face()->IsLoaded());
  ::SendMessageA(sw.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  EXPECT_EQ(sw.CurrentFrame(), FRAME_PRESSED);
  ::SendMessageA(sw.Hwnd(), WM_LBUTTONUP, 0, At(5, 5));
  EXPECT_TRUE(wt::PumpUntil([&] { return board.Count(ID_STOP_SWITCH) == 1; }, 500));
  ::SetCursorPos(1000, 900);
  ClearSwitchBitmapCache();
}
