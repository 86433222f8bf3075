#include "framework/FolderBrowser.h"

#include "framework/Com.h"

namespace fw {

std::string BrowseForFolder(HWND owner, const char* title, UINT flags) {
  char display[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pszDisplayName = display;
  info.lpszTitle = title;
  info.ulFlags = flags;
  LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);
  if (!chosen) return {};
  char path[MAX_PATH] = {};
  const bool named = ::SHGetPathFromIDListA(chosen, path) != FALSE;
  // The list belongs to the shell's allocator.
  ComPtr<IMalloc> shellAllocator;
  if (SUCCEEDED(::SHGetMalloc(shellAllocator.Put()))) shellAllocator->Free(chosen);
  return named ? std::string(path) : std::string();
}

}  // namespace fw
