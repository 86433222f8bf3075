#pragma once
// Where the benchmarks find their files: the folder of the running executable and full paths.

#include <windows.h>

#include <string>

#include "framework/Mbcs.h"

namespace bench {

// The executable's folder with its trailing backslash.
inline std::string ExeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string s(path);
  return s.substr(0, mbcs::FindLast(s, '\\') + 1);
}

inline std::string FullPath(const std::string& relative) {
  char full[MAX_PATH] = {};
  GetFullPathNameA(relative.c_str(), MAX_PATH, full, nullptr);
  return full;
}

}  // namespace bench
