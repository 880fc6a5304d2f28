// Sets of pixels as tests compare them: a window's outline, a region, a shape read back from
// the X server and a mask's expected outline all become one Bitmap, compared as a whole.
#pragma once

#include <algorithm>
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace pixels {

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
  // Sets the pixels of columns left..right - 1 and rows top..bottom - 1 that lie inside.
  void fill(int left, int top, int right, int bottom) {
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) {
      for (int x = std::max(left, 0); x < std::min(right, width_); ++x) set(x, y, true);
    }
  }
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

// The pixels of a picture drawn in text, one string a row: `on` marks a set pixel.
inline Bitmap from_rows(const std::vector<std::string>& rows, char on = '#') {
  Bitmap bitmap(rows.empty() ? 0 : static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < bitmap.height(); ++y) {
    for (int x = 0; x < bitmap.width(); ++x) {
      bitmap.set(x, y, rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == on);
    }
  }
  return bitmap;
}

// A small bitmap prints as its rows ('#' set, '.' not), a large one as its size and count.
inline std::ostream& operator<<(std::ostream& out, const Bitmap& bitmap) {
  out << bitmap.width() << " x " << bitmap.height() << ", " << bitmap.count() << " set";
  if (bitmap.width() > 64 || bitmap.height() > 32) return out;
  for (int y = 0; y < bitmap.height(); ++y) {
    out << "\n";
    for (int x = 0; x < bitmap.width(); ++x) out << (bitmap.at(x, y) ? '#' : '.');
  }
  return out;
}

// The first differing pixels of two bitmaps, for a failure message.
inline std::string differences(const Bitmap& got, const Bitmap& expected) {
  if (got.width() != expected.width() || got.height() != expected.height()) {
    return "size " + std::to_string(got.width()) + " x " + std::to_string(got.height()) +
           ", expected " + std::to_string(expected.width()) + " x " +
           std::to_string(expected.height());
  }
  std::string text;
  int shown = 0;
  for (int y = 0; y < got.height() && shown < 8; ++y) {
    for (int x = 0; x < got.width() && shown < 8; ++x) {
      if (got.at(x, y) != expected.at(x, y)) {
        text += "(" + std::to_string(x) + ", " + std::to_string(y) + ") " +
                (got.at(x, y) ? "shown" : "hidden") + "; ";
        ++shown;
      }
    }
  }
  return text.empty() ? "none" : text;
}

}  // namespace pixels
