#include "framework/Dialog.h"

#include <cstring>
#include <vector>

#include "framework/DialogText.h"
#include "framework/Geometry.h"
#include "framework/Window.h"

namespace fw {
namespace {

geo::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The program's other windows of this thread, disabled while a modal dialog runs and enabled again after
// it. The owner is left to the system's dialog box, which enables it before the dialog goes, so that the
// activation returns to it.
class OtherWindowsDisabled {
 public:
  explicit OtherWindowsDisabled(HWND owner) : m_owner(owner) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &OtherWindowsDisabled::Collect, reinterpret_cast<LPARAM>(this));
    for (HWND h : m_disabled) ::EnableWindow(h, FALSE);
  }
  OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
  OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;
  ~OtherWindowsDisabled() {
    for (HWND h : m_disabled)
      if (::IsWindow(h)) ::EnableWindow(h, TRUE);
  }

 private:
  static BOOL CALLBACK Collect(HWND h, LPARAM lp) {
    auto* self = reinterpret_cast<OtherWindowsDisabled*>(lp);
    if (h != self->m_owner && Window::FromHandle(h) && ::IsWindowEnabled(h)) self->m_disabled.push_back(h);
    return TRUE;
  }

  HWND m_owner;
  std::vector<HWND> m_disabled;
};

// Ends, innermost first, the dialogs that this thread runs owned by owner (a message box, the folder
// browser), so that a dialog ended from outside does not wait for them.
void EndOwnedDialogs(HWND owner) {
  struct Search {
    HWND owner;
    std::vector<HWND> found;
  } search{owner, {}};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        char name[16] = {};
        ::GetClassNameA(h, name, sizeof name);
        if (::GetWindow(h, GW_OWNER) == s->owner && std::strcmp(name, "#32770") == 0) s->found.push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  for (HWND h : search.found) {
    EndOwnedDialogs(h);
    ::EndDialog(h, IDCANCEL);
  }
}

}  // namespace

// ---- Data exchange

void DataExchange::Text(int id, std::string& value) {
  if (!m_ok) return;
  if (m_save)
    value = m_dialog.ItemText(id);
  else
    m_dialog.SetItemText(id, value);
}

void DataExchange::Folder(int id, std::string& value) {
  if (!m_ok) return;
  if (!m_save) {
    m_dialog.SetItemText(id, value);
    return;
  }
  // '?' and '*' are single bytes that no double-byte character contains.
  std::string text = m_dialog.ItemText(id);
  if (text.find_first_of("?*") != std::string::npos) {
    Fail(id, "フォルダの名前に使えない文字(? *)が含まれています。\n" + text);
    return;
  }
  value = std::move(text);
}

void DataExchange::Check(int id, bool& value) {
  if (!m_ok) return;
  const HWND item = m_dialog.Item(id);
  if (m_save)
    value = ::SendMessageA(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
  else
    ::SendMessageA(item, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DataExchange::Int(int id, int& value) {
  if (!m_ok) return;
  if (!m_save) {
    m_dialog.SetItemText(id, std::to_string(value));
    return;
  }
  const std::optional<int> number = ParseDialogInt(m_dialog.ItemText(id));
  if (!number) {
    Fail(id, kNotAnIntegerMessage);
    return;
  }
  value = *number;
}

void DataExchange::Range(int id, int value, int low, int high) {
  if (!m_ok || !m_save) return;
  if (value < low || value > high) Fail(id, IntegerRangeMessage(low, high));
}

void DataExchange::Fail(int id, const std::string& message) {
  m_ok = false;
  m_dialog.ShowMessage(message);
  const HWND item = m_dialog.Item(id);
  if (!item) return;
  // The dialog's own way to move the focus, so that the default button follows.
  ::SendMessageA(m_dialog.Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
  ::SendMessageA(item, EM_SETSEL, 0, -1);
}

// ---- Dialog

Dialog::~Dialog() {
  // A dialog object ends only after its modal run: nothing can still be bound to it.
  if (m_hwnd) ::SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
}

INT_PTR Dialog::DoModal(HWND owner) {
  if (m_running) return -1;
  m_running = true;
  INT_PTR result;
  {
    OtherWindowsDisabled others(owner);
    result = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), owner,
                               &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
  }
  m_running = false;
  m_cancelAsked = false;
  return result;
}

void Dialog::Cancel() {
  if (m_hwnd) {
    EndOwnedDialogs(m_hwnd);
    End(IDCANCEL);
  } else if (m_running) {
    m_cancelAsked = true;
  }
}

void Dialog::End(INT_PTR result) {
  if (m_hwnd) ::EndDialog(m_hwnd, result);
}

std::string Dialog::ItemText(int id) const {
  const HWND item = Item(id);
  const int length = item ? ::GetWindowTextLengthA(item) : 0;
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int n = ::GetWindowTextA(item, text.data(), length + 1);
  text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return text;
}

void Dialog::SetItemText(int id, const std::string& text) { ::SetDlgItemTextA(m_hwnd, id, text.c_str()); }

void Dialog::ShowMessage(const std::string& text, UINT icon) {
  char title[256] = {};
  ::GetWindowTextA(m_hwnd, title, sizeof title);
  ::MessageBoxA(m_hwnd, text.c_str(), title, MB_OK | icon);
}

void Dialog::ShowMessage(const std::wstring& text, UINT icon) {
  wchar_t title[256] = {};
  ::GetWindowTextW(m_hwnd, title, 256);
  ::MessageBoxW(m_hwnd, text.c_str(), title, MB_OK | icon);
}

void Dialog::CentreOn(HWND window) {
  RECT over{}, self{};
  if (!::GetWindowRect(m_hwnd, &self)) return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!::GetMonitorInfoA(::MonitorFromWindow(window ? window : m_hwnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  if (!window || !::GetWindowRect(window, &over)) over = monitor.rcWork;
  const geo::Rect r = geo::CentreOver(ToRect(over), self.right - self.left, self.bottom - self.top,
                                      ToRect(monitor.rcWork));
  ::SetWindowPos(m_hwnd, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Dialog::OnMessage(Msg&) { return false; }

void Dialog::OnOk() {
  if (Exchange(true)) End(IDOK);
}

void Dialog::Start() {
  Exchange(false);
  OnInit();
  if (m_cancelAsked) End(IDCANCEL);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Dialog* self;
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lp);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, lp);
    if (self) self->m_hwnd = hwnd;
  } else {
    self = reinterpret_cast<Dialog*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return FALSE;
  const INT_PTR result = self->Handle(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->m_hwnd = nullptr;
  }
  return result;
}

INT_PTR Dialog::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    Start();
    return TRUE;  // the system gives the focus to the first control
  }
  Msg m{m_hwnd, msg, wp, lp};
  if (OnMessage(m)) {
    ::SetWindowLongPtrA(m_hwnd, DWLP_MSGRESULT, m.result);
    return TRUE;
  }
  if (msg == WM_COMMAND && LOWORD(wp) == IDOK) {
    OnOk();
    return TRUE;
  }
  if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
    End(IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

}  // namespace fw
