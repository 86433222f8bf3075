// The list's texts on names, folders and labels from the disk: the shown name is a piece of the entry's
// name, ampersands are doubled and nothing else changes, and a date of any file time fits its row.

#include <fuzzer/FuzzedDataProvider.h>

#include "browser/TagText.h"
#include "FuzzSupport.h"

namespace {

// text with every "&&" made "&" again, walking whole characters.
std::string UndoubleAmpersands(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = mbcs::CharLength(text, i);
    out.append(text.substr(i, n));
    i += n == 1 && text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&' ? 2 : n;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  FileEntry entry;
  entry.kind = in.ConsumeIntegral<EntryKind>();
  LocalStamp stamp;
  stamp.year = in.ConsumeIntegral<int>();
  stamp.month = in.ConsumeIntegral<int>();
  stamp.day = in.ConsumeIntegral<int>();
  stamp.weekday = in.ConsumeIntegral<int>();
  stamp.hour = in.ConsumeIntegral<int>();
  stamp.minute = in.ConsumeIntegral<int>();
  const int listMode = in.ConsumeIntegralInRange<int>(-1, 2);
  const bool driveList = in.ConsumeBool();
  const std::string label = in.ConsumeRandomLengthString(40);
  entry.name = in.ConsumeRemainingBytesAsString();

  const std::string plain = TagPlainName(entry);
  if (entry.kind != KIND_DRIVE) {
    const std::size_t slash = mbcs::FindLast(entry.name, '\\');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    FUZZ_CHECK(std::string_view(entry.name).substr(start, plain.size()) == plain);
  }
  const std::string shown = TagDisplayName(entry);
  FUZZ_CHECK(UndoubleAmpersands(shown) == plain);
  const std::string doubled = DoubleAmpersands(entry.name);
  FUZZ_CHECK(UndoubleAmpersands(doubled) == entry.name);

  const std::string date = TagDateText(stamp);
  FUZZ_CHECK(!date.empty() && date.size() < 64);

  const std::string title = ListTitleText(listMode, driveList, entry.name, label);
  FUZZ_CHECK(title.size() <= entry.name.size() + label.size() + 16);
  TagIcon icon = IconForKind(entry.kind, listMode);
  FUZZ_CHECK((icon.file == nullptr) == (icon.resource == 0));
  return 0;
}
