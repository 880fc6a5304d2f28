#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/unit/program_fixture.h"

namespace testing_support {
namespace {

using ::testing::ElementsAre;

class FormsRuntime : public ProgramTest {};

TEST_F(FormsRuntime, ShowOfALoadedWindowLoadsItNoSecondTime) {
  start();
  forms::Form2->Show();
  forms::Form2->Show();
  EXPECT_EQ(platform.builds("Form2"), 1);
  EXPECT_EQ(platform.navigations().size(), 2u);  // the player page, then the news page once
  EXPECT_EQ(runtime.loaded_windows(), 2);
}

TEST_F(FormsRuntime, AfterUnloadTheNextShowBuildsTheWindowAndLoadsItAgain) {
  start();
  forms::Form2->Show();
  forms::Form2->Unload();
  EXPECT_FALSE(platform.has_window("Form2"));
  EXPECT_FALSE(forms::Form2->loaded());
  forms::Form2->Show();
  EXPECT_EQ(platform.builds("Form2"), 2);
  EXPECT_TRUE(platform.window_state("Form2").shown);
  EXPECT_TRUE(platform.window_state("Form2").shaped);
}

TEST_F(FormsRuntime, TheProgramEndsWhenTheLastLoadedWindowIsUnloaded) {
  start();
  forms::Form2->Show();
  forms::Form1->Unload();
  EXPECT_FALSE(runtime.ended());
  forms::Form2->Unload();
  EXPECT_TRUE(runtime.ended());
  EXPECT_EQ(runtime.exit_status(), 0);
}

TEST_F(FormsRuntime, AStepOnAnUnloadedWindowLoadsItFirst) {
  start();
  forms::Form2->hWnd();
  EXPECT_EQ(platform.builds("Form2"), 1);
  EXPECT_FALSE(platform.window_state("Form2").shown);
}

TEST_F(FormsRuntime, EachLoadGetsAFreshHandle) {
  start();
  const forms::HWnd first = forms::Form2->hWnd();
  forms::Form2->Unload();
  EXPECT_NE(forms::Form2->hWnd(), first);
}

TEST_F(FormsRuntime, AnErrorInAHandlerIsReportedOnceAndLaterEventsAreNotRaised) {
  start();
  platform.fail_step("Form1.hWnd", {6, "Dépassement de capacité"});
  forms::Form1->raise_mouse_down(1, 0, 0, 0);
  forms::Form1->raise_mouse_down(1, 0, 0, 0);
  EXPECT_THAT(platform.reports(),
              ElementsAre("Erreur d'exécution '6':\n\nDépassement de capacité"));
  EXPECT_EQ(platform.window_state("Form1").move_drags, 0);
  EXPECT_EQ(runtime.exit_status(), 1);
}

// Each guarded statement runs; a run-time error ends the statement that raised it, unreported,
// and the next one runs.
TEST(IgnoringErrors, DropsARunTimeErrorAndTheNextStatementRuns) {
  std::vector<std::string> ran;
  forms::ignoring_errors([&] { ran.push_back("before"); });
  forms::ignoring_errors([&] {
    ran.push_back("failing");
    throw forms::errors::overflow();
  });
  forms::ignoring_errors([&] { ran.push_back("after"); });
  EXPECT_THAT(ran, ElementsAre("before", "failing", "after"));
}

// Only run-time errors are the program's to ignore: a fault of the program itself still ends it.
TEST(IgnoringErrors, LetsOtherExceptionsThrough) {
  EXPECT_THROW(forms::ignoring_errors([] { throw std::logic_error("not a run-time error"); }),
               std::logic_error);
}

}  // namespace
}  // namespace testing_support
