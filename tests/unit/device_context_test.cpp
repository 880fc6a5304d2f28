// Pixel reads through a picture box's device context: what a handle reads while its picture
// lives, outside the picture, and once the picture is replaced or its window unloaded. Every
// case runs on the recording platform, which resolves each read, and on a platform that reads
// in place as the desktop does, where the handle is resolved once per picture.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <type_traits>
#include <vector>

#include "forms/form.h"
#include "forms/runtime.h"
#include "forms/system_calls/picture.h"
#include "tests/support/recording_platform.h"

namespace testing_support {
namespace {

using forms::ColorRef;
using forms::kInvalidColor;

// The recording platform's steps and counts, with the forms layer's own pixel reads: a
// device context, once resolved, is read in place, and only the reads that resolve a handle
// come to read_pixel, where they are counted.
class InPlacePlatform : public RecordingPlatform {
 protected:
  ColorRef read_pixel(forms::HDC dc, std::int32_t x, std::int32_t y) override {
    RecordingPlatform::read_pixel(dc, x, y);  // counted
    return Platform::read_pixel(dc, x, y);
  }
};

// A window with two picture boxes, "A" and "B".
class BoxesWindow : public forms::Form {
 public:
  explicit BoxesWindow(forms::Runtime& runtime) : forms::Form(runtime, description()) {}

  static forms::FormDescription description() {
    forms::FormDescription form{.name = "Test", .title = "Test"};
    for (const char* name : {"A", "B"}) {
      form.controls.push_back({.name = name, .kind = forms::ControlKind::PictureBox});
    }
    return form;
  }
};

// A 3 x 2 picture whose pixel (x, y) is base + 10 * y + x.
forms::Picture numbered(ColorRef base) {
  std::vector<ColorRef> colors;
  for (ColorRef y = 0; y < 2; ++y) {
    for (ColorRef x = 0; x < 3; ++x) colors.push_back(base + 10 * y + x);
  }
  return forms::Picture::from_colors(3, 2, std::move(colors));
}

constexpr ColorRef kFirst = 0x100;
constexpr ColorRef kSecond = 0x200;

template <class PlatformType>
class DeviceContextTest : public ::testing::Test {
 protected:
  // Gives box `name` the picture numbered from `base` and returns its device context.
  forms::HDC draw(const char* name, ColorRef base) {
    forms::PictureBox box = window.picture_box(name);
    box.set_Picture(numbered(base));
    return box.hDC();
  }
  ColorRef read(forms::HDC dc, std::int32_t x, std::int32_t y) {
    return window.picture_box("A").gdi32().GetPixel(dc, x, y);
  }

  PlatformType platform;
  forms::Runtime runtime{platform};
  BoxesWindow window{runtime};
};

using Platforms = ::testing::Types<RecordingPlatform, InPlacePlatform>;
class PlatformNames {
 public:
  template <class T>
  static std::string GetName(int) {
    return std::is_same_v<T, RecordingPlatform> ? "Recording" : "InPlace";
  }
};
TYPED_TEST_SUITE(DeviceContextTest, Platforms, PlatformNames);

TYPED_TEST(DeviceContextTest, ReadsItsPictureAndTheInvalidColourOutsideIt) {
  const forms::HDC dc = this->draw("A", kFirst);
  EXPECT_EQ(this->read(dc, 0, 0), kFirst);
  EXPECT_EQ(this->read(dc, 2, 0), kFirst + 2);
  EXPECT_EQ(this->read(dc, 0, 1), kFirst + 10);
  EXPECT_EQ(this->read(dc, 2, 1), kFirst + 12);
  const struct {
    std::int32_t x, y;
  } outside[] = {{-1, 0}, {0, -1}, {3, 0}, {0, 2}, {3, 1}, {INT_MIN, 0}, {0, INT_MAX}};
  for (const auto& p : outside) {
    EXPECT_EQ(this->read(dc, p.x, p.y), kInvalidColor) << "(" << p.x << ", " << p.y << ")";
  }
  EXPECT_EQ(this->read(forms::HDC{}, 0, 0), kInvalidColor) << "the null handle";
}

TYPED_TEST(DeviceContextTest, ReadsOfTwoDeviceContextsInTurnReachEachItsOwnPicture) {
  const forms::HDC a = this->draw("A", kFirst);
  const forms::HDC b = this->draw("B", kSecond);
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(this->read(a, 1, 1), kFirst + 11);
    EXPECT_EQ(this->read(b, 1, 1), kSecond + 11);
  }
}

TYPED_TEST(DeviceContextTest, AHandleKeptAcrossAnUnloadReadsTheInvalidColour) {
  const forms::HDC stale = this->draw("A", kFirst);
  EXPECT_EQ(this->read(stale, 1, 0), kFirst + 1);

  this->window.Unload();
  EXPECT_EQ(this->read(stale, 1, 0), kInvalidColor) << "unloaded";

  // Loaded again, the box has a new device context and the old one still reaches nothing.
  const forms::HDC fresh = this->draw("A", kSecond);
  EXPECT_NE(fresh, stale);
  EXPECT_EQ(this->read(fresh, 1, 0), kSecond + 1);
  EXPECT_EQ(this->read(stale, 1, 0), kInvalidColor) << "loaded again";
}

TYPED_TEST(DeviceContextTest, TheHandleOfAReplacedPictureReadsTheInvalidColour) {
  const forms::HDC old = this->draw("A", kFirst);
  EXPECT_EQ(this->read(old, 0, 1), kFirst + 10);

  const forms::HDC current = this->draw("A", kSecond);
  EXPECT_NE(current, old);
  EXPECT_EQ(this->read(old, 0, 1), kInvalidColor);
  EXPECT_EQ(this->read(current, 0, 1), kSecond + 10);
}

// How many of six reads of one picture's pixels reach read_pixel on the platform.
template <class PlatformType>
int resolving_reads() {
  PlatformType platform;
  forms::Runtime runtime{platform};
  BoxesWindow window{runtime};
  forms::PictureBox box = window.picture_box("A");
  box.set_Picture(numbered(kFirst));
  const forms::HDC dc = box.hDC();
  platform.reset_counts();
  ColorRef sum = 0;
  for (int i = 0; i < 6; ++i) sum += box.gdi32().GetPixel(dc, i % 3, i / 3);
  EXPECT_EQ(sum, 6 * kFirst + 0 + 1 + 2 + 10 + 11 + 12);
  return platform.pixel_reads();
}

// The recording platform sees every read; in place, as on the desktop, only the first read
// resolves the handle, so that the reads of a mask cost no look-up.
TEST(DeviceContextReads, RecordedOneByOneOrResolvedOncePerPicture) {
  EXPECT_EQ(resolving_reads<RecordingPlatform>(), 6);
  EXPECT_EQ(resolving_reads<InPlacePlatform>(), 1);
}

}  // namespace
}  // namespace testing_support
