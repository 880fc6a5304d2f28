#include "forms/numbers.h"
#include "forms/system_calls.h"
#include "shaped_window/module1.h"

namespace Module1 {

using forms::checked_add;
using forms::checked_sub;

forms::HRgn RegionFromPicture(forms::PictureBox& picture) {
  forms::Gdi32& gdi = picture.gdi32();
  forms::HRgn result;
  std::int32_t run_start = 0;

  const forms::HDC dc = picture.hDC();
  const std::int32_t width = forms::to_long(picture.ScaleWidth());
  const std::int32_t height = forms::to_long(picture.ScaleHeight());
  bool first_rectangle = true;
  bool in_run = false;
  const forms::ColorRef key = gdi.GetPixel(dc, 0, 0);

  // A run closes at column `end` (excluded): the first run's rectangle becomes the result
  // itself, every later one is joined into it and freed at once.
  const auto close_run = [&](std::int32_t end, std::int32_t y) {
    in_run = false;
    const forms::HRgn rectangle = gdi.CreateRectRgn(run_start, y, end, checked_add(y, 1));
    if (first_rectangle) {
      result = rectangle;
      first_rectangle = false;
    } else {
      gdi.CombineRgn(result, result, rectangle, forms::RGN_OR);
      gdi.DeleteObject(rectangle);
    }
  };

  const std::int32_t last_row = checked_sub(height, 1);
  for (std::int32_t y = 0; y <= last_row; ++y) {
    in_run = false;
    const std::int32_t last_column = checked_sub(width, 1);
    for (std::int32_t x = 0; x <= last_column; ++x) {
      const forms::ColorRef color = gdi.GetPixel(dc, x, y);
      if (color == key) {
        if (in_run) close_run(x, y);
      } else if (!in_run) {
        in_run = true;
        run_start = x;
      }
    }
    if (in_run) close_run(width, y);
  }
  return result;
}

}  // namespace Module1
