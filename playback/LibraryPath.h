#pragma once
// Where a library file is looked for in a folder named by the registry. Win32-free.

#include <string>
#include <string_view>

// folder + name, with a backslash between them unless the folder already ends in '\' or '/' (a trail
// byte 0x5C of a double-byte character is no separator). An empty folder gives an empty path.
std::string JoinLibraryPath(std::string_view folder, std::string_view name);
