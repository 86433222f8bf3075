#pragma once
// The text rule of the blocks the instances share (the hand-off path, the published window title):
// what is read from the bytes of a mapped view, whatever another process left there. Win32-free.

#include <cstddef>
#include <string>
#include <string_view>

struct BlockText {
  std::string text;         // the bytes before the first NUL, within the bytes looked at
  bool terminated = false;  // a NUL was found there
};

// The text at the start of view, looking at no more than maxBytes of it.
BlockText ReadBlockText(std::string_view view, std::size_t maxBytes);

// The same for a wide block: units of two bytes (wchar_t on Windows), no more than maxUnits of them.
struct WideBlockText {
  std::wstring text;
  bool terminated = false;
};
WideBlockText ReadWideBlockText(std::wstring_view view, std::size_t maxUnits);

// The path a hand-off block carries, empty for none: a block without a NUL in its bytes holds no path
// this program wrote.
std::string HandOffPath(const BlockText& block);
