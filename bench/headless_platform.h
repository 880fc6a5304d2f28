#pragma once
// A platform for timing the program's own code: the handle tables and graphics calls of the
// forms layer, and nothing else. Windows are never drawn, steps are not logged, outlines are
// dropped as soon as they are handed over, so what is timed is the program's code and the
// forms layer under it.

#include <cstdio>
#include <string>

#include "forms/system_calls/platform.h"

namespace bench {

class HeadlessPlatform : public forms::Platform {
 public:
  // The toolkit's operations (forms/toolkit.h), all doing nothing but the error report.
  void build_window(forms::Form&) override {}
  void show_window(forms::Form&) override {}
  void destroy_window(forms::Form&) override {}
  void update_window_width(forms::Form&) override {}
  void update_control(forms::Form&, std::size_t) override {}
  void navigate(forms::Form&, std::size_t, const std::string&) override {}
  double start_program(const std::string&, int) override { return 0; }
  void report_error(const forms::RuntimeError& error) override {
    std::fprintf(stderr, "run-time error: %s\n", error.report().c_str());
  }
  void run_event_loop() override {}
  void quit_event_loop() override {}

 protected:
  void apply_shape(forms::Form&, forms::Region, bool) override {}
  void set_topmost(forms::Form&, bool) override {}
  void release_pointer_capture() override {}
  void begin_move(forms::Form&) override {}
};

}  // namespace bench
