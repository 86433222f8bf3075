#pragma once
// The application object: start-up, the message loop with pre-translation, and the exit work.

#include <optional>
#include <string>

#include "framework/Com.h"
#include "framework/Win32.h"

namespace fw {

class Window;

class Application {
 public:
  Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  virtual ~Application();

  static Application* Instance();

  // StartUp; when it returns true, the message loop until the main window is destroyed; then ShutDown.
  // The command line is the argument text without the program name (WinMain's lpCmdLine).
  int Run(std::wstring commandLine);

  const std::wstring& CommandLineText() const { return m_commandLine; }
  void SetMainWindow(Window* window) { m_mainWindow = window; }
  Window* MainWindow() const { return m_mainWindow; }

  // Prepares the thread for hosting ActiveX controls (OLE initialised until the application ends).
  void EnableControlContainer();

  // Dispatches every queued message the way the loop does; false once WM_QUIT was seen. For tests.
  bool PumpPending();

 protected:
  virtual bool StartUp() = 0;
  // Normal exit work; returns the exit code.
  virtual int ShutDown();
  // Offers the message to its window and then to each parent or owner; true when one of them took it.
  virtual bool PreTranslate(MSG& msg);

 private:
  void DispatchOne(MSG& msg);

  std::wstring m_commandLine;
  Window* m_mainWindow = nullptr;
  int m_exitCode = 0;
  std::optional<OleScope> m_ole;
};

}  // namespace fw
