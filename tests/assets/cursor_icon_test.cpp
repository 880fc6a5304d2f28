// The pointing-hand cursor and the window icon.

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <tuple>
#include <vector>

#include "picture.h"

namespace {

using asset_test::Differences;
using asset_test::Picture;
using asset_test::RawBytes;
using asset_test::rgb;
using asset_test::Rgba;

// Drawn pixels of the pointing hand: the rows, then the black and the white columns of each.
struct HandRows {
  int first_row, last_row;
  std::vector<std::pair<int, int>> black, white;  // column ranges, both ends included
};

std::vector<HandRows> pointing_hand() {
  return {
      {7, 7, {{12, 15}}, {}},
      {8, 11, {{12, 12}, {15, 15}}, {{13, 14}}},
      {12, 12, {{12, 12}, {15, 24}}, {{13, 14}}},
      {13,
       13,
       {{9, 12}, {15, 15}, {18, 18}, {21, 21}, {24, 24}},
       {{13, 14}, {16, 17}, {19, 20}, {22, 23}}},
      {14,
       16,
       {{9, 9}, {12, 12}, {15, 15}, {18, 18}, {21, 21}, {24, 24}},
       {{10, 11}, {13, 14}, {16, 17}, {19, 20}, {22, 23}}},
      {17, 17, {{9, 9}, {12, 12}, {24, 24}}, {{10, 11}, {13, 23}}},
      {18, 18, {{9, 9}, {24, 24}}, {{10, 23}}},
      {19, 20, {{10, 10}, {24, 24}}, {{11, 23}}},
      {21, 21, {{11, 11}, {24, 24}}, {{12, 23}}},
      {22, 23, {{11, 24}}, {}},
      {24, 24, {{12, 23}}, {}},
  };
}

TEST(PointingHandCursor, DrawsExactlyTheHandAndLeavesTheRestTransparent) {
  std::array<std::array<Rgba, 32>, 32> expected;
  for (auto& row : expected) row.fill(Rgba{0, 0, 0, 0});  // transparent
  for (const HandRows& rows : pointing_hand()) {
    for (int y = rows.first_row; y <= rows.last_row; ++y) {
      for (auto [a, b] : rows.black) {
        for (int x = a; x <= b; ++x) expected[y][x] = rgb(0, 0, 0);
      }
      for (auto [a, b] : rows.white) {
        for (int x = a; x <= b; ++x) expected[y][x] = rgb(255, 255, 255);
      }
    }
  }
  const Picture cursor("pointing_hand.cur");
  ASSERT_EQ(cursor.width(), 32);
  ASSERT_EQ(cursor.height(), 32);
  ASSERT_TRUE(cursor.has_alpha());
  Differences diff(cursor.name());
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) diff.check(x, y, expected[y][x], cursor.at(x, y));
  }
  EXPECT_TRUE(diff.empty()) << diff;
}

TEST(PointingHandCursor, HasItsHotspotAtTheFingerTip) {
  const Picture cursor("pointing_hand.cur");
  EXPECT_EQ(cursor.option("x_hot"), "13");
  EXPECT_EQ(cursor.option("y_hot"), "7");
}

TEST(PointingHandCursor, IsOneMonochromeCursorImageInTheFile) {
  const RawBytes cur("pointing_hand.cur");
  EXPECT_EQ(cur.u16(0), 0) << "reserved";
  EXPECT_EQ(cur.u16(2), 2) << "resource type (2 is a cursor)";
  EXPECT_EQ(cur.u16(4), 1) << "image count";
  EXPECT_EQ(cur.u8(6), 32) << "width";
  EXPECT_EQ(cur.u8(7), 32) << "height";
  EXPECT_EQ(cur.u16(10), 13) << "hotspot x";
  EXPECT_EQ(cur.u16(12), 7) << "hotspot y";
  const std::uint32_t image = cur.u32(18);
  EXPECT_EQ(cur.u32(image), 40u) << "bitmap header size";
  EXPECT_EQ(cur.i32(image + 4), 32) << "bitmap width";
  EXPECT_EQ(cur.i32(image + 8), 64) << "bitmap height (colour bits and AND mask)";
  EXPECT_EQ(cur.u16(image + 14), 1) << "bits per pixel";
  EXPECT_EQ(cur.u32(image + 16), 0u) << "compression";
}

// The standard 16-colour palette of Windows, in its order.
constexpr std::array<Rgba, 16> kStandardPalette = {{
    rgb(0, 0, 0),
    rgb(128, 0, 0),
    rgb(0, 128, 0),
    rgb(128, 128, 0),
    rgb(0, 0, 128),
    rgb(128, 0, 128),
    rgb(0, 128, 128),
    rgb(192, 192, 192),
    rgb(128, 128, 128),
    rgb(255, 0, 0),
    rgb(0, 255, 0),
    rgb(255, 255, 0),
    rgb(0, 0, 255),
    rgb(255, 0, 255),
    rgb(0, 255, 255),
    rgb(255, 255, 255),
}};

TEST(WindowIcon, IsOne32By32ImageIn16ColoursWithAMask) {
  const RawBytes ico("window_icon.ico");
  EXPECT_EQ(ico.u16(2), 1) << "resource type (1 is an icon)";
  EXPECT_EQ(ico.u16(4), 1) << "image count";
  EXPECT_EQ(ico.u8(6), 32) << "width";
  EXPECT_EQ(ico.u8(7), 32) << "height";
  EXPECT_EQ(ico.u8(8), 16) << "colour count";
  EXPECT_EQ(ico.u16(12), 4) << "directory bits per pixel";
  const std::uint32_t image = ico.u32(18);
  EXPECT_EQ(ico.u32(image), 40u) << "bitmap header size";
  EXPECT_EQ(ico.i32(image + 4), 32) << "bitmap width";
  EXPECT_EQ(ico.i32(image + 8), 64) << "bitmap height (colour bits and AND mask)";
  EXPECT_EQ(ico.u16(image + 14), 4) << "bits per pixel";
  EXPECT_EQ(ico.u32(image + 16), 0u) << "compression";
  const std::uint32_t used = ico.u32(image + 32);
  EXPECT_TRUE(used == 0 || used == 16) << "colours used: " << used;
  Differences diff("window_icon.ico palette (entry, 0)");
  for (int i = 0; i < 16; ++i) {
    const std::size_t at = image + 40 + 4 * static_cast<std::size_t>(i);
    diff.check(i, 0, kStandardPalette[i], rgb(ico.u8(at + 2), ico.u8(at + 1), ico.u8(at)));
  }
  EXPECT_TRUE(diff.empty()) << diff;
  // Palette, 4-bit colour rows and 1-bit mask rows follow the header.
  EXPECT_EQ(ico.u32(14), 40u + 16 * 4 + 32 * 16 + 32 * 4) << "image size in the directory";
}

// The picture is a television set: checks of what a person sees in it.
TEST(WindowIcon, ShowsATelevisionSetOnATransparentGround) {
  const Picture icon("window_icon.ico");
  ASSERT_EQ(icon.width(), 32);
  ASSERT_EQ(icon.height(), 32);
  ASSERT_TRUE(icon.has_alpha());
  std::map<std::tuple<int, int, int>, int> counts;
  int transparent = 0;
  Differences off_palette(icon.name());
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Rgba c = icon.at(x, y);
      if (c.a == 0) {
        ++transparent;
        continue;
      }
      ++counts[{c.r, c.g, c.b}];
      if (std::find(kStandardPalette.begin(), kStandardPalette.end(), c) == kStandardPalette.end())
        off_palette.add(x, y, "a colour of the standard palette", describe(c));
    }
  }
  EXPECT_TRUE(off_palette.empty()) << off_palette;
  EXPECT_GT(transparent, 100) << "the ground around the set is transparent";
  EXPECT_EQ(icon.at(0, 31).a, 0) << "bottom-left corner";
  EXPECT_EQ(icon.at(31, 31).a, 0) << "bottom-right corner";
  // A light grey cabinet with white highlights and grey shading.
  EXPECT_GE((counts[{192, 192, 192}]), 80) << "light grey cabinet";
  EXPECT_GT((counts[{255, 255, 255}]), 0) << "white highlights";
  EXPECT_GT((counts[{128, 128, 128}]), 0) << "grey shading";

  // Antenna: black near both upper corners.
  const auto black_in = [&](int x0, int x1, int y0, int y1) {
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (icon.at(x, y) == rgb(0, 0, 0)) return true;
    return false;
  };
  EXPECT_TRUE(black_in(0, 3, 0, 1)) << "left antenna rod reaches the upper-left corner";
  EXPECT_TRUE(black_in(28, 31, 0, 1)) << "right antenna rod reaches the upper-right corner";

  // Screen: somewhere in the left two thirds a column of at least six rows alternating white
  // and light cyan.
  bool striped = false;
  for (int x = 0; x < 21 && !striped; ++x) {
    int length = 0;
    for (int y = 1; y < 32; ++y) {
      const Rgba a = icon.at(x, y - 1), b = icon.at(x, y);
      const bool alternates = (a == rgb(255, 255, 255) && b == rgb(0, 255, 255)) ||
                              (a == rgb(0, 255, 255) && b == rgb(255, 255, 255));
      length = alternates ? length + 1 : 0;
      striped = striped || length >= 5;
    }
  }
  EXPECT_TRUE(striped) << "no striped screen on the left";

  // Knobs: red only on the right third, in two groups one above the other.
  std::vector<int> red_rows;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (icon.at(x, y) != rgb(255, 0, 0)) continue;
      EXPECT_GE(x, 21) << "red pixel at (" << x << "," << y << ") left of the control panel";
      if (red_rows.empty() || red_rows.back() != y) red_rows.push_back(y);
    }
  }
  int groups = 0;
  for (std::size_t i = 0; i < red_rows.size(); ++i)
    groups += (i == 0 || red_rows[i] != red_rows[i - 1] + 1) ? 1 : 0;
  EXPECT_EQ(groups, 2) << "two knobs one above the other";
}

}  // namespace
