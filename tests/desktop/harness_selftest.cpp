// The harness checked against a small program of its own (harness_probe): finding windows,
// reading shapes back, the request log, backslash addresses, window-manager drags with each
// button, clicks, the program's environment and its end.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "desktop/build_config.h"
#include "desktop/desktop_test.h"
#include "desktop/wait.h"

namespace desktop {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr const char kTitle[] = "Harness Probe";
constexpr const char kPage[] = "/lumesca3/liens.html";
const std::vector<Rect> kProbeShape = {{0, 0, 300, 140}, {0, 140, 120, 60}, {180, 140, 120, 60}};

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Pids of the live processes in process group `group` (from /proc).
std::vector<int> group_members(int group) {
  std::vector<int> members;
  const std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir("/proc"), ::closedir);
  while (const dirent* entry = ::readdir(proc.get())) {
    const int pid = std::atoi(entry->d_name);
    if (pid <= 0) continue;
    std::ifstream stat("/proc/" + std::string(entry->d_name) + "/stat");
    std::string line;
    std::getline(stat, line);
    // pid (comm) state ppid pgrp ...; comm may hold blanks, so read after the last ')'.
    const auto close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream fields(line.substr(close + 2));
    std::string state;
    int parent = 0;
    int pgrp = 0;
    fields >> state >> parent >> pgrp;
    if (pgrp == group && state != "Z") members.push_back(pid);
  }
  return members;
}

class HarnessSelfTest : public DesktopTest {
 protected:
  // Starts the probe and waits for its window; the test stops when it does not come.
  Window start_probe(const std::vector<std::string>& arguments = {}) {
    start(HARNESS_PROBE_PATH, {arguments, {}});
    const auto window = x().find_window(kTitle, seconds(30));
    if (!window) {
      ADD_FAILURE() << "no window titled \"" << kTitle << "\"; stderr:\n"
                    << program().stderr_text();
      return 0;
    }
    return *window;
  }

  // Waits until the probe's output has `line`.
  bool wait_for_output(const std::string& line, milliseconds timeout = milliseconds(5000)) {
    return wait_until([&] { return contains(program().stdout_text(), line + "\n"); }, timeout);
  }
};

TEST_F(HarnessSelfTest, DisplayRunsOpenbox) {
  EXPECT_EQ(display().name().front(), ':');
  EXPECT_EQ(x().window_manager_name(), "Openbox");
  EXPECT_TRUE(display().window_manager_running());
}

TEST_F(HarnessSelfTest, FindsTheWindowByItsExactTitle) {
  const Window window = start_probe();
  ASSERT_NE(window, 0u);
  EXPECT_EQ(x().title(window), kTitle);
  EXPECT_EQ(x().windows_titled(kTitle), 1);
  EXPECT_EQ(x().windows_titled("Harness"), 0);
  EXPECT_EQ(x().windows_titled("Harness Probe "), 0);
  EXPECT_TRUE(x().viewable(window));

  const auto geometry = x().geometry(window);
  ASSERT_TRUE(geometry);
  EXPECT_EQ(geometry->width, 300);
  EXPECT_EQ(geometry->height, 200);
  // The probe asks for 200, 150; openbox honours a program's own placement.
  EXPECT_EQ(geometry->origin(), (Point{200, 150}));

  const auto clients = x().client_list();
  EXPECT_NE(std::find(clients.begin(), clients.end(), window), clients.end());
  const auto stacking = x().stacking_order();
  ASSERT_FALSE(stacking.empty());
  EXPECT_EQ(stacking.back(), window) << "a new window starts on top";
  EXPECT_TRUE(wait_until([&] { return x().active_window() == window; }, milliseconds(3000)));
}

TEST_F(HarnessSelfTest, ShapeReadsBackAsSet) {
  const Window window = start_probe();
  ASSERT_NE(window, 0u);
  const auto rectangles = x().wait_for_shape(window, milliseconds(3000));
  ASSERT_TRUE(rectangles) << "the window is not shaped";
  EXPECT_EQ(*rectangles, kProbeShape);

  const Bitmap shown = x().shown_pixels(window);
  ASSERT_EQ(shown.width(), 300);
  ASSERT_EQ(shown.height(), 200);
  EXPECT_EQ(shown.count(), 300u * 140 + 2 * 120 * 60);
  const std::pair<Point, bool> samples[] = {
      {{0, 0}, true},      {{299, 139}, true}, {{119, 199}, true}, {{120, 140}, false},
      {{179, 199}, false}, {{180, 140}, true}, {{299, 199}, true}, {{150, 170}, false},
  };
  for (const auto& [p, covered] : samples) EXPECT_EQ(shown.at(p.x, p.y), covered) << p;
}

TEST_F(HarnessSelfTest, UnshapedWindowHasNoShape) {
  const Window window = start_probe({"--no-shape"});
  ASSERT_NE(window, 0u);
  EXPECT_EQ(x().wait_for_shape(window, milliseconds(500)), std::nullopt);
  EXPECT_EQ(x().shown_pixels(window).count(), 300u * 200);
}

TEST_F(HarnessSelfTest, ServerLogShowsTheRequestedPage) {
  ASSERT_NE(start_probe(), 0u);
  ASSERT_TRUE(site().wait_for_request(kPage, seconds(20))) << program().stderr_text();
  EXPECT_EQ(site().count(kPage), 1);
  EXPECT_TRUE(wait_for_output("loaded " + site().url(kPage)));
  // Nothing was asked for that the test did not expect.
  EXPECT_FALSE(site().wait_for_request("/favicon.ico", milliseconds(500)));
  // With the harness's environment, GTK and WebKit have nothing to complain about.
  EXPECT_EQ(program().stderr_text(), "");

  site().clear();
  EXPECT_TRUE(site().requests().empty());
}

TEST_F(HarnessSelfTest, BackslashAddressIsRequestedWithSlashes) {
  // The form the program's pages are addressed in: host, then a path with backslashes.
  const std::string address = "http://" + std::string(kSiteHost) + "\\lumesca3\\liens.html";
  ASSERT_NE(start_probe({address}), 0u);
  ASSERT_TRUE(site().wait_for_request(kPage, seconds(20))) << program().stderr_text();
  EXPECT_EQ(site().requests(), std::vector<std::string>{kPage});
  EXPECT_TRUE(wait_for_output("loaded " + site().url(kPage)));
}

TEST_F(HarnessSelfTest, DragWithEveryButtonMovesTheWindowByThePointerMotion) {
  const Window window = start_probe();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(wait_for_output("loaded " + site().url(kPage), seconds(20)));
  struct Case {
    unsigned button;
    Point grip;  // window coordinates of the press, on the window's own surface
    Point motion;
  };
  const Case cases[] = {
      {1, {60, 170}, {150, 100}},
      {2, {250, 170}, {-80, 60}},
      {3, {150, 130}, {40, -120}},
      {1, {5, 5}, {-1, 1}},
  };
  int presses = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE("button " + std::to_string(c.button));
    const auto before = x().geometry(window);
    ASSERT_TRUE(before);
    const Point from{before->x + c.grip.x, before->y + c.grip.y};
    const Point to{from.x + c.motion.x, from.y + c.motion.y};
    x().drag(from, to, c.button);
    const Point expected{before->x + c.motion.x, before->y + c.motion.y};
    EXPECT_TRUE(
        wait_until([&] { return x().geometry(window)->origin() == expected; }, milliseconds(3000)))
        << "at " << x().geometry(window)->origin() << ", expected " << expected;
    ++presses;
    EXPECT_TRUE(wait_for_output("press button=" + std::to_string(c.button) + " x=" +
                                std::to_string(c.grip.x) + " y=" + std::to_string(c.grip.y)));
  }
  EXPECT_EQ(x().geometry(window)->width, 300);
  EXPECT_EQ(x().geometry(window)->height, 200);
}

TEST_F(HarnessSelfTest, ClickReachesTheProgram) {
  const Window window = start_probe();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(wait_for_output("loaded " + site().url(kPage), seconds(20)));
  ASSERT_TRUE(x().wait_for_shape(window, milliseconds(3000)));
  const auto at = x().geometry(window);
  ASSERT_TRUE(at);
  x().click(at->x + 250, at->y + 170);
  EXPECT_TRUE(wait_for_output("press button=1 x=250 y=170"));
  // A click starts and ends a move without motion: the window stays.
  EXPECT_EQ(x().geometry(window), at);
  EXPECT_EQ(x().pointer(), (Point{at->x + 250, at->y + 170}));

  // Presses in the notch of the shape fall through to the root window.
  x().click(at->x + 150, at->y + 170);
  EXPECT_FALSE(wait_for_output("press button=1 x=150 y=170", milliseconds(500)));
}

TEST_F(HarnessSelfTest, ScreenShowsTheWindowInsideItsShape) {
  const Window window = start_probe();
  ASSERT_NE(window, 0u);
  ASSERT_TRUE(wait_for_output("loaded " + site().url(kPage), seconds(20)));
  ASSERT_TRUE(x().wait_for_shape(window, milliseconds(3000)));
  const auto at = x().geometry(window);
  ASSERT_TRUE(at);
  const Rgb root_colour = x().pixel(5, 5);
  // Inside the shape: the window's own light grey surface; in the notch: whatever is beneath.
  EXPECT_TRUE(wait_until([&] { return x().pixel(at->x + 60, at->y + 170) != root_colour; },
                         milliseconds(3000)));
  EXPECT_EQ(x().pixel(at->x + 150, at->y + 170), root_colour);
  const Image image = x().capture(*at);
  EXPECT_EQ(image.width, 300);
  EXPECT_EQ(image.height, 200);

  const auto png = std::filesystem::path(std::string(kArtifactsDir)) / "selftest-screen.png";
  std::filesystem::create_directories(png.parent_path());
  EXPECT_TRUE(x().screenshot(png));
  EXPECT_GT(std::filesystem::file_size(png), 1000u);
}

TEST_F(HarnessSelfTest, ProgramGetsItsOwnHomeAndTheTestDisplay) {
  Program& env = start("/usr/bin/env");
  ASSERT_TRUE(env.wait_exit(seconds(5)));
  const std::string out = env.stdout_text();
  const std::string home = env.home().string();
  const std::string expected[] = {
      "DISPLAY=" + display().name(),
      "HOME=" + home,
      "XDG_CACHE_HOME=" + home + "/.cache",
      "XDG_CONFIG_HOME=" + home + "/.config",
      "XDG_DATA_HOME=" + home + "/.local/share",
      "G_DEBUG=fatal-criticals",
      "DBUS_SESSION_BUS_ADDRESS=disabled:",
      "NO_AT_BRIDGE=1",
  };
  for (const auto& line : expected) EXPECT_TRUE(contains(out, line + "\n")) << line;
  EXPECT_TRUE(std::filesystem::is_directory(home + "/.cache"));
}

TEST_F(HarnessSelfTest, ProgramExitStatusAndOutputAreKept) {
  Program& shell = start("/bin/sh", {{"-c", "echo out; echo err >&2; exit 3"}, {}});
  const auto status = shell.wait_exit(seconds(5));
  ASSERT_TRUE(status);
  EXPECT_TRUE(WIFEXITED(*status));
  EXPECT_EQ(WEXITSTATUS(*status), 3);
  EXPECT_FALSE(shell.running());
  EXPECT_EQ(shell.stdout_text(), "out\n");
  EXPECT_EQ(shell.stderr_text(), "err\n");
}

TEST_F(HarnessSelfTest, StoppingTheProgramEndsItsWebProcesses) {
  ASSERT_NE(start_probe(), 0u);
  ASSERT_TRUE(site().wait_for_request(kPage, seconds(20)));
  const int group = program().pid();
  EXPECT_GE(group_members(group).size(), 3u) << "the probe, its web and network processes";
  program().stop();
  EXPECT_TRUE(group_members(group).empty());
  EXPECT_TRUE(wait_until([&] { return x().windows_titled(kTitle) == 0; }, milliseconds(2000)));
}

}  // namespace
}  // namespace desktop
