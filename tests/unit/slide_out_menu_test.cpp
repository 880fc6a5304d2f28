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

class SlideOutMenu : public ProgramTest {
 protected:
  void SetUp() override {
    start();
    platform.clear_log();
  }

  float web_width() {
    forms::Form& main = *lumesca::Form1;
    return main.control_state(main.description().index_of("Web")).rect.width;
  }
  bool visible(const char* control) {
    forms::Form& main = *lumesca::Form1;
    return main.control_state(main.description().index_of(control)).visible;
  }
};

TEST_F(SlideOutMenu, OpenAndCloseRunTheirThirteenStepsInOrder) {
  click(lumesca::Form1, "droit");
  EXPECT_THAT(platform.steps(), ElementsAreArray(open_steps()));
  platform.clear_log();
  click(lumesca::Form1, "gauche");
  EXPECT_THAT(platform.steps(), ElementsAreArray(close_steps()));
}

TEST_F(SlideOutMenu, OpenCloseOpenGivesTheSameWindowEachTime) {
  for (int round = 0; round < 3; ++round) {
    platform.clear_log();
    click(lumesca::Form1, "droit");
    EXPECT_THAT(platform.steps(), ElementsAreArray(open_steps())) << "round " << round;
    EXPECT_EQ(lumesca::Form1->width(), 7060.0f);
    EXPECT_EQ(web_width(), 6755.0f);
    EXPECT_FALSE(visible("droit"));
    EXPECT_TRUE(visible("gauche"));
    const pixels::Bitmap wide = covered(platform.window_state("Form1").outline, 471, 300);
    EXPECT_EQ(wide, skin_outlines::pixels(skin_outlines::wide(), 471, 300))
        << pixels::differences(wide, skin_outlines::pixels(skin_outlines::wide(), 471, 300));

    platform.clear_log();
    click(lumesca::Form1, "gauche");
    EXPECT_THAT(platform.steps(), ElementsAreArray(close_steps())) << "round " << round;
    EXPECT_EQ(lumesca::Form1->width(), 4410.0f);
    EXPECT_EQ(web_width(), 4090.0f);
    EXPECT_TRUE(visible("droit"));
    EXPECT_FALSE(visible("gauche"));
    const pixels::Bitmap narrow = covered(platform.window_state("Form1").outline, 294, 300);
    EXPECT_EQ(narrow, skin_outlines::pixels(skin_outlines::narrow(), 294, 300))
        << pixels::differences(narrow, skin_outlines::pixels(skin_outlines::narrow(), 294, 300));
  }
  // Only the start asked for a page; no toggle navigates, and each rebuilt its region anew.
  EXPECT_EQ(platform.navigations().size(), 1u);
  EXPECT_EQ(platform.live_regions(), 0u);
}

TEST_F(SlideOutMenu, AMaskOfOnlyTheKeyColourTakesTheOutlineAway) {
  lumesca::Form1->picture_box("Picture1")
      .set_Picture(forms::Picture::from_colors(4, 4, std::vector<forms::ColorRef>(16, 0x0000FF00)));
  platform.clear_log();
  click(lumesca::Form1, "droit");
  EXPECT_THAT(platform.steps(), ::testing::Contains("SetWindowRgn(Form1, 0, True)"));
  EXPECT_FALSE(platform.window_state("Form1").shaped);
  EXPECT_EQ(lumesca::Form1->width(), 7060.0f);
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
    click(lumesca::Form1, "droit");
    platform.clear_log();
  }
  const std::vector<std::string> steps = failing.opening ? open_steps() : close_steps();
  platform.fail_step(steps[failing.index]);

  click(lumesca::Form1, failing.opening ? "droit" : "gauche");

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
