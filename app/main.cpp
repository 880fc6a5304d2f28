// Lumesca: radio and television over the Internet, in two shaped windows.

#include <cstdio>

#include "companion_window/form2.h"
#include "forms/default_instance.h"
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
  forms::Form1.define<main_window::Form1>(runtime);
  forms::Form2.define<companion_window::Form2>(runtime);
  return runtime.run(forms::Form1);
}
