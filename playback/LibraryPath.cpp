#include "playback/LibraryPath.h"

#include "framework/Mbcs.h"

std::string JoinLibraryPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return {};
  std::string path(folder);
  // The last character, read from the start so that a double-byte character is one character.
  std::size_t last = 0;
  for (std::size_t i = 0; i < folder.size(); i += mbcs::CharLength(folder, i)) last = i;
  const bool separator = mbcs::CharLength(folder, last) == 1 && (folder[last] == '\\' || folder[last] == '/');
  if (!separator) path += '\\';
  path += name;
  return path;
}
