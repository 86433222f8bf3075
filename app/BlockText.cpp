#include "app/BlockText.h"

#include <algorithm>

BlockText ReadBlockText(std::string_view view, std::size_t maxBytes) {
  const std::string_view bytes = view.substr(0, std::min(maxBytes, view.size()));
  const std::size_t nul = bytes.find('\0');
  BlockText block;
  block.terminated = nul != std::string_view::npos;
  block.text = std::string(bytes.substr(0, nul));
  return block;
}

std::string HandOffPath(const BlockText& block) { return block.terminated ? block.text : std::string(); }

WideBlockText ReadWideBlockText(std::wstring_view view, std::size_t maxUnits) {
  const std::wstring_view looked = view.substr(0, std::min(maxUnits, view.size()));
  const std::size_t end = looked.find(L'\0');
  return {std::wstring(looked.substr(0, end)), end != std::wstring_view::npos};
}
