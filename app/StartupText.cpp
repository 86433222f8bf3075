#include "app/StartupText.h"

#include "framework/Mbcs.h"

std::string ExtractCommandLinePath(std::string_view text) {
  std::string_view path;
  if (!text.empty() && text.front() == '"') {
    std::string_view rest = text.substr(1);
    path = rest.substr(0, mbcs::FindFirst(rest, '"'));
  } else {
    path = text.substr(0, mbcs::FindFirst(text, ' '));
  }
  if (path.size() >= kMaxPath) return {};
  return std::string(path);
}

std::string TitleFromPath(std::string_view path) {
  std::size_t slash = mbcs::FindLast(path, '\\');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::size_t dot = mbcs::FindLast(name, '.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name);
}
