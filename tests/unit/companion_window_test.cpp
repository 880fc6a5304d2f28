#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/failing_steps.h"
#include "tests/unit/program_fixture.h"

namespace testing_support {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const std::string kNews = "lumesca3\\index-lumesca4.html";

std::string navigate_step(const std::string& path) {
  return "Form2.Web2.Navigate(\"" + address(path) + "\")";
}

std::vector<std::string> load_steps() {
  return concat(cut_to_skin_steps("Form2", "Picture1"), {navigate_step(kNews)});
}

class CompanionWindow : public ProgramTest {
 protected:
  void SetUp() override {
    start();
    platform.clear_log();
  }
  void open_menu() { click(lumesca::Form1, "droit"); }
  std::vector<std::string> companion_pages() const {
    std::vector<std::string> pages;
    for (const std::string& n : platform.navigations()) {
      if (n.starts_with("Form2.Web2 <- ")) pages.push_back(n.substr(14));
    }
    return pages;
  }
};

TEST_F(CompanionWindow, TheToolsImageLoadsItInTenStepsThenShowsIt) {
  click(lumesca::Form1, "outil");
  EXPECT_THAT(platform.steps(), ElementsAreArray(concat(load_steps(), {"Form2.Show()"})));
  EXPECT_TRUE(platform.window_state("Form2").shown);
  EXPECT_TRUE(platform.window_state("Form2").shaped);
  EXPECT_THAT(companion_pages(), ElementsAre(address(kNews)));
  EXPECT_FALSE(runtime.ended());
}

TEST_F(CompanionWindow, ASecondClickOnTheToolsImageShowsTheSameWindowWithoutLoadingIt) {
  click(lumesca::Form1, "outil");
  click(lumesca::Form2, "aide");
  platform.clear_log();
  click(lumesca::Form1, "outil");
  EXPECT_THAT(platform.steps(), ElementsAre("Form2.Show()"));
  EXPECT_EQ(platform.builds("Form2"), 1);
  EXPECT_EQ(companion_pages().back(), address("lumesca3\\aide-dravel2.html"));
}

TEST_F(CompanionWindow, ClosedAndOpenedAgainItLoadsAnewOnTheNewsPage) {
  click(lumesca::Form1, "outil");
  click(lumesca::Form2, "liens");
  click(lumesca::Form2, "quitter");
  EXPECT_FALSE(platform.has_window("Form2"));
  EXPECT_FALSE(runtime.ended());
  platform.clear_log();
  click(lumesca::Form1, "outil");
  EXPECT_THAT(platform.steps(), ElementsAreArray(concat(load_steps(), {"Form2.Show()"})));
  EXPECT_EQ(platform.builds("Form2"), 2);
  EXPECT_EQ(companion_pages().back(), address(kNews));
}

TEST_F(CompanionWindow, EachPageButtonAsksForItsPageEvenWhenShown) {
  click(lumesca::Form1, "outil");
  const struct {
    const char* button;
    const char* path;
  } buttons[] = {{"listing", "lumesca3\\listing-lumesca4.html"},
                 {"aide", "lumesca3\\aide-dravel2.html"},
                 {"liens", "lumesca3\\liens.html"},
                 {"ajouter", "lumesca3\\soumettre.html"},
                 {"news", "lumesca3\\index-lumesca4.html"},
                 {"news", "lumesca3\\index-lumesca4.html"}};
  for (const auto& b : buttons) {
    platform.clear_log();
    click(lumesca::Form2, b.button);
    EXPECT_THAT(platform.steps(), ElementsAre(navigate_step(b.path))) << b.button;
    EXPECT_EQ(companion_pages().back(), address(b.path)) << b.button;
  }
  EXPECT_TRUE(platform.reports().empty());
}

TEST_F(CompanionWindow, AFailedNavigationEndsItsHandlerSilentlyAndKeepsThePage) {
  platform.fail_step(navigate_step(kNews));
  click(lumesca::Form1, "outil");
  EXPECT_TRUE(platform.window_state("Form2").shown);  // Show went on after the silent failure
  EXPECT_TRUE(companion_pages().empty());

  platform.fail_step(navigate_step("lumesca3\\liens.html"));
  click(lumesca::Form2, "liens");
  EXPECT_TRUE(companion_pages().empty());
  EXPECT_TRUE(platform.reports().empty());
  EXPECT_FALSE(runtime.ended());
}

class CompanionLoadFailure : public CompanionWindow,
                             public ::testing::WithParamInterface<std::size_t> {};

TEST_P(CompanionLoadFailure, AFailingShapingStepIsReportedAndEndsTheProgram) {
  const std::vector<std::string> steps = load_steps();
  platform.fail_step(steps[GetParam()]);
  click(lumesca::Form1, "outil");
  expect_stopped_at(platform, runtime, steps, GetParam());
  EXPECT_TRUE(companion_pages().empty());
}

// The six settings, the three reads and hWnd: every step before the navigation (which fails
// silently) but SetWindowRgn.
INSTANTIATE_TEST_SUITE_P(ShapingSteps, CompanionLoadFailure,
                         ::testing::ValuesIn(failable_steps(load_steps(), load_steps().size() - 1)),
                         [](const auto& test) { return step_name(test.param); });

TEST_F(CompanionWindow, ItsDragMovesItselfWhateverTheButton) {
  click(lumesca::Form1, "outil");
  for (int button : {1, 2, 4}) {
    platform.clear_log();
    lumesca::Form2->raise_mouse_down(button, 0, 500, 500);
    EXPECT_THAT(platform.steps(),
                ElementsAre("ReleaseCapture()", "Form2.hWnd", "SendMessageA(Form2, 161, 2, 0)"));
  }
  EXPECT_EQ(platform.window_state("Form2").move_drags, 3);
  EXPECT_EQ(platform.window_state("Form1").move_drags, 0);
}

TEST_F(CompanionWindow, AFailingUnloadOfTheCloseButtonIsReported) {
  click(lumesca::Form1, "outil");
  platform.fail_step("Form2.Unload()");
  platform.clear_log();
  click(lumesca::Form2, "quitter");
  expect_stopped_at(platform, runtime, {"Form2.Unload()"}, 0);
}

TEST_F(CompanionWindow, ClosingItLeavesTheMainWindowAsItWas) {
  open_menu();
  platform.answer("Form1.Check1.Value", 1);
  click(lumesca::Form1, "Check1");
  click(lumesca::Form1, "outil");
  const auto before = platform.window_state("Form1");
  ASSERT_TRUE(before.topmost);
  ASSERT_TRUE(before.shaped);
  platform.clear_log();
  click(lumesca::Form2, "quitter");
  EXPECT_THAT(platform.steps(), ElementsAre("Form2.Unload()"));
  const auto& after = platform.window_state("Form1");
  EXPECT_EQ(lumesca::Form1->width(), 7060.0f);
  EXPECT_TRUE(after.shown);
  EXPECT_TRUE(after.topmost) << "the main window left the top";
  EXPECT_EQ(after.outline, before.outline);
  EXPECT_FALSE(runtime.ended());
}

}  // namespace
}  // namespace testing_support
