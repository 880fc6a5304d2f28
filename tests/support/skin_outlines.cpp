#include "skin_outlines.h"

#include <initializer_list>

namespace skin_outlines {
namespace {

// Rows first_row..last_row share one run; rows not listed have none.
struct Span {
  int first_row;
  int last_row;
  Run run;
};

Outline make(std::string_view name, int width, int height, std::initializer_list<Span> spans) {
  Outline outline{name, width, height, std::vector<std::optional<Run>>(height)};
  for (const Span& span : spans) {
    for (int y = span.first_row; y <= span.last_row; ++y) outline.rows[y] = span.run;
  }
  return outline;
}

}  // namespace

bool Outline::inside(int x, int y) const {
  if (y < 0 || y >= height || !rows[y]) return false;
  return x >= rows[y]->first && x <= rows[y]->last;
}

pixels::Bitmap pixels(const Outline& outline, int width, int height) {
  pixels::Bitmap bitmap(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bitmap.set(x, y, outline.inside(x, y));
  }
  return bitmap;
}

int Outline::rows_with_runs() const {
  int n = 0;
  for (const auto& row : rows) n += row ? 1 : 0;
  return n;
}

const Outline& narrow() {
  // One line per row of the table: first row, last row, {first x, last x}.
  // clang-format off
  static const Outline outline = make("narrow_mask.bmp", 300, 300, {
      {2, 2, {14, 285}},
      {3, 3, {11, 288}},
      {4, 4, {9, 289}},
      {5, 5, {8, 291}},
      {6, 6, {7, 292}},
      {7, 7, {6, 293}},
      {8, 8, {5, 294}},
      {9, 9, {4, 294}},
      {10, 10, {4, 295}},
      {11, 11, {3, 295}},
      {12, 13, {3, 296}},
      {14, 281, {2, 296}},
      {282, 282, {2, 297}},
      {283, 285, {2, 296}},
      {286, 286, {3, 296}},
      {287, 288, {3, 295}},
      {289, 289, {4, 294}},
      {290, 290, {5, 294}},
      {291, 291, {5, 293}},
      {292, 292, {6, 292}},
      {293, 293, {7, 291}},
      {294, 294, {8, 290}},
      {295, 295, {10, 288}},
      {296, 296, {12, 286}},
      {297, 297, {17, 282}},
  });
  // clang-format on
  return outline;
}

const Outline& wide() {
  // One line per row of the table: first row, last row, {first x, last x}.
  // clang-format off
  static const Outline outline = make("wide_mask.bmp", 476, 300, {
      {2, 2, {14, 461}},
      {3, 3, {11, 464}},
      {4, 4, {9, 465}},
      {5, 5, {8, 467}},
      {6, 6, {7, 468}},
      {7, 7, {6, 469}},
      {8, 8, {5, 470}},
      {9, 9, {4, 470}},
      {10, 10, {4, 471}},
      {11, 11, {3, 471}},
      {12, 13, {3, 472}},
      {14, 281, {2, 472}},
      {282, 282, {2, 473}},
      {283, 285, {2, 472}},
      {286, 286, {3, 472}},
      {287, 288, {3, 471}},
      {289, 289, {4, 470}},
      {290, 290, {5, 470}},
      {291, 291, {5, 469}},
      {292, 292, {6, 468}},
      {293, 293, {7, 467}},
      {294, 294, {8, 466}},
      {295, 295, {10, 464}},
      {296, 296, {12, 462}},
      {297, 297, {17, 458}},
  });
  // clang-format on
  return outline;
}

const Outline& companion() {
  // One line per row of the table: first row, last row, {first x, last x}.
  // clang-format off
  static const Outline outline = make("companion_mask.bmp", 476, 376, {
      {2, 2, {14, 461}},
      {3, 3, {11, 464}},
      {4, 4, {9, 465}},
      {5, 6, {8, 467}},
      {7, 7, {7, 468}},
      {8, 8, {6, 469}},
      {9, 10, {5, 470}},
      {11, 12, {4, 471}},
      {13, 14, {3, 471}},
      {15, 16, {3, 472}},
      {17, 352, {2, 472}},
      {353, 355, {2, 473}},
      {356, 359, {2, 472}},
      {360, 360, {3, 472}},
      {361, 363, {3, 471}},
      {364, 364, {4, 470}},
      {365, 365, {5, 470}},
      {366, 366, {5, 469}},
      {367, 368, {6, 468}},
      {369, 369, {7, 467}},
      {370, 370, {8, 466}},
      {371, 372, {10, 464}},
      {373, 374, {17, 458}},
  });
  // clang-format on
  return outline;
}

}  // namespace skin_outlines
