#pragma once
// A decoded picture: its size and pixels, read the way a device context reads them.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "forms/system_calls/handles.h"

namespace forms {

// The pixels of a picture read in place, without a copy: valid while the picture lives and is
// not assigned to. The empty view has no pixel.
class PixelView {
 public:
  PixelView() = default;
  // `width` x `height` colours row by row from the top, fewer than 2^32 of them.
  PixelView(const ColorRef* colors, int width, int height)
      : colors_(colors),
        width_(static_cast<std::uint32_t>(std::max(width, 0))),
        height_(static_cast<std::uint32_t>(std::max(height, 0))) {}

  // The colour of pixel (x, y), (0, 0) at the top-left; kInvalidColor outside the picture.
  ColorRef pixel(std::int32_t x, std::int32_t y) const {
    // Negative coordinates become huge unsigned ones: one compare per axis.
    const auto column = static_cast<std::uint32_t>(x);
    const auto row = static_cast<std::uint32_t>(y);
    if (column >= width_ || row >= height_) return kInvalidColor;
    return colors_[row * width_ + column];
  }

 private:
  const ColorRef* colors_ = nullptr;  // row by row from the top
  std::uint32_t width_ = 0;
  std::uint32_t height_ = 0;
};

class Picture {
 public:
  // Decodes a picture stored in the program's resources; throws RuntimeError when it cannot.
  static Picture from_resource(const std::string& resource_name);
  // A picture from 0x00BBGGRR values, row by row from the top. Throws std::length_error for
  // 2^32 pixels or more.
  static Picture from_colors(int width, int height, std::vector<ColorRef> colors);

  int width() const { return width_; }
  int height() const { return height_; }
  // The colour of pixel (x, y), (0, 0) at the top-left; kInvalidColor outside the picture.
  ColorRef pixel(int x, int y) const { return pixels().pixel(x, y); }
  PixelView pixels() const { return {colors_.data(), width_, height_}; }

 private:
  Picture(int width, int height, std::vector<ColorRef> colors);
  int width_ = 0;
  int height_ = 0;
  std::vector<ColorRef> colors_;  // row by row from the top
};

}  // namespace forms
