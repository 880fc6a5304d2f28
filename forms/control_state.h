#pragma once
// The run-time properties of one control, starting from its description at every load.

#include <cstdint>
#include <optional>

#include "forms/description.h"
#include "forms/system_calls/handles.h"
#include "forms/system_calls/picture.h"

namespace forms {

inline constexpr std::int32_t kBorderNone = 0;
inline constexpr std::int32_t kBorderFixedSingle = 1;
inline constexpr std::int32_t kScaleTwips = 1;
inline constexpr std::int32_t kScalePixels = 3;

struct ControlState {
  explicit ControlState(const ControlDescription& description);

  TwipsRect rect;
  bool visible = true;
  std::optional<Picture> picture;
  HDC device_context;  // picture boxes: reaches the picture's pixels
  bool auto_redraw = false;
  bool auto_size = false;
  std::int32_t border_style = kBorderFixedSingle;
  std::int32_t scale_mode = kScaleTwips;
  std::int32_t value = 0;  // check box: 0 unchecked, 1 checked, 2 grayed

  // A picture box's inner size in its scale units: its size less its border, in pixels
  // with ScaleMode 3, in twips otherwise.
  float scale_width() const;
  float scale_height() const;
  // A picture box sized to its picture, border included (AutoSize).
  void fit_to_picture();
};

}  // namespace forms
