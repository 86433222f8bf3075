#pragma once
// The contact sheet: every built-in strip with its resource id and file name, as stored and as a panel
// shows it, laid out as res/BuiltinBitmaps.h describes.

#include <string>
#include <vector>

#include "Palette.h"

namespace resgen {

// strips: one image per entry of kBuiltinBitmaps, in table order.
Canvas DrawContactSheet(const std::vector<IndexedImage>& strips);

}  // namespace resgen
