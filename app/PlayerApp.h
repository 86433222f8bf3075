#pragma once
// The application object: decides whether this process is the first instance, creates and shows the main
// window or hands the command-line file to the running instance, and publishes the window's title so that
// later starts can find it.

#include <cstdint>
#include <memory>
#include <string>

#include "app/SharedBlock.h"
#include "framework/Application.h"
#include "framework/Handles.h"

class CMainFrame;

class CPlayerApp : public fw::Application {
 public:
  CPlayerApp();
  ~CPlayerApp() override;

  static CPlayerApp* Current();

  CMainFrame* Frame() const { return m_frame.get(); }

  // Writes the title into the window-name block (created on first use, kept until the program ends).
  void PublishWindowName(const std::wstring& title);
  // The title the running instance published, or "Tarnvale" when there is none.
  static std::wstring RunningWindowName();

 protected:
  bool StartUp() override;
  int ShutDown() override;

 private:
  bool StartFirstInstance(const std::wstring& path);
  bool StartSecondInstance(const std::wstring& path);

  CSharedBlock m_windowName;
  CSharedBlock m_wideWindowName;
  fw::UniqueHandle m_instanceMutex;
  std::unique_ptr<CMainFrame> m_frame;
};
