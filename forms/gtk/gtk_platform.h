#pragma once
// The forms layer on the Linux desktop: GTK 3 windows on X11, WebKitGTK web views, shapes and
// stacking through the window manager.

#include <map>
#include <memory>

#include "forms/system_calls/platform.h"

namespace forms::gtk {

struct WindowView;
class WebViews;

class GtkPlatform : public Platform {
 public:
  // Opens the X11 display; nullptr when there is none to open.
  static std::unique_ptr<GtkPlatform> open();
  ~GtkPlatform() override;

  // The toolkit's operations (forms/toolkit.h).
  void build_window(Form& form) override;
  void show_window(Form& form) override;
  void destroy_window(Form& form) override;
  void update_window_width(Form& form) override;
  void update_control(Form& form, std::size_t control) override;
  void navigate(Form& form, std::size_t control, const std::string& address) override;
  double start_program(const std::string& command_line, int window_style) override;
  void report_error(const RuntimeError& error) override;
  void run_event_loop() override;
  void quit_event_loop() override;

  // The press being handled, which a window move continues.
  struct Press {
    unsigned button = 1;
    int root_x = 0, root_y = 0;
    unsigned time = 0;
  };
  void set_current_press(const Press* press) { current_press_ = press; }

  // Every web view of the program comes from here.
  WebViews& web_views() { return *web_views_; }

 protected:
  void apply_shape(Form& form, Region shape, bool redraw) override;
  void set_topmost(Form& form, bool topmost) override;
  void release_pointer_capture() override;
  void begin_move(Form& form) override;

 private:
  struct OpenedDisplay {};

 public:
  explicit GtkPlatform(OpenedDisplay);

 private:
  WindowView* view(Form& form);

  std::unique_ptr<WebViews> web_views_;  // outlives the windows' views
  std::map<Form*, std::unique_ptr<WindowView>> views_;
  const Press* current_press_ = nullptr;
};

}  // namespace forms::gtk
