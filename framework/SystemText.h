#pragma once
// Text services of the system: string resources and the code page's lead bytes.

#include <string>

#include "framework/Mbcs.h"
#include "framework/Win32.h"

namespace fw {

// A string resource of the executable, in the ANSI code page; empty when missing.
inline std::string LoadResourceString(UINT id) {
  char buffer[512];
  int n = ::LoadStringA(::GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

// Makes the multibyte helpers follow the system's ANSI code page.
inline void UseSystemCodePage() {
  mbcs::SetLeadBytes(mbcs::LeadBytes::Where([](unsigned char b) { return ::IsDBCSLeadByte(b) != FALSE; }));
}

}  // namespace fw
