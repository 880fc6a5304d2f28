// Joining rectangles into a region one by one (CreateRectRgn, CombineRgn into the first,
// DeleteObject), as the region builder does: whatever the order, the region and every
// returned kind must be what cairo's own union gives, rectangle for rectangle. Rectangles in
// scan order are joined in place, without cairo; the others go through cairo.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "forms/system_calls/region.h"
#include "tests/support/recording_platform.h"

namespace testing_support {
namespace {

constexpr std::int32_t kSimple = 2;
constexpr std::int32_t kComplex = 3;

// Joins `rects` into the first of them on the platform and beside it with cairo; checks the
// kind after every join and the rectangles at the end.
void expect_same_as_cairo(const std::vector<Rect>& rects, const std::string& what) {
  RecordingPlatform platform;
  const auto cairo_rectangle = [](const Rect& r) {
    return cairo_rectangle_int_t{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  const cairo_rectangle_int_t first = cairo_rectangle(rects.at(0));
  const forms::Region expected(cairo_region_create_rectangle(&first));
  const forms::HRgn result =
      platform.CreateRectRgn(rects[0].left, rects[0].top, rects[0].right, rects[0].bottom);
  for (std::size_t i = 1; i < rects.size(); ++i) {
    const Rect& r = rects[i];
    const cairo_rectangle_int_t rectangle = cairo_rectangle(r);
    cairo_region_union_rectangle(expected.get(), &rectangle);
    const forms::HRgn joined = platform.CreateRectRgn(r.left, r.top, r.right, r.bottom);
    const std::int32_t kind = platform.CombineRgn(result, result, joined, forms::RGN_OR);
    platform.DeleteObject(joined);
    EXPECT_EQ(kind, cairo_region_num_rectangles(expected.get()) > 1 ? kComplex : kSimple)
        << what << ", after rectangle " << i;
  }
  EXPECT_EQ(platform.rectangles(result), rectangles_of(expected.get())) << what;
  EXPECT_EQ(platform.live_regions(), 1u) << what;
}

struct JoinCase {
  const char* what;
  std::vector<Rect> rects;  // left, top, right, bottom
};

TEST(RegionJoin, GivesCairosRegionAndKindsWhateverTheOrder) {
  const JoinCase cases[] = {
      {"rows of equal runs become one band", {{2, 0, 8, 1}, {2, 1, 8, 2}, {2, 2, 8, 3}}},
      {"a different row ends the band", {{2, 0, 8, 1}, {2, 1, 8, 2}, {3, 2, 8, 3}}},
      {"a second run splits a band of equal rows",
       {{2, 0, 8, 1}, {2, 1, 8, 2}, {2, 2, 8, 3}, {10, 2, 12, 3}}},
      {"two runs per row, rows alike",
       {{0, 0, 2, 1}, {4, 0, 6, 1}, {0, 1, 2, 2}, {4, 1, 6, 2}, {0, 2, 2, 3}, {4, 2, 6, 3}}},
      {"the second run makes the row like the one above",
       {{0, 0, 2, 1}, {4, 0, 6, 1}, {0, 1, 2, 2}, {4, 1, 6, 2}}},
      {"touching runs are one", {{0, 0, 3, 1}, {3, 0, 5, 1}, {0, 1, 5, 2}}},
      {"a gap of rows", {{0, 0, 4, 1}, {0, 3, 4, 4}}},
      {"taller rectangles", {{0, 0, 4, 3}, {6, 0, 8, 3}, {0, 3, 8, 5}}},
      {"a rectangle in the last band's lower rows", {{0, 0, 4, 3}, {6, 2, 8, 3}}},
      {"out of order: above", {{0, 2, 4, 3}, {0, 0, 4, 1}}},
      {"out of order: left of the last run", {{5, 0, 8, 1}, {0, 0, 3, 1}}},
      {"out of order: overlapping", {{0, 0, 6, 2}, {4, 1, 9, 3}}},
      {"out of order: overlapping the last run in its row", {{0, 0, 6, 1}, {4, 0, 9, 1}}},
      {"out of order: reaching below the last band", {{0, 0, 4, 2}, {6, 1, 8, 3}}},
      {"an empty rectangle", {{0, 0, 4, 1}, {5, 1, 5, 2}, {0, 1, 4, 2}}},
      {"starting from an empty rectangle", {{3, 0, 3, 1}, {0, 1, 4, 2}}},
  };
  for (const JoinCase& c : cases) expect_same_as_cairo(c.rects, c.what);
}

// Masks drawn at random, their runs in scan order as the region builder makes them, and the
// same runs shuffled.
TEST(RegionJoin, RandomMasksInScanOrderAndShuffled) {
  std::mt19937 random(13);
  for (int mask = 0; mask < 40; ++mask) {
    std::vector<Rect> runs;
    std::uniform_int_distribution<int> coin(0, 3);
    std::vector<bool> row(24, false);
    for (int y = 0; y < 20; ++y) {
      // Rows often repeat the one above, so that bands form and split.
      if (coin(random) != 0) {
        for (std::size_t x = 0; x < row.size(); ++x) row[x] = coin(random) != 0;
      }
      for (int x = 0; x < 24;) {
        if (!row[static_cast<std::size_t>(x)]) {
          ++x;
          continue;
        }
        const int start = x;
        while (x < 24 && row[static_cast<std::size_t>(x)]) ++x;
        runs.push_back({start, y, x, y + 1});
      }
    }
    if (runs.empty()) continue;
    expect_same_as_cairo(runs, "mask " + std::to_string(mask) + " in scan order");
    std::shuffle(runs.begin(), runs.end(), random);
    expect_same_as_cairo(runs, "mask " + std::to_string(mask) + " shuffled");
  }
}

}  // namespace
}  // namespace testing_support
