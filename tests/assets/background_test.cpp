// The two window backgrounds and the list of stored pictures.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "picture.h"

namespace {

using asset_test::Picture;
using asset_test::RawBytes;
using asset_test::rgb;
using asset_test::Rgba;

// JPEG is lossy: colours are compared within a tolerance.
bool near(const Rgba& a, const Rgba& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

struct SampledColour {
  int x, y;
  Rgba colour;
  int tolerance;
  const char* where;
};

struct Background {
  const char* picture;
  int width, height;
  std::vector<SampledColour> samples;
};

void PrintTo(const Background& b, std::ostream* out) {
  *out << b.picture;
}

std::vector<Background> backgrounds() {
  return {
      {"main_background.jpg",
       476,
       300,
       {
           {238, 150, rgb(0, 128, 255), 4, "field"},
           {40, 40, rgb(0, 128, 255), 4, "field near the top-left corner"},
           {238, 0, rgb(90, 140, 25), 20, "top edge"},
           {0, 150, rgb(90, 140, 25), 20, "left edge"},
           {475, 150, rgb(0, 80, 0), 20, "right edge"},
           {238, 299, rgb(0, 80, 0), 20, "bottom edge"},
           {238, 4, rgb(80, 125, 110), 30, "greyish blue inside the top edge"},
       }},
      {"companion_background.jpg",
       476,
       376,
       {
           {238, 188, rgb(0, 128, 255), 4, "field"},
           {238, 0, rgb(88, 150, 30), 20, "top edge"},
           {0, 188, rgb(88, 150, 30), 20, "left edge"},
           {475, 188, rgb(0, 86, 8), 20, "right edge"},
           {238, 375, rgb(3, 66, 19), 20, "bottom edge"},
       }},
  };
}

class BackgroundPicture : public testing::TestWithParam<Background> {};

TEST_P(BackgroundPicture, HasItsSizeAndRimColours) {
  const Background& b = GetParam();
  const Picture pic(b.picture);
  ASSERT_EQ(pic.width(), b.width) << b.picture;
  ASSERT_EQ(pic.height(), b.height) << b.picture;
  for (const SampledColour& s : b.samples) {
    const Rgba got = pic.at(s.x, s.y);
    EXPECT_TRUE(near(got, s.colour, s.tolerance))
        << b.picture << ": " << s.where << " (" << s.x << "," << s.y << ") expected about "
        << describe(s.colour) << " got " << describe(got);
  }
}

// Baseline JPEG: a start-of-frame marker SOF0 and no other kind of frame (SOF2 would be
// progressive).
TEST_P(BackgroundPicture, IsABaselineJpeg) {
  const Background& b = GetParam();
  const RawBytes jpeg(b.picture);
  ASSERT_EQ(jpeg.u8(0), 0xFF) << b.picture;
  ASSERT_EQ(jpeg.u8(1), 0xD8) << b.picture << ": no JPEG start marker";
  std::vector<int> frames;
  std::size_t at = 2;
  // Walk the marker segments up to the start of the scan.
  while (at + 4 <= jpeg.size() && jpeg.u8(at) == 0xFF) {
    const int marker = jpeg.u8(at + 1);
    if (marker == 0xDA) break;
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      frames.push_back(marker);
    at += 2 + (static_cast<std::size_t>(jpeg.u8(at + 2)) << 8 | jpeg.u8(at + 3));
  }
  ASSERT_EQ(frames, std::vector<int>{0xC0}) << b.picture << ": frame markers found";
}

INSTANTIATE_TEST_SUITE_P(BothWindows, BackgroundPicture, testing::ValuesIn(backgrounds()),
                         [](const testing::TestParamInfo<Background>& param_info) {
                           const std::string n = param_info.param.picture;
                           return n.substr(0, n.find('_'));
                         });

bool dark_yellow(const Rgba& c) {
  return c.r > 120 && c.g > 110 && c.b < 110;
}

// The product name is written in the lower left of the main background, and only there; the
// companion background carries no lettering.
TEST(ProductName, StandsOnTheMainBackgroundOnly) {
  const Picture main("main_background.jpg");
  int first_x = 1000, last_x = -1, first_y = 1000, last_y = -1;
  for (int y = 14; y < main.height() - 14; ++y) {
    for (int x = 14; x < main.width() - 14; ++x) {
      if (!dark_yellow(main.at(x, y))) continue;
      first_x = std::min(first_x, x);
      last_x = std::max(last_x, x);
      first_y = std::min(first_y, y);
      last_y = std::max(last_y, y);
    }
  }
  ASSERT_GE(last_x, 0) << main.name() << ": no dark yellow lettering";
  EXPECT_NEAR(first_x, 100, 2) << main.name();
  EXPECT_NEAR(last_x, 157, 2) << main.name();
  EXPECT_NEAR(first_y, 276, 1) << main.name();
  EXPECT_NEAR(last_y, 285, 1) << main.name();

  const Picture companion("companion_background.jpg");
  int yellow = 0;
  for (int y = 0; y < companion.height(); ++y)
    for (int x = 0; x < companion.width(); ++x) yellow += dark_yellow(companion.at(x, y)) ? 1 : 0;
  EXPECT_EQ(yellow, 0) << companion.name() << ": lettering found";
}

// Exactly the pictures of both windows are stored, each once: the two quit buttons share one
// picture.
TEST(StoredPictures, AreExactlyTheSeventeenOfBothWindows) {
  GError* error = nullptr;
  char** names =
      g_resources_enumerate_children("/org/lumesca/assets/", G_RESOURCE_LOOKUP_FLAGS_NONE, &error);
  ASSERT_NE(names, nullptr) << (error ? error->message : "no resources");
  std::set<std::string> stored;
  for (char** n = names; *n; ++n) stored.insert(*n);
  g_strfreev(names);
  const std::set<std::string> expected = {
      "main_background.jpg", "companion_background.jpg", "narrow_mask.bmp",
      "wide_mask.bmp",       "companion_mask.bmp",       "button_mixer.gif",
      "button_tools.gif",    "button_open_menu.gif",     "button_close_menu.gif",
      "button_quit.gif",     "button_news.gif",          "button_listing.gif",
      "button_help.gif",     "button_links.gif",         "button_add.gif",
      "pointing_hand.cur",   "window_icon.ico",
  };
  EXPECT_EQ(stored, expected);
}

// The bitmaps (the three masks, the cursor and the icon) are stored compressed in the bundle,
// so that they do not make up most of the executable; the GIFs and JPEGs are compressed
// already and stored as they are.
TEST(StoredPictures, BitmapsAreStoredCompressed) {
  for (const char* name : {"narrow_mask.bmp", "wide_mask.bmp", "companion_mask.bmp",
                           "pointing_hand.cur", "window_icon.ico"}) {
    gsize size = 0;
    guint32 flags = 0;
    GError* error = nullptr;
    const gboolean found =
        g_resources_get_info(asset_test::resource_path(name).c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE,
                             &size, &flags, &error);
    ASSERT_TRUE(found) << name << ": " << (error ? error->message : "not stored");
    EXPECT_TRUE(flags & G_RESOURCE_FLAGS_COMPRESSED) << name << " is stored uncompressed";
  }
}

}  // namespace
