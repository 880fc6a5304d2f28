#include "forms/gtk/gtk_platform.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdio>

#include "forms/gtk/message_box.h"
#include "forms/gtk/program_starter.h"
#include "forms/gtk/web_views.h"
#include "forms/gtk/window_view.h"

namespace forms::gtk {

std::unique_ptr<GtkPlatform> GtkPlatform::open() {
  // Shaped toplevels, keep-above and window placement need X11; under Wayland the program
  // runs through XWayland.
  gdk_set_allowed_backends("x11");
  if (!gtk_init_check(nullptr, nullptr)) return nullptr;
  return std::make_unique<GtkPlatform>(OpenedDisplay{});
}

GtkPlatform::GtkPlatform(OpenedDisplay) : web_views_(std::make_unique<WebViews>()) {}

GtkPlatform::~GtkPlatform() = default;

WindowView* GtkPlatform::view(Form& form) {
  const auto found = views_.find(&form);
  return found == views_.end() ? nullptr : found->second.get();
}

void GtkPlatform::build_window(Form& form) {
  views_[&form] = std::make_unique<WindowView>(*this, form);
}

void GtkPlatform::show_window(Form& form) {
  if (WindowView* shown = view(form)) gtk_window_present(GTK_WINDOW(shown->window));
}

void GtkPlatform::destroy_window(Form& form) {
  views_.erase(&form);
}

void GtkPlatform::update_window_width(Form& form) {
  if (WindowView* changed = view(form)) changed->update_width();
}

void GtkPlatform::update_control(Form& form, std::size_t control) {
  if (WindowView* changed = view(form)) changed->update_control(control);
}

void GtkPlatform::navigate(Form& form, std::size_t control, const std::string& address) {
  WindowView* window = view(form);
  if (window == nullptr || window->controls.at(control) == nullptr) return;
  webkit_web_view_load_uri(WEBKIT_WEB_VIEW(window->controls[control]), address.c_str());
}

double GtkPlatform::start_program(const std::string& command_line, int window_style) {
  return gtk::start_program(command_line, window_style);
}

void GtkPlatform::report_error(const RuntimeError& error) {
  std::fprintf(stderr, "lumesca: %s\n", error.report().c_str());
  show_error_message(error.report());
}

void GtkPlatform::run_event_loop() {
  gtk_main();
}

void GtkPlatform::quit_event_loop() {
  gtk_main_quit();
}

void GtkPlatform::apply_shape(Form& form, Region shape, bool redraw) {
  WindowView* window = view(form);
  if (window == nullptr) return;
  // GTK keeps its own copy and applies it to the X window, now or when it is realized.
  gtk_widget_shape_combine_region(window->window, shape.get());
  if (redraw) gtk_widget_queue_draw(window->window);
}

void GtkPlatform::set_topmost(Form& form, bool topmost) {
  if (WindowView* window = view(form))
    gtk_window_set_keep_above(GTK_WINDOW(window->window), topmost);
}

void GtkPlatform::release_pointer_capture() {
  if (GdkDisplay* display = gdk_display_get_default()) {
    gdk_seat_ungrab(gdk_display_get_default_seat(display));
  }
}

void GtkPlatform::begin_move(Form& form) {
  WindowView* window = view(form);
  if (window == nullptr) return;
  Press press;
  if (current_press_ != nullptr) {
    press = *current_press_;
  } else {
    GdkDevice* pointer =
        gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_display_get_default()));
    gdk_device_get_position(pointer, nullptr, &press.root_x, &press.root_y);
    press.time = GDK_CURRENT_TIME;
  }
  gtk_window_begin_move_drag(GTK_WINDOW(window->window), static_cast<gint>(press.button),
                             press.root_x, press.root_y, press.time);
}

}  // namespace forms::gtk
