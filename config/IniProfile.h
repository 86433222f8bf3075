#pragma once
// Profile over the Windows private-profile functions on one INI file.

#include <string>

#include "config/Profile.h"

class IniProfile : public Profile {
 public:
  explicit IniProfile(std::string path) : m_path(std::move(path)) {}
  std::string ReadString(const char* section, const char* key, const char* fallback) override;
  bool WriteString(const char* section, const char* key, const char* value) override;
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

// The program's folder with its trailing backslash: the module path (at most 255 characters) cut after
// its last backslash.
std::string ProgramFolder();

// TN.INI in the program's folder.
std::string SettingsFilePath();
