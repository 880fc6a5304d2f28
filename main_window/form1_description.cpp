#include "assets/resource_names.h"
#include "both_windows/looks.h"
#include "main_window/form1.h"

namespace main_window {
namespace {

using both_windows::image_button;
using both_windows::kPointingHand;
using both_windows::skin_mask;
using both_windows::version_label;
using both_windows::web_view;
using forms::ControlDescription;
using forms::ControlKind;

constexpr forms::Rgb kBlue{0, 0, 255};
constexpr forms::Rgb kYellow{255, 255, 0};

}  // namespace

forms::FormDescription form1_description() {
  forms::FormDescription form{
      .name = "Form1",
      .title = "Lumesca",
      .client_width = 7155,
      .client_height = 4500,
      .start_up_position = forms::StartUpPosition::WindowsDefault,
      .picture = LUMESCA_ASSET("main_background.jpg"),
      .icon = LUMESCA_ASSET("window_icon.ico"),
  };

  ControlDescription check{
      .name = "Check1", .kind = ControlKind::CheckBox, .rect = {180, 4065, 945, 255}};
  check.tab_index = 1;
  check.caption = "Tjs Vis";
  check.tooltip = "Toujours visible, si coché";
  check.mouse_icon = kPointingHand;
  check.back_color = kBlue;
  check.fore_color = kYellow;
  check.raises_click = true;

  form.controls = {
      skin_mask("Picture2", {3525, 5145, 1215, 495}, 4, LUMESCA_ASSET("narrow_mask.bmp")),
      skin_mask("Picture1", {750, 4770, 1710, 945}, 3, LUMESCA_ASSET("wide_mask.bmp")),
      check,
      web_view("Web", {165, 210, 6870, 3720}, 0),
      image_button("mixer", {5580, 4005, 720, 360}, "Ouvrir le Mixer Windows",
                   LUMESCA_ASSET("button_mixer.gif")),
      image_button("outil", {4410, 4005, 1080, 360}, "L'aide, les News, les outils..",
                   LUMESCA_ASSET("button_tools.gif")),
      image_button("droit", {3735, 4005, 480, 360}, "Ouvrir le menu",
                   LUMESCA_ASSET("button_open_menu.gif")),
      image_button("gauche", {3735, 4005, 480, 360}, "Fermer le menu",
                   LUMESCA_ASSET("button_close_menu.gif")),
      image_button("quitter", {2775, 4005, 840, 360}, "Quitter", LUMESCA_ASSET("button_quit.gif")),
      version_label("Label2", {6420, 4125, 345, 255}, 2, "v 4.1"),
  };
  return form;
}

}  // namespace main_window
