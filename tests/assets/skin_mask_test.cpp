// The three skin masks: their outline to the pixel, their documented colours, and the way
// their bitmaps are stored.

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <tuple>
#include <vector>

#include "picture.h"
#include "skin_outlines.h"

namespace {

using asset_test::Differences;
using asset_test::Picture;
using asset_test::RawBytes;
using asset_test::rgb;
using asset_test::Rgba;

constexpr Rgba kPureGreen = rgb(0, 255, 0);

// A rectangle as a window region takes it: right and bottom excluded.
struct Rect {
  int left, top, right, bottom;
  friend bool operator==(const Rect&, const Rect&) = default;
};

std::ostream& operator<<(std::ostream& out, const Rect& r) {
  return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

// One rectangle per run of pixels that differ from the colour of pixel (0, 0), in scan order.
std::vector<Rect> run_rectangles(const Picture& mask) {
  const Rgba key = mask.at(0, 0);
  std::vector<Rect> rects;
  for (int y = 0; y < mask.height(); ++y) {
    int start = -1;
    for (int x = 0; x <= mask.width(); ++x) {
      const bool inside = x < mask.width() && mask.at(x, y) != key;
      if (inside && start < 0) start = x;
      if (!inside && start >= 0) {
        rects.push_back({start, y, x, y + 1});
        start = -1;
      }
    }
  }
  return rects;
}

struct MaskCase {
  const skin_outlines::Outline& (*outline)();
  int rectangles;
  Rect first;
  Rect last;
};

void PrintTo(const MaskCase& c, std::ostream* out) {
  *out << c.outline().name;
}

class SkinMask : public testing::TestWithParam<MaskCase> {};

TEST_P(SkinMask, HasTheOutlineOfItsRunTableToThePixel) {
  const skin_outlines::Outline& outline = GetParam().outline();
  const Picture mask(outline.name);
  ASSERT_EQ(mask.width(), outline.width) << outline.name;
  ASSERT_EQ(mask.height(), outline.height) << outline.name;
  EXPECT_FALSE(mask.has_alpha()) << outline.name;

  const Rgba key = mask.at(0, 0);
  EXPECT_EQ(key, kPureGreen) << outline.name << ": key colour is " << asset_test::describe(key);

  Differences diff(std::string(outline.name));
  for (int y = 0; y < outline.height; ++y) {
    for (int x = 0; x < outline.width; ++x) {
      const Rgba c = mask.at(x, y);
      const bool inside = c != key;
      if (inside != outline.inside(x, y)) {
        diff.add(x, y, outline.inside(x, y) ? "inside (not the key colour)" : "the key colour",
                 asset_test::describe(c));
      }
    }
  }
  EXPECT_TRUE(diff.empty()) << diff;
}

TEST_P(SkinMask, YieldsTheRectanglesOfTheRegionBuilder) {
  const MaskCase& c = GetParam();
  const Picture mask(c.outline().name);
  const std::vector<Rect> rects = run_rectangles(mask);
  ASSERT_EQ(static_cast<int>(rects.size()), c.rectangles) << mask.name();
  EXPECT_EQ(rects.front(), c.first) << mask.name();
  EXPECT_EQ(rects.back(), c.last) << mask.name();
  std::set<int> rows;
  for (const Rect& r : rects) rows.insert(r.top);
  EXPECT_EQ(static_cast<int>(rows.size()), c.rectangles) << mask.name() << ": a row holds two runs";
  EXPECT_EQ(c.outline().rows_with_runs(), c.rectangles) << "outline table of " << mask.name();
}

TEST_P(SkinMask, IsStoredAsUncompressed24BitBottomUpBitmap) {
  const skin_outlines::Outline& outline = GetParam().outline();
  const RawBytes bmp(outline.name);
  const std::string name(outline.name);
  ASSERT_GE(bmp.size(), 54u) << name;
  EXPECT_EQ(bmp.u8(0), 'B') << name;
  EXPECT_EQ(bmp.u8(1), 'M') << name;
  const std::uint32_t pixel_offset = bmp.u32(10);
  EXPECT_GE(bmp.u32(14), 40u) << name << ": info header size";
  EXPECT_EQ(bmp.i32(18), outline.width) << name << ": width";
  EXPECT_EQ(bmp.i32(22), outline.height) << name << ": height (positive means bottom-up)";
  EXPECT_EQ(bmp.u16(26), 1) << name << ": planes";
  EXPECT_EQ(bmp.u16(28), 24) << name << ": bits per pixel";
  EXPECT_EQ(bmp.u32(30), 0u) << name << ": compression (0 is BI_RGB)";
  const std::size_t stride = (static_cast<std::size_t>(outline.width) * 3 + 3) / 4 * 4;
  EXPECT_GE(bmp.size(), pixel_offset + stride * static_cast<std::size_t>(outline.height)) << name;

  // Read straight from the file: the first stored row is the bottom row of the picture, which
  // lies outside the outline, and the last stored row is the top row.
  const auto stored = [&](int y, int x) {
    const std::size_t at = pixel_offset +
                           stride * static_cast<std::size_t>(outline.height - 1 - y) +
                           static_cast<std::size_t>(x) * 3;
    return rgb(bmp.u8(at + 2), bmp.u8(at + 1), bmp.u8(at));
  };
  Differences diff(name + " (stored rows)");
  for (int y : {0, 2, 150, outline.height - 1}) {
    for (int x = 0; x < outline.width; ++x) {
      if ((stored(y, x) != kPureGreen) != outline.inside(x, y)) {
        diff.add(x, y, outline.inside(x, y) ? "inside" : "the key colour",
                 asset_test::describe(stored(y, x)));
      }
    }
  }
  EXPECT_TRUE(diff.empty()) << diff;
}

INSTANTIATE_TEST_SUITE_P(
    AllMasks, SkinMask,
    testing::Values(MaskCase{skin_outlines::narrow, 296, {14, 2, 286, 3}, {17, 297, 283, 298}},
                    MaskCase{skin_outlines::wide, 296, {14, 2, 462, 3}, {17, 297, 459, 298}},
                    MaskCase{skin_outlines::companion, 373, {14, 2, 462, 3}, {17, 374, 459, 375}}),
    [](const testing::TestParamInfo<MaskCase>& param_info) {
      const std::string_view n = param_info.param.outline().name;
      return std::string(n.substr(0, n.find('_')));
    });

// Colours inside the main masks: the field blue, darker blues along the outline, and a single
// pixel of another blue.
TEST(MainSkinMasks, InsideAreTheFieldBlueTheDarkerEdgeBluesAndOneOtherBlue) {
  const std::set<std::tuple<int, int, int>> edge_blues = {
      {64, 64, 158}, {32, 32, 111}, {96, 96, 205}};
  for (const auto* outline : {&skin_outlines::narrow(), &skin_outlines::wide()}) {
    const Picture mask(outline->name);
    int others = 0;
    for (int y = 0; y < mask.height(); ++y) {
      for (int x = 0; x < mask.width(); ++x) {
        if (!outline->inside(x, y)) continue;
        const Rgba c = mask.at(x, y);
        if (c == rgb(0, 128, 255) || edge_blues.count({c.r, c.g, c.b})) continue;
        ++others;
        EXPECT_LT(c.r, c.b) << mask.name() << ": odd pixel (" << x << "," << y
                            << ") is not a blue: " << asset_test::describe(c);
      }
    }
    EXPECT_EQ(others, 1) << mask.name() << ": pixels inside of neither the field nor an edge blue";
  }
}

TEST(MainSkinMasks, BottomRowIsDarkBlueWhereDescribed) {
  struct Case {
    const skin_outlines::Outline& outline;
    int first, last;
  };
  const std::set<std::tuple<int, int, int>> edge_blues = {
      {64, 64, 158}, {32, 32, 111}, {96, 96, 205}};
  for (const Case& c :
       {Case{skin_outlines::narrow(), 17, 282}, Case{skin_outlines::wide(), 314, 457}}) {
    const Picture mask(c.outline.name);
    Differences diff(mask.name());
    for (int x = c.first; x <= c.last; ++x) {
      const Rgba got = mask.at(x, 297);
      if (!edge_blues.count({got.r, got.g, got.b})) {
        diff.add(x, 297, "one of the darker edge blues", asset_test::describe(got));
      }
    }
    EXPECT_TRUE(diff.empty()) << diff;
  }
}

// Colours of the companion mask that the window description gives exactly, among them the
// edge pixels that come within a few units of the key colour.
TEST(CompanionSkinMask, HasTheDescribedColours) {
  struct Pixel {
    int x, y;
    Rgba colour;
  };
  const std::array<Pixel, 9> pixels = {{
      {10, 372, rgb(0, 253, 0)},
      {11, 372, rgb(0, 254, 1)},
      {463, 372, rgb(0, 254, 1)},
      {464, 372, rgb(0, 253, 1)},
      {467, 5, rgb(0, 250, 1)},
      {471, 11, rgb(0, 251, 1)},
      {100, 100, rgb(128, 128, 252)},
      {240, 200, rgb(128, 128, 252)},
      {470, 300, rgb(128, 128, 252)},
  }};
  const Picture mask("companion_mask.bmp");
  Differences diff(mask.name());
  for (const Pixel& p : pixels) {
    EXPECT_TRUE(skin_outlines::companion().inside(p.x, p.y)) << p.x << "," << p.y;
    diff.check(p.x, p.y, p.colour, mask.at(p.x, p.y));
  }
  for (int x = 18; x <= 312; ++x) diff.check(x, 374, rgb(13, 240, 27), mask.at(x, 374));
  for (int x = 314; x <= 457; ++x) diff.check(x, 374, rgb(5, 232, 15), mask.at(x, 374));
  EXPECT_TRUE(diff.empty()) << diff;
}

}  // namespace
