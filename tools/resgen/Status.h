#pragma once
// The control panel's status strips (digits, state indicator), the volume slider's speaker icon and the
// list-row background. The first three stand on see-through ground, so their glyphs carry a dark outline
// that keeps them readable over any picture.

#include "Canvas.h"

namespace resgen {

Canvas DrawDigits();     // 208 × 32: "0"–"9", ":", " ", "X", 16 × 32 each
Canvas DrawIndicator();  // 160 × 32: stopped, playing, paused, scanning forward, scanning back
Canvas DrawVolumeIcon(); // 16 × 16
Canvas DrawRowBackground();  // 128 × 36: normal, cursor, playing, pressed; each 32 × 36 image tiles sideways

}  // namespace resgen
