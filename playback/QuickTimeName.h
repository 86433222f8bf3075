#pragma once
// Which name a "(q)" file is handed to QuickTime by. Win32-free.

#include <string>
#include <string_view>

// The movie's file name holds at most 255 bytes; a path under MAX_PATH may be longer in double-byte text.
inline constexpr size_t kQuickTimeNameBytes = 255;

struct QuickTimeName {
  bool viaQuickTime = false;  // false: the file plays through DirectShow instead of being skipped
  std::string path;           // the name QuickTime opens
};

// The long path when it fits; otherwise its short (8.3) form where the volume gave one (empty when it has
// none) and that fits; otherwise no name for QuickTime at all.
QuickTimeName ChooseQuickTimeName(std::string_view longPath, std::string_view shortPath);
