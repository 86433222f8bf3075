#pragma once
// Facts about the platform the program runs on.

#include "framework/Win32.h"

namespace fw {

// True under Wine, whose DirectShow has gaps the player works around.
inline bool RunningUnderWine() {
  static const bool wine = [] {
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

}  // namespace fw
