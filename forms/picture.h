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
  ColorRef pixel(int x, int y) const;
  // The pixels as 8-bit RGBA, row by row, for drawing.
  const std::vector<std::uint8_t>& rgba() const { return rgba_; }

 private:
  Picture(int width, int height, std::vector<std::uint8_t> rgba);
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> rgba_;
};

}  // namespace forms
