#pragma once
// The widgets of one loaded window: a borderless toplevel holding a GtkLayout (which, unlike
// GtkFixed, lets the window become narrower than its laid-out controls), the background
// picture, and one widget per control.

#include <gtk/gtk.h>

#include <vector>

#include "forms/form.h"
#include "forms/gobject_ptr.h"

namespace forms::gtk {

class GtkPlatform;

struct WindowView {
  WindowView(GtkPlatform& platform, Form& form);
  ~WindowView();
  WindowView(const WindowView&) = delete;
  WindowView& operator=(const WindowView&) = delete;

  // Brings a control's widget in line with its state: shown or hidden, place and size.
  void update_control(std::size_t control);
  void update_width();

  GtkPlatform& platform;
  Form& form;
  GtkWidget* window = nullptr;  // owned by GTK until destroyed here
  GtkWidget* layout = nullptr;
  GObjectPtr<GdkPixbuf> background;
  std::vector<GtkWidget*> controls;  // by description index; nullptr for the hidden masks
};

}  // namespace forms::gtk
