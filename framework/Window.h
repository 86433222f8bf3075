#pragma once
// The window base of the framework. One window procedure serves every class: the object is bound to its
// window at WM_NCCREATE (the pointer comes in the CREATESTRUCT and is kept in GWLP_USERDATA) and unbound at
// WM_NCDESTROY, so no late message reaches an object being destroyed. Messages go through the class's
// table (OnMessage); WM_COMMAND is routed: first to the window named by FirstCommandTarget, then to the own
// table, then on to the owner (parent for a child, owner for a pop-up).

#include "framework/MessageMap.h"
#include "framework/Win32.h"

namespace fw {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Hwnd() const { return m_hwnd; }
  bool Exists() const { return m_hwnd != nullptr; }

  // Creates the window. PreCreate sees and may change every field first; a null class name there means the
  // framework's plain class (no class style, cursor, brush or icon).
  bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
                int height, HWND parent, HMENU menuOrId);

  // The framework object of a window of this process, or null for any other window.
  static Window* FromHandle(HWND hwnd);

  // Registers a window class with the framework's procedure and these attributes, once for each
  // combination, and returns its name.
  static const char* RegisterClass(UINT style, HCURSOR cursor, HBRUSH background, HICON icon);

  // Asked by the message loop before a message is dispatched, for the target window and then each of its
  // parents or owners in turn; returning true swallows the message.
  virtual bool PreTranslateMessage(MSG& msg);

  bool SetTimer(UINT_PTR id, UINT milliseconds) { return ::SetTimer(m_hwnd, id, milliseconds, nullptr) != 0; }
  void KillTimer(UINT_PTR id) { ::KillTimer(m_hwnd, id); }

 protected:
  // The creation hook: runs before the window exists.
  virtual void PreCreate(CREATESTRUCTA& cs);
  // The class's message table; true when the message was handled.
  virtual bool OnMessage(Msg& m);
  // A window offered every command before this window's own table.
  virtual Window* FirstCommandTarget() { return nullptr; }
  // The system's default processing of the message; sets m.result.
  virtual void Default(Msg& m);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  bool RouteCommand(Msg& m);

  HWND m_hwnd = nullptr;
};

}  // namespace fw
