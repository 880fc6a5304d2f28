// The companion window on a real display: opened by the tools image at 72,0, cut to its own
// outline on the news page, its five page buttons, its drag, its close button, and its return.
#include <gtest/gtest.h>

#include "tests/desktop/lumesca_test.h"

namespace lumesca_desktop {
namespace {

class CompanionWindow : public LumescaTest {
 protected:
  Window start_and_open() {
    const Window main = start_lumesca();
    if (main == 0) return 0;
    site().wait_for_request(kPlayerPage, seconds(20));
    site().clear();
    main_ = main;
    return open_companion(main);
  }
  Window main_ = 0;
};

TEST_F(CompanionWindow, OpensOnceAt72_0CutToItsOutlineOnTheNewsPage) {
  const Window companion = start_and_open();
  ASSERT_NE(companion, 0u);
  EXPECT_EQ(x().windows_titled(kCompanionTitle), 1);
  EXPECT_EQ(x().geometry(companion), (Rect{72, 0, 477, 375}));
  const Bitmap expected = skin_outlines::pixels(skin_outlines::companion(), 477, 375);
  const Bitmap shown = x().shown_pixels(companion);
  EXPECT_TRUE(shown == expected) << differences(shown, expected);
  for (int y = 0; y < 375; ++y) EXPECT_FALSE(shown.at(476, y)) << "column 476, row " << y;
  EXPECT_TRUE(site().wait_for_request(kNewsPage, seconds(20)));

  // A second click on the tools image opens nothing more and asks for nothing.
  site().clear();
  x().click(on(main_, main_window::kTools));
  std::this_thread::sleep_for(milliseconds(500));
  EXPECT_EQ(x().windows_titled(kCompanionTitle), 1);
  EXPECT_TRUE(site().requests().empty());
}

TEST_F(CompanionWindow, EachButtonAsksForItsPageInTheOrderClicked) {
  const Window companion = start_and_open();
  ASSERT_NE(companion, 0u);
  ASSERT_TRUE(site().wait_for_request(kNewsPage, seconds(20)));
  site().clear();
  const struct {
    const char* name;
    Point place;
    const char* page;
  } buttons[] = {{"listing", companion_window::kListing, "/lumesca3/listing-lumesca4.html"},
                 {"aide", companion_window::kHelp, "/lumesca3/aide-dravel2.html"},
                 {"liens", companion_window::kLinks, "/lumesca3/liens.html"},
                 {"ajouter", companion_window::kAdd, "/lumesca3/soumettre.html"},
                 {"news", companion_window::kNews, "/lumesca3/index-lumesca4.html"},
                 {"news", companion_window::kNews, "/lumesca3/index-lumesca4.html"}};
  std::vector<std::string> expected;
  for (const auto& button : buttons) {
    x().click(on(companion, button.place));
    expected.push_back(button.page);
    ASSERT_TRUE(desktop::wait_until([&] { return site().requests().size() == expected.size(); },
                                    seconds(10)))
        << "after the button " << button.name << " at " << button.place;
  }
  EXPECT_EQ(site().requests(), expected);
}

TEST_F(CompanionWindow, ADragOnItsSurfaceMovesItAndNotTheMainWindow) {
  const Window companion = start_and_open();
  ASSERT_NE(companion, 0u);
  const Point main_before = x().geometry(main_)->origin();
  const Point from = on(companion, companion_window::kSurface);
  x().drag(from, from + Point{150, 200}, 1);
  EXPECT_TRUE(desktop::wait_until(
      [&] {
        return x().geometry(companion)->origin() == Point{72 + 150, 200};
      },
      seconds(5)))
      << "at " << x().geometry(companion)->origin();
  EXPECT_EQ(x().geometry(main_)->origin(), main_before);
}

TEST_F(CompanionWindow, ClosedItGoesAndComesBackFromScratch) {
  const Window companion = start_and_open();
  ASSERT_NE(companion, 0u);
  ASSERT_TRUE(site().wait_for_request(kNewsPage, seconds(20)));
  // Somewhere else, on another page.
  const Point from = on(companion, companion_window::kSurface);
  x().drag(from, from + Point{100, 150}, 1);
  x().click(on(companion, companion_window::kLinks));
  ASSERT_TRUE(site().wait_for_request("/lumesca3/liens.html", seconds(10)));

  x().click(on(companion, companion_window::kQuit));
  ASSERT_TRUE(
      desktop::wait_until([&] { return x().windows_titled(kCompanionTitle) == 0; }, seconds(5)));
  EXPECT_TRUE(program().running());
  EXPECT_EQ(x().windows_titled(kMainTitle), 1);

  site().clear();
  x().click(on(main_, main_window::kTools));
  const auto again = x().find_window(kCompanionTitle, seconds(10));
  ASSERT_TRUE(again);
  x().wait_for_shape(*again, seconds(5));
  EXPECT_EQ(x().geometry(*again), (Rect{72, 0, 477, 375}));
  EXPECT_TRUE(x().shown_pixels(*again) ==
              skin_outlines::pixels(skin_outlines::companion(), 477, 375));
  EXPECT_TRUE(site().wait_for_request(kNewsPage, seconds(20)));
}

}  // namespace
}  // namespace lumesca_desktop
