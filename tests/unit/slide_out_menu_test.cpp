#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "skin_outlines.h"
#include "tests/support/failing_steps.h"
#include "tests/unit/program_fixture.h"

namespace testing_support {
namespace {

using ::testing::ElementsAreArray;

std::vector<std::string> open_steps() {
  return concat(cut_to_skin_steps("Form1", "Picture1"),
                {"Form1.Width = 7060", "Form1.Web.Width = 6755", "Form1.droit.Visible = False",
                 "Form1.gauche.Visible = True"});
}

std::vector<std::string> close_steps() {
  return concat(cut_to_skin_steps("Form1", "Picture2"),
                {"Form1.Width = 4410", "Form1.Web.Width = 4090", "Form1.gauche.Visible = False",
                 "Form1.droit.Visible = True"});
}

// Pixels of the window's outline, clipped to the window's width.
std::vector<std::string> shown(const std::vector<Rect>& outline, int width, int height) {
  std::vector<std::string> rows(height, std::string(width, '.'));
  for (const Rect& r : outline) {
    for (int y = std::max(r.top, 0); y < std::min(r.bottom, height); ++y) {
      for (int x = std::max(r.left, 0); x < std::min(r.right, width); ++x) rows[y][x] = '#';
    }
  }
  return rows;
}

std::vector<std::string> expected(const skin_outlines::Outline& outline, int width) {
  std::vector<std::string> rows(outline.height, std::string(width, '.'));
  for (int y = 0; y < outline.height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (outline.inside(x, y)) rows[y][x] = '#';
    }
  }
  return rows;
}

class SlideOutMenu : public ProgramTest {
 protected:
  void SetUp() override {
    start();
    platform.clear_log();
  }

  float web_width() {
    forms::Form& main = *forms::Form1;
    return main.control_state(main.description().index_of("Web")).rect.width;
  }
  bool visible(const char* control) {
    forms::Form& main = *forms::Form1;
    return main.control_state(main.description().index_of(control)).visible;
  }
};

TEST_F(SlideOutMenu, OpenAndCloseRunTheirThirteenStepsInOrder) {
  click(forms::Form1, "droit");
  EXPECT_THAT(platform.steps(), ElementsAreArray(open_steps()));
  platform.clear_log();
  click(forms::Form1, "gauche");
  EXPECT_THAT(platform.steps(), ElementsAreArray(close_steps()));
}

TEST_F(SlideOutMenu, OpenCloseOpenGivesTheSameWindowEachTime) {
  for (int round = 0; round < 3; ++round) {
    platform.clear_log();
    click(forms::Form1, "droit");
    EXPECT_THAT(platform.steps(), ElementsAreArray(open_steps())) << "round " << round;
    EXPECT_EQ(forms::Form1->width(), 7060.0f);
    EXPECT_EQ(web_width(), 6755.0f);
    EXPECT_FALSE(visible("droit"));
    EXPECT_TRUE(visible("gauche"));
    EXPECT_EQ(shown(platform.window_state("Form1").outline, 471, 300),
              expected(skin_outlines::wide(), 471));

    platform.clear_log();
    click(forms::Form1, "gauche");
    EXPECT_THAT(platform.steps(), ElementsAreArray(close_steps())) << "round " << round;
    EXPECT_EQ(forms::Form1->width(), 4410.0f);
    EXPECT_EQ(web_width(), 4090.0f);
    EXPECT_TRUE(visible("droit"));
    EXPECT_FALSE(visible("gauche"));
    EXPECT_EQ(shown(platform.window_state("Form1").outline, 294, 300),
              expected(skin_outlines::narrow(), 294));
  }
  // Only the start asked for a page; no toggle navigates, and each rebuilt its region anew.
  EXPECT_EQ(platform.navigations().size(), 1u);
  EXPECT_EQ(platform.live_regions(), 0u);
}

TEST_F(SlideOutMenu, AMaskOfOnlyTheKeyColourTakesTheOutlineAway) {
  forms::Form1->picture_box("Picture1")
      .set_Picture(forms::Picture::from_colors(4, 4, std::vector<forms::ColorRef>(16, 0x0000FF00)));
  platform.clear_log();
  click(forms::Form1, "droit");
  EXPECT_THAT(platform.steps(), ::testing::Contains("SetWindowRgn(Form1, 0, True)"));
  EXPECT_FALSE(platform.window_state("Form1").shaped);
  EXPECT_EQ(forms::Form1->width(), 7060.0f);
}

struct FailingStep {
  bool opening;
  std::size_t index;
};

class SlideOutMenuFailure : public SlideOutMenu,
                            public ::testing::WithParamInterface<FailingStep> {};

TEST_P(SlideOutMenuFailure, StopsTheHandlerAtTheFailingStepAndEndsTheProgram) {
  const FailingStep& failing = GetParam();
  if (!failing.opening) {
    click(forms::Form1, "droit");
    platform.clear_log();
  }
  const std::vector<std::string> steps = failing.opening ? open_steps() : close_steps();
  platform.fail_step(steps[failing.index]);

  click(forms::Form1, failing.opening ? "droit" : "gauche");

  expect_stopped_at(platform, runtime, steps, failing.index);
}

std::vector<FailingStep> every_failable_step() {
  std::vector<FailingStep> result;
  for (bool opening : {true, false}) {
    for (std::size_t i : failable_steps(opening ? open_steps() : close_steps())) {
      result.push_back({opening, i});
    }
  }
  return result;
}

INSTANTIATE_TEST_SUITE_P(EveryStep, SlideOutMenuFailure, ::testing::ValuesIn(every_failable_step()),
                         [](const auto& test) {
                           return std::string(test.param.opening ? "Open" : "Close") +
                                  std::to_string(test.param.index);
                         });

}  // namespace
}  // namespace testing_support
