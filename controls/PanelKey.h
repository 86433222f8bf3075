#pragma once
// The panel background colour: what every panel fills where it is meant to be see-through, and the colour
// key of the layered panel windows.

#include <cstdint>

#include "framework/Win32.h"

inline constexpr COLORREF kPanelKeyColour = RGB(128, 0, 128);

// Colour-key transparency for a skinned panel window: pixels of the panel background colour become
// see-through, unless a picture or a QuickTime entry plays (nowPlayingKind), which draw under the panels
// in a way a colour key would cut holes into.
void ApplyPanelTransparency(HWND hwnd, std::uint32_t nowPlayingKind);
