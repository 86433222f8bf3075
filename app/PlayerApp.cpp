#include "app/PlayerApp.h"

#include "app/MainFrame.h"
#include "app/StartupText.h"
#include "framework/Mbcs.h"
#include "framework/StartupTrace.h"
#include "framework/SystemText.h"
#include "res/ResourceIds.h"

namespace {

// Longer than the running instance may be busy with one open: under Wine a file whose rendering never
// returns holds it for the render bound (5 s), and a path given up for waiting would be lost.
constexpr unsigned kHandOffWaitMs = 15000;

}  // namespace

CPlayerApp::CPlayerApp() = default;

CPlayerApp::~CPlayerApp() = default;

CPlayerApp* CPlayerApp::Current() { return dynamic_cast<CPlayerApp*>(fw::Application::Instance()); }

bool CPlayerApp::StartUp() {
  fw::startup::Mark("process loaded");
  fw::UseSystemCodePage();
  EnableControlContainer();
  fw::startup::Mark("OLE initialised");
  m_frame = std::make_unique<CMainFrame>();
  SetMainWindow(m_frame.get());
  fw::startup::Mark("object tree (thumbnail worker)");

  const std::string path = ExtractCommandLinePath(CommandLineText());
  m_frame->View().LoadSettings();
  fw::startup::Mark("settings");

  HANDLE mutex = ::CreateMutexA(nullptr, FALSE, "Tarnvale");
  const DWORD error = ::GetLastError();
  if (!mutex) return false;
  m_instanceMutex.Reset(mutex);

  bool first = m_frame->View().Config().doubleExec || error != ERROR_ALREADY_EXISTS;
  return first ? StartFirstInstance(path) : StartSecondInstance(path);
}

bool CPlayerApp::StartFirstInstance(const std::string& path) {
  CMainFrame& frame = *m_frame;
  // Without its window the process would wait in the message loop for ever.
  if (!frame.Create()) return false;
  fw::startup::Mark("frame created");

  HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  ::SendMessageA(frame.Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));

  if (frame.View().StartInFullScreen()) {
    ::ShowWindow(frame.Hwnd(), SW_HIDE);
    ::ShowWindow(frame.Hwnd(), SW_SHOWMAXIMIZED);
  } else {
    ::ShowWindow(frame.Hwnd(), SW_SHOW);
  }
  if (frame.View().Config().topmost) frame.View().ApplyTopmost();

  fw::startup::Mark("frame shown");
  frame.View().Repaint();
  frame.View().FileList().ShowList();
  frame.View().ControlPanel().ShowPanel();
  ::UpdateWindow(frame.Hwnd());
  fw::startup::Mark("first paint: the list's rows drawn");
  fw::startup::Write();

  if (!path.empty()) frame.View().FileList().OpenPath(path);
  return true;
}

bool CPlayerApp::StartSecondInstance(const std::string& path) {
  HWND running = ::FindWindowA(nullptr, RunningWindowName().c_str());
  if (!running) return false;

  bool written = false;
  if (!path.empty()) {
    written = m_frame->WriteHandOffPath(path);
    ::PostMessageA(running, WM_COMMAND, ID_HANDOFF, 0);
  } else if (!::IsZoomed(running)) {
    ::ShowWindow(running, SW_RESTORE);
  }
  ::SetForegroundWindow(running);
  // The block lives only while a process holds it: stay until the running instance has read it.
  if (written) m_frame->WaitForHandOffTaken(path, kHandOffWaitMs);
  return false;
}

int CPlayerApp::ShutDown() {
  m_frame.reset();
  return fw::Application::ShutDown();
}

void CPlayerApp::PublishWindowName(const std::string& title) {
  m_windowName.SetName(kWindowNameBlockName, kSharedBlockSize);
  if (!m_windowName.CreateOrOpen()) return;
  m_windowName.WriteText(std::string(mbcs::CutBytes(title, kSharedBlockSize - 1)), kSharedBlockSize);
}

std::string CPlayerApp::RunningWindowName() {
  CSharedBlock block;
  if (!block.OpenNamed(kWindowNameBlockName)) return kProgramWindowName;
  std::string name = block.ReadText(kSharedBlockSize);
  return name.empty() ? std::string(kProgramWindowName) : name;
}

