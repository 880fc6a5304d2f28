// Lumesca: radio and television over the Internet, in two shaped windows.

#include <cstdio>

#include "both_windows/default_instances.h"
#include "companion_window/form2.h"
#include "forms/gtk/gtk_platform.h"
#include "forms/runtime.h"
#include "main_window/form1.h"

int main() {
  const auto platform = forms::gtk::GtkPlatform::open();
  if (!platform) {
    std::fprintf(stderr, "lumesca: cannot open the X11 display (is DISPLAY set?)\n");
    return 1;
  }
  forms::Runtime runtime(*platform);
  lumesca::Form1.define<main_window::Form1>(runtime);
  lumesca::Form2.define<companion_window::Form2>(runtime);
  return runtime.run(lumesca::Form1);
}
