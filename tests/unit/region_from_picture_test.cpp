#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/system_calls/picture.h"
#include "shaped_window/module1.h"
#include "shaped_window/skin.h"
#include "skin_outlines.h"
#include "tests/unit/program_fixture.h"

namespace testing_support {
namespace {

using ::testing::ElementsAreArray;

constexpr forms::ColorRef kGreen = 0x0000FF00;  // the masks' key colour
constexpr forms::ColorRef kBlue = 0x00FF8000;   // RGB(0,128,255)
constexpr forms::ColorRef kDarkBlue = 0x009E4040;
constexpr forms::ColorRef kNearGreen = 0x0001FE00;  // RGB(0,254,1)

// A window holding one hidden picture box, "Mask", whose picture each test draws.
class MaskWindow : public forms::Form {
 public:
  explicit MaskWindow(forms::Runtime& runtime) : forms::Form(runtime, description()) {}

  static forms::FormDescription description() {
    forms::FormDescription form{.name = "Test", .title = "Test"};
    forms::ControlDescription mask{.name = "Mask", .kind = forms::ControlKind::PictureBox};
    mask.visible = false;
    form.controls = {mask};
    return form;
  }
};

// Rows of a mask drawn in text: '.' green, '#' blue, 'o' dark blue, 'n' almost green.
forms::Picture draw(const std::vector<std::string>& rows) {
  std::vector<forms::ColorRef> colors;
  for (const std::string& row : rows) {
    for (char c : row) {
      colors.push_back(c == '.' ? kGreen : c == '#' ? kBlue : c == 'o' ? kDarkBlue : kNearGreen);
    }
  }
  return forms::Picture::from_colors(static_cast<int>(rows.at(0).size()),
                                     static_cast<int>(rows.size()), std::move(colors));
}

class RegionFromPictureTest : public ProgramTest {
 protected:
  // Prepares the mask as every caller does and builds its region.
  forms::HRgn build(const std::vector<std::string>& rows) {
    forms::PictureBox mask = window.picture_box("Mask");
    mask.set_Picture(draw(rows));
    shaped_window::prepare_skin_mask(mask);
    platform.clear_log();
    platform.reset_counts();
    return Module1::RegionFromPicture(mask);
  }

  std::vector<std::string> region_calls() const {
    std::vector<std::string> calls;
    for (const std::string& entry : platform.log()) {
      if (entry.find("Rgn(") != std::string::npos || entry.starts_with("DeleteObject")) {
        calls.push_back(entry);
      }
    }
    return calls;
  }

  // The pixels of the region (none for no region) within width x height.
  pixels::Bitmap covered_by(forms::HRgn region, int width, int height) const {
    return covered(platform.rectangles(region).value_or(std::vector<Rect>{}), width, height);
  }

  // The pixels of a mask drawn in text that are not of its key colour, its first pixel's.
  static pixels::Bitmap inside(const std::vector<std::string>& rows) {
    const char key = rows[0][0];
    std::vector<std::string> result = rows;
    for (std::string& row : result) {
      for (char& c : row) c = c == key ? '.' : '#';
    }
    return pixels::from_rows(result);
  }

  MaskWindow window{runtime};
};

struct MaskCase {
  const char* what;
  std::vector<std::string> rows;
  std::vector<std::string> calls;  // the region operations, in order
};

class RegionCases : public RegionFromPictureTest, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(RegionCases, CoversExactlyTheNonKeyPixelsWithOneRectanglePerRun) {
  const MaskCase& c = GetParam();
  const int width = static_cast<int>(c.rows[0].size());
  const int height = static_cast<int>(c.rows.size());

  const forms::HRgn region = build(c.rows);

  EXPECT_THAT(region_calls(), ElementsAreArray(c.calls));
  EXPECT_EQ(platform.pixel_reads(), width * height + 1);
  EXPECT_EQ(covered_by(region, width, height), inside(c.rows));
  // Every rectangle but the result has been freed.
  EXPECT_EQ(platform.live_regions(), region ? 1u : 0u);
}

const std::string kJoin = "CombineRgn(result, result, rectangle, 2)";
const std::string kFree = "DeleteObject(rectangle)";

INSTANTIATE_TEST_SUITE_P(
    Masks, RegionCases,
    ::testing::Values(
        MaskCase{"AllKey", {"...", "..."}, {}},
        MaskCase{"OnePixel", {"...", ".#.", "..."}, {"CreateRectRgn(1, 1, 2, 2)"}},
        MaskCase{"RunFromColumnZero", {"...", "##.", "..."}, {"CreateRectRgn(0, 1, 2, 2)"}},
        MaskCase{"SeveralRunsInARow",
                 {".#.##.o"},
                 {"CreateRectRgn(1, 0, 2, 1)", "CreateRectRgn(3, 0, 5, 1)", kJoin, kFree,
                  "CreateRectRgn(6, 0, 7, 1)", kJoin, kFree}},
        MaskCase{"RunToTheRightEdgeThenColumnZero",
                 {".##", "#..", "###"},
                 {"CreateRectRgn(1, 0, 3, 1)", "CreateRectRgn(0, 1, 1, 2)", kJoin, kFree,
                  "CreateRectRgn(0, 2, 3, 3)", kJoin, kFree}},
        MaskCase{"OnePixelWide",
                 {".", "#", "o", ".", "#"},
                 {"CreateRectRgn(0, 1, 1, 2)", "CreateRectRgn(0, 2, 1, 3)", kJoin, kFree,
                  "CreateRectRgn(0, 4, 1, 5)", kJoin, kFree}},
        MaskCase{
            "Hole",
            {".....", ".###.", ".#.#.", ".###."},
            {"CreateRectRgn(1, 1, 4, 2)", "CreateRectRgn(1, 2, 2, 3)", kJoin, kFree,
             "CreateRectRgn(3, 2, 4, 3)", kJoin, kFree, "CreateRectRgn(1, 3, 4, 4)", kJoin, kFree}},
        MaskCase{"AlmostKeyIsInside",
                 {".n", "n."},
                 {"CreateRectRgn(1, 0, 2, 1)", "CreateRectRgn(0, 1, 1, 2)", kJoin, kFree}},
        MaskCase{"KeyIsWhateverPixelZeroHolds",
                 {"#.#", "..#"},
                 {"CreateRectRgn(1, 0, 2, 1)", "CreateRectRgn(0, 1, 2, 2)", kJoin, kFree}}),
    [](const auto& test) { return std::string(test.param.what); });

TEST_F(RegionFromPictureTest, ASingleRunIsReturnedAsTheRectangleItself) {
  const forms::HRgn region = build({"....", ".##.", "...."});
  EXPECT_EQ(platform.rectangles_created(), 1);
  EXPECT_EQ(platform.regions_combined(), 0);
  EXPECT_EQ(platform.regions_deleted(), 0);
  EXPECT_EQ(platform.rectangles(region), (std::vector<Rect>{{1, 1, 3, 2}}));
}

TEST_F(RegionFromPictureTest, ReadsTheBoxOnceEachBeforeAnyPixel) {
  build({"..", ".#"});
  const std::vector<std::string> reads = {"Test.Mask.hDC", "Test.Mask.ScaleWidth",
                                          "Test.Mask.ScaleHeight"};
  EXPECT_THAT(platform.steps(), ElementsAreArray(reads));
  EXPECT_EQ(platform.pixel_reads(), 2 * 2 + 1);
  for (const std::string& read : reads) {
    EXPECT_EQ(platform.pixel_reads_at(read), std::optional<int>(0)) << read;
  }
}

// Scale sizes that give no pixel to read: only the key colour is read, nothing is built.
TEST_F(RegionFromPictureTest, AnEmptyScaleSizeReadsOnlyTheKeyColour) {
  const struct {
    const char* member;
    float value;
  } cases[] = {{"ScaleWidth", 0}, {"ScaleHeight", 0}, {"ScaleWidth", -3}, {"ScaleHeight", 0.4f}};
  for (const auto& c : cases) {
    platform.answer(std::string("Test.Mask.") + c.member, c.value);
    const forms::HRgn region = build({"##", "##"});
    EXPECT_FALSE(region) << c.member << " " << c.value;
    EXPECT_EQ(platform.pixel_reads(), 1) << c.member << " " << c.value;
    EXPECT_EQ(platform.rectangles_created(), 0) << c.member << " " << c.value;
    platform.answer(std::string("Test.Mask.") + c.member, forms::Value{});
  }
}

TEST_F(RegionFromPictureTest, ScaleSizesRoundHalvesToEven) {
  platform.answer("Test.Mask.ScaleWidth", 2.5f);   // two columns
  platform.answer("Test.Mask.ScaleHeight", 3.5f);  // four rows
  build({"....", "....", "....", "...."});
  EXPECT_EQ(platform.pixel_reads(), 2 * 4 + 1);
}

TEST_F(RegionFromPictureTest, OutOfRangeSizesRaiseOverflowBeforeAnyRectangle) {
  const struct {
    const char* member;
    float value;
    int reads;  // the conversion comes before the key colour; W - 1 and H - 1 after it
  } cases[] = {{"ScaleWidth", 3e9f, 0},
               {"ScaleHeight", -3e9f, 0},
               {"ScaleWidth", -2147483648.0f, 1},
               {"ScaleHeight", -2147483648.0f, 1}};
  for (const auto& c : cases) {
    platform.answer(std::string("Test.Mask.") + c.member, c.value);
    try {
      build({"##", "##"});
      ADD_FAILURE() << c.member << " " << c.value << " built a region";
    } catch (const forms::RuntimeError& error) {
      EXPECT_EQ(error.number(), 6);
    }
    EXPECT_EQ(platform.pixel_reads(), c.reads) << c.member << " " << c.value;
    EXPECT_EQ(platform.rectangles_created(), 0);
    EXPECT_EQ(platform.live_regions(), 0u);
    platform.answer(std::string("Test.Mask.") + c.member, forms::Value{});
  }
}

TEST_F(RegionFromPictureTest, AFailingReadLeavesTheBuilderWithNothingMade) {
  for (const char* read : {"Test.Mask.hDC", "Test.Mask.ScaleWidth", "Test.Mask.ScaleHeight"}) {
    platform.fail_step(read);
    EXPECT_THROW(build({".#", "##"}), forms::RuntimeError) << read;
    EXPECT_EQ(platform.pixel_reads(), 0) << read;
    EXPECT_EQ(platform.live_regions(), 0u) << read;
  }
}

// The three stored skin masks, read through the windows' own picture boxes.
struct StoredMask {
  const char* what;
  forms::DefaultInstance* window;
  const char* box;
  const skin_outlines::Outline& (*outline)();
  int pixel_reads;
  Rect first, last;
};

class StoredMasks : public ProgramTest, public ::testing::WithParamInterface<StoredMask> {};

TEST_P(StoredMasks, GiveOneRectanglePerRowOfTheOutline) {
  const StoredMask& c = GetParam();
  const skin_outlines::Outline& outline = c.outline();
  forms::PictureBox mask = (*c.window)->picture_box(c.box);
  shaped_window::prepare_skin_mask(mask);
  platform.reset_counts();
  platform.clear_log();

  const forms::HRgn region = Module1::RegionFromPicture(mask);

  const int rows = outline.rows_with_runs();
  EXPECT_EQ(platform.pixel_reads(), c.pixel_reads);
  EXPECT_EQ(platform.rectangles_created(), rows);
  EXPECT_EQ(platform.regions_combined(), rows - 1);
  EXPECT_EQ(platform.regions_deleted(), rows - 1);
  std::vector<std::string> created;
  for (const std::string& entry : platform.log()) {
    if (entry.starts_with("CreateRectRgn")) created.push_back(entry);
  }
  const auto text = [](const Rect& r) {
    return "CreateRectRgn(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
  };
  ASSERT_FALSE(created.empty());
  EXPECT_EQ(created.front(), text(c.first));
  EXPECT_EQ(created.back(), text(c.last));

  ASSERT_TRUE(platform.rectangles(region).has_value());
  const pixels::Bitmap built = covered(*platform.rectangles(region), outline.width, outline.height);
  const pixels::Bitmap expected = skin_outlines::pixels(outline, outline.width, outline.height);
  EXPECT_EQ(built, expected) << c.what << ": " << pixels::differences(built, expected);
}

INSTANTIATE_TEST_SUITE_P(Windows, StoredMasks,
                         ::testing::Values(StoredMask{"Narrow",
                                                      &lumesca::Form1,
                                                      "Picture2",
                                                      &skin_outlines::narrow,
                                                      90001,
                                                      {14, 2, 286, 3},
                                                      {17, 297, 283, 298}},
                                           StoredMask{"Wide",
                                                      &lumesca::Form1,
                                                      "Picture1",
                                                      &skin_outlines::wide,
                                                      142801,
                                                      {14, 2, 462, 3},
                                                      {17, 297, 459, 298}},
                                           StoredMask{"Companion",
                                                      &lumesca::Form2,
                                                      "Picture1",
                                                      &skin_outlines::companion,
                                                      178977,
                                                      {14, 2, 462, 3},
                                                      {17, 374, 459, 375}}),
                         [](const auto& test) { return std::string(test.param.what); });

}  // namespace
}  // namespace testing_support
