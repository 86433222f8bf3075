#include "framework/FolderBrowser.h"

#include "framework/CodePage.h"
#include "framework/Com.h"

namespace fw {

std::wstring BrowseForFolder(HWND owner, const char* title, UINT flags) {
  wchar_t display[MAX_PATH] = {};
  const std::wstring wideTitle = Widen(title);
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pszDisplayName = display;
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = flags;
  LPITEMIDLIST chosen = ::SHBrowseForFolderW(&info);
  if (!chosen) return {};
  wchar_t path[MAX_PATH] = {};
  const bool named = ::SHGetPathFromIDListW(chosen, path) != FALSE;
  // The list belongs to the shell's allocator.
  ComPtr<IMalloc> shellAllocator;
  if (SUCCEEDED(::SHGetMalloc(shellAllocator.Put()))) shellAllocator->Free(chosen);
  return named ? std::wstring(path) : std::wstring();
}

}  // namespace fw
