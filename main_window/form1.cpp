#include "main_window/form1.h"

#include "both_windows/default_instances.h"
#include "both_windows/page_address.h"
#include "forms/runtime.h"
#include "shaped_window/module1.h"
#include "shaped_window/skin.h"

namespace main_window {

Form1::Form1(forms::Runtime& runtime) : forms::Form(runtime, form1_description()) {
  on_click("droit", [this] { droit_Click(); });
  on_click("gauche", [this] { gauche_Click(); });
  on_click("Check1", [this] { Check1_Click(); });
  on_click("mixer", [this] { mixer_Click(); });
  on_click("outil", [this] { outil_Click(); });
  on_click("quitter", [this] { quitter_Click(); });
}

// The window is first seen with the menu closed: the narrow outline and widths, and the
// player page requested.
void Form1::Form_Load() {
  forms::PictureBox mask = picture_box("Picture2");
  shaped_window::cut_to_skin(*this, mask);
  lumesca::Form1->set_Width(kClosedWindowWidth);
  web_browser("Web").set_Width(kClosedWebWidth);
  web_browser("Web").Navigate(both_windows::page_address(kPlayerPage));
}

void Form1::Form_MouseDown(int, int, float, float) {
  shaped_window::drag_window(*this);
}

void Form1::switch_menu(const char* mask_name, float window_width, float web_width,
                        const char* clicked, const char* other) {
  forms::PictureBox mask = picture_box(mask_name);
  shaped_window::cut_to_skin(*this, mask);
  lumesca::Form1->set_Width(window_width);
  web_browser("Web").set_Width(web_width);
  image(clicked).set_Visible(false);
  image(other).set_Visible(true);
}

void Form1::droit_Click() {
  switch_menu("Picture1", kOpenWindowWidth, kOpenWebWidth, "droit", "gauche");
}

void Form1::gauche_Click() {
  switch_menu("Picture2", kClosedWindowWidth, kClosedWebWidth, "gauche", "droit");
}

void Form1::Check1_Click() {
  if (check_box("Check1").Value() == 1) {
    Module1::SetTopmost();
  } else {
    Module1::ClearTopmost();
  }
}

// The mixer is an optional program: one that cannot be started is reported, and both windows
// stay open.
void Form1::mixer_Click() {
  runtime().reporting_errors([this] { runtime().StartProgram(kMixerCommand, kMinimizedFocus); });
}

void Form1::outil_Click() {
  lumesca::Form2->Show();
}

void Form1::quitter_Click() {
  Unload();
}

}  // namespace main_window
