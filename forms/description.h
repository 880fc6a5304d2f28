#pragma once
// A window description as data: the window's own properties and its controls, from which the
// runtime builds the window at every load. Geometry is in twips.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace forms {

enum class ControlKind { PictureBox, Image, CheckBox, Label, WebBrowser };

struct TwipsRect {
  float left = 0, top = 0, width = 0, height = 0;
};

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(Rgb, Rgb) = default;
};

struct Font {
  std::string face;
  float size_points = 0;
  int weight = 400;
};

struct ControlDescription {
  std::string name;
  ControlKind kind = ControlKind::Image;
  TwipsRect rect;
  bool visible = true;
  std::optional<int> tab_index;  // none: the control takes no part in the tab order
  std::string caption;
  std::string tooltip;
  std::string picture;            // resource name of the picture it holds; empty for none
  std::string mouse_icon;         // resource of its own mouse pointer; empty: the standard arrow
  std::optional<Rgb> back_color;  // none: transparent or the kind's default
  std::optional<Rgb> fore_color;
  std::optional<Font> font;
  std::string start_location;  // web view: the address it holds before any navigation
  bool raises_click = false;   // the window's code handles its Click
};

enum class StartUpPosition { Manual, WindowsDefault };

struct FormDescription {
  std::string name;   // the window's name in steps and reports, "Main"
  std::string title;  // the window's text wherever the desktop lists the window
  float client_width = 0, client_height = 0;  // twips
  StartUpPosition start_up_position = StartUpPosition::WindowsDefault;
  float left = 0, top = 0;  // twips, used with manual placement
  std::string picture;      // background drawn under every control
  std::string icon;
  // Controls in z-order from the top: an earlier entry lies above a later one.
  std::vector<ControlDescription> controls;

  // Index of the named control; throws std::out_of_range for an unknown name.
  std::size_t index_of(const std::string& control_name) const;
};

}  // namespace forms
