#include "assets/resource_names.h"
#include "both_windows/looks.h"
#include "companion_window/form2.h"

namespace companion_window {
namespace {

using forms::ControlDescription;

// The buttons of the row, all of one size, 56 x 24 pixels.
ControlDescription row_button(const char* name, float left, const char* tooltip,
                              const char* picture) {
  return both_windows::image_button(name, {left, 5070, 840, 360}, tooltip, picture);
}

}  // namespace

forms::FormDescription form2_description() {
  forms::FormDescription form{
      .name = "Form2",
      .title = "Lumesca Aide",
      .client_width = 7155,
      .client_height = 5625,
      .start_up_position = forms::StartUpPosition::Manual,
      .left = 1080,
      .top = 0,
      .picture = LUMESCA_ASSET("companion_background.jpg"),
      .icon = LUMESCA_ASSET("window_icon.ico"),
  };

  form.controls = {
      both_windows::skin_mask("Picture1", {2715, 5880, 1245, 495}, 2,
                              LUMESCA_ASSET("companion_mask.bmp")),
      both_windows::web_view("Web2", {135, 195, 6840, 4800}, 0),
      row_button("quitter", 6030, "Fermer cette fenêtre", LUMESCA_ASSET("button_quit.gif")),
      row_button("ajouter", 3885, "Ajouter une station ou signaler un lien mort",
                 LUMESCA_ASSET("button_add.gif")),
      row_button("liens", 2955, "Quleques liens utiles", LUMESCA_ASSET("button_links.gif")),
      row_button("aide", 2025, "Manuel d'utilisation de Lumesca", LUMESCA_ASSET("button_help.gif")),
      row_button("listing", 1110, "Liste des stations disponibles",
                 LUMESCA_ASSET("button_listing.gif")),
      row_button("news", 195, "Les News", LUMESCA_ASSET("button_news.gif")),
      both_windows::version_label("Label1", {4860, 5220, 345, 210}, 1, "v  4.1"),
  };
  return form;
}

}  // namespace companion_window
