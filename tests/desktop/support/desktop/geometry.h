// Points, rectangles and bitmaps in X pixel coordinates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

#include "pixels.h"

namespace desktop {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
  bool contains(Point p) const {
    return p.x >= x && p.y >= y && p.x < x + width && p.y < y + height;
  }
  Point origin() const { return {x, y}; }
  Point centre() const { return {x + width / 2, y + height / 2}; }
};

inline std::ostream& operator<<(std::ostream& out, const Point& p) {
  return out << "(" << p.x << ", " << p.y << ")";
}
inline std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << "{" << r.x << ", " << r.y << ", " << r.width << " x " << r.height << "}";
}

// Sets of pixels, shared with the headless tests.
using Bitmap = pixels::Bitmap;

// Colour as 0xRRGGBB.
using Rgb = std::uint32_t;

// A captured part of the screen, row by row.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
  Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// A decoded picture: its colours, and which of its pixels are opaque.
struct Picture {
  Image image;
  Bitmap opaque;
};

}  // namespace desktop
