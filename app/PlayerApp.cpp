#include "app/PlayerApp.h"

#include "app/MainFrame.h"
#include "app/StartupText.h"
#include "framework/CodePage.h"
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

  const std::wstring path = ExtractCommandLinePath(std::wstring_view(CommandLineText()));
  m_frame->View().LoadSettings();
  fw::startup::Mark("settings");

  HANDLE mutex = ::CreateMutexA(nullptr, FALSE, "Tarnvale");
  const DWORD error = ::GetLastError();
  if (!mutex) return false;
  m_instanceMutex.Reset(mutex);

  bool first = m_frame->View().Config().doubleExec || error != ERROR_ALREADY_EXISTS;
  return first ? StartFirstInstance(path) : StartSecondInstance(path);
}

bool CPlayerApp::StartFirstInstance(const std::wstring& path) {
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

bool CPlayerApp::StartSecondInstance(const std::wstring& path) {
  HWND running = ::FindWindowW(nullptr, RunningWindowName().c_str());
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
  if (written) m_frame->WaitForHandOffTaken(kHandOffWaitMs);
  return false;
}

int CPlayerApp::ShutDown() {
  m_frame.reset();
  return fw::Application::ShutDown();
}

void CPlayerApp::PublishWindowName(const std::wstring& title) {
  m_wideWindowName.SetName(kWindowNameWideBlockName, kWideBlockUnits * sizeof(wchar_t));
  if (m_wideWindowName.CreateOrOpen())
    m_wideWindowName.WriteWideText(std::wstring(wide::CutUnits(title, kWideBlockUnits - 1)), kWideBlockUnits);
  // An older instance reads the code-page block: a title the code page cannot hold is not written there
  // with substitutes (that instance then looks for the program's own name, as it does without a block).
  m_windowName.SetName(kWindowNameBlockName, kSharedBlockSize);
  if (!m_windowName.CreateOrOpen()) return;
  const CodePageName name = fw::Narrow(title);
  m_windowName.WriteText(name.exact ? std::string(mbcs::CutBytes(name.text, kSharedBlockSize - 1)) : std::string(),
                         kSharedBlockSize);
}

std::wstring CPlayerApp::RunningWindowName() {
  CSharedBlock wideBlock;
  if (wideBlock.OpenNamed(kWindowNameWideBlockName)) {
    bool terminated = false;
    std::wstring name = wideBlock.ReadWideText(kWideBlockUnits, &terminated);
    if (terminated && !name.empty()) return name;
  }
  CSharedBlock block;
  if (!block.OpenNamed(kWindowNameBlockName)) return fw::Widen(kProgramWindowName);
  std::string name = block.ReadText(kSharedBlockSize);
  return fw::Widen(name.empty() ? std::string(kProgramWindowName) : name);
}

