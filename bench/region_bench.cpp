// region_bench: the region builder on the three stored skin masks, beside GTK's own builder on
// the same pixels, and the slide-out menu's toggle, all on a headless platform.
//
//   region_bench [--cores=0,7] [--rounds=31] [Google Benchmark flags]
//
// Each mask is built two ways: Module1::RegionFromPicture through the forms layer (pixel
// reads, one rectangle per run, joined one by one), and gdk_cairo_region_create_from_surface
// on an ARGB32 image that is opaque exactly where the mask's pixel differs from its key
// colour. Both regions are checked once to cover the same pixels.
//
// The two builders are compared in one run on one core, for each core of --cores (by default
// the first and the last this process may run on, which on a machine with cores of two speeds
// are usually one of each): the process is pinned to the core, then each round times a batch
// of each builder in turn (the order alternating), and the median of the rounds' ratios is
// the figure. Taking turns within a round keeps the ratio fair when the machine's load or
// clock changes during the run.
//
// The toggle's time per open-and-close is timed with Google Benchmark (its flags apply to it),
// on the first core.

#include <benchmark/benchmark.h>
#include <gdk/gdk.h>

#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/headless_platform.h"
#include "bench/statistics.h"
#include "both_windows/default_instances.h"
#include "companion_window/form2.h"
#include "forms/form.h"
#include "forms/runtime.h"
#include "forms/system_calls/region.h"
#include "main_window/form1.h"
#include "shaped_window/module1.h"
#include "shaped_window/skin.h"

namespace {

struct SurfaceDestroy {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDestroy>;

// The mask as GTK's builder reads it: opaque where the pixel differs from pixel (0, 0),
// transparent elsewhere.
Surface coverage_surface(const forms::Picture& mask) {
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, mask.width(), mask.height()));
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  const forms::ColorRef key = mask.pixel(0, 0);
  for (int y = 0; y < mask.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < mask.width(); ++x) row[x] = mask.pixel(x, y) != key ? 0xFF000000u : 0u;
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

// Whether both regions cover exactly the same pixels (and at least one).
bool same_pixels(const cairo_region_t* a, const cairo_region_t* b) {
  const forms::Region difference(cairo_region_copy(a));
  cairo_region_xor(difference.get(), b);
  return !cairo_region_is_empty(a) && cairo_region_is_empty(difference.get());
}

// One stored skin mask, ready for both builders.
struct Mask {
  std::string label;
  forms::PictureBox box;
  Surface surface;
};

// The console output, plus the time per iteration of every benchmark by name, for the
// summary. With repetitions, the median of the repeated runs is kept.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  // Coloured on a terminal only, so that a log or a pipe gets plain text.
  SummaryReporter() : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) continue;
      seconds_[run.run_name.function_name].push_back(run.real_accumulated_time /
                                                     static_cast<double>(run.iterations));
    }
  }

  // Microseconds per iteration of `name`; negative when it did not run.
  double microseconds(const std::string& name) const {
    const auto found = seconds_.find(name);
    if (found == seconds_.end()) return -1;
    std::vector<double> times = found->second;
    std::sort(times.begin(), times.end());
    return times[times.size() / 2] * 1e6;
  }

 private:
  std::map<std::string, std::vector<double>> seconds_;
};

// The program's builder, its region freed again as the window's code frees a rectangle.
void build_ours(bench::HeadlessPlatform& platform, Mask& mask) {
  const forms::HRgn region = Module1::RegionFromPicture(mask.box);
  benchmark::DoNotOptimize(region);
  platform.DeleteObject(region);
}

void build_gtk(const Mask& mask) {
  const forms::Region region(gdk_cairo_region_create_from_surface(mask.surface.get()));
  benchmark::DoNotOptimize(region.get());
}

using Clock = std::chrono::steady_clock;

// Microseconds per call of `build`, over `calls` calls.
template <class Build>
double microseconds_per_call(int calls, Build&& build) {
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < calls; ++i) build();
  const std::chrono::duration<double, std::micro> elapsed = Clock::now() - start;
  return elapsed.count() / calls;
}

struct Comparison {
  double ours_us, gtk_us, ratio;  // medians over the rounds
};

// Both builders on one mask, taking turns, `rounds` rounds of about 4 ms per builder.
Comparison compare(bench::HeadlessPlatform& platform, Mask& mask, int rounds) {
  const auto ours = [&] { build_ours(platform, mask); };
  const auto gtk = [&] { build_gtk(mask); };
  // Warm up, then size the batches from one call each.
  const double ours_once = std::max(microseconds_per_call(3, ours), 1.0);
  const double gtk_once = std::max(microseconds_per_call(3, gtk), 1.0);
  const int ours_calls = std::max(1, static_cast<int>(4000 / ours_once));
  const int gtk_calls = std::max(1, static_cast<int>(4000 / gtk_once));
  std::vector<double> ours_times, gtk_times, ratios;
  for (int round = 0; round < rounds; ++round) {
    double o = 0, g = 0;
    if (round % 2 == 0) {
      o = microseconds_per_call(ours_calls, ours);
      g = microseconds_per_call(gtk_calls, gtk);
    } else {
      g = microseconds_per_call(gtk_calls, gtk);
      o = microseconds_per_call(ours_calls, ours);
    }
    ours_times.push_back(o);
    gtk_times.push_back(g);
    ratios.push_back(o / g);
  }
  return {bench::median(ours_times), bench::median(gtk_times), bench::median(ratios)};
}

// Pins the whole process (its one thread that builds) to `core`.
bool pin_to(int core) {
  cpu_set_t set;
  CPU_ZERO(&set);
  CPU_SET(core, &set);
  return sched_setaffinity(0, sizeof set, &set) == 0;
}

// The first and the last core this process may run on (one core when it has only one).
std::vector<int> default_cores() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (sched_getaffinity(0, sizeof set, &set) != 0) return {0};
  std::vector<int> allowed;
  for (int core = 0; core < CPU_SETSIZE; ++core) {
    if (CPU_ISSET(core, &set)) allowed.push_back(core);
  }
  if (allowed.empty()) return {0};
  if (allowed.size() == 1) return {allowed.front()};
  return {allowed.front(), allowed.back()};
}

// The program's own options, taken out of argv before Google Benchmark reads it.
struct Options {
  std::vector<int> cores = default_cores();
  int rounds = 31;
};

bool parse_cores(std::string_view list, std::vector<int>& cores) {
  cores.clear();
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string item(list.substr(0, comma));
    char* end = nullptr;
    const long core = std::strtol(item.c_str(), &end, 10);
    if (item.empty() || *end != '\0' || core < 0 || core >= CPU_SETSIZE) return false;
    cores.push_back(static_cast<int>(core));
    list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
  }
  return !cores.empty();
}

bool take_options(int& argc, char** argv, Options& options) {
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with("--cores=")) {
      if (!parse_cores(arg.substr(8), options.cores)) return false;
    } else if (arg.starts_with("--rounds=")) {
      options.rounds = std::atoi(argv[i] + 9);
      if (options.rounds < 1) return false;
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  return true;
}

// One open and one close of the slide-out menu, as the two arrows' clicks raise them.
void time_toggle(benchmark::State& state, forms::Form* player) {
  const std::size_t open_arrow = player->description().index_of("droit");
  const std::size_t close_arrow = player->description().index_of("gauche");
  for (auto _ : state) {
    player->raise_click(open_arrow);
    player->raise_click(close_arrow);
  }
}

constexpr char kToggleName[] = "toggle/droit_Click+gauche_Click";

const char* verdict(bool met) {
  return met ? "met" : "NOT met";
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!take_options(argc, argv, options)) {
    std::fprintf(stderr, "region_bench: --cores=N[,N...] takes core numbers, --rounds=N a count\n");
    return EXIT_FAILURE;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return EXIT_FAILURE;

  bench::HeadlessPlatform platform;
  forms::Runtime runtime(platform);
  lumesca::Form1.define<main_window::Form1>(runtime);
  lumesca::Form2.define<companion_window::Form2>(runtime);
  runtime.start(lumesca::Form1);
  runtime.raise([] { lumesca::Form2->Show(); });
  if (runtime.ended()) {
    std::fprintf(stderr, "region_bench: the windows did not load\n");
    return EXIT_FAILURE;
  }

  struct Stored {
    const char* label;
    forms::DefaultInstance& window;
    const char* box;
  };
  const Stored stored[] = {
      {"narrow", lumesca::Form1, "Picture2"},
      {"wide", lumesca::Form1, "Picture1"},
      {"companion", lumesca::Form2, "Picture1"},
  };
  std::vector<Mask> masks;
  for (const Stored& s : stored) {
    forms::Form& window = *s.window;
    forms::PictureBox box = window.picture_box(s.box);
    shaped_window::prepare_skin_mask(box);
    const auto& picture = window.control_state(box.index()).picture;
    if (!picture) {
      std::fprintf(stderr, "region_bench: %s.%s holds no picture\n", window.name().c_str(), s.box);
      return EXIT_FAILURE;
    }
    masks.push_back({s.label, box, coverage_surface(*picture)});
  }

  // Both builders must agree before their times mean anything.
  for (Mask& mask : masks) {
    const forms::HRgn ours = Module1::RegionFromPicture(mask.box);
    const forms::Region theirs(gdk_cairo_region_create_from_surface(mask.surface.get()));
    const cairo_region_t* built = platform.region(ours);
    if (built == nullptr || !same_pixels(built, theirs.get())) {
      std::fprintf(stderr, "region_bench: the %s mask's regions differ; no figures\n",
                   mask.label.c_str());
      return EXIT_FAILURE;
    }
    std::printf("%s mask: %d rectangles (ours), %d (GTK's)\n", mask.label.c_str(),
                cairo_region_num_rectangles(built), cairo_region_num_rectangles(theirs.get()));
    platform.DeleteObject(ours);
  }

  // The toggle must really open and close the menu, and leave no region behind.
  forms::Form& player = *lumesca::Form1;
  const std::size_t open_arrow = player.description().index_of("droit");
  const std::size_t close_arrow = player.description().index_of("gauche");
  player.raise_click(open_arrow);
  const bool opened = player.width() == main_window::kOpenWindowWidth;
  player.raise_click(close_arrow);
  const bool closed = player.width() == main_window::kClosedWindowWidth;
  if (!opened || !closed || runtime.ended() || platform.live_regions() != 0) {
    std::fprintf(stderr, "region_bench: the toggle did not open and close the menu cleanly\n");
    return EXIT_FAILURE;
  }

  if (!pin_to(options.cores.front())) {
    std::fprintf(stderr, "region_bench: cannot run on core %d\n", options.cores.front());
    return EXIT_FAILURE;
  }
  benchmark::RegisterBenchmark(kToggleName, time_toggle, &player)->Unit(benchmark::kMicrosecond);
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf(
      "\nRegion builder, ours / GTK's, one run per core, medians of %d rounds "
      "(goal: <= 0.50)\n",
      options.rounds);
  for (const int core : options.cores) {
    if (!pin_to(core)) {
      std::fprintf(stderr, "region_bench: cannot run on core %d\n", core);
      return EXIT_FAILURE;
    }
    for (Mask& mask : masks) {
      const Comparison c = compare(platform, mask, options.rounds);
      std::printf("  core %-3d %-10s ours %8.1f us   GTK %8.1f us   ratio %5.2f   %s\n", core,
                  mask.label.c_str(), c.ours_us, c.gtk_us, c.ratio, verdict(c.ratio <= 0.5));
      std::fflush(stdout);
    }
  }

  if (runtime.ended() || platform.live_regions() != 0) {
    std::fprintf(stderr, "region_bench: the toggle ended the program or leaked regions\n");
    return EXIT_FAILURE;
  }
  if (const double toggle = reporter.microseconds(kToggleName); toggle >= 0) {
    std::printf("Menu toggle, droit_Click + gauche_Click, whole handlers (goal: < 1000 us)\n");
    std::printf("  %10.1f us per open-and-close (%.1f us per click)   %s\n", toggle, toggle / 2,
                verdict(toggle < 1000));
  }
  return EXIT_SUCCESS;
}
