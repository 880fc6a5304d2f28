#pragma once
// A decoded picture: its size and pixels, read the way a device context reads them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "forms/handles.h"

namespace forms {

class Picture {
 public:
  // Decodes a picture stored in the program's resources; throws RuntimeError when it cannot.
  static Picture from_resource(const std::string& resource_name);
  // A picture from 0x00BBGGRR values, row by row from the top.
  static Picture from_colors(int width, int height, std::vector<ColorRef> colors);

  int width() const { return width_; }
  int height() const { return height_; }
  // The colour of pixel (x, y), (0, 0) at the top-left; kInvalidColor outside the picture.
  ColorRef pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalidColor;
    return colors_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
  }

 private:
  Picture(int width, int height, std::vector<ColorRef> colors);
  int width_ = 0;
  int height_ = 0;
  std::vector<ColorRef> colors_;  // row by row from the top
};

}  // namespace forms
