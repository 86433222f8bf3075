#pragma once
// The switch faces: one glyph per switch on a common rounded body, in four frames (normal, hover,
// pressed, alternate). Glyphs are drawn in a 32 × 32 unit space through an Ink that carries the frame's
// colours, an offset (the pressed glyph sinks) and a scale (the playlist variants shrink the glyph to
// make room for a badge).

#include "Canvas.h"

namespace resgen {

enum class Hue { Main, Cyan, Green, Red, Amber, Blue, Pink, Silver };

struct Ink {
  Colour main, dark, mark;  // glyph, details cut into a glyph, marks on a badge
  Colour hues[8];           // by Hue; hues[0] is main
  double dx = 0, dy = 0;
  double scale = 1, ox = 0, oy = 0;
  Colour Of(Hue h) const { return hues[static_cast<int>(h)]; }
};

// Fills a glyph shape in the ink's colour for the hue, placed by the ink.
void Put(Canvas& c, const Ink& ink, const Shape& shape, Hue hue = Hue::Main);
void Put(Canvas& c, const Ink& ink, const Shape& shape, const Colour& colour);

using Glyph = void (*)(Canvas&, const Ink&);

// The 128 × 32 strip of a switch face; null when the id is not a switch face.
Glyph GlyphFor(unsigned id);
Canvas DrawSwitchStrip(Glyph glyph);

}  // namespace resgen
