#include "config/IniProfile.h"

#include <vector>

#include "config/Settings.h"
#include "framework/CodePage.h"
#include "framework/Win32.h"

std::string IniProfile::ReadString(const char* section, const char* key, const char* fallback) {
  // The API cuts a value to the buffer; grow until the value fits (a sane file never needs more than one
  // step, a garbage one stops at 64 KiB).
  for (DWORD size = 512;; size *= 4) {
    std::vector<char> buffer(size);
    DWORD n = ::GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, m_path.c_str());
    if (n < size - 1 || size >= 65536) return std::string(buffer.data(), n);
  }
}

bool IniProfile::WriteString(const char* section, const char* key, const char* value) {
  // A file the user made read-only stays as it is, whoever runs the program (an administrator, or root
  // under Wine, could write it all the same).
  const DWORD attributes = ::GetFileAttributesA(m_path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  return ::WritePrivateProfileStringA(section, key, value, m_path.c_str()) != FALSE;
}

std::string ProgramFolder() { return FolderOfPath(fw::ModulePath(nullptr)); }

std::string SettingsFilePath() { return ProgramFolder() + "TN.INI"; }
