#include "playback/QuickTimeName.h"

QuickTimeName ChooseQuickTimeName(const CodePageName& longPath, const CodePageName& shortPath) {
  using Via = QuickTimeName::Via;
  if (longPath.exact && longPath.text.size() <= kQuickTimeNameBytes) return {Via::kQuickTime, longPath.text};
  if (shortPath.exact && !shortPath.text.empty() && shortPath.text.size() <= kQuickTimeNameBytes)
    return {Via::kQuickTime, shortPath.text};
  return {longPath.exact ? Via::kDirectShow : Via::kNothing, {}};
}
