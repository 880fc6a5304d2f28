#pragma once
// Desktop tests of Lumesca itself: the real program on the test display, its windows found by
// title, and the places and shapes that the window descriptions give.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>

#include "desktop/desktop_test.h"
#include "desktop/wait.h"
#include "skin_outlines.h"

namespace lumesca_desktop {

using desktop::Bitmap;
using desktop::Point;
using desktop::Rect;
using desktop::Window;
using std::chrono::milliseconds;
using std::chrono::seconds;

inline constexpr char kMainTitle[] = "Lumesca";
inline constexpr char kCompanionTitle[] = "Lumesca Aide";
inline constexpr char kPlayerPage[] = "/lumesca3/TV/index-lumesca4.html";
inline constexpr char kNewsPage[] = "/lumesca3/index-lumesca4.html";

// Places in a window, in pixels from its top-left corner, as the descriptions lay them out.
namespace main_window {
inline constexpr Point kArrow{249 + 16, 267 + 12};   // droit and gauche, x 249..280
inline constexpr Point kCheckBox{12 + 45, 271 + 8};  // Check1, x 12..74: on its caption
inline constexpr Point kTools{294 + 36, 267 + 12};   // outil, x 294..365
inline constexpr Point kMixer{372 + 24, 267 + 12};   // mixer, x 372..419
inline constexpr Point kQuit{185 + 28, 267 + 12};    // quitter, x 185..240
inline constexpr Point kSurface{150, 7};             // above the web view, inside the outline
inline constexpr Point kWebView{140, 120};           // web view, x 11..283, y 14..261
inline constexpr Point kSeeThrough{1, 1};            // outside the outline
inline constexpr Point kVersionLabel{428 + 8, 275 + 6};
}  // namespace main_window

namespace companion_window {
// The button row, y 338..361; each button is 56 wide and clicked in its middle.
inline constexpr int kButtonY = 338 + 12;
inline constexpr Point kNews{13 + 28, kButtonY};     // news, x 13..68
inline constexpr Point kListing{74 + 28, kButtonY};  // listing, x 74..129
inline constexpr Point kHelp{135 + 28, kButtonY};    // aide, x 135..190
inline constexpr Point kLinks{197 + 28, kButtonY};   // liens, x 197..252
inline constexpr Point kAdd{259 + 28, kButtonY};     // ajouter, x 259..314
inline constexpr Point kQuit{402 + 28, kButtonY};    // quitter, x 402..457
inline constexpr Point kSurface{240, 6};             // above the web view (y 13..332)
}  // namespace companion_window

using pixels::differences;

// Colours are compared loosely: the background is a JPEG, and pages are drawn smoothed.
inline bool near(desktop::Rgb got, desktop::Rgb expected, int tolerance = 24) {
  for (int shift : {16, 8, 0}) {
    const int a = static_cast<int>((got >> shift) & 0xFF);
    const int b = static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(a - b) > tolerance) return false;
  }
  return true;
}

inline Point operator+(Point a, Point b) {
  return {a.x + b.x, a.y + b.y};
}

class LumescaTest : public desktop::DesktopTest {
 protected:
  // Every test runs the program with GLib criticals fatal; none may warn either.
  void TearDown() override {
    if (started_) {
      EXPECT_EQ(toolkit_warnings(), "") << "the program warned";
    }
    desktop::DesktopTest::TearDown();
  }

  // Starts the program and waits for its main window, shaped and with the player page asked
  // for.
  Window start_lumesca(const desktop::ProgramOptions& options = {}) {
    start(LUMESCA_PROGRAM_PATH, options);
    started_ = true;
    const auto window = x().find_window(kMainTitle, seconds(30));
    if (!window) {
      ADD_FAILURE() << "no window titled \"" << kMainTitle << "\"; stderr:\n"
                    << program().stderr_text();
      return 0;
    }
    x().wait_for_shape(*window, seconds(5));
    return *window;
  }

  // A point of a window, on the screen.
  Point on(Window window, Point inside) {
    const auto where = x().geometry(window);
    return where ? where->origin() + inside : inside;
  }

  int width_of(Window window) {
    const auto where = x().geometry(window);
    return where ? where->width : -1;
  }

  bool wait_for_width(Window window, int width) {
    return desktop::wait_until([&] { return width_of(window) == width; }, seconds(5));
  }

  // Clicks the open-menu arrow and waits until the window has widened.
  void open_menu(Window main) {
    x().click(on(main, main_window::kArrow));
    ASSERT_TRUE(wait_for_width(main, 471)) << "width " << width_of(main);
  }

  // Opens the menu, then the companion window with the tools image.
  Window open_companion(Window main) {
    open_menu(main);
    x().click(on(main, main_window::kTools));
    const auto companion = x().find_window(kCompanionTitle, seconds(10));
    if (!companion) {
      ADD_FAILURE() << "no window titled \"" << kCompanionTitle << "\"";
      return 0;
    }
    x().wait_for_shape(*companion, seconds(5));
    return *companion;
  }

  // Waits for the program to end, which it must do normally with status 0.
  void expect_exit_status_zero() {
    const auto status = program().wait_exit(seconds(10));
    ASSERT_TRUE(status) << "still running";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0)
        << desktop::describe_wait_status(*status);
  }

  // What the program wrote on stderr that GTK, GLib or WebKit warn with.
  std::string toolkit_warnings() {
    std::string found;
    std::string text = program().stderr_text();
    for (const char* mark : {"-WARNING", "-CRITICAL", "Gtk-", "GLib-", "GLib-GObject"}) {
      if (text.find(mark) != std::string::npos) found += mark;
    }
    return found.empty() ? std::string() : text;
  }

 private:
  bool started_ = false;
};

}  // namespace lumesca_desktop
