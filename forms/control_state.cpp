#include "forms/control_state.h"

#include "forms/numbers.h"

namespace forms {
namespace {

// A fixed single border of a picture box is two pixels wide on each side (its 3-D look).
constexpr int kBorderPixels = 2;

float inner_extent(float outer_twips, std::int32_t border_style, std::int32_t scale_mode) {
  const float border_twips =
      border_style == kBorderNone ? 0.0f : static_cast<float>(2 * kBorderPixels * kTwipsPerPixel);
  const float inner_twips = outer_twips - border_twips;
  return scale_mode == kScalePixels ? inner_twips / kTwipsPerPixel : inner_twips;
}

}  // namespace

ControlState::ControlState(const ControlDescription& description)
    : rect(description.rect), visible(description.visible) {
  // Only a picture box's picture is read, through its device context; the toolkit draws the
  // others itself.
  if (description.kind == ControlKind::PictureBox && !description.picture.empty()) {
    picture = Picture::from_resource(description.picture);
  }
}

float ControlState::scale_width() const {
  return inner_extent(rect.width, border_style, scale_mode);
}

float ControlState::scale_height() const {
  return inner_extent(rect.height, border_style, scale_mode);
}

void ControlState::fit_to_picture() {
  if (!picture) return;
  const int border = border_style == kBorderNone ? 0 : 2 * kBorderPixels;
  rect.width = static_cast<float>((picture->width() + border) * kTwipsPerPixel);
  rect.height = static_cast<float>((picture->height() + border) * kTwipsPerPixel);
}

}  // namespace forms
