#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "tests/unit/program_fixture.h"

namespace testing_support {
namespace {

using ::testing::ElementsAre;

class FormsRuntime : public ProgramTest {};

TEST_F(FormsRuntime, ShowOfALoadedWindowLoadsItNoSecondTime) {
  start();
  lumesca::Form2->Show();
  lumesca::Form2->Show();
  EXPECT_EQ(platform.builds("Form2"), 1);
  EXPECT_EQ(platform.navigations().size(), 2u);  // the player page, then the news page once
  EXPECT_EQ(runtime.loaded_windows(), 2);
}

TEST_F(FormsRuntime, AfterUnloadTheNextShowBuildsTheWindowAndLoadsItAgain) {
  start();
  lumesca::Form2->Show();
  lumesca::Form2->Unload();
  EXPECT_FALSE(platform.has_window("Form2"));
  EXPECT_FALSE(lumesca::Form2->loaded());
  lumesca::Form2->Show();
  EXPECT_EQ(platform.builds("Form2"), 2);
  EXPECT_TRUE(platform.window_state("Form2").shown);
  EXPECT_TRUE(platform.window_state("Form2").shaped);
}

TEST_F(FormsRuntime, TheProgramEndsWhenTheLastLoadedWindowIsUnloaded) {
  start();
  lumesca::Form2->Show();
  lumesca::Form1->Unload();
  EXPECT_FALSE(runtime.ended());
  lumesca::Form2->Unload();
  EXPECT_TRUE(runtime.ended());
  EXPECT_EQ(runtime.exit_status(), 0);
}

TEST_F(FormsRuntime, AStepOnAnUnloadedWindowLoadsItFirst) {
  start();
  lumesca::Form2->hWnd();
  EXPECT_EQ(platform.builds("Form2"), 1);
  EXPECT_FALSE(platform.window_state("Form2").shown);
}

TEST_F(FormsRuntime, EachLoadGetsAFreshHandle) {
  start();
  const forms::HWnd first = lumesca::Form2->hWnd();
  lumesca::Form2->Unload();
  EXPECT_NE(lumesca::Form2->hWnd(), first);
}

TEST_F(FormsRuntime, AnErrorInAHandlerIsReportedOnceAndLaterEventsAreNotRaised) {
  start();
  platform.fail_step("Form1.hWnd", {6, "Dépassement de capacité"});
  lumesca::Form1->raise_mouse_down(1, 0, 0, 0);
  lumesca::Form1->raise_mouse_down(1, 0, 0, 0);
  EXPECT_THAT(platform.reports(),
              ElementsAre("Erreur d'exécution '6':\n\nDépassement de capacité"));
  EXPECT_EQ(platform.window_state("Form1").move_drags, 0);
  EXPECT_EQ(runtime.exit_status(), 1);
}

// Every event handler runs inside the toolkit's C frames: whatever it throws must stop there,
// be reported and end the program, as a run-time error does.
TEST_F(FormsRuntime, AnyOtherExceptionFromAHandlerIsReportedAsAnInternalErrorAndEndsTheProgram) {
  const struct {
    const char* what;
    std::function<void()> handler;
    const char* report;
  } cases[] = {
      {"out_of_range from an unknown control name", [] { lumesca::Form1->image("nothing"); },
       "Erreur d'exécution '51':\n\nErreur interne : Form1 has no control nothing"},
      {"bad_variant_access",
       [] {
         const std::variant<int, float> value = 1;
         (void)std::get<float>(value);
       },
       nullptr},
      {"logic_error", [] { throw std::logic_error("broken"); },
       "Erreur d'exécution '51':\n\nErreur interne : broken"},
      {"not a std::exception", [] { throw 42; }, "Erreur d'exécution '51':\n\nErreur interne"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RecordingPlatform fresh;
    forms::Runtime run{fresh};
    lumesca::Form1.define<main_window::Form1>(run);
    run.start(lumesca::Form1);
    bool later_raised = false;
    EXPECT_NO_THROW(run.raise(c.handler));
    run.raise([&] { later_raised = true; });
    ASSERT_EQ(fresh.reports().size(), 1u);
    if (c.report != nullptr) {
      EXPECT_EQ(fresh.reports()[0], c.report);
    } else {
      EXPECT_THAT(fresh.reports()[0],
                  ::testing::StartsWith("Erreur d'exécution '51':\n\nErreur interne : "));
    }
    EXPECT_TRUE(run.ended());
    EXPECT_EQ(run.exit_status(), 1);
    EXPECT_FALSE(later_raised);
  }
}

TEST_F(FormsRuntime, AWindowObjectDestroyedWhileLoadedLeavesNoWindowBehind) {
  start();
  const forms::HWnd main_window = lumesca::Form1->hWnd();
  const forms::HDC main_mask = lumesca::Form1->picture_box("Picture2").hDC();

  auto window = std::make_unique<companion_window::Form2>(runtime);
  window->Show();
  ASSERT_EQ(runtime.loaded_windows(), 2);
  ASSERT_TRUE(platform.has_window("Form2"));
  const forms::HWnd handle = window->hWnd();
  const forms::HDC mask = window->picture_box("Picture1").hDC();
  ASSERT_NE(platform.GetPixel(mask, 0, 0), forms::kInvalidColor);
  // The last read goes to another picture, so that only the handle table answers for `mask`.
  ASSERT_NE(platform.GetPixel(main_mask, 0, 0), forms::kInvalidColor);

  window.reset();
  EXPECT_FALSE(platform.has_window("Form2"));
  EXPECT_EQ(platform.window(handle), nullptr);
  EXPECT_EQ(platform.GetPixel(mask, 0, 0), forms::kInvalidColor);
  EXPECT_EQ(runtime.loaded_windows(), 1);
  // The main window is untouched, and the program still ends with it.
  EXPECT_EQ(platform.window(main_window), &*lumesca::Form1);
  EXPECT_FALSE(runtime.ended());
  lumesca::Form1->Unload();
  EXPECT_TRUE(runtime.ended());
  EXPECT_EQ(runtime.exit_status(), 0);
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
