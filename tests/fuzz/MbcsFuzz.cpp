// The multibyte helpers on any bytes: every scan walks whole characters, so a trail byte is never taken
// for a separator, and the program's name comparison is an order that takes a pair as one character.

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "browser/Sort.h"
#include "support/MbcsReference.h"

namespace {

void CheckOne(std::string_view s, std::size_t n, char ch) {
  const std::vector<bool> starts = fuzz::CharacterStarts(s);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const std::size_t len = mbcs::CharLength(s, i);
    FUZZ_CHECK((len == 1 || len == 2) && i + len <= s.size());
  }
  std::size_t last = std::string_view::npos, first = std::string_view::npos, backslashes = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (!starts[i]) continue;
    if (s[i] == ch) {
      last = i;
      if (first == std::string_view::npos) first = i;
    }
    if (s[i] == '\\') ++backslashes;
  }
  FUZZ_CHECK(mbcs::FindLast(s, ch) == last);
  FUZZ_CHECK(mbcs::FindFirst(s, ch) == first);
  std::size_t found = 0;
  for (std::size_t at = mbcs::FindFirst(s, '\\'); at != std::string_view::npos; at = mbcs::FindFirst(s, '\\', at + 1))
    ++found;
  FUZZ_CHECK(found == backslashes);
  const std::size_t from = n % (s.size() + 2);
  const std::size_t after = mbcs::FindFirst(s, ch, from);
  FUZZ_CHECK(after == std::string_view::npos || (after >= from && starts[after] && s[after] == ch));

  const std::string lower = mbcs::LowerAscii(s);
  FUZZ_CHECK(lower.size() == s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    const bool letter = starts[i] && s[i] >= 'A' && s[i] <= 'Z';
    FUZZ_CHECK(lower[i] == (letter ? s[i] - 'A' + 'a' : s[i]));
  }
  FUZZ_CHECK(fuzz::IsCharacterCut(s, mbcs::CutBytes(s, n), n));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, 300);
  const char ch = static_cast<char>(in.ConsumeIntegralInRange<int>(0, 127));
  const std::string a = in.ConsumeRandomLengthString(300);
  const std::string b = in.ConsumeRandomLengthString(300);
  const std::string c = in.ConsumeRemainingBytesAsString();
  CheckOne(a, n, ch);
  CheckOne(b, n, '\\');
  CheckOne(c, n, '.');

  // The name order of three files of one kind, as the lists compare them.
  const FileEntry ea{a, KIND_VIDEO}, eb{b, KIND_VIDEO}, ec{c, KIND_VIDEO};
  const auto order = [](const FileEntry& x, const FileEntry& y) {
    const int r = CompareEntries(x, y, SORT_NAME_FORWARD);
    return (r > 0) - (r < 0);
  };
  const int ab = order(ea, eb), bc = order(eb, ec), ac = order(ea, ec);
  FUZZ_CHECK(order(ea, ea) == 0);
  FUZZ_CHECK(order(eb, ea) == -ab);
  FUZZ_CHECK((ab == 0) == (mbcs::LowerAscii(a) == mbcs::LowerAscii(b)));
  if (ab <= 0 && bc <= 0) FUZZ_CHECK(ac <= 0);
  if (ab >= 0 && bc >= 0) FUZZ_CHECK(ac >= 0);
  const int ref = mbcs_ref::Compare(mbcs::LowerAscii(a), mbcs::LowerAscii(b));
  FUZZ_CHECK(ab == (ref > 0) - (ref < 0));
  return 0;
}
