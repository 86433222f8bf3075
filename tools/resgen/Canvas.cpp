#include "ByteWriter.h"
#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace resgen {

Shape RoundedRect(double l, double t, double r, double b, double rad) {
  return [=](double x, double y) {
    if (x < l || x > r || y < t || y > b) return false;
    double cx = std::clamp(x, l + rad, r - rad), cy = std::clamp(y, t + rad, b - rad);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= rad * rad;
  };
}

Shape Circle(double cx, double cy, double rad) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= rad * rad; };
}

Shape Ring(double cx, double cy, double outer, double inner) {
  return [=](double x, double y) {
    double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
    return d <= outer * outer && d >= inner * inner;
  };
}

Shape Polygon(std::vector<Point> pts) {
  return [pts = std::move(pts)](double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      const Point &a = pts[i], &b = pts[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
    }
    return inside;
  };
}

Shape Stroke(Point a, Point b, double width) {
  return [=](double x, double y) {
    double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
    double px = a.x + t * dx - x, py = a.y + t * dy - y;
    return px * px + py * py <= width * width / 4;
  };
}

Shape Ellipse(double cx, double cy, double rx, double ry) {
  return [=](double x, double y) {
    double u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1;
  };
}

Shape Arc(double cx, double cy, double r, double fromDeg, double toDeg, double width) {
  constexpr double kPi = 3.14159265358979323846;
  const double a0 = fromDeg * kPi / 180, a1 = toDeg * kPi / 180;
  const Point end0{cx + r * std::cos(a0), cy - r * std::sin(a0)}, end1{cx + r * std::cos(a1), cy - r * std::sin(a1)};
  return [=](double x, double y) {
    auto nearEnd = [&](const Point& p) { return (x - p.x) * (x - p.x) + (y - p.y) * (y - p.y) <= width * width / 4; };
    if (nearEnd(end0) || nearEnd(end1)) return true;
    double d = std::hypot(x - cx, y - cy);
    if (std::abs(d - r) > width / 2) return false;
    double a = std::atan2(cy - y, x - cx);
    while (a < a0) a += 2 * kPi;
    while (a >= a0 + 2 * kPi) a -= 2 * kPi;
    return a <= a1;
  };
}

Shape Polyline(std::vector<Point> pts, double width) {
  Shape s = Stroke(pts[0], pts[1], width);
  for (std::size_t i = 2; i < pts.size(); ++i) s = Union(s, Stroke(pts[i - 1], pts[i], width));
  return s;
}

Shape Intersect(Shape a, Shape b) {
  return [=](double x, double y) { return a(x, y) && b(x, y); };
}

Shape Transformed(Shape a, double s, double ox, double oy) {
  return [=](double x, double y) { return a((x - ox) / s, (y - oy) / s); };
}

Shape Union(Shape a, Shape b) {
  return [=](double x, double y) { return a(x, y) || b(x, y); };
}

Shape Minus(Shape a, Shape b) {
  return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

Paint Solid(Colour c) {
  return [=](double, double) { return c; };
}

Paint VerticalGradient(double top, double bottom, Colour from, Colour to) {
  return [=](double, double y) { return from.Mix(to, std::clamp((y - top) / (bottom - top), 0.0, 1.0)); };
}

Canvas::Canvas(int w, int h, Colour fill) : m_w(w), m_h(h), m_px(static_cast<std::size_t>(w) * h, fill) {}

namespace {
Colour Over(const Colour& dst, const Colour& src, double coverage) {
  double sa = src.a * coverage;
  double oa = sa + dst.a * (1 - sa);
  if (oa <= 0) return {0, 0, 0, 0};
  auto ch = [&](double s, double d) { return (s * sa + d * dst.a * (1 - sa)) / oa; };
  return {ch(src.r, dst.r), ch(src.g, dst.g), ch(src.b, dst.b), oa};
}
}  // namespace

void Canvas::Fill(const Shape& shape, const Paint& paint, double dx, double dy) {
  constexpr int kSub = 4;
  for (int y = 0; y < m_h; ++y) {
    for (int x = 0; x < m_w; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSub; ++sy)
        for (int sx = 0; sx < kSub; ++sx)
          if (shape(x + (sx + 0.5) / kSub - dx, y + (sy + 0.5) / kSub - dy)) ++hits;
      if (hits) At(x, y) = Over(At(x, y), paint(x + 0.5 - dx, y + 0.5 - dy), hits / double(kSub * kSub));
    }
  }
}

void Canvas::Blit(const Canvas& src, int x0, int y0) {
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) {
      int tx = x0 + x, ty = y0 + y;
      if (tx >= 0 && ty >= 0 && tx < m_w && ty < m_h) At(tx, ty) = Over(At(tx, ty), src.At(x, y), 1.0);
    }
}

namespace {
unsigned char Byte(double v) { return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

void PutInfoHeader(std::FILE* f, int w, int h, int bits, unsigned imageBytes) {
  Put32(f, 40);
  Put32(f, static_cast<unsigned>(w));
  Put32(f, static_cast<unsigned>(h));
  Put16(f, 1);
  Put16(f, static_cast<unsigned>(bits));
  Put32(f, 0);
  Put32(f, imageBytes);
  Put32(f, 2835);
  Put32(f, 2835);
  Put32(f, 0);
  Put32(f, 0);
}
}  // namespace

bool WriteBmp24(const Canvas& c, const std::string& path, Colour key) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const unsigned row = static_cast<unsigned>((c.Width() * 3 + 3) & ~3);
  const unsigned image = row * static_cast<unsigned>(c.Height());
  std::fputc('B', f);
  std::fputc('M', f);
  Put32(f, 14 + 40 + image);
  Put32(f, 0);
  Put32(f, 14 + 40);
  PutInfoHeader(f, c.Width(), c.Height(), 24, image);
  for (int y = c.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < c.Width(); ++x) {
      const Colour& p = c.At(x, y);
      // See-through areas must hold exactly the key colour, so an edge pixel is never blended with it:
      // it takes the shape's colour when mostly covered and the key otherwise.
      Colour out = p.a >= 0.5 ? Colour{p.r, p.g, p.b, 1} : key;
      std::fputc(Byte(out.b), f);
      std::fputc(Byte(out.g), f);
      std::fputc(Byte(out.r), f);
    }
    for (unsigned pad = static_cast<unsigned>(c.Width() * 3); pad < row; ++pad) std::fputc(0, f);
  }
  return std::fclose(f) == 0;
}

bool WriteIco(const std::vector<Canvas>& images, const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  Put16(f, 0);
  Put16(f, 1);
  Put16(f, static_cast<unsigned>(images.size()));
  unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
  std::vector<unsigned> sizes;
  for (const Canvas& c : images) {
    unsigned maskRow = static_cast<unsigned>(((c.Width() + 31) / 32) * 4);
    unsigned bytes = 40 + static_cast<unsigned>(c.Width() * c.Height() * 4) + maskRow * c.Height();
    sizes.push_back(bytes);
    std::fputc(c.Width() >= 256 ? 0 : c.Width(), f);
    std::fputc(c.Height() >= 256 ? 0 : c.Height(), f);
    std::fputc(0, f);
    std::fputc(0, f);
    Put16(f, 1);
    Put16(f, 32);
    Put32(f, bytes);
    Put32(f, offset);
    offset += bytes;
  }
  for (const Canvas& c : images) {
    unsigned maskRow = static_cast<unsigned>(((c.Width() + 31) / 32) * 4);
    PutInfoHeader(f, c.Width(), c.Height() * 2, 32, static_cast<unsigned>(c.Width() * c.Height() * 4));
    for (int y = c.Height() - 1; y >= 0; --y)
      for (int x = 0; x < c.Width(); ++x) {
        const Colour& p = c.At(x, y);
        std::fputc(Byte(p.b), f);
        std::fputc(Byte(p.g), f);
        std::fputc(Byte(p.r), f);
        std::fputc(Byte(p.a), f);
      }
    for (int y = c.Height() - 1; y >= 0; --y) {
      std::vector<unsigned char> bits(maskRow, 0);
      for (int x = 0; x < c.Width(); ++x)
        if (c.At(x, y).a < 0.5) bits[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
      std::fwrite(bits.data(), 1, bits.size(), f);
    }
  }
  return std::fclose(f) == 0;
}

}  // namespace resgen
