#pragma once
// A real main frame with its view and floating panels for the panel tests: a fresh TN.INI, the view at a
// known place, the messages pumped the way the program's loop does (with pre-translation), and the pointer
// placed where a test wants it.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/MainFrame.h"
#include "app/PlayerApp.h"
#include "config/IniProfile.h"
#include "wine/WineSupport.h"

namespace wt {

class PanelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ::DeleteFileA(SettingsFilePath().c_str());
    WriteSetting("HOMEDIR", home.Path().substr(0, home.Path().size() - 1).c_str());
    ParkCursor();
  }
  void TearDown() override {
    frame.reset();
    ::SetCurrentDirectoryA(ExeFolder().c_str());
    ::DeleteFileA(SettingsFilePath().c_str());
  }
  static void WriteSetting(const char* key, const char* value, const char* section = "CONFIG") {
    ::WritePrivateProfileStringA(section, key, value, SettingsFilePath().c_str());
  }
  static std::string ReadSetting(const char* key, const char* section = "CONFIG") {
    char text[64] = {};
    ::GetPrivateProfileStringA(section, key, "", text, sizeof text, SettingsFilePath().c_str());
    return text;
  }
  void Start(int x = 100, int y = 100, int width = 800, int height = 500) {
    frame = std::make_unique<CMainFrame>();
    frame->View().LoadSettings();
    ASSERT_TRUE(frame->Create());
    ::ShowWindow(frame->Hwnd(), SW_SHOW);
    ::SetWindowPos(View().Hwnd(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    // The system's activation events come in.
    PumpApp(250);
  }
  // Dispatches through the application's loop step, pre-translation included.
  void PumpApp(unsigned ms) {
    const DWORD start = ::GetTickCount();
    do {
      app.PumpPending();
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (::GetTickCount() - start < ms);
    app.PumpPending();
  }
  // A switch's or slider's command as it posts it, then handled.
  void Post(HWND to, UINT id) {
    ::PostMessageA(to, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpApp(20);
  }
  static void ParkCursor() { ::SetCursorPos(2, 2); }
  static void CursorInto(HWND window) {
    RECT r = WindowRect(window);
    ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  static void Tick(HWND window, UINT_PTR timer) { ::SendMessageA(window, WM_TIMER, timer, 0); }

  CPlayerView& View() { return frame->View(); }
  CControlPanel& Panel() { return frame->View().ControlPanel(); }
  CWindowButtons& Buttons() { return frame->View().WindowButtons(); }

  TempDir home{"panel"};
  CPlayerApp app;
  std::unique_ptr<CMainFrame> frame;
};

// Whether window a lies above window b in the Z order.
inline bool Above(HWND a, HWND b) {
  for (HWND h = ::GetWindow(a, GW_HWNDNEXT); h; h = ::GetWindow(h, GW_HWNDNEXT))
    if (h == b) return true;
  return false;
}

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace wt
