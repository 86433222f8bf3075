// The multibyte helpers on any bytes: every scan walks whole characters, so a trail byte is never taken
// for a separator, and the comparison is an order.

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
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
  FUZZ_CHECK(mbcs_ref::CountBackslashes(s) == backslashes);
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

  const int ab = mbcs_ref::Compare(a, b), bc = mbcs_ref::Compare(b, c), ac = mbcs_ref::Compare(a, c);
  FUZZ_CHECK(mbcs_ref::Compare(a, a) == 0);
  FUZZ_CHECK(mbcs_ref::Compare(b, a) == -ab);
  FUZZ_CHECK((ab == 0) == (a == b));
  if (ab <= 0 && bc <= 0) FUZZ_CHECK(ac <= 0);
  if (ab >= 0 && bc >= 0) FUZZ_CHECK(ac >= 0);
  return 0;
}
