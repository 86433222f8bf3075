#include "framework/Application.h"

#include "framework/Window.h"

namespace fw {
namespace {
Application* g_instance = nullptr;
}

Application::Application() { g_instance = this; }

Application::~Application() {
  if (g_instance == this) g_instance = nullptr;
}

Application* Application::Instance() { return g_instance; }

void Application::EnableControlContainer() {
  if (!m_ole) m_ole.emplace();
}

int Application::Run(std::wstring commandLine) {
  m_commandLine = std::move(commandLine);
  if (StartUp()) {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchOne(msg);
    if (msg.message == WM_QUIT) m_exitCode = static_cast<int>(msg.wParam);
  }
  return ShutDown();
}

bool Application::PumpPending() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return false;
    DispatchOne(msg);
  }
  return true;
}

void Application::DispatchOne(MSG& msg) {
  if (PreTranslate(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
}

int Application::ShutDown() { return m_exitCode; }

bool Application::PreTranslate(MSG& msg) {
  for (HWND h = msg.hwnd; h; h = ::GetParent(h)) {
    if (Window* w = Window::FromHandle(h); w && w->PreTranslateMessage(msg)) return true;
    if (m_mainWindow && h == m_mainWindow->Hwnd()) break;
  }
  return false;
}

}  // namespace fw
