#pragma once
// Which name a "(q)" file is handed to QuickTime by. Win32-free.

#include <string>
#include <string_view>

#include "framework/WidePath.h"

// The movie's file name holds at most 255 bytes; a path under MAX_PATH may be longer in double-byte text.
inline constexpr size_t kQuickTimeNameBytes = 255;

struct QuickTimeName {
  enum class Via { kQuickTime, kDirectShow, kNothing };
  Via via = Via::kNothing;
  std::string path;  // the name QuickTime opens
};

// QuickTime takes code-page names. The long path when it is exact and fits; otherwise its short (8.3)
// form where the volume gave one (empty when it has none) that is exact and fits. Without one, a long path
// plays through DirectShow instead; a name the code page cannot hold plays nowhere (its open fails).
QuickTimeName ChooseQuickTimeName(const CodePageName& longPath, const CodePageName& shortPath);
