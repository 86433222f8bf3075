#pragma once
// Drives dialogs from outside their thread (or their process), as a user's clicks and typing would reach
// them: find a dialog by its title, read and set its controls, press its buttons, read a message box.
// Presses are posted, so that a press that opens a modal box does not block the driver.

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "framework/Win32.h"

namespace wt {

// A shown dialog (#32770) with that title of the process (0: this process), or null.
HWND FindDialog(const std::string& title, DWORD pid = 0);
HWND WaitForDialog(const std::string& title, unsigned timeoutMs, DWORD pid = 0);
// A shown dialog owned by owner (a message box, the folder browser), or null.
HWND WaitForOwnedDialog(HWND owner, unsigned timeoutMs);
bool WaitGone(HWND window, unsigned timeoutMs);

std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);
std::vector<std::string> ComboItems(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
void SelectComboItem(HWND dialog, int id, int index);
// Posts a click to the button.
void Press(HWND dialog, int id);
// The text of a message box.
std::string MessageBoxText(HWND box);
// The same as the box holds it, also where the code page has no character for it.
std::wstring MessageBoxWideText(HWND box);
// Selects the folder in a folder browser of this process and waits until its tree shows it chosen. The
// browser matches folders by their shell IDs, which carry modification times, so a folder on the way
// that changes between parsing and walking fails the selection; it is tried again until the timeout.
bool SelectInFolderBrowser(HWND browser, const std::string& folder, unsigned timeoutMs);
bool SelectInFolderBrowser(HWND browser, const std::wstring& folder, unsigned timeoutMs);
// The window that has the keyboard focus in the window's thread.
HWND FocusIn(HWND window);

// Runs steps on a second thread while this thread sits in a modal loop; afterwards every dialog with the
// title that is still open in this process is cancelled, so the loop always returns.
class DialogScript {
 public:
  DialogScript(std::string title, std::function<void()> steps);
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;
  ~DialogScript();

 private:
  std::thread m_thread;
};

}  // namespace wt
