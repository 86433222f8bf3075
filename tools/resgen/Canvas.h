#pragma once
// A small anti-aliased raster canvas for drawing the built-in resources from code. Shapes are tested per
// sub-sample (4 × 4 per pixel) and composited "over" in straight RGBA.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace resgen {

struct Colour {
  double r = 0, g = 0, b = 0, a = 1;  // 0…1
  static Colour Rgb(int r, int g, int b, double a = 1.0) { return {r / 255.0, g / 255.0, b / 255.0, a}; }
  Colour Mix(const Colour& o, double t) const {
    return {r + (o.r - r) * t, g + (o.g - g) * t, b + (o.b - b) * t, a + (o.a - a) * t};
  }
};

struct Point {
  double x, y;
};

// A shape answers whether a point (pixel units, pixel centres at +0.5) lies inside it.
using Shape = std::function<bool(double x, double y)>;
// A paint gives the colour at a point (for gradients).
using Paint = std::function<Colour(double x, double y)>;

Shape RoundedRect(double left, double top, double right, double bottom, double radius);
Shape Circle(double cx, double cy, double radius);
Shape Ring(double cx, double cy, double outer, double inner);
Shape Polygon(std::vector<Point> points);
// A thick line segment with round ends.
Shape Stroke(Point a, Point b, double width);
Shape Ellipse(double cx, double cy, double rx, double ry);
// A stroke along a circle from one angle to another (degrees, counter-clockwise from +x with y pointing
// down, so 90 is straight up), with round ends.
Shape Arc(double cx, double cy, double radius, double fromDeg, double toDeg, double width);
// A chain of round-ended strokes through the points.
Shape Polyline(std::vector<Point> points, double width);
Shape Union(Shape a, Shape b);
Shape Minus(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
// The shape scaled by s about the origin, then moved by (ox, oy).
Shape Transformed(Shape a, double s, double ox, double oy);

Paint Solid(Colour c);
Paint VerticalGradient(double top, double bottom, Colour from, Colour to);

class Canvas {
 public:
  Canvas(int width, int height, Colour fill = {0, 0, 0, 0});
  int Width() const { return m_w; }
  int Height() const { return m_h; }
  // Fills the shape, offset by (dx, dy), with the paint.
  void Fill(const Shape& shape, const Paint& paint, double dx = 0, double dy = 0);
  void Fill(const Shape& shape, Colour c, double dx = 0, double dy = 0) { Fill(shape, Solid(c), dx, dy); }
  // Copies another canvas in at (x, y), composited over this one.
  void Blit(const Canvas& src, int x, int y);
  const Colour& At(int x, int y) const { return m_px[static_cast<std::size_t>(y) * m_w + x]; }
  Colour& At(int x, int y) { return m_px[static_cast<std::size_t>(y) * m_w + x]; }

 private:
  int m_w, m_h;
  std::vector<Colour> m_px;
};

// Writes 24-bit BMP (bottom-up); fully transparent or partly covered pixels are composited over key.
bool WriteBmp24(const Canvas& c, const std::string& path, Colour key);
// Writes an icon file with one 32-bit image per canvas (each square, at most 256 pixels).
bool WriteIco(const std::vector<Canvas>& images, const std::string& path);

}  // namespace resgen
