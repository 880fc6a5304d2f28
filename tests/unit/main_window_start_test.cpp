#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "skin_outlines.h"
#include "tests/support/failing_steps.h"
#include "tests/unit/program_fixture.h"

namespace testing_support {
namespace {

using ::testing::ElementsAreArray;

std::vector<std::string> form_load_steps() {
  return concat(cut_to_skin_steps("Form1", "Picture2"),
                {"Form1.Width = 4410", "Form1.Web.Width = 4090",
                 "Form1.Web.Navigate(\"" + address("lumesca3\\TV\\index-lumesca4.html") + "\")"});
}

// The window shows the outline cut off at its width; the region itself keeps the whole mask,
// and none of its rectangles reaches beyond the mask's own size.
::testing::AssertionResult outline_matches(const std::vector<Rect>& shape,
                                           const skin_outlines::Outline& outline,
                                           int window_width) {
  for (const Rect& r : shape) {
    if (r.left < 0 || r.top < 0 || r.right > outline.width || r.bottom > outline.height) {
      return ::testing::AssertionFailure() << "rectangle " << r.left << ", " << r.top << ", "
                                           << r.right << ", " << r.bottom << " outside the mask";
    }
  }
  const pixels::Bitmap got = covered(shape, window_width, outline.height);
  const pixels::Bitmap expected = skin_outlines::pixels(outline, window_width, outline.height);
  if (got == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "differences: " << pixels::differences(got, expected);
}

class MainWindowStart : public ProgramTest {};

TEST_F(MainWindowStart, LoadRunsItsTwelveStepsInOrderThenTheWindowIsShown) {
  start();
  EXPECT_THAT(platform.steps(), ElementsAreArray(concat(form_load_steps(), {"Form1.Show()"})));
  EXPECT_FALSE(runtime.ended());
  EXPECT_TRUE(platform.reports().empty());
}

TEST_F(MainWindowStart, TheWindowIsShownNarrowAndShapedWithThePlayerPageRequested) {
  start();
  const auto& window = platform.window_state("Form1");
  EXPECT_TRUE(window.shown);
  ASSERT_TRUE(window.shaped);
  EXPECT_TRUE(outline_matches(window.outline, skin_outlines::narrow(), 294));
  EXPECT_EQ(lumesca::Form1->width(), 4410.0f);
  auto& main = *lumesca::Form1;
  EXPECT_EQ(main.control_state(main.description().index_of("Web")).rect.width, 4090.0f);
  EXPECT_THAT(platform.navigations(), ElementsAreArray({"Form1.Web <- http://" LUMESCA_SITE_HOST
                                                        "\\lumesca3\\TV\\index-lumesca4.html"}));
  // Both arrows keep the visibility the description gives them; z-order puts droit on top.
  EXPECT_TRUE(main.control_state(main.description().index_of("droit")).visible);
  EXPECT_TRUE(main.control_state(main.description().index_of("gauche")).visible);
  EXPECT_FALSE(window.topmost);
}

class MainWindowStartFailure : public ProgramTest,
                               public ::testing::WithParamInterface<std::size_t> {};

// A step that fails stops Form_Load there: nothing after it runs, the error is reported and the
// program ends with a failure status.
TEST_P(MainWindowStartFailure, StopsLoadAtTheFailingStepAndEndsTheProgram) {
  const std::vector<std::string> steps = form_load_steps();
  const std::size_t failing = GetParam();
  platform.fail_step(steps[failing], {380, "Valeur de propriété non valide"});

  start();

  expect_stopped_at(platform, runtime, steps, failing);
  EXPECT_THAT(platform.reports(),
              ElementsAreArray({"Erreur d'exécution '380':\n\nValeur de propriété non valide"}));
  EXPECT_FALSE(platform.window_state("Form1").shown);
  // The window has its outline only when the failure came after SetWindowRgn.
  const bool shaped = failing > position_of(steps, kSetWindowRgn);
  EXPECT_EQ(platform.window_state("Form1").shaped, shaped);
  EXPECT_TRUE(platform.navigations().empty());
}

// Every step but SetWindowRgn, a window call, which reports nothing.
INSTANTIATE_TEST_SUITE_P(EveryStep, MainWindowStartFailure,
                         ::testing::ValuesIn(failable_steps(form_load_steps())),
                         [](const auto& test) { return step_name(test.param); });

class MainWindowDrag : public ProgramTest {};

TEST_F(MainWindowDrag, AnyButtonOnTheSurfaceStartsTheSameMove) {
  start();
  const struct {
    int button, shift;
    float x, y;
  } presses[] = {{1, 0, 100, 100}, {2, 1, 3000, 4400}, {4, 7, 0, 0}};
  int moves = 0;
  for (const auto& press : presses) {
    platform.clear_log();
    lumesca::Form1->raise_mouse_down(press.button, press.shift, press.x, press.y);
    EXPECT_THAT(platform.steps(), ElementsAreArray({"ReleaseCapture()", "Form1.hWnd",
                                                    "SendMessageA(Form1, 161, 2, 0)"}))
        << "button " << press.button;
    EXPECT_EQ(platform.window_state("Form1").move_drags, ++moves);
  }
}

TEST_F(MainWindowDrag, AFailingHandleReadStopsAfterTheCaptureIsReleased) {
  start();
  platform.clear_log();
  platform.fail_step("Form1.hWnd");
  lumesca::Form1->raise_mouse_down(1, 0, 10, 10);
  expect_stopped_at(platform, runtime,
                    {"ReleaseCapture()", "Form1.hWnd", "SendMessageA(Form1, 161, 2, 0)"}, 1);
  EXPECT_EQ(platform.window_state("Form1").move_drags, 0);
}

}  // namespace
}  // namespace testing_support
