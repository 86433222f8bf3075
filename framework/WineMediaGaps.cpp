#include "framework/WineMediaGaps.h"

#include "framework/Handles.h"
#include "framework/Platform.h"

bool IsRealMediaUnderWine(const std::wstring& path) {
  if (!fw::RunningUnderWine()) return false;
  fw::UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  char magic[4] = {};
  DWORD got = 0;
  return file && ::ReadFile(file.Get(), magic, 4, &got, nullptr) && got == 4 && magic[0] == '.' &&
         magic[1] == 'R' && magic[2] == 'M' && magic[3] == 'F';
}
