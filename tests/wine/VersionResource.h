#pragma once
// The version resource of a built executable, read as Explorer's properties page reads it, against the
// build's project version (res/Version.h, made by CMake).

#include <string>

namespace wt {

// Expects the fixed file and product versions, and the version, description and copyright strings of the
// resource's first translation, to be the build's.
void ExpectTheBuildsVersion(const std::string& path);

}  // namespace wt
