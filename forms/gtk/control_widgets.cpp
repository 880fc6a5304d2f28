#include "forms/gtk/control_widgets.h"

#include <cstdio>
#include <string>

#include "forms/gobject_ptr.h"
#include "forms/gtk/pictures.h"
#include "forms/numbers.h"

namespace forms::gtk {
namespace {

// What a control's signal handlers need: the window and the control's index.
struct ControlTarget {
  Form* form;
  std::size_t index;
};

void free_target(gpointer data, GClosure*) {
  std::default_delete<ControlTarget>()(static_cast<ControlTarget*>(data));
}

template <class Handler>
void connect(GtkWidget* widget, const char* signal, Handler handler, Form& form,
             std::size_t index) {
  auto target = std::make_unique<ControlTarget>(ControlTarget{&form, index});
  g_signal_connect_data(widget, signal, G_CALLBACK(handler), target.release(), free_target,
                        GConnectFlags{});
}

std::string css_color(const Rgb& color) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", color.red, color.green, color.blue);
  return text;
}

void add_css(GtkWidget* widget, const std::string& css) {
  GObjectPtr<GtkCssProvider> provider(gtk_css_provider_new());
  gtk_css_provider_load_from_data(provider.get(), css.c_str(), -1, nullptr);
  gtk_style_context_add_provider(gtk_widget_get_style_context(widget),
                                 GTK_STYLE_PROVIDER(provider.get()),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

// The input window that a widget without a window of its own created for its events.
GdkWindow* input_window_of(GtkWidget* widget) {
  GdkWindow* parent = gtk_widget_get_window(widget);
  if (parent == nullptr) return nullptr;
  for (GList* child = gdk_window_peek_children(parent); child != nullptr; child = child->next) {
    gpointer owner = nullptr;
    gdk_window_get_user_data(GDK_WINDOW(child->data), &owner);
    if (owner == widget) return GDK_WINDOW(child->data);
  }
  return nullptr;
}

// Sets the control's own mouse pointer on its input window once that exists.
void set_pointer_on_realize(GtkWidget* widget, const std::string& resource) {
  const GObjectPtr<GdkPixbuf> pixbuf = load_pixbuf(resource);
  if (!pixbuf) return;
  // The hotspot comes with the cursor file (the x_hot and y_hot options of the picture).
  GObjectPtr<GdkCursor> cursor(
      gdk_cursor_new_from_pixbuf(gdk_display_get_default(), pixbuf.get(), -1, -1));
  g_object_set_data_full(G_OBJECT(widget), "lumesca-pointer", cursor.release(), g_object_unref);
  const auto on_realize = +[](GtkWidget* w, gpointer) {
    auto* pointer = static_cast<GdkCursor*>(g_object_get_data(G_OBJECT(w), "lumesca-pointer"));
    GdkWindow* input =
        GTK_IS_BUTTON(w) ? gtk_button_get_event_window(GTK_BUTTON(w)) : input_window_of(w);
    if (input != nullptr) gdk_window_set_cursor(input, pointer);
  };
  g_signal_connect_after(widget, "realize", G_CALLBACK(on_realize), nullptr);
}

// A press on a control is the control's: it never reaches the window's own drag.
gboolean keep_press(GtkWidget*, GdkEventButton*, gpointer) {
  return TRUE;
}

// A windowless control (an image, a label) in an input-only box that takes its presses, so
// that they never reach the window's own drag.
GtkWidget* press_keeping_box(GtkWidget* child) {
  GtkWidget* box = gtk_event_box_new();
  gtk_event_box_set_visible_window(GTK_EVENT_BOX(box), FALSE);
  if (child != nullptr) {
    gtk_widget_set_halign(child, GTK_ALIGN_START);
    gtk_widget_set_valign(child, GTK_ALIGN_START);
    gtk_container_add(GTK_CONTAINER(box), child);
    gtk_widget_show(child);
  }
  // The box's input window takes the pointer's motion and crossings as well as its presses:
  // GTK looks a tooltip up from the window that the motion came to, so a box that let motion
  // through to the window's surface would have the tooltip of whichever overlapping control
  // came first among the surface's children, not of the one on top.
  gtk_widget_add_events(box, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                 GDK_POINTER_MOTION_MASK | GDK_ENTER_NOTIFY_MASK |
                                 GDK_LEAVE_NOTIFY_MASK);
  g_signal_connect(box, "button-press-event", G_CALLBACK(keep_press), nullptr);
  return box;
}

GtkWidget* make_image(Form& form, std::size_t index) {
  const ControlDescription& description = form.description().controls[index];
  const GObjectPtr<GdkPixbuf> pixbuf = load_pixbuf(description.picture);
  GtkWidget* box = press_keeping_box(pixbuf ? gtk_image_new_from_pixbuf(pixbuf.get()) : nullptr);
  if (description.raises_click) {
    // A click: the left button pressed and released over the image.
    const auto on_release = +[](GtkWidget* widget, GdkEventButton* event, gpointer data) {
      GtkAllocation area;
      gtk_widget_get_allocation(widget, &area);
      if (event->button == GDK_BUTTON_PRIMARY && event->x >= 0 && event->y >= 0 &&
          event->x < area.width && event->y < area.height) {
        const auto* target = static_cast<ControlTarget*>(data);
        target->form->raise_click(target->index);
      }
      return TRUE;
    };
    connect(box, "button-release-event", on_release, form, index);
  }
  return box;
}

GtkWidget* make_check_box(Form& form, std::size_t index) {
  const ControlDescription& description = form.description().controls[index];
  GtkWidget* check = gtk_check_button_new_with_label(description.caption.c_str());
  std::string css = "checkbutton { padding: 0 0 0 2px; margin: 0; min-height: 0; ";
  if (description.back_color)
    css += "background-color: " + css_color(*description.back_color) + "; ";
  css += "} checkbutton check { margin: 0 3px 0 0; min-width: 11px; min-height: 11px; }";
  add_css(check, css);
  if (GtkWidget* label = gtk_bin_get_child(GTK_BIN(check))) {
    std::string label_css = "label { font-size: 8pt; padding: 0; ";
    if (description.fore_color) label_css += "color: " + css_color(*description.fore_color) + "; ";
    add_css(label, label_css + "}");
  }
  const auto on_toggled = +[](GtkToggleButton* button, gpointer data) {
    const auto* target = static_cast<ControlTarget*>(data);
    target->form->control_state(target->index).value = gtk_toggle_button_get_active(button) ? 1 : 0;
    target->form->raise_click(target->index);
  };
  connect(check, "toggled", on_toggled, form, index);
  // The box toggles on the left button only; the others' presses stop at it all the same.
  g_signal_connect_after(check, "button-press-event", G_CALLBACK(keep_press), nullptr);
  return check;
}

// What a label shows: its caption, from its rectangle's top-left corner, cut at the
// rectangle's edges. It is drawn on its input-only box rather than as a GtkLabel child: a
// GtkLabel asks for the width of its whole text and the layout would widen the box, and with
// it the area that takes presses, past the rectangle the description gives.
GtkWidget* make_label(Form& form, std::size_t index) {
  const ControlDescription& description = form.description().controls[index];
  GtkWidget* box = press_keeping_box(nullptr);
  std::string css = "* { color: #000000; ";
  if (description.font) {
    css += "font-family: \"" + description.font->face +
           "\", serif; font-size: " + std::to_string(description.font->size_points) +
           "pt; font-weight: " + std::to_string(description.font->weight) + "; ";
  }
  add_css(box, css + "}");
  // The caption, laid out anew in the box's font at each drawing.
  auto caption = std::make_unique<std::string>(description.caption);
  const auto on_draw = +[](GtkWidget* widget, cairo_t* cr, gpointer data) {
    const GObjectPtr<PangoLayout> text(
        gtk_widget_create_pango_layout(widget, static_cast<std::string*>(data)->c_str()));
    cairo_rectangle(cr, 0, 0, gtk_widget_get_allocated_width(widget),
                    gtk_widget_get_allocated_height(widget));
    cairo_clip(cr);
    gtk_render_layout(gtk_widget_get_style_context(widget), cr, 0, 0, text.get());
    return FALSE;
  };
  g_signal_connect_data(
      box, "draw", G_CALLBACK(on_draw), caption.release(),
      [](gpointer data, GClosure*) {
        std::default_delete<std::string>()(static_cast<std::string*>(data));
      },
      GConnectFlags{});
  return box;
}

GtkWidget* make_web_view(WebViews& web_views) {
  GtkWidget* view = web_views.create();
  gtk_widget_show_all(view);
  // The view's own handler comes first; whatever it did, the press stops at the view.
  g_signal_connect_after(view, "button-press-event", G_CALLBACK(keep_press), nullptr);
  return view;
}

}  // namespace

void place_control_widget(GtkWidget* layout, GtkWidget* widget, const TwipsRect& rect) {
  const int left = twips_to_pixels(rect.left);
  const int top = twips_to_pixels(rect.top);
  gtk_widget_set_size_request(widget, twips_to_pixels(rect.width), twips_to_pixels(rect.height));
  if (gtk_widget_get_parent(widget) == layout) {
    gtk_layout_move(GTK_LAYOUT(layout), widget, left, top);
  } else {
    gtk_layout_put(GTK_LAYOUT(layout), widget, left, top);
  }
}

GtkWidget* make_control_widget(Form& form, std::size_t index, WebViews& web_views) {
  const ControlDescription& description = form.description().controls[index];
  GtkWidget* widget = nullptr;
  switch (description.kind) {
    case ControlKind::PictureBox:
      return nullptr;  // the skin masks are read, never shown
    case ControlKind::Image:
      widget = make_image(form, index);
      break;
    case ControlKind::CheckBox:
      widget = make_check_box(form, index);
      break;
    case ControlKind::Label:
      widget = make_label(form, index);
      break;
    case ControlKind::WebBrowser:
      widget = make_web_view(web_views);
      break;
  }
  if (!description.tooltip.empty())
    gtk_widget_set_tooltip_text(widget, description.tooltip.c_str());
  set_pointer_on_realize(widget, description.mouse_icon);
  return widget;
}

}  // namespace forms::gtk
