#pragma once
// Per-class message tables. A class lists the messages (and, for WM_COMMAND, the control identifiers) it
// handles and the member function for each; Dispatch finds the first matching row.
//
//   bool CMyPanel::OnMessage(fw::Msg& m) {
//     static constexpr fw::Route<CMyPanel> kRoutes[] = {
//         {WM_PAINT, 0, &CMyPanel::OnPaint},
//         {WM_COMMAND, 61209, &CMyPanel::OnStop},
//     };
//     return fw::Dispatch(*this, kRoutes, m);
//   }
//
// A handler that also wants the system's processing calls Default(m) itself; m.result is what the window
// procedure returns.

#include <cstddef>

#include "framework/Win32.h"

namespace fw {

struct Msg {
  HWND hwnd;
  UINT msg;
  WPARAM wp;
  LPARAM lp;
  LRESULT result = 0;
  UINT CommandId() const { return LOWORD(wp); }
};

template <class T>
struct Route {
  UINT msg;
  UINT id;  // WM_COMMAND identifier; 0 matches any
  void (T::*fn)(Msg&);
};

template <class T, std::size_t N>
bool Dispatch(T& self, const Route<T> (&routes)[N], Msg& m) {
  const UINT id = m.msg == WM_COMMAND ? m.CommandId() : 0;
  for (const Route<T>& r : routes) {
    if (r.msg == m.msg && (r.id == 0 || r.id == id)) {
      (self.*r.fn)(m);
      return true;
    }
  }
  return false;
}

}  // namespace fw
