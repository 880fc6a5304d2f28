#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "forms/gtk/program_search.h"
#include "tests/support/failing_steps.h"
#include "tests/unit/program_fixture.h"

namespace testing_support {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

class MainWindowButtons : public ProgramTest {
 protected:
  void SetUp() override {
    start();
    platform.clear_log();
  }
};

TEST_F(MainWindowButtons, TheKeepOnTopBoxTestsItsValueForOne) {
  const struct {
    std::int32_t value;
    const char* insert_after;
    bool topmost;
  } cases[] = {{1, "HWND_TOPMOST", true},
               {0, "HWND_NOTOPMOST", false},
               {2, "HWND_NOTOPMOST", false},
               {1, "HWND_TOPMOST", true},
               {1, "HWND_TOPMOST", true}};
  for (const auto& c : cases) {
    platform.clear_log();
    platform.answer("Form1.Check1.Value", c.value);
    click(lumesca::Form1, "Check1");
    EXPECT_THAT(platform.steps(), ElementsAre("Form1.Check1.Value", "Form1.hWnd",
                                              std::string("SetWindowPos(Form1, ") + c.insert_after +
                                                  ", 0, 0, 0, 0, 3)"))
        << "Value " << c.value;
    EXPECT_EQ(platform.window_state("Form1").topmost, c.topmost) << "Value " << c.value;
  }
}

TEST_F(MainWindowButtons, TheBoxFollowsItsOwnValueWhenClicked) {
  forms::Form& main = *lumesca::Form1;
  const std::size_t check = main.description().index_of("Check1");
  main.control_state(check).value = 1;  // the toolkit flips the box before the click
  click(lumesca::Form1, "Check1");
  EXPECT_TRUE(platform.window_state("Form1").topmost);
  main.control_state(check).value = 0;
  click(lumesca::Form1, "Check1");
  EXPECT_FALSE(platform.window_state("Form1").topmost);
}

TEST_F(MainWindowButtons, KeepOnTopNeverTouchesTheCompanionWindow) {
  click(lumesca::Form1, "droit");
  click(lumesca::Form1, "outil");
  platform.answer("Form1.Check1.Value", 1);
  click(lumesca::Form1, "Check1");
  EXPECT_TRUE(platform.window_state("Form1").topmost);
  EXPECT_FALSE(platform.window_state("Form2").topmost);
}

TEST_F(MainWindowButtons, AFailingValueReadCallsNeitherSwitch) {
  platform.fail_step("Form1.Check1.Value");
  click(lumesca::Form1, "Check1");
  expect_stopped_at(
      platform, runtime,
      {"Form1.Check1.Value", "Form1.hWnd", "SetWindowPos(Form1, HWND_NOTOPMOST, 0, 0, 0, 0, 3)"},
      0);
}

TEST_F(MainWindowButtons, EachMixerClickStartsOneMoreMixer) {
  click(lumesca::Form1, "mixer");
  click(lumesca::Form1, "mixer");
  EXPECT_THAT(platform.programs_started(), ElementsAre(Pair("sndvol32", 2), Pair("sndvol32", 2)));
  EXPECT_FALSE(runtime.ended());
}

// A missing mixer is an optional program missing: it is reported, and both windows stay.
TEST_F(MainWindowButtons, AMixerThatCannotStartIsReportedAndTheProgramGoesOn) {
  click(lumesca::Form1, "outil");
  platform.fail_program_starts();
  click(lumesca::Form1, "mixer");
  EXPECT_THAT(platform.reports(), ElementsAre("Erreur d'exécution '53':\n\nFichier introuvable"));
  EXPECT_FALSE(runtime.ended());
  EXPECT_TRUE(platform.window_state("Form1").shown);
  EXPECT_TRUE(platform.window_state("Form2").shown);
}

TEST_F(MainWindowButtons, QuitWithoutTheCompanionEndsTheProgram) {
  click(lumesca::Form1, "quitter");
  EXPECT_THAT(platform.steps(), ElementsAre("Form1.Unload()"));
  EXPECT_TRUE(runtime.ended());
  EXPECT_EQ(runtime.exit_status(), 0);
}

TEST_F(MainWindowButtons, QuitWithTheCompanionOpenLeavesItWorkingUntilItCloses) {
  platform.answer("Form1.Check1.Value", 1);
  click(lumesca::Form1, "Check1");
  click(lumesca::Form1, "outil");
  ASSERT_TRUE(platform.window_state("Form1").topmost);
  platform.clear_log();
  click(lumesca::Form1, "quitter");
  // The window goes as it is: the switch is not cleared first, nor passed to the companion.
  EXPECT_THAT(platform.steps(), ElementsAre("Form1.Unload()"));
  EXPECT_FALSE(platform.has_window("Form1"));
  EXPECT_TRUE(platform.window_state("Form2").shown);
  EXPECT_FALSE(platform.window_state("Form2").topmost);
  EXPECT_FALSE(runtime.ended());
  click(lumesca::Form2, "aide");
  EXPECT_EQ(platform.navigations().back(),
            "Form2.Web2 <- " + address("lumesca3\\aide-dravel2.html"));
  click(lumesca::Form2, "quitter");
  EXPECT_TRUE(runtime.ended());
  EXPECT_EQ(runtime.exit_status(), 0);
}

TEST(ProgramSearch, FindsTheCommandOnThePathThenADesktopMixer) {
  const struct {
    const char* command;
    std::vector<std::string> on_path;
    std::optional<std::vector<std::string>> argv;
  } cases[] = {
      {"sndvol32", {"sndvol32", "pavucontrol"}, std::vector<std::string>{"/bin/sndvol32"}},
      {"sndvol32", {"pavucontrol-qt", "pavucontrol"}, std::vector<std::string>{"/bin/pavucontrol"}},
      {"sndvol32",
       {"gnome-control-center"},
       std::vector<std::string>{"/bin/gnome-control-center", "sound"}},
      {"sndvol32", {}, std::nullopt},
      {"xclock -digital", {"xclock"}, std::vector<std::string>{"/bin/xclock", "-digital"}},
      {"notthere", {"pavucontrol"}, std::nullopt},
      {"", {"pavucontrol"}, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto found = forms::gtk::find_program(c.command, [&](const std::string& name) {
      return std::find(c.on_path.begin(), c.on_path.end(), name) != c.on_path.end()
                 ? std::optional<std::string>("/bin/" + name)
                 : std::nullopt;
    });
    EXPECT_EQ(found, c.argv) << c.command;
  }
}

}  // namespace
}  // namespace testing_support
