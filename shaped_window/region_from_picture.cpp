#include "forms/numbers.h"
#include "forms/system_calls/system_calls.h"
#include "shaped_window/module1.h"

namespace Module1 {

using forms::checked_add;
using forms::checked_sub;

forms::HRgn RegionFromPicture(forms::PictureBox& picture) {
  forms::Gdi32& gdi = picture.gdi32();
  forms::HRgn result;

  const forms::HDC dc = picture.hDC();
  const std::int32_t width = forms::to_long(picture.ScaleWidth());
  const std::int32_t height = forms::to_long(picture.ScaleHeight());
  bool first_rectangle = true;
  const forms::ColorRef key = gdi.GetPixel(dc, 0, 0);

  // The run [start, end) of row y: the first run's rectangle becomes the result itself, every
  // later one is joined into it and freed at once.
  const auto add_run = [&](std::int32_t start, std::int32_t end, std::int32_t y) {
    const forms::HRgn rectangle = gdi.CreateRectRgn(start, y, end, checked_add(y, 1));
    if (first_rectangle) {
      result = rectangle;
      first_rectangle = false;
    } else {
      gdi.CombineRgn(result, result, rectangle, forms::RGN_OR);
      gdi.DeleteObject(rectangle);
    }
  };

  // Each row alternates between key pixels and runs of other pixels; every pixel is read once,
  // the one that ends a stretch being the first of the next. The last row and column are
  // worked out as the loops' bounds, before the pixels they bound are read.
  const std::int32_t last_row = checked_sub(height, 1);
  for (std::int32_t y = 0; y <= last_row; ++y) {
    const std::int32_t last_column = checked_sub(width, 1);
    std::int32_t x = 0;
    while (x <= last_column) {
      while (x <= last_column && gdi.GetPixel(dc, x, y) == key) ++x;
      if (x > last_column) break;
      const std::int32_t start = x++;
      while (x <= last_column && gdi.GetPixel(dc, x, y) != key) ++x;
      add_run(start, x, y);
      if (x <= last_column) ++x;  // the key pixel that ended the run
    }
  }
  return result;
}

}  // namespace Module1
