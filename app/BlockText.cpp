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
