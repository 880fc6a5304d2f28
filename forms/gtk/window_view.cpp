#include "forms/gtk/window_view.h"

#include "forms/gobject_ptr.h"
#include "forms/gtk/control_widgets.h"
#include "forms/gtk/gtk_platform.h"
#include "forms/gtk/pictures.h"
#include "forms/numbers.h"

namespace forms::gtk {
namespace {

int shift_state(guint modifiers) {
  return ((modifiers & GDK_SHIFT_MASK) ? 1 : 0) | ((modifiers & GDK_CONTROL_MASK) ? 2 : 0) |
         ((modifiers & GDK_MOD1_MASK) ? 4 : 0);
}

// Left 1, right 2, middle 4, as the window's MouseDown counts them.
int mouse_button(guint button) {
  switch (button) {
    case GDK_BUTTON_PRIMARY:
      return 1;
    case GDK_BUTTON_SECONDARY:
      return 2;
    case GDK_BUTTON_MIDDLE:
      return 4;
    default:
      return 0;
  }
}

// A press that no control took lies on the window's own surface.
gboolean on_window_press(GtkWidget*, GdkEventButton* event, gpointer data) {
  if (event->type != GDK_BUTTON_PRESS) return TRUE;
  auto* view = static_cast<WindowView*>(data);
  const GtkPlatform::Press press{event->button, static_cast<int>(event->x_root),
                                 static_cast<int>(event->y_root), event->time};
  view->platform.set_current_press(&press);
  view->form.raise_mouse_down(mouse_button(event->button), shift_state(event->state),
                              static_cast<float>(event->x * kTwipsPerPixel),
                              static_cast<float>(event->y * kTwipsPerPixel));
  view->platform.set_current_press(nullptr);
  return TRUE;
}

gboolean on_draw_background(GtkWidget*, cairo_t* cr, gpointer data) {
  auto* view = static_cast<WindowView*>(data);
  if (view->background) {
    gdk_cairo_set_source_pixbuf(cr, view->background.get(), 0, 0);
    cairo_paint(cr);
  }
  return FALSE;
}

// A close asked by the desktop (the window has no button of its own for it) unloads the window.
gboolean on_delete(GtkWidget*, GdkEvent*, gpointer data) {
  static_cast<WindowView*>(data)->form.raise_close();
  return TRUE;
}

}  // namespace

WindowView::WindowView(GtkPlatform& owner, Form& window_form) : platform(owner), form(window_form) {
  const FormDescription& description = form.description();
  window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), description.title.c_str());
  gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
  gtk_window_set_default_size(GTK_WINDOW(window), twips_to_pixels(description.client_width),
                              twips_to_pixels(description.client_height));
  if (description.start_up_position == StartUpPosition::Manual) {
    gtk_window_move(GTK_WINDOW(window), twips_to_pixels(description.left),
                    twips_to_pixels(description.top));
  }
  if (const GObjectPtr<GdkPixbuf> icon = load_pixbuf(description.icon)) {
    gtk_window_set_icon(GTK_WINDOW(window), icon.get());
  }
  gtk_widget_add_events(window, GDK_BUTTON_PRESS_MASK);
  g_signal_connect(window, "button-press-event", G_CALLBACK(on_window_press), this);
  g_signal_connect(window, "delete-event", G_CALLBACK(on_delete), this);

  layout = gtk_layout_new(nullptr, nullptr);
  gtk_widget_add_events(layout, GDK_BUTTON_PRESS_MASK);
  gtk_container_add(GTK_CONTAINER(window), layout);

  // The background picture is painted on the window's surface itself, under every control.
  background = load_pixbuf(description.picture);
  g_signal_connect(layout, "draw", G_CALLBACK(on_draw_background), this);

  // A child added later is drawn after, and its input window stacked above, the ones before
  // it, so the lowest control goes in first: the windowless layer (images, labels), then the
  // windowed one (check box, web view), each from its last control to its first.
  controls.assign(description.controls.size(), nullptr);
  for (const bool windowed : {false, true}) {
    for (std::size_t i = description.controls.size(); i-- > 0;) {
      const ControlKind kind = description.controls[i].kind;
      if ((kind != ControlKind::Image && kind != ControlKind::Label) != windowed) continue;
      controls[i] = make_control_widget(form, i, platform.web_views());
      if (controls[i] != nullptr) update_control(i);
    }
  }
  gtk_widget_show(layout);
  update_width();
}

WindowView::~WindowView() {
  if (window != nullptr) gtk_widget_destroy(window);
}

void WindowView::update_control(std::size_t control) {
  GtkWidget* widget = controls.at(control);
  if (widget == nullptr) return;
  const ControlState& state = form.control_state(control);
  place_control_widget(layout, widget, state.rect);
  gtk_widget_set_visible(widget, state.visible);
}

void WindowView::update_width() {
  gtk_window_resize(GTK_WINDOW(window), twips_to_pixels(form.width()),
                    twips_to_pixels(form.description().client_height));
}

}  // namespace forms::gtk
