// The web content processes of the program on a real display: both web views share one for the
// whole run, and a page whose process is killed comes back by itself, until its process has
// ended three times within a minute, when the view shows the French page that says so.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/desktop/lumesca_test.h"

namespace lumesca_desktop {
namespace {

namespace fs = std::filesystem;
using desktop::Rgb;

// The WebKitWebProcess descendants of `root`, found through /proc.
std::vector<pid_t> web_processes(pid_t root) {
  std::map<pid_t, pid_t> parent;
  std::map<pid_t, std::string> program;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const pid_t pid = std::stoi(name);
    const std::string stat = desktop::read_file(entry.path() / "stat");
    const auto after_name = stat.rfind(')');
    if (after_name == std::string::npos) continue;
    std::istringstream fields(stat.substr(after_name + 1));
    std::string state;
    pid_t ppid = 0;
    fields >> state >> ppid;
    if (state == "Z") continue;  // killed and not yet reaped: no process any more
    parent[pid] = ppid;
    const std::string command = desktop::read_file(entry.path() / "cmdline");
    program[pid] = command.substr(0, command.find('\0'));
  }
  std::vector<pid_t> found;
  for (const auto& [pid, command] : program) {
    if (fs::path(command).filename() != "WebKitWebProcess") continue;
    for (pid_t up = parent[pid]; up > 1; up = parent[up]) {
      if (up == root) {
        found.push_back(pid);
        break;
      }
    }
  }
  return found;
}

// The site's pages are dark blue; the page that says a page stopped is white.
constexpr Rgb kSitePage = 0x000c3c;
constexpr Rgb kStoppedPage = 0xffffff;
constexpr Rgb kStoppedPageLink = 0x0645ad;

// Where each web view shows its page's background, below the text: the main window's view
// (x 11..283, y 14..261, up to x 460 with the menu open) and the companion's (y 13..332).
constexpr Point kMainPageField{140, 250};
constexpr Point kMainWidenedField{420, 250};
constexpr Point kCompanionPageField{240, 320};

class WebProcesses : public LumescaTest {
 protected:
  std::vector<pid_t> web_processes() { return lumesca_desktop::web_processes(program().pid()); }

  // Waits until the program has exactly `count` web processes and returns them.
  std::vector<pid_t> wait_for_web_processes(std::size_t count) {
    desktop::wait_until([&] { return web_processes().size() == count; }, seconds(10));
    return web_processes();
  }

  // Kills every web process of the program, as the out-of-memory killer would.
  void kill_web_processes() {
    const std::vector<pid_t> processes = web_processes();
    ASSERT_FALSE(processes.empty()) << "no web process to kill";
    for (const pid_t pid : processes) ::kill(pid, SIGKILL);
    ASSERT_TRUE(desktop::wait_until(
        [&] {
          for (const pid_t pid : web_processes()) {
            for (const pid_t killed : processes) {
              if (pid == killed) return false;
            }
          }
          return true;
        },
        seconds(5)))
        << "a killed web process is still there";
  }

  Rgb pixel_of(Window window, Point inside) {
    const Point p = on(window, inside);
    return x().pixel(p.x, p.y);
  }

  // Whether the window shows `colour` at `inside` within a few seconds.
  ::testing::AssertionResult shows(Window window, Point inside, Rgb colour) {
    if (desktop::wait_until([&] { return near(pixel_of(window, inside), colour); }, seconds(10)))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel " << inside << " is " << std::hex
                                         << pixel_of(window, inside) << ", not " << colour;
  }

  Window start_on_player_page() {
    const Window main = start_lumesca();
    if (main == 0) return 0;
    x().move_pointer(1023, 767);
    EXPECT_TRUE(site().wait_for_request(kPlayerPage, seconds(20)));
    EXPECT_TRUE(shows(main, kMainPageField, kSitePage));
    return main;
  }

  // The program on the player page with the companion window open on the news page.
  std::pair<Window, Window> start_with_companion() {
    const Window main = start_on_player_page();
    if (main == 0) return {};
    const Window companion = open_companion(main);
    if (companion == 0) return {};
    x().move_pointer(1023, 767);
    EXPECT_TRUE(site().wait_for_request(kNewsPage, seconds(20)));
    EXPECT_TRUE(shows(companion, kCompanionPageField, kSitePage));
    return {main, companion};
  }

  // The centre of the stopped page's link in the main window's view, if it shows.
  std::optional<Point> stopped_page_link(Window main) {
    const Point corner = on(main, {11, 14});
    const desktop::Image view = x().capture({corner.x, corner.y, 273, 248});
    int count = 0, sum_x = 0, sum_y = 0;
    for (int y = 0; y < view.height; ++y) {
      for (int px = 0; px < view.width; ++px) {
        if (near(view.at(px, y), kStoppedPageLink, 40)) {
          ++count;
          sum_x += px;
          sum_y += y;
        }
      }
    }
    if (count < 10) return std::nullopt;
    return Point{corner.x + sum_x / count, corner.y + sum_y / count};
  }

  void quit_and_expect_status_zero(const std::vector<std::pair<Window, Point>>& quit_buttons) {
    for (const auto& [window, button] : quit_buttons) x().click(on(window, button));
    expect_exit_status_zero();
  }
};

TEST_F(WebProcesses, TheMainWindowsPageComesBackWhenItsProcessIsKilled) {
  const Window main = start_on_player_page();
  ASSERT_NE(main, 0u);
  ASSERT_EQ(wait_for_web_processes(1).size(), 1u);
  site().clear();
  kill_web_processes();
  EXPECT_TRUE(site().wait_for_request(kPlayerPage, seconds(5)));
  EXPECT_EQ(wait_for_web_processes(1).size(), 1u);
  // Drawn anew, not a frame kept from before: the widened view shows the page where it
  // never showed before.
  open_menu(main);
  x().move_pointer(1023, 767);
  EXPECT_TRUE(shows(main, kMainWidenedField, kSitePage));
  EXPECT_TRUE(program().running());
  quit_and_expect_status_zero({{main, main_window::kQuit}});
}

TEST_F(WebProcesses, BothPagesComeBackWhenEveryWebProcessIsKilled) {
  const auto [main, companion] = start_with_companion();
  ASSERT_NE(companion, 0u);
  site().clear();
  kill_web_processes();
  EXPECT_TRUE(site().wait_for_request(kPlayerPage, seconds(5)));
  EXPECT_TRUE(site().wait_for_request(kNewsPage, seconds(5)));
  EXPECT_TRUE(shows(main, kMainWidenedField, kSitePage));
  EXPECT_TRUE(shows(companion, kCompanionPageField, kSitePage));
  EXPECT_EQ(wait_for_web_processes(1).size(), 1u);
  EXPECT_TRUE(program().running());
  quit_and_expect_status_zero({{companion, companion_window::kQuit}, {main, main_window::kQuit}});
}

// The companion's view was created related to the main window's; that one gone, the shared
// process still serves the companion and its end still brings the companion's page back.
TEST_F(WebProcesses, WithTheMainWindowClosedTheCompanionsPageStillComesBack) {
  const auto [main, companion] = start_with_companion();
  ASSERT_NE(companion, 0u);
  // The companion opens over the main window's buttons: out of the way first.
  const Point from = on(companion, companion_window::kSurface);
  x().drag(from, from + Point{0, 380}, 1);
  ASSERT_TRUE(desktop::wait_until([&] { return x().geometry(companion)->y == 380; }, seconds(5)));
  x().click(on(main, main_window::kQuit));
  ASSERT_TRUE(desktop::wait_until([&] { return x().windows_titled(kMainTitle) == 0; }, seconds(5)));
  EXPECT_EQ(wait_for_web_processes(1).size(), 1u);
  site().clear();
  kill_web_processes();
  EXPECT_TRUE(site().wait_for_request(kNewsPage, seconds(5)));
  EXPECT_TRUE(shows(companion, kCompanionPageField, kSitePage));
  EXPECT_EQ(site().count(kPlayerPage), 0);
  quit_and_expect_status_zero({{companion, companion_window::kQuit}});
}

TEST_F(WebProcesses, AfterTheThirdEndWithinAMinuteTheStoppedPageShowsAndItsLinkReloads) {
  const Window main = start_on_player_page();
  ASSERT_NE(main, 0u);
  for (int end = 1; end <= 2; ++end) {
    SCOPED_TRACE("end " + std::to_string(end));
    site().clear();
    kill_web_processes();
    ASSERT_TRUE(site().wait_for_request(kPlayerPage, seconds(5)));
    ASSERT_TRUE(shows(main, kMainPageField, kSitePage));
    ASSERT_EQ(wait_for_web_processes(1).size(), 1u);
  }
  site().clear();
  kill_web_processes();
  EXPECT_TRUE(shows(main, kMainPageField, kStoppedPage));
  std::optional<Point> link;
  EXPECT_TRUE(desktop::wait_until([&] { return (link = stopped_page_link(main)).has_value(); },
                                  seconds(5)));
  EXPECT_EQ(site().count(kPlayerPage), 0) << "the page was asked for a third time";
  ASSERT_TRUE(link);

  x().click(*link);
  EXPECT_TRUE(site().wait_for_request(kPlayerPage, seconds(5)));
  x().move_pointer(1023, 767);
  EXPECT_TRUE(shows(main, kMainPageField, kSitePage));
  quit_and_expect_status_zero({{main, main_window::kQuit}});
}

TEST_F(WebProcesses, BothWindowsShareOneWebProcessHoweverOftenTheCompanionReopens) {
  auto [main, companion] = start_with_companion();
  ASSERT_NE(companion, 0u);
  std::this_thread::sleep_for(milliseconds(500));
  EXPECT_EQ(web_processes().size(), 1u);

  for (int round = 1; round <= 3; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    x().click(on(companion, companion_window::kQuit));
    ASSERT_TRUE(
        desktop::wait_until([&] { return x().windows_titled(kCompanionTitle) == 0; }, seconds(5)));
    site().clear();
    x().click(on(main, main_window::kTools));
    const auto again = x().find_window(kCompanionTitle, seconds(10));
    ASSERT_TRUE(again);
    companion = *again;
    x().wait_for_shape(companion, seconds(5));
    ASSERT_TRUE(site().wait_for_request(kNewsPage, seconds(20)));
    x().move_pointer(1023, 767);
    EXPECT_TRUE(shows(companion, kCompanionPageField, kSitePage));
    std::this_thread::sleep_for(milliseconds(500));
    EXPECT_EQ(web_processes().size(), 1u);
  }
  quit_and_expect_status_zero({{companion, companion_window::kQuit}, {main, main_window::kQuit}});
}

}  // namespace
}  // namespace lumesca_desktop
