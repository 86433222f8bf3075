#include "framework/WidePath.h"

namespace wide {

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  const bool separator = folder.empty() || folder.back() != L'\\';
  std::wstring path;
  path.reserve(folder.size() + name.size() + (separator ? 1 : 0));
  path.append(folder);
  if (separator) path += L'\\';
  path.append(name);
  return path;
}

std::wstring_view FileName(std::wstring_view path) {
  const std::size_t slash = path.rfind(L'\\');
  return slash == std::wstring_view::npos ? path : path.substr(slash + 1);
}

bool IsDriveRoot(std::wstring_view path) { return path.size() == 3 && path[1] == L':' && path[2] == L'\\'; }

std::wstring ParentFolder(std::wstring_view path) {
  if (IsDriveRoot(path)) return {};
  const std::size_t slash = path.rfind(L'\\');
  if (slash == std::wstring_view::npos) return {};
  return std::wstring(path.substr(0, slash == 2 && path[1] == L':' ? 3 : slash));
}

std::wstring NormaliseFolder(std::wstring folder) {
  while (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  return folder;
}

std::wstring LowerAscii(std::wstring_view s) {
  std::wstring out(s);
  for (wchar_t& c : out)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return out;
}

std::wstring_view CutUnits(std::wstring_view s, std::size_t n) {
  if (s.size() <= n) return s;
  if (n > 0 && IsHighSurrogate(s[n - 1]) && IsLowSurrogate(s[n])) --n;
  return s.substr(0, n);
}

int Compare(std::wstring_view a, std::wstring_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return static_cast<unsigned>(a[i]) < static_cast<unsigned>(b[i]) ? -1 : 1;
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace wide

std::optional<std::string> CodePagePathOf(const CodePageName& longForm, const CodePageName& shortForm) {
  if (longForm.exact && !longForm.text.empty()) return longForm.text;
  if (shortForm.exact && !shortForm.text.empty()) return shortForm.text;
  return std::nullopt;
}
