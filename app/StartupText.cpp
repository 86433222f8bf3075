#include "app/StartupText.h"

#include "framework/Mbcs.h"
#include "framework/WidePath.h"

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

std::wstring_view CommandLineArguments(std::wstring_view line) {
  std::size_t i = 0;
  if (!line.empty() && line[0] == L'"') {
    const std::size_t close = line.find(L'"', 1);
    i = close == std::wstring_view::npos ? line.size() : close + 1;
  }
  while (i < line.size() && line[i] != L' ' && line[i] != L'\t') ++i;
  while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
  return line.substr(i);
}

std::wstring ExtractCommandLinePath(std::wstring_view text) {
  std::wstring_view path;
  if (!text.empty() && text.front() == L'"') {
    std::wstring_view rest = text.substr(1);
    path = rest.substr(0, rest.find(L'"'));
  } else {
    path = text.substr(0, text.find(L' '));
  }
  if (path.size() >= kMaxPath) return {};
  return std::wstring(path);
}

std::wstring TitleFromPath(std::wstring_view path) {
  const std::wstring_view name = wide::FileName(path);
  const std::size_t dot = name.rfind(L'.');
  return std::wstring(dot == std::wstring_view::npos ? name : name.substr(0, dot));
}
