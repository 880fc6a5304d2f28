// The main window's buttons on a real display: keep-on-top through the window manager, the
// volume mixer started from PATH, the report of a mixer that cannot start, and quitting.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "tests/desktop/lumesca_test.h"

namespace lumesca_desktop {
namespace {

namespace fs = std::filesystem;

bool has_state(const std::vector<std::string>& states, const std::string& state) {
  return std::find(states.begin(), states.end(), state) != states.end();
}

class MainWindowButtons : public LumescaTest {
 protected:
  bool above(Window window) { return has_state(x().net_wm_state(window), "_NET_WM_STATE_ABOVE"); }

  // A folder for PATH holding an executable `name` that writes one line per run to `log`.
  fs::path fake_program_dir(const std::string& name, const fs::path& log) {
    const fs::path dir = fs::temp_directory_path() / ("lumesca-path-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path program = dir / name;
    std::ofstream(program) << "#!/bin/sh\necho started >> '" << log.string() << "'\n";
    fs::permissions(program, fs::perms::owner_all);
    return dir;
  }

  static int lines_in(const fs::path& file) {
    std::ifstream in(file);
    return static_cast<int>(
        std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n'));
  }
};

TEST_F(MainWindowButtons, TheBoxKeepsTheMainWindowAboveAndBackWithoutMovingIt) {
  const Window main = start_lumesca();
  ASSERT_NE(main, 0u);
  const Window companion = open_companion(main);
  ASSERT_NE(companion, 0u);
  const Rect before = *x().geometry(main);

  x().click(on(main, main_window::kCheckBox));
  ASSERT_TRUE(desktop::wait_until([&] { return above(main); }, seconds(5)));
  EXPECT_EQ(*x().geometry(main), before);
  EXPECT_FALSE(above(companion));

  // The companion window, even when active, stays beneath the kept-on-top main window.
  x().click(on(companion, companion_window::kNews));
  ASSERT_TRUE(desktop::wait_until([&] { return x().active_window() == companion; }, seconds(5)));
  const std::vector<Window> stacking = x().stacking_order();
  const auto position = [&](Window w) { return std::find(stacking.begin(), stacking.end(), w); };
  EXPECT_LT(position(companion), position(main));
  EXPECT_FALSE(above(companion));

  x().click(on(main, main_window::kCheckBox));
  ASSERT_TRUE(desktop::wait_until([&] { return !above(main); }, seconds(5)));
  EXPECT_EQ(*x().geometry(main), before);
}

TEST_F(MainWindowButtons, EachMixerClickStartsTheMixerFoundOnThePath) {
  const fs::path log = fs::temp_directory_path() / ("lumesca-mixer-" + std::to_string(::getpid()));
  fs::remove(log);
  const fs::path dir = fake_program_dir("sndvol32", log);
  const Window main = start_lumesca({{}, {{"PATH", dir.string() + ":/usr/bin:/bin"}}});
  ASSERT_NE(main, 0u);
  open_menu(main);
  x().click(on(main, main_window::kMixer));
  ASSERT_TRUE(desktop::wait_until([&] { return lines_in(log) == 1; }, seconds(5)));
  x().click(on(main, main_window::kMixer));
  EXPECT_TRUE(desktop::wait_until([&] { return lines_in(log) == 2; }, seconds(5)));
  EXPECT_TRUE(program().running());
  fs::remove_all(dir);
  fs::remove(log);
}

TEST_F(MainWindowButtons, AMixerThatCannotStartIsReportedAndTheProgramKeepsRunning) {
  const fs::path empty =
      fs::temp_directory_path() / ("lumesca-empty-" + std::to_string(::getpid()));
  fs::create_directories(empty);
  const Window main = start_lumesca({{}, {{"PATH", empty.string()}}});
  ASSERT_NE(main, 0u);
  open_menu(main);
  const std::vector<Window> before = x().client_windows();
  x().click(on(main, main_window::kMixer));

  // The report: a message box of the program's own, and a line on stderr.
  std::optional<Window> report;
  ASSERT_TRUE(desktop::wait_until(
      [&] {
        for (Window w : x().client_windows()) {
          if (std::find(before.begin(), before.end(), w) == before.end()) report = w;
        }
        return report.has_value();
      },
      seconds(10)));
  EXPECT_EQ(x().pid_of(*report), program().pid());
  EXPECT_NE(program().stderr_text().find("Erreur d'exécution '53'"), std::string::npos)
      << program().stderr_text();

  x().close_window(*report);
  ASSERT_TRUE(desktop::wait_until([&] { return x().client_windows().size() == before.size(); },
                                  seconds(5)));
  EXPECT_TRUE(program().running());
  // The main window still works: the arrow closes the menu.
  x().click(on(main, main_window::kArrow));
  EXPECT_TRUE(wait_for_width(main, 294));
  fs::remove_all(empty);
}

TEST_F(MainWindowButtons, QuitWithoutTheCompanionEndsTheProgramWithStatusZero) {
  const Window main = start_lumesca();
  ASSERT_NE(main, 0u);
  x().click(on(main, main_window::kQuit));
  expect_exit_status_zero();
}

TEST_F(MainWindowButtons, QuitLeavesTheCompanionWorkingAndClosingItEndsTheProgram) {
  const Window main = start_lumesca();
  ASSERT_NE(main, 0u);
  const Window companion = open_companion(main);
  ASSERT_NE(companion, 0u);
  x().click(on(main, main_window::kCheckBox));
  ASSERT_TRUE(desktop::wait_until([&] { return above(main); }, seconds(5)));

  x().click(on(main, main_window::kQuit));
  ASSERT_TRUE(desktop::wait_until([&] { return x().windows_titled(kMainTitle) == 0; }, seconds(5)));
  EXPECT_TRUE(program().running());
  EXPECT_FALSE(above(companion));

  site().clear();
  x().click(on(companion, companion_window::kHelp));
  EXPECT_TRUE(site().wait_for_request("/lumesca3/aide-dravel2.html", seconds(10)));

  x().click(on(companion, companion_window::kQuit));
  expect_exit_status_zero();
}

}  // namespace
}  // namespace lumesca_desktop
