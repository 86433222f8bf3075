#pragma once
// Where the player view opens. Win32-free.

#include "framework/Geometry.h"

constexpr int kViewDefaultWidth = 640;
constexpr int kViewDefaultHeight = 480;
constexpr int kMinTrackWidth = 160;
constexpr int kMinTrackHeight = 120;

// The stored normal rectangle when there is a usable one, otherwise the default size centred on the
// screen. All zeros means nothing was stored; a rectangle smaller than the minimum window or wholly
// outside the desktop (garbage in the file, a monitor that is gone) is not used either.
geo::Rect InitialViewRect(const geo::Rect& stored, const geo::Rect& screen, const geo::Rect& desktop);
