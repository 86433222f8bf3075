#include "Icon.h"

namespace resgen {

// The program icon: a play triangle over a dark rounded tile with a screen-like sheen.
Canvas DrawProgramIcon(int size) {
  Canvas c(size, size);
  const double s = size / 32.0;
  c.Fill(RoundedRect(1 * s, 1 * s, 31 * s, 31 * s, 6 * s),
         VerticalGradient(1 * s, 31 * s, Colour::Rgb(38, 70, 110), Colour::Rgb(10, 20, 38)));
  c.Fill(RoundedRect(3 * s, 3 * s, 29 * s, 15 * s, 4 * s), Colour::Rgb(255, 255, 255, 0.10));
  c.Fill(Polygon({{11 * s, 8 * s}, {25 * s, 16 * s}, {11 * s, 24 * s}}),
         VerticalGradient(8 * s, 24 * s, Colour::Rgb(150, 255, 170), Colour::Rgb(40, 200, 90)));
  return c;
}

}  // namespace resgen
