#include "assets/resource_names.h"
#include "companion_window/form2.h"

namespace companion_window {
namespace {

using forms::ControlDescription;
using forms::ControlKind;

ControlDescription image_button(const char* name, float left, const char* tooltip,
                                const char* picture) {
  ControlDescription image{
      .name = name, .kind = ControlKind::Image, .rect = {left, 5070, 840, 360}};
  image.tooltip = tooltip;
  image.picture = picture;
  image.mouse_icon = LUMESCA_ASSET("pointing_hand.cur");
  image.raises_click = true;
  return image;
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

  ControlDescription mask{
      .name = "Picture1", .kind = ControlKind::PictureBox, .rect = {2715, 5880, 1245, 495}};
  mask.visible = false;
  mask.tab_index = 2;
  mask.picture = LUMESCA_ASSET("companion_mask.bmp");

  ControlDescription web{
      .name = "Web2", .kind = ControlKind::WebBrowser, .rect = {135, 195, 6840, 4800}};
  web.tab_index = 0;
  web.start_location = "http:///";

  ControlDescription version{
      .name = "Label1", .kind = ControlKind::Label, .rect = {4860, 5220, 345, 210}};
  version.tab_index = 1;
  version.caption = "v  4.1";
  version.font = forms::Font{.face = "MS Serif", .size_points = 8.25f, .weight = 400};

  form.controls = {
      mask,
      web,
      image_button("quitter", 6030, "Fermer cette fenêtre", LUMESCA_ASSET("button_quit.gif")),
      image_button("ajouter", 3885, "Ajouter une station ou signaler un lien mort",
                   LUMESCA_ASSET("button_add.gif")),
      image_button("liens", 2955, "Quleques liens utiles", LUMESCA_ASSET("button_links.gif")),
      image_button("aide", 2025, "Manuel d'utilisation de Lumesca",
                   LUMESCA_ASSET("button_help.gif")),
      image_button("listing", 1110, "Liste des stations disponibles",
                   LUMESCA_ASSET("button_listing.gif")),
      image_button("news", 195, "Les News", LUMESCA_ASSET("button_news.gif")),
      version,
  };
  return form;
}

}  // namespace companion_window
