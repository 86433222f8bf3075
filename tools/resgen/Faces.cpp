#include "Faces.h"

namespace resgen {

namespace {

Colour C(int r, int g, int b, double a = 1) { return Colour::Rgb(r, g, b, a); }

struct Body {
  Colour rim, top, bottom;
  double sheen;    // white over the upper half
  Colour glow;     // a ring just inside the rim
  bool sunken;     // a shade along the top edge
};

enum Frame { kNormal, kHover, kPressed, kAlternate };

Body BodyOf(Frame f) {
  switch (f) {
    case kHover: return {C(80, 210, 250), C(104, 122, 148), C(40, 48, 62), 0.14, C(80, 210, 250, 0.35), false};
    case kPressed: return {C(40, 150, 190), C(18, 22, 28), C(52, 62, 78), 0, C(0, 0, 0, 0), true};
    case kAlternate: return {C(110, 58, 0), C(255, 196, 80), C(204, 112, 14), 0.22, C(255, 240, 200, 0.30), false};
    default: return {C(12, 15, 20), C(86, 100, 122), C(30, 36, 46), 0.10, C(0, 0, 0, 0), false};
  }
}

Ink InkOf(Frame f) {
  Ink k;
  switch (f) {
    case kHover:
      k.main = C(255, 255, 255);
      k.dark = C(40, 48, 62);
      k.mark = C(255, 255, 255);
      k.hues[1] = C(150, 236, 255), k.hues[2] = C(140, 246, 160), k.hues[3] = C(255, 130, 120),
      k.hues[4] = C(255, 206, 100), k.hues[5] = C(150, 196, 255), k.hues[6] = C(255, 160, 214),
      k.hues[7] = C(232, 238, 246);
      break;
    case kPressed:
      k.main = C(150, 228, 250);
      k.dark = C(18, 22, 28);
      k.mark = C(220, 244, 252);
      k.hues[1] = C(90, 210, 245), k.hues[2] = C(70, 200, 105), k.hues[3] = C(225, 80, 70),
      k.hues[4] = C(235, 160, 40), k.hues[5] = C(85, 145, 245), k.hues[6] = C(225, 105, 175),
      k.hues[7] = C(180, 192, 208);
      k.dx = 0.5, k.dy = 1;
      break;
    case kAlternate:
      k.main = C(56, 30, 2);
      k.dark = C(255, 210, 120);
      k.mark = C(255, 250, 235);
      k.hues[1] = C(0, 84, 116), k.hues[2] = C(16, 110, 40), k.hues[3] = C(160, 22, 20),
      k.hues[4] = C(120, 58, 0), k.hues[5] = C(24, 56, 150), k.hues[6] = C(150, 20, 86),
      k.hues[7] = C(90, 70, 50);
      break;
    default:
      k.main = C(226, 232, 240);
      k.dark = C(30, 36, 46);
      k.mark = C(255, 255, 255);
      k.hues[1] = C(90, 210, 245), k.hues[2] = C(90, 220, 120), k.hues[3] = C(240, 92, 80),
      k.hues[4] = C(250, 180, 50), k.hues[5] = C(100, 160, 255), k.hues[6] = C(240, 120, 190),
      k.hues[7] = C(200, 208, 220);
      break;
  }
  k.hues[0] = k.main;
  return k;
}

// The glyph's own shadow (or, on the light alternate body, its highlight): every colour replaced by one.
Ink ShadowOf(const Ink& ink, Frame f) {
  Ink s = ink;
  Colour c = f == kAlternate ? C(255, 240, 210, 0.55) : C(0, 0, 0, 0.5);
  s.main = s.dark = s.mark = c;
  for (Colour& h : s.hues) h = c;
  s.dy += 1;
  return s;
}

Canvas DrawFrame(Glyph glyph, Frame f) {
  Canvas c(32, 32);
  const Body b = BodyOf(f);
  c.Fill(RoundedRect(1, 1, 31, 31, 7), b.rim);
  c.Fill(RoundedRect(2.2, 2.2, 29.8, 29.8, 5.8), VerticalGradient(2.2, 29.8, b.top, b.bottom));
  if (b.glow.a > 0) c.Fill(Minus(RoundedRect(2.2, 2.2, 29.8, 29.8, 5.8), RoundedRect(3.6, 3.6, 28.4, 28.4, 4.6)), b.glow);
  if (b.sheen > 0) c.Fill(RoundedRect(3.4, 3.2, 28.6, 15, 4.5), VerticalGradient(3.2, 15, C(255, 255, 255, b.sheen), C(255, 255, 255, b.sheen * 0.3)));
  if (b.sunken) c.Fill(Intersect(RoundedRect(2.2, 2.2, 29.8, 29.8, 5.8), RoundedRect(0, 0, 32, 6, 0)), VerticalGradient(2, 6, C(0, 0, 0, 0.45), C(0, 0, 0, 0)));
  const Ink ink = InkOf(f);
  if (f != kPressed) glyph(c, ShadowOf(ink, f));
  glyph(c, ink);
  return c;
}

}  // namespace

void Put(Canvas& c, const Ink& ink, const Shape& shape, const Colour& colour) {
  c.Fill(ink.scale == 1 && ink.ox == 0 && ink.oy == 0 ? shape : Transformed(shape, ink.scale, ink.ox, ink.oy), colour,
         ink.dx, ink.dy);
}

void Put(Canvas& c, const Ink& ink, const Shape& shape, Hue hue) { Put(c, ink, shape, ink.Of(hue)); }

Canvas DrawSwitchStrip(Glyph glyph) {
  Canvas strip(128, 32);
  for (int f = kNormal; f <= kAlternate; ++f) strip.Blit(DrawFrame(glyph, static_cast<Frame>(f)), 32 * f, 0);
  return strip;
}

}  // namespace resgen
