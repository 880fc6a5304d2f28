// The main window at start on a real display: its size, its outline read back from the X
// server, the player page asked of the site, its look, and its drag.
#include <gtest/gtest.h>

#include "tests/desktop/lumesca_test.h"

namespace lumesca_desktop {
namespace {

using desktop::Rgb;

class MainWindowAtStart : public LumescaTest {};

TEST_F(MainWindowAtStart, ShowsOneNarrowWindowCutToTheNarrowOutline) {
  const Window main = start_lumesca();
  ASSERT_NE(main, 0u);
  const auto where = x().geometry(main);
  ASSERT_TRUE(where);
  EXPECT_EQ(where->width, 294);
  EXPECT_EQ(where->height, 300);
  EXPECT_EQ(x().windows_titled(kMainTitle), 1);

  const Bitmap shown = x().shown_pixels(main);
  const Bitmap expected = skin_outlines::pixels(skin_outlines::narrow(), 294, 300);
  EXPECT_TRUE(shown == expected) << "differences: " << differences(shown, expected);
  // The outline's right side is the window's straight edge from row 7 to row 291.
  for (int y = 7; y <= 291; ++y) EXPECT_TRUE(shown.at(293, y)) << "row " << y;
}

TEST_F(MainWindowAtStart, AsksTheSiteForThePlayerPageOnce) {
  start_lumesca();
  EXPECT_TRUE(site().wait_for_request(kPlayerPage, seconds(20)));
  EXPECT_EQ(site().count(kPlayerPage), 1);
  EXPECT_EQ(site().requests().front(), kPlayerPage);
}

TEST_F(MainWindowAtStart, StartsInNormalOrder) {
  const Window main = start_lumesca();
  site().wait_for_request(kPlayerPage, seconds(20));
  for (const std::string& state : x().net_wm_state(main)) {
    EXPECT_NE(state, "_NET_WM_STATE_ABOVE");
  }
  EXPECT_TRUE(program().running());
}

TEST_F(MainWindowAtStart, DrawsTheBackgroundTheBoxAndTheButtonsWhereTheyAreLaidOut) {
  const Window main = start_lumesca();
  site().wait_for_request(kPlayerPage, seconds(20));
  x().move_pointer(1023, 767);
  const auto pixel = [&](int px, int py) {
    const Point p = on(main, {px, py});
    return x().pixel(p.x, p.y);
  };
  desktop::wait_until([&] { return near(pixel(150, 264), 0x0080FF); }, seconds(5));
  const struct {
    const char* what;
    int px, py;
    Rgb colour;
    int tolerance;
  } samples[] = {
      {"background field between the web view and the buttons", 150, 264, 0x0080FF, 24},
      {"keep-on-top box, blue, at its right end", 73, 273, 0x0000FF, 0},
      {"quit button's outline", 186, 268, 0x000000, 0},
      {"quit button's face", 189, 283, 0x0099FF, 0},
      {"quit button's light edge", 186, 272, 0x00FFFF, 0},
      {"open-menu arrow's outline", 250, 268, 0x000000, 0},
      {"open-menu arrow's face", 252, 272, 0x0099FF, 0},
  };
  for (const auto& s : samples) {
    EXPECT_TRUE(near(pixel(s.px, s.py), s.colour, s.tolerance))
        << s.what << ": " << std::hex << pixel(s.px, s.py) << " expected " << s.colour;
  }
  // The product name is drawn in dark yellow on the blue field.
  int yellow = 0;
  for (int py = 276; py <= 285; ++py) {
    for (int px = 100; px <= 157; ++px) yellow += near(pixel(px, py), 0xC8BE00, 40) ? 1 : 0;
  }
  EXPECT_GT(yellow, 20);
}

class MainWindowDrag : public LumescaTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(MainWindowDrag, AnyButtonOnTheSurfaceMovesTheWindowByThePointersMotion) {
  const Window main = start_lumesca();
  const auto before = x().geometry(main);
  ASSERT_TRUE(before);
  const Point from = on(main, main_window::kSurface);
  x().drag(from, from + Point{-120, 90}, GetParam());
  ASSERT_TRUE(desktop::wait_until(
      [&] {
        return x().geometry(main)->origin() == before->origin() + Point{-120, 90};
      },
      seconds(5)))
      << "now at " << x().geometry(main)->origin();
  EXPECT_EQ(x().geometry(main)->width, 294);
}

INSTANTIATE_TEST_SUITE_P(LeftMiddleRight, MainWindowDrag, ::testing::Values(1u, 2u, 3u));

TEST_F(MainWindowDrag, APressOnTheWebViewOrOutsideTheOutlineMovesNothing) {
  const Window main = start_lumesca();
  site().wait_for_request(kPlayerPage, seconds(20));
  const auto before = x().geometry(main);
  ASSERT_TRUE(before);
  for (const Point start_point : {main_window::kWebView, main_window::kSeeThrough}) {
    const Point from = on(main, start_point);
    x().drag(from, from + Point{100, 60}, 1);
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(x().geometry(main)->origin(), before->origin())
        << "press at " << start_point << " moved the window";
  }
}

}  // namespace
}  // namespace lumesca_desktop

namespace lumesca_desktop {
namespace {

class MainWindowPointer : public LumescaTest {};

// Over the keep-on-top box and the image buttons the pointer is the pointing hand: 32 x 32,
// hotspot at the tip of the raised finger (13, 7); over the window's own surface it is the
// desktop's standard pointer.
TEST_F(MainWindowPointer, IsThePointingHandOverTheBoxAndTheButtonsOnly) {
  const Window main = start_lumesca();
  ASSERT_NE(main, 0u);
  const auto is_hand = [&] {
    const desktop::XClient::Cursor c = x().cursor();
    if (c.width != 32 || c.height != 32 || c.x_hot != 13 || c.y_hot != 7) return false;
    const auto at = [&](int px, int py) { return c.argb[static_cast<std::size_t>(py * 32 + px)]; };
    // Black outline of the finger's tip, white inside it, the background transparent.
    return at(12, 7) == 0xFF000000u && at(15, 7) == 0xFF000000u && at(13, 8) == 0xFFFFFFFFu &&
           at(14, 20) == 0xFFFFFFFFu && at(0, 0) >> 24 == 0 && at(30, 30) >> 24 == 0;
  };
  for (const Point control : {main_window::kCheckBox, main_window::kQuit, main_window::kArrow}) {
    x().move_pointer(on(main, control));
    EXPECT_TRUE(desktop::wait_until(is_hand, seconds(3))) << "over " << control;
  }
  x().move_pointer(on(main, main_window::kSurface));
  EXPECT_TRUE(desktop::wait_until([&] { return !is_hand(); }, seconds(3)));
}

}  // namespace
}  // namespace lumesca_desktop
