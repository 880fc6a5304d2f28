// memory_bench: the memory of the program's whole process tree (the program and every process
// it started: WebKit's network process and web content processes), on the desktop harness's
// Xvfb + openbox with the demo site served on its fixed port.
//
//   memory_bench [runs]      (default 5 of each mode)
//
// Two modes: the web views composited as WebKit decides on the desktop (here software GL, as
// under Xvfb there is no GPU), and without compositing, as the desktop tests run the program
// (WEBKIT_DISABLE_COMPOSITING_MODE=1), which takes less memory per web process.
//
// Each run starts the program afresh and reads the tree's proportional set size (PSS, from
// /proc/PID/smaps_rollup: shared pages are split among the processes that map them, so the
// figures add up) once its page has been drawn:
//   - with the main window alone,
//   - with the companion window open as the user opens it (the arrow, then the tools image),
//   - after closing the companion window with its Quit button and opening it again, three times.
// Beside each figure it gives the tree's private memory (pages no other process maps, which
// other programs using the same libraries do not change) and counts its web content
// processes. The figure of a run is read after the tree has settled: the pages asked for, then
// a pause, then the median of a few samples. The summary is the median of the runs, and the
// median of each run's both-windows figure against its own main-window figure.
//
// PSS shrinks when other programs map the same libraries (another WebKit program, the desktop
// tests): run it on a quiet machine, and with more runs when the figures scatter.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/process_tree.h"
#include "bench/site_port.h"
#include "bench/statistics.h"
#include "desktop/display.h"
#include "desktop/program.h"
#include "desktop/site_server.h"
#include "desktop/wait.h"
#include "desktop/x_client.h"

namespace {

using desktop::Point;
using desktop::Window;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr char kMainTitle[] = "Lumesca";
constexpr char kCompanionTitle[] = "Lumesca Aide";
constexpr char kPlayerPage[] = "/lumesca3/TV/index-lumesca4.html";
constexpr char kNewsPage[] = "/lumesca3/index-lumesca4.html";
// Window-relative places: the arrow and the tools image of the main window, the companion
// window's Quit button.
constexpr Point kArrow{265, 279};
constexpr Point kTools{330, 279};
constexpr Point kCompanionQuit{430, 350};
constexpr int kOpenWidth = 471;
constexpr int kReopenings = 3;
constexpr double kGoal = 1.3;  // both windows against the main window alone

// The tree's memory and web processes at one moment.
struct Reading {
  double pss_mib = 0;
  double private_mib = 0;
  int processes = 0;
  int web_processes = 0;
  std::string breakdown;  // "name MiB" of each process, in tree order
};

double mib(long kib) {
  return static_cast<double>(kib) / 1024.0;
}

// The tree after it has settled: a pause of 4 s for the page to finish drawing and the caches
// to fill, then the median of five samples 200 ms apart.
Reading settled_reading(pid_t program) {
  std::this_thread::sleep_for(milliseconds(4000));
  std::vector<double> samples, private_samples;
  Reading reading;
  for (int i = 0; i < 5; ++i) {
    const auto tree = bench::process_tree(program);
    samples.push_back(mib(bench::total_pss_kib(tree)));
    private_samples.push_back(mib(bench::total_private_kib(tree)));
    reading.processes = static_cast<int>(tree.size());
    reading.web_processes = bench::web_processes(tree);
    reading.breakdown.clear();
    for (const bench::TreeProcess& process : tree) {
      char part[64];
      std::snprintf(part, sizeof part, "%s%s %.1f", reading.breakdown.empty() ? "" : ", ",
                    process.name.c_str(), mib(process.pss_kib));
      reading.breakdown += part;
    }
    std::this_thread::sleep_for(milliseconds(200));
  }
  reading.pss_mib = bench::median(samples);
  reading.private_mib = bench::median(private_samples);
  return reading;
}

struct Run {
  Reading main_alone, both, both_reopened;
};

class Session {
 public:
  Session(const desktop::Display& display, desktop::SiteServer& site, const desktop::XClient& x)
      : display_(display), site_(site), x_(x) {}

  std::optional<Run> run(bool compositing) {
    site_.clear();
    const desktop::ProgramOptions options{
        {}, {{"WEBKIT_DISABLE_COMPOSITING_MODE", compositing ? "0" : "1"}}};
    desktop::Program program(display_, LUMESCA_PROGRAM_PATH, options);
    const auto main = x_.find_window(kMainTitle, seconds(30));
    if (!main || !x_.wait_for_shape(*main, seconds(5)) || !asked_for(kPlayerPage)) {
      return fail(program, "no shaped main window with its page");
    }
    Run run;
    run.main_alone = settled_reading(program.pid());

    x_.click(on(*main, kArrow));
    if (!desktop::wait_until([&] { return width_of(*main) == kOpenWidth; }, seconds(5))) {
      return fail(program, "the menu did not open");
    }
    std::optional<Window> companion = open_companion(*main);
    if (!companion) return fail(program, "no companion window with its page");
    run.both = settled_reading(program.pid());

    for (int i = 0; i < kReopenings; ++i) {
      x_.click(on(*companion, kCompanionQuit));
      if (!desktop::wait_until([&] { return x_.windows_titled(kCompanionTitle) == 0; },
                               seconds(5))) {
        return fail(program, "the companion window did not close");
      }
      companion = open_companion(*main);
      if (!companion) return fail(program, "the companion window did not open again");
    }
    run.both_reopened = settled_reading(program.pid());
    return run;
  }

 private:
  bool asked_for(const char* page) { return site_.wait_for_request(page, seconds(20)); }

  std::optional<Window> open_companion(Window main) {
    site_.clear();
    x_.click(on(main, kTools));
    const auto companion = x_.find_window(kCompanionTitle, seconds(10));
    if (!companion || !x_.wait_for_shape(*companion, seconds(5)) || !asked_for(kNewsPage)) {
      return std::nullopt;
    }
    return companion;
  }

  Point on(Window window, Point inside) const {
    const auto where = x_.geometry(window);
    return where ? Point{where->x + inside.x, where->y + inside.y} : inside;
  }
  int width_of(Window window) const {
    const auto where = x_.geometry(window);
    return where ? where->width : -1;
  }

  static std::nullopt_t fail(desktop::Program& program, const char* what) {
    std::fprintf(stderr, "memory_bench: %s; the program's stderr:\n%s\n", what,
                 program.stderr_text().c_str());
    return std::nullopt;
  }

  const desktop::Display& display_;
  desktop::SiteServer& site_;
  const desktop::XClient& x_;
};

void print_reading(const char* label, const Reading& r) {
  std::printf("  %-34s PSS %6.1f MiB (private %6.1f)   %d processes, %d web content\n", label,
              r.pss_mib, r.private_mib, r.processes, r.web_processes);
  std::printf("  %-34s (PSS: %s)\n", "", r.breakdown.c_str());
}

double median_of(const std::vector<Run>& runs, Reading Run::*which, double Reading::*figure) {
  std::vector<double> values;
  for (const Run& run : runs) values.push_back(run.*which.*figure);
  return bench::median(values);
}

// The median over the runs of each run's both-windows figure against its main-window one.
double median_ratio(const std::vector<Run>& runs, double Reading::*figure) {
  std::vector<double> ratios;
  for (const Run& run : runs) ratios.push_back(run.both.*figure / run.main_alone.*figure);
  return bench::median(ratios);
}

// `wanted` runs in one mode, each with its figures, then their medians against the goals.
bool measure(Session& session, const desktop::XClient& x, bool compositing, int wanted) {
  std::vector<Run> runs;
  for (int i = 0; i < wanted; ++i) {
    const auto run = session.run(compositing);
    if (!run) return false;
    std::printf("run %d\n", i + 1);
    print_reading("main window alone", run->main_alone);
    print_reading("both windows", run->both);
    print_reading("both, companion reopened 3 times", run->both_reopened);
    std::fflush(stdout);
    runs.push_back(*run);
    if (!desktop::wait_until([&] { return x.client_windows().empty(); }, seconds(10))) {
      std::fprintf(stderr, "memory_bench: the program's windows stayed\n");
      return false;
    }
  }
  std::printf("Medians of %zu runs\n", runs.size());
  for (const auto& [name, figure] :
       {std::pair{"PSS", &Reading::pss_mib}, std::pair{"private", &Reading::private_mib}}) {
    const double alone = median_of(runs, &Run::main_alone, figure);
    const double both = median_of(runs, &Run::both, figure);
    const double reopened = median_of(runs, &Run::both_reopened, figure);
    const double ratio = median_ratio(runs, figure);
    std::printf(
        "  %-7s main window alone %6.1f MiB, both windows %6.1f MiB (reopened %6.1f), "
        "both / alone %.2f   goal <= %.1f: %s\n",
        name, alone, both, reopened, ratio, kGoal, ratio <= kGoal ? "met" : "NOT met");
  }
  int most_web = 0;
  for (const Run& run : runs) {
    most_web = std::max({most_web, run.both.web_processes, run.both_reopened.web_processes});
  }
  std::printf("  web content processes with both windows, at most %d   goal 1: %s\n", most_web,
              most_web == 1 ? "met" : "NOT met");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs_wanted = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  try {
    if (!bench::site_port_free("memory_bench")) return EXIT_FAILURE;
    desktop::Display display;
    desktop::SiteServer site;
    const desktop::XClient x(display.name());
    Session session(display, site, x);
    std::printf("memory_bench on Xvfb %s + openbox: PSS of the program's process tree\n",
                display.name().c_str());
    for (const bool compositing : {true, false}) {
      std::printf("\n%s\n", compositing ? "Composited as on the desktop (software GL here)"
                                        : "Without compositing, as the desktop tests run it");
      if (!measure(session, x, compositing, runs_wanted)) return EXIT_FAILURE;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "memory_bench: %s\n", error.what());
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
