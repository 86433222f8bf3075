#pragma once
// A source of INI-style keys. The program's implementation is IniProfile over the Windows profile-string
// functions; the logic that reads and writes the settings sees only this interface.

#include <string>

class Profile {
 public:
  virtual ~Profile() = default;
  // The whole text of the key, or fallback when the key is missing.
  virtual std::string ReadString(const char* section, const char* key, const char* fallback) = 0;
  // Writes one key; false when the file could not be written.
  virtual bool WriteString(const char* section, const char* key, const char* value) = 0;
};

// The system's profile integer rule, made safe: leading blanks, an optional sign and leading decimal
// digits give the number; text without digits, and a number that does not fit in 32 bits, give fallback.
int ParseProfileInt(const std::string& text, int fallback);

// The integer of a key, by ParseProfileInt; fallback when the key is missing.
int ReadProfileInt(Profile& profile, const char* section, const char* key, int fallback);

// Writes the integer with "%d".
bool WriteProfileInt(Profile& profile, const char* section, const char* key, int value);
