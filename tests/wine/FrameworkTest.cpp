// The framework layer with real windows: message tables, the creation hook, binding and unbinding,
// command routing to the owner, the pre-translation walk, the handle owners and the mutex scope.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "framework/Application.h"
#include "framework/Com.h"
#include "framework/Gdi.h"
#include "framework/Handles.h"
#include "framework/MutexLock.h"
#include "framework/Window.h"
#include "wine/WineSupport.h"

namespace {

constexpr UINT kPing = WM_APP + 1;

class Probe : public fw::Window {
 public:
  std::vector<UINT> commands;
  int pings = 0;
  int preTranslated = 0;
  bool swallowKeys = false;
  DWORD styleSeenByHook = 0;
  fw::Window* firstTarget = nullptr;

  bool Create(HWND parent, DWORD style) {
    return CreateEx(0, nullptr, "probe", style, 0, 0, 100, 100, parent, nullptr);
  }
  bool PreTranslateMessage(MSG& msg) override {
    if (msg.message != WM_KEYDOWN) return false;
    ++preTranslated;
    return swallowKeys;
  }
  bool OnMessage(fw::Msg& m) override {
    static constexpr fw::Route<Probe> kRoutes[] = {
        {kPing, 0, &Probe::OnPing},
        {WM_COMMAND, 7, &Probe::OnSeven},
    };
    return fw::Dispatch(*this, kRoutes, m);
  }

 protected:
  void PreCreate(CREATESTRUCTA& cs) override {
    styleSeenByHook = static_cast<DWORD>(cs.style);
    cs.style |= WS_CLIPCHILDREN;
  }
  fw::Window* FirstCommandTarget() override { return firstTarget; }

 private:
  void OnPing(fw::Msg& m) {
    ++pings;
    m.result = 42;
  }
  void OnSeven(fw::Msg&) { commands.push_back(7); }
};

// Records every command that reaches it, whatever the id.
class Sink : public Probe {
 public:
  bool OnMessage(fw::Msg& m) override {
    if (m.msg == WM_COMMAND) {
      commands.push_back(m.CommandId());
      return true;
    }
    return Probe::OnMessage(m);
  }
};

class TestApp : public fw::Application {
 public:
  bool StartUp() override { return true; }
};

}  // namespace

TEST(Framework, TableDispatchAndTheCreationHook) {
  Probe w;
  ASSERT_TRUE(w.Create(nullptr, WS_POPUP));
  EXPECT_EQ(w.styleSeenByHook, static_cast<DWORD>(WS_POPUP));
  EXPECT_TRUE(::GetWindowLongPtrA(w.Hwnd(), GWL_STYLE) & WS_CLIPCHILDREN);
  EXPECT_EQ(::SendMessageA(w.Hwnd(), kPing, 0, 0), 42);
  EXPECT_EQ(w.pings, 1);
  EXPECT_EQ(fw::Window::FromHandle(w.Hwnd()), &w);
  EXPECT_EQ(fw::Window::FromHandle(::GetDesktopWindow()), nullptr);
}

TEST(Framework, UnbindsAtDestructionSoNoLateMessageReachesTheObject) {
  Probe w;
  ASSERT_TRUE(w.Create(nullptr, WS_POPUP));
  HWND h = w.Hwnd();
  ::DestroyWindow(h);
  EXPECT_FALSE(w.Exists());
  EXPECT_FALSE(::IsWindow(h));
  auto other = std::make_unique<Probe>();
  ASSERT_TRUE(other->Create(nullptr, WS_POPUP));
  HWND h2 = other->Hwnd();
  other.reset();  // the object's end destroys its window
  EXPECT_FALSE(::IsWindow(h2));
}

TEST(Framework, UnhandledCommandsGoOnToTheOwner) {
  Sink owner;
  ASSERT_TRUE(owner.Create(nullptr, WS_POPUP));
  Probe child;
  ASSERT_TRUE(child.Create(owner.Hwnd(), WS_CHILD));
  Probe popup;
  ASSERT_TRUE(popup.Create(owner.Hwnd(), WS_POPUP));

  ::SendMessageA(child.Hwnd(), WM_COMMAND, 7, 0);  // handled by the child itself
  ::SendMessageA(child.Hwnd(), WM_COMMAND, 9, 0);  // goes to the parent
  ::SendMessageA(popup.Hwnd(), WM_COMMAND, 11, 0); // goes to the owner
  EXPECT_EQ(child.commands, std::vector<UINT>{7});
  EXPECT_EQ(owner.commands, (std::vector<UINT>{9, 11}));

  // A window with no owner ends the chain; the command reaches default processing and nothing loops.
  EXPECT_EQ(::SendMessageA(owner.Hwnd(), WM_COMMAND, 12, 0), 0);
}

TEST(Framework, CommandsAreOfferedToTheFirstTargetBeforeTheOwnTable) {
  Sink view;
  ASSERT_TRUE(view.Create(nullptr, WS_POPUP));
  Probe frame;
  frame.firstTarget = &view;
  ASSERT_TRUE(frame.Create(nullptr, WS_POPUP));
  ::SendMessageA(frame.Hwnd(), WM_COMMAND, 7, 0);
  EXPECT_EQ(view.commands, std::vector<UINT>{7});
  EXPECT_TRUE(frame.commands.empty());
}

TEST(Framework, PreTranslationWalksUpToTheOwner) {
  TestApp app;
  Probe top;
  ASSERT_TRUE(top.Create(nullptr, WS_POPUP));
  Probe child;
  ASSERT_TRUE(child.Create(top.Hwnd(), WS_CHILD));
  app.SetMainWindow(&top);

  ::PostMessageA(child.Hwnd(), WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(app.PumpPending());
  EXPECT_EQ(child.preTranslated, 1);
  EXPECT_EQ(top.preTranslated, 1);

  child.swallowKeys = true;
  ::PostMessageA(child.Hwnd(), WM_KEYDOWN, 'A', 0);
  app.PumpPending();
  EXPECT_EQ(child.preTranslated, 2);
  EXPECT_EQ(top.preTranslated, 1);  // swallowed before it got there
  app.SetMainWindow(nullptr);
}

TEST(Framework, HandleOwnersReleaseOnce) {
  HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  {
    fw::UniqueHandle h(event);
    fw::UniqueHandle moved(std::move(h));
    EXPECT_FALSE(h);
    EXPECT_TRUE(moved);
  }
  DWORD flags = 0;
  EXPECT_FALSE(::GetHandleInformation(event, &flags));

  fw::UniqueHandle invalid(INVALID_HANDLE_VALUE);
  EXPECT_FALSE(invalid);
  EXPECT_FALSE(invalid.Close());

  // The back buffer leaves the screen DC usable and its bitmap deselected before deletion.
  fw::WindowDC screen(nullptr);
  HBITMAP drawn;
  {
    fw::BackBuffer buffer(screen.Get(), 64, 32);
    ASSERT_TRUE(buffer.Ok());
    drawn = static_cast<HBITMAP>(::GetCurrentObject(buffer.Dc(), OBJ_BITMAP));
    BITMAP info{};
    ASSERT_TRUE(::GetObjectA(drawn, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 64);
  }
  EXPECT_EQ(::GetObjectType(drawn), 0u);  // deleted

  fw::ComScope com;
  EXPECT_TRUE(com.Ok());
}

// The scope's mutex: held while it lasts, a timed-out wait leaves the scope unowned, and an abandoned
// mutex (its holder's thread ended without releasing it) is taken over.
TEST(Framework, MutexLockHoldsForTheScopeAndNeverBlocksForEver) {
  constexpr char kName[] = "TarnvaleFrameworkTestMutex";
  auto ownedFromAnotherThread = [&](DWORD timeoutMs) {
    bool owned = false;
    std::thread other([&] { owned = fw::MutexLock(kName, timeoutMs).Owned(); });
    other.join();
    return owned;
  };
  {
    fw::MutexLock lock(kName, 1000);
    EXPECT_TRUE(lock.Owned());
    EXPECT_FALSE(ownedFromAnotherThread(50));
  }
  EXPECT_TRUE(ownedFromAnotherThread(1000)) << "released at the end of the scope";

  fw::UniqueHandle mutex(::CreateMutexA(nullptr, FALSE, nullptr));
  std::thread abandoning([&] { EXPECT_EQ(::WaitForSingleObject(mutex.Get(), 1000), WAIT_OBJECT_0); });
  abandoning.join();
  {
    fw::MutexLock lock(mutex.Get(), 1000);
    EXPECT_TRUE(lock.Owned());
  }
  EXPECT_FALSE(fw::MutexLock(static_cast<HANDLE>(nullptr), 0).Owned());
}

// The program's manifest: the system's look for the dialog's controls, Windows 10 and 11, and the DPI
// stance of a fixed-size skin.
TEST(Resources, TheManifestAsksForCommonControlsSixAndPerMonitorDpi) {
  HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  ASSERT_NE(found, nullptr);
  const char* text = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
  const std::string manifest(text, ::SizeofResource(nullptr, found));
  for (const char* part : {"Microsoft.Windows.Common-Controls", "6.0.0.0", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
                           "PerMonitorV2"})
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
}
