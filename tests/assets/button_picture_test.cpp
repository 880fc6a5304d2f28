// The image buttons of both windows: the bevelled frame to the pixel, transparent corners, and
// the word or arrows centred on the face.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "picture.h"

namespace {

using asset_test::Differences;
using asset_test::Picture;
using asset_test::RawBytes;
using asset_test::rgb;
using asset_test::Rgba;

constexpr int kHeight = 24;
constexpr Rgba kTransparent = {0, 0, 0, 0};
constexpr Rgba kBlack = rgb(0, 0, 0);
constexpr Rgba kLightCyan = rgb(0, 255, 255);
constexpr Rgba kBlue = rgb(0, 0, 255);
constexpr Rgba kFace = rgb(0, 153, 255);
constexpr Rgba kPaleYellow = rgb(255, 255, 153);

enum class Glyphs { kWord, kChevronsRight, kChevronsLeft };

struct Button {
  const char* window;
  const char* control;
  const char* picture;
  int width;
  Glyphs glyphs;
};

void PrintTo(const Button& b, std::ostream* out) {
  *out << b.window << "." << b.control;
}

// Every image button of both windows. Both quit buttons show the one quit picture.
constexpr std::array<Button, 11> kButtons = {{
    {"Form1", "mixer", "button_mixer.gif", 48, Glyphs::kWord},
    {"Form1", "outil", "button_tools.gif", 72, Glyphs::kWord},
    {"Form1", "droit", "button_open_menu.gif", 32, Glyphs::kChevronsRight},
    {"Form1", "gauche", "button_close_menu.gif", 32, Glyphs::kChevronsLeft},
    {"Form1", "quitter", "button_quit.gif", 56, Glyphs::kWord},
    {"Form2", "quitter", "button_quit.gif", 56, Glyphs::kWord},
    {"Form2", "ajouter", "button_add.gif", 56, Glyphs::kWord},
    {"Form2", "liens", "button_links.gif", 56, Glyphs::kWord},
    {"Form2", "aide", "button_help.gif", 56, Glyphs::kWord},
    {"Form2", "listing", "button_listing.gif", 56, Glyphs::kWord},
    {"Form2", "news", "button_news.gif", 56, Glyphs::kWord},
}};

bool on_face(int x, int y, int w) {
  return y >= 3 && y <= 20 && x >= 3 && x <= w - 4;
}

// The frame of a button W pixels wide, row by row as the image-button look lays it down. The
// face itself (rows 3..20, x 3..W-4) carries the glyphs and is checked separately.
Rgba frame_pixel(int x, int y, int w) {
  const bool outer = x == 0 || x == w - 1;
  const bool second = x == 1 || x == w - 2;
  if (y == 0 || y == 23) return (x >= 2 && x <= w - 3) ? kBlack : kTransparent;
  if (y == 1) return outer ? kTransparent : second ? kBlack : kLightCyan;
  if (y == 2) return outer ? kBlack : (x == w - 3 || x == w - 2) ? kBlue : kLightCyan;
  if (y <= 20) {
    if (outer) return kBlack;
    if (x <= 2) return kLightCyan;
    if (x >= w - 3) return kBlue;
    return kFace;
  }
  if (y == 21) return outer ? kBlack : x <= 2 ? kLightCyan : kBlue;
  return outer ? kTransparent : second ? kBlack : kBlue;  // row 22
}

// Ink: face pixels that the glyphs changed.
struct Ink {
  int first_x = 1000, last_x = -1, first_y = 1000, last_y = -1;
  bool pale_yellow = false;
  bool any() const { return last_x >= 0; }
  void add(int x, int y, const Rgba& c) {
    first_x = std::min(first_x, x);
    last_x = std::max(last_x, x);
    first_y = std::min(first_y, y);
    last_y = std::max(last_y, y);
    pale_yellow = pale_yellow || c == kPaleYellow;
  }
};

class ButtonPicture : public testing::TestWithParam<Button> {};

TEST_P(ButtonPicture, HasTheBevelledFrameAndTransparentCornersToThePixel) {
  const Button& b = GetParam();
  const Picture pic(b.picture);
  ASSERT_EQ(pic.width(), b.width) << b.picture;
  ASSERT_EQ(pic.height(), kHeight) << b.picture;
  ASSERT_TRUE(pic.has_alpha()) << b.picture << ": decoded without transparency";
  Differences diff(b.picture);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < b.width; ++x) {
      if (!on_face(x, y, b.width)) diff.check(x, y, frame_pixel(x, y, b.width), pic.at(x, y));
    }
  }
  EXPECT_TRUE(diff.empty()) << diff;
}

TEST_P(ButtonPicture, CarriesItsGlyphsCentredOnTheFaceInPaleYellow) {
  const Button& b = GetParam();
  const Picture pic(b.picture);
  ASSERT_EQ(pic.width(), b.width) << b.picture;
  Differences diff(b.picture);
  Ink ink;
  for (int y = 3; y <= 20; ++y) {
    for (int x = 3; x <= b.width - 4; ++x) {
      const Rgba c = pic.at(x, y);
      if (c == kFace) continue;
      ink.add(x, y, c);
      // Smoothing steps lie between the face colour and the pale yellow of the letters.
      const bool between = c.a == 255 && c.g >= kFace.g && c.b >= kPaleYellow.b;
      if (!between) diff.add(x, y, "the face colour or a step towards pale yellow", describe(c));
    }
  }
  EXPECT_TRUE(diff.empty()) << diff;
  ASSERT_TRUE(ink.any()) << b.picture << ": an empty face";
  EXPECT_TRUE(ink.pale_yellow) << b.picture << ": no pixel of the letters' pale yellow";

  const int left_margin = ink.first_x - 3;
  const int right_margin = (b.width - 4) - ink.last_x;
  EXPECT_LE(std::abs(left_margin - right_margin), 1)
      << b.picture << ": glyphs span x " << ink.first_x << ".." << ink.last_x;

  if (b.glyphs == Glyphs::kWord) {
    // Capitals fill rows 8..15; descenders end at row 18 at the latest.
    EXPECT_EQ(ink.first_y, 8) << b.picture;
    EXPECT_GE(ink.last_y, 15) << b.picture;
    EXPECT_LE(ink.last_y, 18) << b.picture;
  } else {
    EXPECT_EQ(ink.first_y, 9) << b.picture;
    EXPECT_EQ(ink.last_y, 15) << b.picture;
    EXPECT_NEAR(ink.first_x, 7, 1) << b.picture;
    EXPECT_NEAR(ink.last_x, 23, 1) << b.picture;
  }
}

// The direction of the chevrons: the tip (middle row) lies on the side the arrows point to.
TEST(MenuArrows, PointRightToOpenAndLeftToClose) {
  const auto centre_of_row = [](const Picture& pic, int y) {
    int sum = 0, n = 0;
    for (int x = 3; x <= pic.width() - 4; ++x) {
      if (pic.at(x, y) != kFace) {
        sum += x;
        ++n;
      }
    }
    return n == 0 ? 0.0 : static_cast<double>(sum) / n;
  };
  const Picture open("button_open_menu.gif");
  const Picture close("button_close_menu.gif");
  EXPECT_GT(centre_of_row(open, 12), centre_of_row(open, 9)) << open.name();
  EXPECT_GT(centre_of_row(open, 12), centre_of_row(open, 15)) << open.name();
  EXPECT_LT(centre_of_row(close, 12), centre_of_row(close, 9)) << close.name();
  EXPECT_LT(centre_of_row(close, 12), centre_of_row(close, 15)) << close.name();
}

// The GIF stream: GIF89a, and a Graphic Control Extension whose transparent index names the
// palette entry RGB(153,255,0).
TEST_P(ButtonPicture, IsGif89aWithOneTransparentColour) {
  const Button& b = GetParam();
  const RawBytes gif(b.picture);
  const std::string signature(reinterpret_cast<const char*>(gif.data().data()), 6);
  ASSERT_EQ(signature, "GIF89a") << b.picture;
  EXPECT_EQ(gif.u16(6), b.width) << b.picture;
  EXPECT_EQ(gif.u16(8), kHeight) << b.picture;
  const std::uint8_t flags = gif.u8(10);
  ASSERT_TRUE(flags & 0x80) << b.picture << ": no global colour table";
  const std::size_t entries = std::size_t{2} << (flags & 7);
  std::size_t at = 13 + 3 * entries;
  std::optional<std::size_t> transparent_index;
  // Extensions come before the image; the GCE that applies to the image is the last before it.
  while (gif.u8(at) == 0x21) {
    const std::uint8_t label = gif.u8(at + 1);
    if (label == 0xF9 && (gif.u8(at + 3) & 1)) transparent_index = gif.u8(at + 6);
    at += 2;
    while (gif.u8(at) != 0) at += gif.u8(at) + 1u;
    ++at;
  }
  EXPECT_EQ(gif.u8(at), 0x2C) << b.picture << ": no image after the extensions";
  ASSERT_TRUE(transparent_index) << b.picture << ": no transparent colour";
  ASSERT_LT(*transparent_index, entries) << b.picture;
  const std::size_t entry = 13 + 3 * *transparent_index;
  EXPECT_EQ(rgb(gif.u8(entry), gif.u8(entry + 1), gif.u8(entry + 2)), rgb(153, 255, 0))
      << b.picture << ": transparent palette entry " << *transparent_index;
}

INSTANTIATE_TEST_SUITE_P(BothWindows, ButtonPicture, testing::ValuesIn(kButtons),
                         [](const testing::TestParamInfo<Button>& param_info) {
                           return std::string(param_info.param.window) + "_" +
                                  param_info.param.control;
                         });

}  // namespace
