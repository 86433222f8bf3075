#pragma once
// The shell's folder browser.

#include <string>

#include "framework/Win32.h"

namespace fw {

// Lets the user choose a folder in the shell's browser, owned by owner, with the title above its tree;
// the folder's file-system path in its wide form, or empty when the user cancelled or the choice has no path.
std::wstring BrowseForFolder(HWND owner, const char* title, UINT flags);

}  // namespace fw
