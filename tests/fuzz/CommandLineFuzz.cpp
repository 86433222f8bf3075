// The command line's path and the title made from a path, on any argument text.

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
  return 0;
}
