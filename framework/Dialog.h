#pragma once
// Modal dialogs made from a dialog template, in WTL's way. The object is bound to its window at
// WM_INITDIALOG (the pointer comes as the creation parameter and is kept in GWLP_USERDATA, as fw::Window
// keeps its own) and unbound at WM_NCDESTROY, so no late message reaches a finished object. Messages go
// through the class's table (OnMessage). One Exchange(save) moves every field between the object and
// its controls: to the controls when the dialog starts, from them with validation on OK, which ends the
// dialog only when every value is valid.
//
// While the dialog runs, the program's other windows take no input: the owner is disabled by the system
// as for every modal dialog, the others (the owner's own owner, floating panels) by DoModal, as a
// task-modal box would.

#include <string>

#include "framework/MessageMap.h"
#include "framework/Win32.h"

namespace fw {

class Dialog;

// One pass of data exchange in one direction. After the first field that fails validation the rest are
// left alone; the failure has been shown to the user and the focus is on the offending control.
class DataExchange {
 public:
  DataExchange(Dialog& dialog, bool save) : m_dialog(dialog), m_save(save) {}
  bool Saving() const { return m_save; }
  bool Ok() const { return m_ok; }

  void Text(int id, std::string& value);
  // A folder path: saving refuses a wildcard, which names no folder (it is also what an edit leaves of a
  // character the code page cannot hold).
  void Folder(int id, std::string& value);
  // A check box: checked is true.
  void Check(int id, bool& value);
  // An edit holding an integer; saving refuses text that is not one.
  void Int(int id, int& value);
  // Saving only: the value just read from control id must lie in low…high.
  void Range(int id, int value, int low, int high);

 private:
  void Fail(int id, const std::string& message);

  Dialog& m_dialog;
  bool m_save;
  bool m_ok = true;
};

class Dialog {
 public:
  explicit Dialog(UINT templateId) : m_templateId(templateId) {}
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;
  virtual ~Dialog();

  // Runs the dialog owned by owner until it ends; its result (IDOK, IDCANCEL), or -1 when it could not
  // be made.
  INT_PTR DoModal(HWND owner);
  HWND Hwnd() const { return m_hwnd; }
  // Ends the dialog as Cancel, with the message box or browser it may have open: at once when it runs,
  // else as soon as it has started.
  void Cancel();

  HWND Item(int id) const { return ::GetDlgItem(m_hwnd, id); }
  std::string ItemText(int id) const;
  void SetItemText(int id, const std::string& text);
  // A message box owned by the dialog, under the dialog's title.
  void ShowMessage(const std::string& text, UINT icon = MB_ICONEXCLAMATION);
  // A message that names files the code page may not hold.
  void ShowMessage(const std::wstring& text, UINT icon = MB_ICONEXCLAMATION);

 protected:
  // The class's message table; true when it handled the message (m.result is then the message's result).
  virtual bool OnMessage(Msg& m);
  // After the fields went to the controls.
  virtual void OnInit() {}
  // Moves every field; false when a value failed validation (only when saving).
  virtual bool Exchange(bool save) = 0;
  // IDOK: the fields from the controls, then the end, when all are valid.
  virtual void OnOk();
  void End(INT_PTR result);
  // Places the dialog centred over the window, inside the work area of the window's monitor.
  void CentreOn(HWND window);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Start();

  UINT m_templateId;
  HWND m_hwnd = nullptr;
  bool m_running = false;
  bool m_cancelAsked = false;
};

}  // namespace fw
