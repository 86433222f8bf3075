#pragma once
// An in-memory INI file that records the order of writes, for the settings tests.

#include <map>
#include <string>
#include <vector>

#include "config/Profile.h"

namespace test {

class MemoryProfile : public Profile {
 public:
  std::map<std::string, std::string> keys;  // "SECTION/KEY" -> value
  std::vector<std::string> writes;
  bool readOnly = false;

  std::string ReadString(const char* section, const char* key, const char* fallback) override {
    auto it = keys.find(Name(section, key));
    return it == keys.end() ? fallback : it->second;
  }
  bool WriteString(const char* section, const char* key, const char* value) override {
    if (readOnly) return false;
    keys[Name(section, key)] = value;
    writes.push_back(Name(section, key));
    return true;
  }
  static std::string Name(const char* section, const char* key) { return std::string(section) + "/" + key; }
};

}  // namespace test
