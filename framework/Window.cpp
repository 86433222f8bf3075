#include "framework/Window.h"

#include <cstdio>
#include <map>
#include <string>
#include <tuple>

#include "framework/Application.h"

namespace fw {

Window::~Window() {
  if (m_hwnd) {
    // Unbind first: messages sent during the destruction must not reach a half-destroyed object.
    ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    HWND h = m_hwnd;
    m_hwnd = nullptr;
    ::DestroyWindow(h);
  }
}

bool Window::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                      int width, int height, HWND parent, HMENU menuOrId) {
  if (m_hwnd) return false;
  CREATESTRUCTA cs{};
  cs.dwExStyle = exStyle;
  cs.lpszClass = className;
  cs.lpszName = title;
  cs.style = static_cast<LONG>(style);
  cs.x = x;
  cs.y = y;
  cs.cx = width;
  cs.cy = height;
  cs.hwndParent = parent;
  cs.hMenu = menuOrId;
  cs.hInstance = ::GetModuleHandleA(nullptr);
  PreCreate(cs);
  if (!cs.lpszClass) cs.lpszClass = RegisterClass(0, nullptr, nullptr, nullptr);
  HWND h = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
                             cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, this);
  return h != nullptr;
}

void Window::PreCreate(CREATESTRUCTA&) {}

bool Window::OnMessage(Msg&) { return false; }

bool Window::PreTranslateMessage(MSG&) { return false; }

void Window::Default(Msg& m) { m.result = ::DefWindowProcA(m.hwnd, m.msg, m.wp, m.lp); }

Window* Window::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != ::GetCurrentProcessId()) return nullptr;
  if (::GetClassLongPtrA(hwnd, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Window::WindowProc)) return nullptr;
  return reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

const char* Window::RegisterClass(UINT style, HCURSOR cursor, HBRUSH background, HICON icon) {
  using Key = std::tuple<UINT, HCURSOR, HBRUSH, HICON>;
  static std::map<Key, std::string> registered;
  Key key{style, cursor, background, icon};
  auto it = registered.find(key);
  if (it != registered.end()) return it->second.c_str();

  char name[96];
  std::snprintf(name, sizeof name, "Tarnvale:%x:%p:%p:%p", style, static_cast<void*>(cursor),
                static_cast<void*>(background), static_cast<void*>(icon));
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = &Window::WindowProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hCursor = cursor;
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = name;
  ::RegisterClassA(&wc);  // fails harmlessly when another module of the process registered it already
  return registered.emplace(key, name).first->second.c_str();
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Window* self;
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    if (self) self->m_hwnd = hwnd;
  } else {
    self = reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcA(hwnd, msg, wp, lp);

  LRESULT result = self->Handle(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->m_hwnd = nullptr;
    if (Application* app = Application::Instance(); app && app->MainWindow() == self) ::PostQuitMessage(0);
  }
  return result;
}

LRESULT Window::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  Msg m{m_hwnd, msg, wp, lp};
  bool handled = msg == WM_COMMAND ? RouteCommand(m) : OnMessage(m);
  if (!handled) Default(m);
  return m.result;
}

bool Window::RouteCommand(Msg& m) {
  Window* first = FirstCommandTarget();
  if (first && first != this && first->Exists() && first->OnMessage(m)) return true;
  if (OnMessage(m)) return true;
  LONG_PTR style = ::GetWindowLongPtrA(m_hwnd, GWL_STYLE);
  HWND up = (style & WS_CHILD) ? ::GetParent(m_hwnd) : ::GetWindow(m_hwnd, GW_OWNER);
  if (!up || up == m_hwnd) return false;
  m.result = ::SendMessageA(up, WM_COMMAND, m.wp, m.lp);
  return true;
}

}  // namespace fw
