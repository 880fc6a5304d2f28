// region_bench: the region builder on the three stored skin masks, beside GTK's own builder on
// the same pixels, and the slide-out menu's toggle, all on a headless platform.
//
//   region_bench [Google Benchmark flags, e.g. --benchmark_filter=narrow]
//
// Each mask is timed twice: Module1::RegionFromPicture through the forms layer (pixel reads,
// one rectangle per run, joined one by one), and gdk_cairo_region_create_from_surface on an
// ARGB32 image that is opaque exactly where the mask's pixel differs from its key colour. Both
// regions are checked once to cover the same pixels. The ratio of the two is printed at the
// end, with the toggle's time per open-and-close.

#include <benchmark/benchmark.h>
#include <gdk/gdk.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/headless_platform.h"
#include "companion_window/form2.h"
#include "forms/default_instance.h"
#include "forms/form.h"
#include "forms/runtime.h"
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
void time_ours(benchmark::State& state, bench::HeadlessPlatform* platform, Mask* mask) {
  for (auto _ : state) {
    const forms::HRgn region = Module1::RegionFromPicture(mask->box);
    benchmark::DoNotOptimize(region);
    platform->DeleteObject(region);
  }
}

void time_gtk(benchmark::State& state, const Mask* mask) {
  for (auto _ : state) {
    cairo_region_t* region = gdk_cairo_region_create_from_surface(mask->surface.get());
    benchmark::DoNotOptimize(region);
    cairo_region_destroy(region);
  }
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

std::string ours_name(const Mask& mask) {
  return "RegionFromPicture/" + mask.label;
}
std::string gtk_name(const Mask& mask) {
  return "gdk_cairo_region_create_from_surface/" + mask.label;
}
constexpr char kToggleName[] = "toggle/droit_Click+gauche_Click";

const char* verdict(bool met) {
  return met ? "met" : "NOT met";
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return EXIT_FAILURE;

  bench::HeadlessPlatform platform;
  forms::Runtime runtime(platform);
  forms::Form1.define<main_window::Form1>(runtime);
  forms::Form2.define<companion_window::Form2>(runtime);
  runtime.start(forms::Form1);
  runtime.raise([] { forms::Form2->Show(); });
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
      {"narrow", forms::Form1, "Picture2"},
      {"wide", forms::Form1, "Picture1"},
      {"companion", forms::Form2, "Picture1"},
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
  forms::Form& player = *forms::Form1;
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

  for (Mask& mask : masks) {
    benchmark::RegisterBenchmark(ours_name(mask).c_str(), time_ours, &platform, &mask)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(gtk_name(mask).c_str(), time_gtk, &mask)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark(kToggleName, time_toggle, &player)->Unit(benchmark::kMicrosecond);

  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  if (runtime.ended() || platform.live_regions() != 0) {
    std::fprintf(stderr, "region_bench: the toggle ended the program or leaked regions\n");
    return EXIT_FAILURE;
  }

  std::printf("\nRegion builder, ours / GTK's (goal: <= 1.00)\n");
  for (const Mask& mask : masks) {
    const double ours = reporter.microseconds(ours_name(mask));
    const double theirs = reporter.microseconds(gtk_name(mask));
    if (ours < 0 || theirs <= 0) continue;
    std::printf("  %-10s ours %10.1f us   GTK %8.1f us   ratio %6.2f   %s\n", mask.label.c_str(),
                ours, theirs, ours / theirs, verdict(ours <= theirs));
  }
  if (const double toggle = reporter.microseconds(kToggleName); toggle >= 0) {
    std::printf("Menu toggle, droit_Click + gauche_Click, whole handlers (goal: < 1000 us)\n");
    std::printf("  %10.1f us per open-and-close (%.1f us per click)   %s\n", toggle, toggle / 2,
                verdict(toggle < 1000));
  }
  return EXIT_SUCCESS;
}
