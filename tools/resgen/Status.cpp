#include "Status.h"

#include <cmath>

namespace resgen {

namespace {

Colour C(int r, int g, int b, double a = 1) { return Colour::Rgb(r, g, b, a); }

const Colour kOutline = C(6, 16, 26);

// The shape grown by r in every direction (sampled in eight directions, plenty for outlines of a pixel).
Shape Dilate(Shape s, double r) {
  return [=](double x, double y) {
    static const double kDirs[8][2] = {{1, 0}, {0.707, 0.707}, {0, 1}, {-0.707, 0.707}, {-1, 0}, {-0.707, -0.707}, {0, -1}, {0.707, -0.707}};
    if (s(x, y)) return true;
    for (const auto& d : kDirs)
      if (s(x + d[0] * r, y + d[1] * r)) return true;
    return false;
  };
}

void Outlined(Canvas& c, const Shape& s, const Paint& paint, double dx = 0) {
  c.Fill(Dilate(s, 1.3), kOutline, dx);
  c.Fill(s, paint, dx);
}

// Seven segments with round ends, slanted a little.
Shape Segments(unsigned mask) {
  auto p = [](double x, double y) { return Point{x + (16 - y) * 0.12, y}; };
  const Point ends[7][2] = {
      {p(5, 6), p(11, 6)},       {p(12.4, 7.5), p(12.4, 14.5)}, {p(12.4, 17.5), p(12.4, 24.5)}, {p(5, 26), p(11, 26)},
      {p(3.6, 17.5), p(3.6, 24.5)}, {p(3.6, 7.5), p(3.6, 14.5)},  {p(5, 16), p(11, 16)},
  };
  Shape s = [](double, double) { return false; };
  for (int i = 0; i < 7; ++i)
    if (mask & (1u << i)) s = Union(s, Stroke(ends[i][0], ends[i][1], 2.5));
  return s;
}

}  // namespace

Canvas DrawDigits() {
  // Segment bits a b c d e f g (top, upper right, lower right, bottom, lower left, upper left, middle).
  constexpr unsigned kMasks[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
  const Paint ink = VerticalGradient(5, 27, C(220, 250, 255), C(90, 200, 242));
  Canvas c(208, 32);
  for (int d = 0; d < 10; ++d) Outlined(c, Segments(kMasks[d]), ink, 16 * d);
  Outlined(c, Union(Circle(8.4, 11.5, 1.7), Circle(7.3, 20.5, 1.7)), ink, 160);
  Outlined(c, Union(Stroke({4.8, 12}, {11.6, 25}, 2.4), Stroke({11.6, 12}, {4.8, 25}, 2.4)), ink, 192);
  return c;
}

Canvas DrawIndicator() {
  Canvas c(160, 32);
  auto grad = [](Colour top, Colour bottom) { return VerticalGradient(8, 24, top, bottom); };
  Outlined(c, RoundedRect(10, 10, 22, 22, 2), grad(C(236, 240, 246), C(160, 170, 186)), 0);
  Outlined(c, Polygon({{11, 8}, {24, 16}, {11, 24}}), grad(C(170, 255, 190), C(40, 190, 80)), 32);
  Outlined(c, Union(RoundedRect(10, 9, 14.5, 23, 1.2), RoundedRect(17.5, 9, 22, 23, 1.2)),
           grad(C(255, 228, 150), C(240, 150, 20)), 64);
  const Paint scan = grad(C(200, 246, 255), C(30, 170, 225));
  Outlined(c, Union(Polygon({{6.5, 10}, {15.5, 16}, {6.5, 22}}), Polygon({{15.5, 10}, {24.5, 16}, {15.5, 22}})), scan, 96);
  Outlined(c, Union(Polygon({{25.5, 10}, {16.5, 16}, {25.5, 22}}), Polygon({{16.5, 10}, {7.5, 16}, {16.5, 22}})), scan, 128);
  return c;
}

Canvas DrawVolumeIcon() {
  Canvas c(16, 16);
  Outlined(c, Polygon({{2, 5.8}, {5, 5.8}, {8.8, 2.4}, {8.8, 13.6}, {5, 10.2}, {2, 10.2}}),
           VerticalGradient(2, 14, C(240, 244, 250), C(170, 180, 196)));
  Outlined(c, Union(Arc(9, 8, 2.6, -50, 50, 1.4), Arc(9, 8, 5.2, -50, 50, 1.4)), Solid(C(110, 220, 250)));
  return c;
}

Canvas DrawRowBackground() {
  struct Look {
    Colour top, bottom, upperEdge, lowerEdge;
  } const looks[4] = {
      {C(46, 54, 68), C(22, 27, 35), C(76, 90, 110), C(10, 12, 16)},        // normal
      {C(234, 243, 249), C(176, 204, 222), C(255, 255, 255), C(110, 140, 160)},  // cursor: dark text on light
      {C(164, 96, 14), C(98, 54, 4), C(226, 156, 54), C(50, 26, 0)},        // playing
      {C(16, 98, 130), C(8, 52, 72), C(64, 174, 214), C(4, 24, 34)},        // pressed
  };
  Canvas c(128, 36);
  for (int i = 0; i < 4; ++i)
    for (int y = 0; y < 36; ++y) {
      Colour col = y == 0 ? looks[i].upperEdge : y == 35 ? looks[i].lowerEdge : looks[i].top.Mix(looks[i].bottom, (y - 1) / 33.0);
      for (int x = 0; x < 32; ++x) c.At(32 * i + x, y) = col;
    }
  return c;
}

}  // namespace resgen
