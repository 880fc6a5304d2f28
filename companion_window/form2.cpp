#include "companion_window/form2.h"

#include "both_windows/page_address.h"
#include "forms/run_time_error.h"
#include "shaped_window/skin.h"

namespace companion_window {

Form2::Form2(forms::Runtime& runtime) : forms::Form(runtime, form2_description()) {
  on_click("news", [this] { news_Click(); });
  on_click("listing", [this] { listing_Click(); });
  on_click("aide", [this] { aide_Click(); });
  on_click("liens", [this] { liens_Click(); });
  on_click("ajouter", [this] { ajouter_Click(); });
  on_click("quitter", [this] { quitter_Click(); });
}

// Shaping is not guarded: a failure there is reported and ends the program. The news page is.
void Form2::Form_Load() {
  forms::PictureBox mask = picture_box("Picture1");
  shaped_window::cut_to_skin(*this, mask);
  show_page(kNewsPage);
}

void Form2::Form_MouseDown(int, int, float, float) {
  shaped_window::drag_window(*this);
}

void Form2::show_page(std::string_view path) {
  forms::ignoring_errors([&] { web_browser("Web2").Navigate(both_windows::page_address(path)); });
}

void Form2::news_Click() {
  show_page(kNewsPage);
}
void Form2::listing_Click() {
  show_page(kListingPage);
}
void Form2::aide_Click() {
  show_page(kHelpPage);
}
void Form2::liens_Click() {
  show_page(kLinksPage);
}
void Form2::ajouter_Click() {
  show_page(kSubmitPage);
}

void Form2::quitter_Click() {
  Unload();
}

}  // namespace companion_window
