#pragma once
// The panel background colour: what every panel fills where it is meant to be see-through, and the colour
// key of the layered panel windows.

#include "framework/Win32.h"

inline constexpr COLORREF kPanelKeyColour = RGB(128, 0, 128);
