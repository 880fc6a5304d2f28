#pragma once
// A platform for headless tests: it logs every step of the program's code and every window
// call in order, counts pixel reads and region operations, keeps what a window would show
// (outline, width, shown state, pages asked for), and can make any one step fail.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/system_calls/platform.h"

namespace testing_support {

struct Rect {
  int left, top, right, bottom;
  friend bool operator==(const Rect&, const Rect&) = default;
};

class RecordingPlatform : public forms::Platform {
 public:
  // The log: step texts ("Form1.Picture2.AutoRedraw = True"), window calls
  // ("SetWindowRgn(Form1, region, True)") and region calls ("CreateRectRgn(14, 2, 286, 3)").
  // Pixel reads are only counted.
  const std::vector<std::string>& log() const { return log_; }
  // The log without the region calls.
  std::vector<std::string> steps() const;
  void clear_log() {
    log_.clear();
    reads_at_step_.clear();
  }

  // The next step whose text is `step_text` raises `error` instead of taking effect.
  void fail_step(const std::string& step_text,
                 forms::RuntimeError error = {380, "Valeur de propriété non valide"});
  // A read of `step_text` yields `value` in place of the window's own; an empty value takes
  // the answer back.
  void answer(const std::string& step_text, forms::Value value);
  // Programs cannot be started from now on.
  void fail_program_starts() { programs_fail_ = true; }

  int pixel_reads() const { return pixel_reads_; }
  // How many pixels had been read when `step_text` was last logged; empty when it was not.
  std::optional<int> pixel_reads_at(const std::string& step_text) const;
  int rectangles_created() const { return created_; }
  int regions_combined() const { return combined_; }
  int regions_deleted() const { return deleted_; }
  void reset_counts() { pixel_reads_ = created_ = combined_ = deleted_ = 0; }

  // What the windows show.
  struct WindowState {
    bool built = false;
    bool shown = false;
    bool shaped = false;        // an outline is set
    std::vector<Rect> outline;  // its rectangles, if shaped
    bool topmost = false;
    int move_drags = 0;  // interactive moves started
  };
  const WindowState& window_state(const std::string& form) const { return windows_.at(form); }
  bool has_window(const std::string& form) const { return windows_.contains(form); }
  int builds(const std::string& form) const;
  // Pages asked for, as "Form1.Web <- address", in order.
  const std::vector<std::string>& navigations() const { return navigations_; }
  const std::vector<std::pair<std::string, int>>& programs_started() const { return programs_; }
  const std::vector<std::string>& reports() const { return reports_; }
  int capture_releases() const { return capture_releases_; }

  // Rectangles of a region handle, or nothing for an unknown one.
  std::optional<std::vector<Rect>> rectangles(forms::HRgn region) const;

  // The toolkit's operations (forms/toolkit.h).
  forms::Value pass(const forms::Step& step, forms::Value value) override;

  void build_window(forms::Form& form) override;
  void show_window(forms::Form& form) override;
  void destroy_window(forms::Form& form) override;
  void update_window_width(forms::Form& form) override;
  void update_control(forms::Form&, std::size_t) override {}
  void navigate(forms::Form& form, std::size_t control, const std::string& address) override;
  double start_program(const std::string& command_line, int window_style) override;
  void report_error(const forms::RuntimeError& error) override;
  void run_event_loop() override {}
  void quit_event_loop() override {}

  // The window and graphics calls, logged and counted, then handed to forms::Platform.
  std::int32_t SetWindowRgn(forms::HWnd window, forms::HRgn region, std::int32_t redraw) override;
  std::int32_t SetWindowPos(forms::HWnd window, forms::HWnd insert_after, std::int32_t x,
                            std::int32_t y, std::int32_t cx, std::int32_t cy,
                            std::uint32_t flags) override;
  std::int32_t ReleaseCapture() override;
  std::int32_t SendMessageA(forms::HWnd window, std::uint32_t message, std::int32_t wparam,
                            std::int32_t lparam) override;
  forms::HRgn CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                            std::int32_t bottom) override;
  std::int32_t CombineRgn(forms::HRgn destination, forms::HRgn first, forms::HRgn second,
                          std::int32_t mode) override;
  std::int32_t DeleteObject(forms::HRgn region) override;

 protected:
  // Counts the read. No device context is ever made readable in place, so that every
  // GetPixel comes here.
  forms::ColorRef read_pixel(forms::HDC dc, std::int32_t x, std::int32_t y) override;
  void apply_shape(forms::Form& form, forms::Region shape, bool redraw) override;
  void set_topmost(forms::Form& form, bool topmost) override;
  void release_pointer_capture() override;
  void begin_move(forms::Form& form) override;

 private:
  std::string window_name(forms::HWnd window) const;
  std::string region_name(forms::HRgn region) const;

  std::vector<std::string> log_;
  std::map<std::string, forms::RuntimeError> failures_;
  std::map<std::string, forms::Value> answers_;
  bool programs_fail_ = false;
  int pixel_reads_ = 0, created_ = 0, combined_ = 0, deleted_ = 0;
  std::map<std::string, int> reads_at_step_;
  std::map<std::string, WindowState> windows_;
  std::map<std::string, int> builds_;
  std::vector<std::string> navigations_;
  std::vector<std::pair<std::string, int>> programs_;
  std::vector<std::string> reports_;
  int capture_releases_ = 0;
};

// The rectangles of a cairo region, in its own order (rows top to bottom).
std::vector<Rect> rectangles_of(const cairo_region_t* region);

}  // namespace testing_support
