// bare_webkit_window: the least a GTK program needs to show the player page, as a yardstick
// for the program's start-up: an undecorated 294 x 300 window titled "Bare WebKit", filled by
// a web view that loads the same page. No shape, no pictures, no forms layer.

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <string>

namespace {

constexpr int kWidth = 294;
constexpr int kHeight = 300;
constexpr char kPlayerPage[] = "/lumesca3/TV/index-lumesca4.html";

}  // namespace

int main(int argc, char** argv) {
  gdk_set_allowed_backends("x11");
  gtk_init(&argc, &argv);

  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "Bare WebKit");
  gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
  gtk_window_set_default_size(GTK_WINDOW(window), kWidth, kHeight);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);

  GtkWidget* web = webkit_web_view_new();
  gtk_container_add(GTK_CONTAINER(window), web);
  const std::string address = std::string("http://") + LUMESCA_SITE_HOST + kPlayerPage;
  webkit_web_view_load_uri(WEBKIT_WEB_VIEW(web), address.c_str());

  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
