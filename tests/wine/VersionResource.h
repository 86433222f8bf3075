#pragma once
// Reads a built executable's version resource the way Explorer's properties page does, and checks it
// against the build's project version (res/Version.h, made by CMake).

#include <string>

namespace wt {

struct VersionResource {
  unsigned fileVersion[4] = {};     // the fixed part's four numbers
  unsigned productVersion[4] = {};
  // The strings of the resource's first translation.
  std::string fileVersionText, productVersionText, description, copyright;
};

// False when the file has no version resource or it cannot be read.
bool ReadVersionResource(const std::string& path, VersionResource& out);

// Expects the resource of the executable at path to name the build's version, description and copyright.
void ExpectTheBuildsVersion(const std::string& path);

}  // namespace wt
