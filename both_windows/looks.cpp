#include "both_windows/looks.h"

#include "assets/resource_names.h"

namespace both_windows {

const char* const kPointingHand = LUMESCA_ASSET("pointing_hand.cur");

using forms::ControlDescription;
using forms::ControlKind;

ControlDescription image_button(const char* name, forms::TwipsRect rect, const char* tooltip,
                                const char* picture) {
  ControlDescription image{.name = name, .kind = ControlKind::Image, .rect = rect};
  image.tooltip = tooltip;
  image.picture = picture;
  image.mouse_icon = kPointingHand;
  image.raises_click = true;
  return image;
}

ControlDescription skin_mask(const char* name, forms::TwipsRect rect, int tab_index,
                             const char* picture) {
  ControlDescription box{.name = name, .kind = ControlKind::PictureBox, .rect = rect};
  box.visible = false;
  box.tab_index = tab_index;
  box.picture = picture;
  return box;
}

ControlDescription version_label(const char* name, forms::TwipsRect rect, int tab_index,
                                 const char* caption) {
  ControlDescription label{.name = name, .kind = ControlKind::Label, .rect = rect};
  label.tab_index = tab_index;
  label.caption = caption;
  label.font = forms::Font{.face = "MS Serif", .size_points = 8.25f, .weight = 400};
  return label;
}

ControlDescription web_view(const char* name, forms::TwipsRect rect, int tab_index) {
  ControlDescription web{.name = name, .kind = ControlKind::WebBrowser, .rect = rect};
  web.tab_index = tab_index;
  web.start_location = "http:///";
  return web;
}

}  // namespace both_windows
