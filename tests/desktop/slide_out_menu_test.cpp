// The slide-out menu on a real display: the arrow widens the window to the wide outline and
// reveals the tools image, the mixer image and the version label; the arrow in its place
// narrows it back to the start-up outline.
#include <gtest/gtest.h>

#include "tests/desktop/lumesca_test.h"

namespace lumesca_desktop {
namespace {

class SlideOutMenu : public LumescaTest {
 protected:
  // Whether the button picture's black outline shows at the control's top-left corner.
  bool button_outline_shows(Window main, Point button_corner) {
    const Point p = on(main, button_corner + Point{1, 1});
    return x().pixel(p.x, p.y) == 0x000000;
  }
};

TEST_F(SlideOutMenu, OpensToTheWideOutlineAndClosesToTheNarrowOneRoundAfterRound) {
  const Window main = start_lumesca();
  ASSERT_NE(main, 0u);
  ASSERT_TRUE(site().wait_for_request(kPlayerPage, seconds(20)));
  x().move_pointer(1023, 767);
  const Point origin = x().geometry(main)->origin();

  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    x().click(on(main, main_window::kArrow));
    // 7060 twips is 470.67 pixels, rounded to the nearest pixel.
    ASSERT_TRUE(wait_for_width(main, 471)) << "width " << width_of(main);
    ASSERT_TRUE(desktop::wait_until(
        [&] {
          return x().shown_pixels(main) == skin_outlines::pixels(skin_outlines::wide(), 471, 300);
        },
        seconds(5)))
        << differences(x().shown_pixels(main),
                       skin_outlines::pixels(skin_outlines::wide(), 471, 300));
    x().move_pointer(1023, 767);
    EXPECT_TRUE(desktop::wait_until(
        [&] {
          return button_outline_shows(main, {294, 267});
        },
        seconds(3)))
        << "tools image";
    EXPECT_TRUE(button_outline_shows(main, {372, 267})) << "mixer image";
    EXPECT_TRUE(button_outline_shows(main, {249, 267})) << "close-menu arrow";

    x().click(on(main, main_window::kArrow));
    ASSERT_TRUE(wait_for_width(main, 294)) << "width " << width_of(main);
    ASSERT_TRUE(desktop::wait_until(
        [&] {
          return x().shown_pixels(main) == skin_outlines::pixels(skin_outlines::narrow(), 294, 300);
        },
        seconds(5)))
        << differences(x().shown_pixels(main),
                       skin_outlines::pixels(skin_outlines::narrow(), 294, 300));
    EXPECT_EQ(x().geometry(main)->origin(), origin) << "the window moved";
    EXPECT_EQ(x().geometry(main)->height, 300);
  }
  EXPECT_EQ(site().requests(), std::vector<std::string>{kPlayerPage}) << "a toggle navigated";
}

TEST_F(SlideOutMenu, TheVersionLabelShowsInTheRevealedStrip) {
  const Window main = start_lumesca();
  site().wait_for_request(kPlayerPage, seconds(20));
  open_menu(main);
  x().move_pointer(1023, 767);
  // Dark letters of "v 4.1" on the blue field, within the label's rectangle x 428..450.
  const auto dark_pixels = [&] {
    const Point corner = on(main, {428, 275});
    const desktop::Image label = x().capture({corner.x, corner.y, 23, 17});
    int dark = 0;
    for (desktop::Rgb pixel : label.pixels) dark += (pixel & 0xFF) < 0x80 ? 1 : 0;
    return dark;
  };
  EXPECT_TRUE(desktop::wait_until([&] { return dark_pixels() > 5; }, seconds(3)))
      << dark_pixels() << " dark pixels";
}

}  // namespace
}  // namespace lumesca_desktop
