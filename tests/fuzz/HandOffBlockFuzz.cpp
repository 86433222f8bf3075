// The shared blocks' text rule on whatever another process left in a view: the text never reaches past
// the view or the bytes allowed, and a hand-off path is only taken from a terminated block.

#include <memory>

#include "app/BlockText.h"
#include "app/StartupText.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The view in a buffer of exactly its size, as a mapping's last page ends it.
  auto view = std::make_unique<char[]>(size ? size : 1);
  std::copy(data, data + size, view.get());
  const std::string_view bytes(view.get(), size);
  for (std::size_t maxBytes : {std::size_t{0}, std::size_t{1}, kMaxPath, size, size + 1, ~std::size_t{0}}) {
    const BlockText block = ReadBlockText(bytes, maxBytes);
    const std::size_t limit = std::min(maxBytes, size);
    FUZZ_CHECK(block.text.size() <= limit);
    FUZZ_CHECK(block.text.find('\0') == std::string::npos);
    FUZZ_CHECK(bytes.substr(0, block.text.size()) == block.text);
    FUZZ_CHECK(block.terminated == (block.text.size() < limit));
    const std::string path = HandOffPath(block);
    FUZZ_CHECK(path.empty() || (block.terminated && path == block.text));
    if (maxBytes == kMaxPath) FUZZ_CHECK(path.size() < kMaxPath);
  }
  // The wide blocks: the same rule in units.
  const std::wstring units = fuzz::WideText(data, size);
  for (std::size_t maxUnits : {std::size_t{0}, std::size_t{1}, kMaxPath, units.size(), ~std::size_t{0}}) {
    const WideBlockText block = ReadWideBlockText(units, maxUnits);
    const std::size_t limit = std::min(maxUnits, units.size());
    FUZZ_CHECK(block.text.size() <= limit);
    FUZZ_CHECK(block.text.find(L'\0') == std::wstring::npos);
    FUZZ_CHECK(units.compare(0, block.text.size(), block.text) == 0);
    FUZZ_CHECK(block.terminated == (block.text.size() < limit));
  }
  return 0;
}
