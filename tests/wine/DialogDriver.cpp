#include "wine/DialogDriver.h"

#include <algorithm>

#include "framework/CodePage.h"
#include "wine/WineSupport.h"

namespace wt {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

LRESULT Send(HWND h, UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(h, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

bool IsDialog(HWND h) { return ClassName(h) == "#32770" && ::IsWindowVisible(h); }

struct Search {
  std::function<bool(HWND)> match;
  HWND found = nullptr;
};

HWND FindTopLevel(std::function<bool(HWND)> match) {
  Search s{std::move(match)};
  ::EnumWindows(
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (!s->match(h)) return TRUE;
        s->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace

HWND FindDialog(const std::string& title, DWORD pid) {
  if (pid == 0) pid = ::GetCurrentProcessId();
  return FindTopLevel([&](HWND h) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(h, &owner);
    return owner == pid && IsDialog(h) && WindowText(h) == title;
  });
}

HWND WaitForDialog(const std::string& title, unsigned timeoutMs, DWORD pid) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindDialog(title, pid)) != nullptr; }, timeoutMs);
  return found;
}

HWND WaitForOwnedDialog(HWND owner, unsigned timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = FindTopLevel([&](HWND h) { return ::GetWindow(h, GW_OWNER) == owner && IsDialog(h); });
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

bool WaitGone(HWND window, unsigned timeoutMs) {
  return WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, timeoutMs);
}

std::string ItemText(HWND dialog, int id) {
  char text[1024] = {};
  const LRESULT n = Send(::GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return std::string(text, static_cast<std::size_t>(std::clamp<LRESULT>(n, 0, sizeof text - 1)));
}

void SetItemText(HWND dialog, int id, const std::string& text) {
  Send(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool IsChecked(HWND dialog, int id) { return Send(::GetDlgItem(dialog, id), BM_GETCHECK) == BST_CHECKED; }

void SetChecked(HWND dialog, int id, bool checked) {
  Send(::GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

std::vector<std::string> ComboItems(HWND dialog, int id) {
  const HWND combo = ::GetDlgItem(dialog, id);
  std::vector<std::string> items;
  const LRESULT count = Send(combo, CB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    // Between processes Wine hands an item's text over in UTF-16 whichever form was asked for: asked in
    // that form, it is right in both cases.
    wchar_t text[512] = {};
    DWORD_PTR n = 0;
    ::SendMessageTimeoutW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, kSendTimeoutMs, &n);
    char ansi[1024] = {};
    const int bytes = ::WideCharToMultiByte(932, 0, text, static_cast<int>(std::min<DWORD_PTR>(n, 511)), ansi,
                                            sizeof ansi, nullptr, nullptr);
    items.emplace_back(ansi, static_cast<std::size_t>(std::max(bytes, 0)));
  }
  return items;
}

int ComboSelection(HWND dialog, int id) { return static_cast<int>(Send(::GetDlgItem(dialog, id), CB_GETCURSEL)); }

void SelectComboItem(HWND dialog, int id, int index) {
  Send(::GetDlgItem(dialog, id), CB_SETCURSEL, static_cast<WPARAM>(index));
}

void Press(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

namespace {

std::wstring ChosenInTree(HWND tree) {
  const auto item = reinterpret_cast<HTREEITEM>(Send(tree, TVM_GETNEXTITEM, TVGN_CARET));
  if (!item) return {};
  wchar_t text[MAX_PATH] = {};
  TVITEMW tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = text;
  tv.cchTextMax = MAX_PATH;
  Send(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  return text;
}

}  // namespace

bool SelectInFolderBrowser(HWND browser, const std::wstring& folder, unsigned timeoutMs) {
  const HWND tree = ::FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
  const std::wstring leaf = folder.substr(folder.find_last_of(L'\\') + 1);
  return WaitUntil(
      [&] {
        Send(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        return ChosenInTree(tree) == leaf;
      },
      timeoutMs);
}

bool SelectInFolderBrowser(HWND browser, const std::string& folder, unsigned timeoutMs) {
  return SelectInFolderBrowser(browser, fw::Widen(folder), timeoutMs);
}

std::string MessageBoxText(HWND box) { return ItemText(box, 0xFFFF); }

std::wstring MessageBoxWideText(HWND box) {
  wchar_t text[1024] = {};
  ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
  return text;
}

HWND FocusIn(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

DialogScript::DialogScript(std::string title, std::function<void()> steps)
    : m_thread([title = std::move(title), steps = std::move(steps)] {
        steps();
        // Whatever the steps left open ends, innermost first.
        for (int round = 0; round < 5; ++round) {
          const HWND dialog = FindDialog(title);
          if (!dialog) break;
          ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
          for (HWND owned; (owned = WaitForOwnedDialog(dialog, 50)) != nullptr;) {
            ::PostMessageA(owned, WM_COMMAND, IDCANCEL, 0);
            WaitGone(owned, 2000);
          }
          WaitGone(dialog, 5000);
        }
      }) {}

DialogScript::~DialogScript() { m_thread.join(); }

}  // namespace wt
