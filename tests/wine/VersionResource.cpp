#include "wine/VersionResource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "framework/Win32.h"
#include "res/Version.h"

namespace wt {

void ExpectTheBuildsVersion(const std::string& path) {
  DWORD ignored = 0;
  std::vector<char> block(::GetFileVersionInfoSizeA(path.c_str(), &ignored));
  ASSERT_FALSE(block.empty()) << path << " has no version resource";
  ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
  auto query = [&](const std::string& name, UINT& length) {
    void* value = nullptr;
    return ::VerQueryValueA(block.data(), name.c_str(), &value, &length) ? value : nullptr;
  };

  UINT length = 0;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(query("\\", length));
  ASSERT_TRUE(fixed && length >= sizeof *fixed && fixed->dwSignature == VS_FFI_SIGNATURE);
  const DWORD high = MAKELONG(TARN_VERSION_MINOR, TARN_VERSION_MAJOR), low = MAKELONG(0, TARN_VERSION_PATCH);
  EXPECT_EQ(fixed->dwFileVersionMS, high);
  EXPECT_EQ(fixed->dwFileVersionLS, low);
  EXPECT_EQ(fixed->dwProductVersionMS, high);
  EXPECT_EQ(fixed->dwProductVersionLS, low);

  const auto* translation = static_cast<const WORD*>(query("\\VarFileInfo\\Translation", length));
  ASSERT_TRUE(translation && length >= 2 * sizeof(WORD));
  char prefix[64];
  std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
  const std::pair<const char*, const char*> strings[] = {{"FileVersion", TARN_VERSION_TEXT},
                                                         {"ProductVersion", TARN_VERSION_TEXT},
                                                         {"FileDescription", TARN_DESCRIPTION},
                                                         {"LegalCopyright", TARN_COPYRIGHT}};
  for (const auto& [name, expected] : strings) {
    const char* text = static_cast<const char*>(query(prefix + std::string(name), length));
    EXPECT_EQ(text ? std::string(text) : std::string(), expected) << name;
  }
}

}  // namespace wt
