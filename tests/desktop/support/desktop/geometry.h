// Points, rectangles and bitmaps in X pixel coordinates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

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

// width x height booleans, row by row.
class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, bool value = false)
      : width_(width), height_(height), bits_(static_cast<std::size_t>(width * height), value) {}

  int width() const { return width_; }
  int height() const { return height_; }
  bool at(int x, int y) const { return bits_[index(x, y)]; }
  void set(int x, int y, bool value) { bits_[index(x, y)] = value; }
  std::size_t count() const {
    std::size_t n = 0;
    for (const bool bit : bits_) n += bit ? 1 : 0;
    return n;
  }
  friend bool operator==(const Bitmap&, const Bitmap&) = default;

 private:
  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }
  int width_ = 0;
  int height_ = 0;
  std::vector<bool> bits_;
};

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
