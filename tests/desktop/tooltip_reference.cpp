// tooltip_reference: GTK's own tooltips for given texts, to compare another GTK program's
// tooltips with, pixel for pixel, on the same display.
//
//   tooltip_reference [--caption CAPTION] TEXT...
//
// It shows an undecorated window titled "Tooltip Reference", at least 40 pixels wide, with one
// cell 40 x 20 pixels per TEXT, one under the other (the first at the top); resting the pointer
// on a cell shows TEXT as the cell's tooltip. With --caption, CAPTION follows under the cells,
// in GTK's default font at 8 points, pure yellow on pure blue: a caption such as a check box
// shows in that look.

#include <gtk/gtk.h>

#include "forms/gobject_ptr.h"

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
  int first = 1;
  const char* caption = nullptr;
  if (argc > 2 && g_strcmp0(argv[1], "--caption") == 0) {
    caption = argv[2];
    first = 3;
  }
  for (int i = first; i < argc; ++i) {
    GtkWidget* cell = gtk_event_box_new();
    gtk_widget_set_size_request(cell, kCellWidth, kCellHeight);
    gtk_widget_set_tooltip_text(cell, argv[i]);
    gtk_box_pack_start(GTK_BOX(column), cell, FALSE, FALSE, 0);
  }
  if (caption != nullptr) {
    GtkWidget* label = gtk_label_new(caption);
    gtk_widget_set_halign(label, GTK_ALIGN_START);
    const forms::GObjectPtr<GtkCssProvider> provider(gtk_css_provider_new());
    gtk_css_provider_load_from_data(
        provider.get(), "label { font-size: 8pt; color: #ffff00; background-color: #0000ff; }", -1,
        nullptr);
    gtk_style_context_add_provider(gtk_widget_get_style_context(label),
                                   GTK_STYLE_PROVIDER(provider.get()),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    gtk_box_pack_start(GTK_BOX(column), label, FALSE, FALSE, 0);
  }
  gtk_widget_show_all(window);
  gtk_main();
  return 0;
}
