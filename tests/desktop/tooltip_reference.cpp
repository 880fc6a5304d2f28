// tooltip_reference: GTK's own tooltips for given texts, to compare another GTK program's
// tooltips with, pixel for pixel, on the same display.
//
//   tooltip_reference TEXT...
//
// It shows an undecorated window titled "Tooltip Reference", 40 pixels wide, with one cell
// 40 x 20 pixels per TEXT, one under the other (the first at the top); resting the pointer on a
// cell shows TEXT as the cell's tooltip.

#include <gtk/gtk.h>

namespace {

constexpr int kCellWidth = 40;
constexpr int kCellHeight = 20;

}  // namespace

int main(int argc, char** argv) {
  gtk_init(&argc, &argv);
  GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(window), "Tooltip Reference");
  gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
  gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
  g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);

  GtkWidget* column = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  gtk_container_add(GTK_CONTAINER(window), column);
  for (int i = 1; i < argc; ++i) {
    GtkWidget* cell = gtk_event_box_new();
    gtk_widget_set_size_request(cell, kCellWidth, kCellHeight);
    gtk_widget_set_tooltip_text(cell, argv[i]);
    gtk_box_pack_start(GTK_BOX(column), cell, FALSE, FALSE, 0);
  }
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
