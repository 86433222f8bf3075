#include "wine/VersionResource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "framework/Win32.h"
#include "res/Version.h"

namespace wt {
namespace {

std::string StringValue(std::vector<char>& block, const char* translation, const char* name) {
  char query[128];
  std::snprintf(query, sizeof query, "\\StringFileInfo\\%s\\%s", translation, name);
  char* text = nullptr;
  UINT length = 0;
  if (!::VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&text), &length) || !text) return {};
  return std::string(text, length > 0 && text[length - 1] == '\0' ? length - 1 : length);
}

void Split(DWORD high, DWORD low, unsigned (&out)[4]) {
  out[0] = HIWORD(high);
  out[1] = LOWORD(high);
  out[2] = HIWORD(low);
  out[3] = LOWORD(low);
}

}  // namespace

bool ReadVersionResource(const std::string& path, VersionResource& out) {
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return false;
  std::vector<char> block(size);
  if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return false;

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
      length < sizeof *fixed || fixed->dwSignature != VS_FFI_SIGNATURE)
    return false;
  Split(fixed->dwFileVersionMS, fixed->dwFileVersionLS, out.fileVersion);
  Split(fixed->dwProductVersionMS, fixed->dwProductVersionLS, out.productVersion);

  struct Translation {
    WORD language, codePage;
  }* translations = nullptr;
  if (!::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                        &length) ||
      !translations || length < sizeof *translations)
    return false;
  char translation[16];
  std::snprintf(translation, sizeof translation, "%04x%04x", translations->language, translations->codePage);
  out.fileVersionText = StringValue(block, translation, "FileVersion");
  out.productVersionText = StringValue(block, translation, "ProductVersion");
  out.description = StringValue(block, translation, "FileDescription");
  out.copyright = StringValue(block, translation, "LegalCopyright");
  return true;
}

void ExpectTheBuildsVersion(const std::string& path) {
  VersionResource v;
  ASSERT_TRUE(ReadVersionResource(path, v)) << path << " has no readable version resource";
  const unsigned expected[4] = {TARN_VERSION_MAJOR, TARN_VERSION_MINOR, TARN_VERSION_PATCH, 0};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(v.fileVersion[i], expected[i]) << "file version number " << i;
    EXPECT_EQ(v.productVersion[i], expected[i]) << "product version number " << i;
  }
  EXPECT_EQ(v.fileVersionText, TARN_VERSION_TEXT);
  EXPECT_EQ(v.productVersionText, TARN_VERSION_TEXT);
  EXPECT_EQ(v.description, TARN_DESCRIPTION);
  EXPECT_EQ(v.copyright, TARN_COPYRIGHT);
}

}  // namespace wt
