#include "playback/QuickTimeName.h"

QuickTimeName ChooseQuickTimeName(std::string_view longPath, std::string_view shortPath) {
  if (longPath.size() <= kQuickTimeNameBytes) return {true, std::string(longPath)};
  if (!shortPath.empty() && shortPath.size() <= kQuickTimeNameBytes) return {true, std::string(shortPath)};
  return {};
}
