#pragma once
// The process-wide cache of switch faces: one strip per resource id, shared by every switch that shows
// that face. The first request for an id decides its image (the skin file at the given path, else the
// built-in resource, else an empty strip); later requests get the same strip whatever path they name,
// until the cache is cleared.
//
// Switches hold their face as a shared reference, so clearing the cache on a skin change never leaves a
// switch with a dangling face: a switch keeps drawing its old strip until its owner gives it the new one
// with SetBitmap, and the old strip goes with its last switch. User-interface thread only.

#include <cstddef>
#include <memory>
#include <string>

#include "controls/SkinBitmap.h"

// Four 32 × 32 frames: normal, hover, pressed, alternate.
inline constexpr int kSwitchFrameSize = 32;
inline constexpr int kSwitchFrameCount = 4;

std::shared_ptr<CSkinBitmap> GetSwitchBitmap(unsigned resourceId, const std::string& path);
// Forgets every cached strip, so that the next requests read the (new) skin's files.
void ClearSwitchBitmapCache();
std::size_t SwitchBitmapCacheSize();
