#include "framework/FileSystem.h"

#include "framework/Mbcs.h"

std::string JoinPath(std::string_view folder, std::string_view name) {
  const std::size_t last = mbcs::FindLast(folder, '\\');
  const bool separator = last == std::string_view::npos || last + 1 != folder.size();
  std::string path;
  path.reserve(folder.size() + name.size() + (separator ? 1 : 0));
  path.append(folder);
  if (separator) path += '\\';
  path.append(name);
  return path;
}
