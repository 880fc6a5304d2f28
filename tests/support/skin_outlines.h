// The outlines of the three skin masks, row by row, as the window descriptions give them.
//
// Tests use these tables as the expected shape: the stored mask pictures, the region built from
// them, and the window shapes read back from the X server must all match them.

#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "pixels.h"

namespace skin_outlines {

// Columns of one run of non-key pixels, both ends included.
struct Run {
  int first;
  int last;
  friend bool operator==(const Run&, const Run&) = default;
};

// A mask's size and, for each row from the top, its run or none.
struct Outline {
  std::string_view name;
  int width;
  int height;
  std::vector<std::optional<Run>> rows;

  // True when pixel (x, y) lies inside the outline.
  bool inside(int x, int y) const;
  // Number of rows that hold a run.
  int rows_with_runs() const;
};

// The pixels of the outline that a window `width` x `height` shows: the window clips what lies
// beyond its size, and shows nothing where the mask does not reach.
pixels::Bitmap pixels(const Outline& outline, int width, int height);

// Narrow main-window mask (300 x 300), the outline while the menu is closed.
const Outline& narrow();
// Wide main-window mask (476 x 300), the outline while the menu is open.
const Outline& wide();
// Companion-window mask (476 x 376).
const Outline& companion();

}  // namespace skin_outlines
