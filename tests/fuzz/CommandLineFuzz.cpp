// The command line's path and the title made from a path, on any argument text, in the code page and as
// wide text.

#include "app/StartupText.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::Text(data, size);
  const std::string path = ExtractCommandLinePath(text);
  FUZZ_CHECK(path.size() < kMaxPath);
  if (!path.empty()) {
    const bool quoted = text.front() == '"';
    FUZZ_CHECK(text.substr(quoted ? 1 : 0, path.size()) == path);
    // The cut lies on a character boundary, at the separator's single byte.
    const std::string_view rest = text.substr(quoted ? 1 : 0);
    const std::vector<bool> starts = fuzz::CharacterStarts(rest);
    FUZZ_CHECK(starts[path.size()]);
    if (path.size() < rest.size()) FUZZ_CHECK(rest[path.size()] == (quoted ? '"' : ' '));
    FUZZ_CHECK(mbcs::FindFirst(path, quoted ? '"' : ' ') == std::string_view::npos);
  }

  const std::string title = TitleFromPath(text);
  FUZZ_CHECK(title.size() <= text.size());
  FUZZ_CHECK(mbcs::FindFirst(title, '\\') == std::string_view::npos);
  const std::size_t slash = mbcs::FindLast(text, '\\');
  const std::size_t start = slash == std::string_view::npos ? 0 : slash + 1;
  FUZZ_CHECK(text.substr(start, title.size()) == title);

  const std::wstring line = fuzz::WideText(data, size);
  const std::wstring_view arguments = CommandLineArguments(line);
  FUZZ_CHECK(line.ends_with(arguments));
  FUZZ_CHECK(arguments.empty() || (arguments.front() != L' ' && arguments.front() != L'\t'));
  const std::wstring widePath = ExtractCommandLinePath(arguments);
  FUZZ_CHECK(widePath.size() < kMaxPath);
  if (!widePath.empty()) {
    const bool quoted = arguments.front() == L'"';
    FUZZ_CHECK(arguments.substr(quoted ? 1 : 0, widePath.size()) == widePath);
    FUZZ_CHECK(widePath.find(quoted ? L'"' : L' ') == std::wstring::npos);
  }
  const std::wstring wideTitle = TitleFromPath(std::wstring_view(line));
  FUZZ_CHECK(wideTitle.find(L'\\') == std::wstring::npos);
  const std::size_t wideSlash = line.rfind(L'\\');
  FUZZ_CHECK(line.substr(wideSlash == std::wstring::npos ? 0 : wideSlash + 1, wideTitle.size()) == wideTitle);
  return 0;
}
