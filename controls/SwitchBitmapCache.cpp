#include "controls/SwitchBitmapCache.h"

#include <unordered_map>

namespace {

std::unordered_map<unsigned, std::shared_ptr<CSkinBitmap>>& Cache() {
  static std::unordered_map<unsigned, std::shared_ptr<CSkinBitmap>> cache;
  return cache;
}

}  // namespace

std::shared_ptr<CSkinBitmap> GetSwitchBitmap(unsigned resourceId, const std::string& path) {
  auto& cache = Cache();
  if (auto it = cache.find(resourceId); it != cache.end()) return it->second;
  auto strip = std::make_shared<CSkinBitmap>();
  strip->LoadFromFileOrResource(path, resourceId, kSwitchFrameSize, kSwitchFrameCount);
  cache.emplace(resourceId, strip);  // cached even when empty: a missing face is not looked for again
  return strip;
}

void ClearSwitchBitmapCache() { Cache().clear(); }

std::size_t SwitchBitmapCacheSize() { return Cache().size(); }
