// harness_probe: a small GTK + WebKit window that the harness self-test drives.
//
//   harness_probe [--no-shape] [URL]
//
// It shows an undecorated 300 x 200 window titled "Harness Probe", cut to three rectangles
// (left whole with --no-shape), with a web view that loads URL (by default the links page of the
// demo site). A press of any button on the window's own surface is printed ("press button=B x=X
// y=Y", window coordinates) and starts the window manager's interactive move. Finished and failed
// loads are printed too ("loaded URI", "load-failed URI").

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <cstdio>
#include <memory>
#include <string>

#include "forms/system_calls/region.h"

namespace {

using forms::Region;

constexpr int kWidth = 300;
constexpr int kHeight = 200;

// Already in the X server's banded form, so the shape reads back as exactly these three.
constexpr cairo_rectangle_int_t kShape[] = {
    {0, 0, 300, 140},
    {0, 140, 120, 60},
    {180, 140, 120, 60},
};

gboolean on_button_press(GtkWidget* window, GdkEventButton* event, gpointer) {
  if (event->type != GDK_BUTTON_PRESS) return TRUE;
  std::printf("press button=%u x=%d y=%d\n", event->button, static_cast<int>(event->x),
              static_cast<int>(event->y));
  std::fflush(stdout);
  gtk_window_begin_move_drag(GTK_WINDOW(window), static_cast<gint>(event->button),
                             static_cast<gint>(event->x_root), static_cast<gint>(event->y_root),
                             event->time);
  return TRUE;
}

void on_load_changed(WebKitWebView* view, WebKitLoadEvent load_event, gpointer) {
  if (load_event != WEBKIT_LOAD_FINISHED) return;
  std::printf("loaded %s\n", webkit_web_view_get_uri(view));
  std::fflush(stdout);
}

gboolean on_load_failed(WebKitWebView*, WebKitLoadEvent, gchar* uri, GError* error, gpointer) {
  std::printf("load-failed %s %s\n", uri, error->message);
  std::fflush(stdout);
  return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  gdk_set_allowed_backends("x11");
  gtk_init(&argc, &argv);
  bool shaped = true;
  std::string url = std::string("http://") + LUMESCA_SITE_HOST + "/lumesca3/liens.html";
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--no-shape") {
      shaped = false;
    } else {
      url = argv[i];
    }
  }

  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "Harness Probe");
  gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
  gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
  gtk_widget_set_size_request(window, kWidth, kHeight);
  gtk_window_move(GTK_WINDOW(window), 200, 150);

  GtkWidget* layout = gtk_layout_new(nullptr, nullptr);
  GtkWidget* web = webkit_web_view_new();
  gtk_widget_set_size_request(web, 280, 110);
  gtk_layout_put(GTK_LAYOUT(layout), web, 10, 10);
  gtk_container_add(GTK_CONTAINER(window), layout);

  gtk_widget_add_events(window, GDK_BUTTON_PRESS_MASK);
  g_signal_connect(window, "button-press-event", G_CALLBACK(on_button_press), nullptr);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
  g_signal_connect(web, "load-changed", G_CALLBACK(on_load_changed), nullptr);
  g_signal_connect(web, "load-failed", G_CALLBACK(on_load_failed), nullptr);

  if (shaped) {
    const Region shape(cairo_region_create());
    for (const auto& rectangle : kShape) cairo_region_union_rectangle(shape.get(), &rectangle);
    gtk_widget_shape_combine_region(window, shape.get());
  }

  webkit_web_view_load_uri(WEBKIT_WEB_VIEW(web), url.c_str());
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
