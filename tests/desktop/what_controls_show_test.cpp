// What the controls of both windows show and how they take the pointer, read from the screen:
// the tooltip that shows over each control, compared pixel for pixel with GTK's own tooltip of
// the expected text; presses of every button on the controls, which move no window; each image
// button's picture; the arrow's direction; the box's colours; the version labels kept inside
// their rectangles.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "tests/desktop/lumesca_test.h"

namespace lumesca_desktop {
namespace {

using desktop::Image;

const std::filesystem::path kAssets = LUMESCA_ASSETS_DIR;

// A control: where to point at it (window coordinates) and its rectangle in pixels.
struct Control {
  const char* name;
  Rect rect;
  Point centre() const { return rect.centre(); }
};

namespace main_controls {
const Control kCheckBox{"Check1", {12, 271, 63, 17}};
const Control kArrow{"droit / gauche", {249, 267, 32, 24}};
const Control kQuit{"quitter", {185, 267, 56, 24}};
const Control kTools{"outil", {294, 267, 72, 24}};
const Control kMixer{"mixer", {372, 267, 48, 24}};
const Control kLabel{"Label2", {428, 275, 23, 17}};
const Control kWeb{"Web", {11, 14, 458, 248}};
}  // namespace main_controls

namespace companion_controls {
Control row_button(const char* name, int left) {
  return {name, {left, 338, 56, 24}};
}
const Control kLabel{"Label1", {324, 348, 23, 14}};
}  // namespace companion_controls

class WhatControlsShow : public LumescaTest {
 protected:
  // Moves the pointer off every window and waits until no tooltip shows.
  void park_pointer() {
    x().move_pointer(1023, 767);
    EXPECT_TRUE(desktop::wait_until([&] { return x().popup_windows().empty(); }, seconds(5)))
        << "a pop-up window stays";
  }

  // Rests the pointer on `where` (on the screen) and returns the tooltip window's picture
  // once it shows and its drawing has settled; then parks the pointer again.
  std::optional<Image> tooltip_at(Point where) {
    park_pointer();
    x().move_pointer(where);
    std::optional<Image> shown;
    desktop::wait_until(
        [&] {
          const auto popups = x().popup_windows();
          if (popups.size() != 1) return false;
          const auto area = x().geometry(popups.front());
          if (!area) return false;
          std::this_thread::sleep_for(milliseconds(150));
          Image first = x().capture(*area);
          const Image second = x().capture(*area);
          if (first.width == 0 || first.pixels != second.pixels) return false;
          shown = std::move(first);
          return true;
        },
        seconds(5));
    park_pointer();
    return shown;
  }

  // GTK's own tooltip for each text, as tooltip_reference shows it on this display.
  std::vector<std::optional<Image>> reference_tooltips(const std::vector<std::string>& texts) {
    desktop::Program reference(display(), TOOLTIP_REFERENCE_PATH, {texts, {}});
    std::vector<std::optional<Image>> tooltips;
    const auto window = x().find_window("Tooltip Reference", seconds(10));
    if (!window) {
      ADD_FAILURE() << "no reference window; stderr:\n" << reference.stderr_text();
      return tooltips;
    }
    // The window is mapped before it is drawn and placed; let the window manager settle it.
    std::this_thread::sleep_for(milliseconds(300));
    for (std::size_t i = 0; i < texts.size(); ++i) {
      tooltips.push_back(tooltip_at(on(*window, {20, static_cast<int>(i) * 20 + 10})));
      EXPECT_TRUE(tooltips.back()) << "no reference tooltip for \"" << texts[i] << "\"";
    }
    reference.stop();
    EXPECT_TRUE(desktop::wait_until([&] { return x().client_windows().empty(); }, seconds(5)));
    return tooltips;
  }

  // The bright (yellow) pixels of `image` from column `from_x` on, cut to their bounding box
  // and kept as 1 (bright) or 0: a caption's letters without the faint edges of their
  // smoothing.
  static bool bright(desktop::Rgb p) { return (p >> 16) > 0x80 && ((p >> 8) & 0xFF) > 0x80; }
  static Image ink_on_blue(const Image& image, int from_x = 0) {
    int left = image.width, top = image.height, right = -1, bottom = -1;
    for (int py = 0; py < image.height; ++py) {
      for (int px = from_x; px < image.width; ++px) {
        if (!bright(image.at(px, py))) continue;
        left = std::min(left, px);
        right = std::max(right, px);
        top = std::min(top, py);
        bottom = std::max(bottom, py);
      }
    }
    Image ink;
    if (right < 0) return ink;
    ink.width = right - left + 1;
    ink.height = bottom - top + 1;
    for (int py = top; py <= bottom; ++py) {
      for (int px = left; px <= right; ++px) ink.pixels.push_back(bright(image.at(px, py)));
    }
    return ink;
  }

  // GTK's own letters of `caption` in the check box's look: 8 points, yellow on blue.
  Image reference_caption(const std::string& caption) {
    desktop::Program reference(display(), TOOLTIP_REFERENCE_PATH, {{"--caption", caption}, {}});
    const auto window = x().find_window("Tooltip Reference", seconds(10));
    if (!window) {
      ADD_FAILURE() << "no reference window; stderr:\n" << reference.stderr_text();
      return {};
    }
    Image ink;
    desktop::wait_until(
        [&] {
          ink = ink_on_blue(x().capture(*x().geometry(*window)));
          return ink.width > 0;
        },
        seconds(5));
    reference.stop();
    EXPECT_TRUE(desktop::wait_until([&] { return x().client_windows().empty(); }, seconds(5)));
    return ink;
  }

  // Each control's tooltip is the text given, character for character: the tooltip that
  // shows over it is the very picture GTK draws for that text.
  void expect_tooltips(Window window, const std::vector<std::pair<Control, std::string>>& cases,
                       const std::vector<std::optional<Image>>& references) {
    ASSERT_EQ(references.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
      const auto& [control, text] = cases[i];
      const std::optional<Image> shown = tooltip_at(on(window, control.centre()));
      ASSERT_TRUE(shown) << "no tooltip over " << control.name;
      ASSERT_TRUE(references[i]);
      EXPECT_TRUE(shown->width == references[i]->width && shown->height == references[i]->height &&
                  shown->pixels == references[i]->pixels)
          << "the tooltip over " << control.name << " (" << shown->width << " x " << shown->height
          << ") is not \"" << text << "\" (" << references[i]->width << " x "
          << references[i]->height << ")";
    }
  }

  // Pixels of the control's rectangle that differ from the picture's opaque pixels; the
  // transparent corners show the window's background and are left out.
  std::string picture_mismatch(Window window, const Control& control, const char* file) {
    const auto picture = desktop::XClient::load_picture(kAssets / file);
    if (!picture) return std::string("cannot decode ") + file;
    const Point corner = on(window, control.rect.origin());
    const Image shown =
        x().capture({corner.x, corner.y, picture->image.width, picture->image.height});
    if (shown.width != picture->image.width || shown.height != picture->image.height) {
      return "captured " + std::to_string(shown.width) + " x " + std::to_string(shown.height);
    }
    int wrong = 0;
    for (int py = 0; py < shown.height; ++py) {
      for (int px = 0; px < shown.width; ++px) {
        wrong += picture->opaque.at(px, py) && shown.at(px, py) != picture->image.at(px, py);
      }
    }
    return wrong == 0 ? std::string() : std::to_string(wrong) + " pixels differ from " + file;
  }

  // Whether the pale ink of the arrow at its rectangle points right: in its middle row the ink
  // reaches further right than in its top row.
  std::optional<bool> arrow_points_right(Window window) {
    const Point corner = on(window, main_controls::kArrow.rect.origin());
    const Image arrow = x().capture({corner.x, corner.y, 32, 24});
    const auto mean_ink_x = [&](int row) -> std::optional<double> {
      double sum = 0;
      int count = 0;
      for (int px = 3; px < 29; ++px) {
        const desktop::Rgb p = arrow.at(px, row);
        if ((p >> 16) > 0x80 && ((p >> 8) & 0xFF) > 0x80) {  // pale yellow, not the face
          sum += px;
          ++count;
        }
      }
      if (count == 0) return std::nullopt;
      return sum / count;
    };
    const auto top = mean_ink_x(9);
    const auto middle = mean_ink_x(12);
    if (!top || !middle || *top == *middle) return std::nullopt;
    return *middle > *top;
  }

  // Dark (text-coloured) pixels in `area` of the window, on the screen.
  int dark_pixels(Window window, Rect area) {
    const Point corner = on(window, area.origin());
    const Image shown = x().capture({corner.x, corner.y, area.width, area.height});
    int dark = 0;
    for (const desktop::Rgb pixel : shown.pixels) dark += (pixel & 0xFF) < 0x80 ? 1 : 0;
    return dark;
  }

  // The version label's text shows inside its rectangle, and nothing of it in the five
  // columns right of it.
  void expect_text_inside(Window window, const Control& label) {
    const Rect& r = label.rect;
    EXPECT_TRUE(desktop::wait_until([&] { return dark_pixels(window, r) > 5; }, seconds(3)))
        << label.name << ": " << dark_pixels(window, r) << " dark pixels inside";
    EXPECT_EQ(dark_pixels(window, {r.x + r.width, r.y, 5, r.height}), 0)
        << label.name << ": its text runs past its right edge";
  }

  // A press of `button` at `where` in the window, dragged away, moves no window.
  void expect_press_moves_nothing(Window window, Point where, unsigned button,
                                  const std::string& what) {
    const auto before = x().geometry(window);
    ASSERT_TRUE(before);
    const Point from = on(window, where);
    x().drag(from, from + Point{60, 40}, button);
    std::this_thread::sleep_for(milliseconds(300));
    EXPECT_EQ(x().geometry(window)->origin(), before->origin())
        << "button " << button << " on " << what << " moved the window";
  }
};

TEST_F(WhatControlsShow, EachMainWindowControlShowsItsOwnTooltip) {
  using namespace main_controls;
  const std::vector<std::pair<Control, std::string>> closed = {
      {kArrow, "Ouvrir le menu"}, {kCheckBox, "Toujours visible, si coché"}, {kQuit, "Quitter"}};
  const std::vector<std::pair<Control, std::string>> open = {
      {kArrow, "Fermer le menu"},
      {kTools, "L'aide, les News, les outils.."},
      {kMixer, "Ouvrir le Mixer Windows"}};
  std::vector<std::string> texts;
  for (const auto* cases : {&closed, &open}) {
    for (const auto& c : *cases) texts.push_back(c.second);
  }
  const auto references = reference_tooltips(texts);
  ASSERT_EQ(references.size(), texts.size());

  const Window main = start_lumesca();
  ASSERT_NE(main, 0u);
  site().wait_for_request(kPlayerPage, seconds(20));
  {
    SCOPED_TRACE("menu closed, at start");
    expect_tooltips(main, closed, {references.begin(), references.begin() + 3});
  }
  open_menu(main);
  {
    SCOPED_TRACE("menu open");
    expect_tooltips(main, open, {references.begin() + 3, references.end()});
  }
}

TEST_F(WhatControlsShow, EachCompanionButtonShowsItsOwnTooltip) {
  using companion_controls::row_button;
  const std::vector<std::pair<Control, std::string>> cases = {
      {row_button("news", 13), "Les News"},
      {row_button("listing", 74), "Liste des stations disponibles"},
      {row_button("aide", 135), "Manuel d'utilisation de Lumesca"},
      {row_button("liens", 197), "Quleques liens utiles"},
      {row_button("ajouter", 259), "Ajouter une station ou signaler un lien mort"},
      {row_button("quitter", 402), "Fermer cette fenêtre"}};
  std::vector<std::string> texts;
  for (const auto& c : cases) texts.push_back(c.second);
  const auto references = reference_tooltips(texts);
  ASSERT_EQ(references.size(), texts.size());

  const Window main = start_lumesca();
  ASSERT_NE(main, 0u);
  const Window companion = open_companion(main);
  ASSERT_NE(companion, 0u);
  expect_tooltips(companion, cases, references);
}

TEST_F(WhatControlsShow, PressesOfEveryButtonOnTheControlsMoveNoWindow) {
  using namespace main_controls;
  const Window main = start_lumesca();
  ASSERT_NE(main, 0u);
  site().wait_for_request(kPlayerPage, seconds(20));
  for (unsigned button : {1u, 2u, 3u}) {
    for (const Control& c : {kCheckBox, kArrow, kQuit}) {
      expect_press_moves_nothing(main, c.centre(), button, c.name);
    }
  }
  EXPECT_EQ(width_of(main), 294) << "a press clicked the arrow";
  open_menu(main);
  // Every corner of the label's rectangle is the label's.
  const Rect& label = kLabel.rect;
  for (unsigned button : {1u, 2u, 3u}) {
    for (const Control& c : {kArrow, kTools, kMixer}) {
      expect_press_moves_nothing(main, c.centre(), button, c.name);
    }
    for (const Point p : {label.origin(), Point{label.x + label.width - 1, label.y},
                          Point{label.x, label.y + label.height - 1},
                          Point{label.x + label.width - 1, label.y + label.height - 1}}) {
      expect_press_moves_nothing(
          main, p, button,
          "the version label at " + std::to_string(p.x) + ", " + std::to_string(p.y));
    }
  }
  EXPECT_EQ(width_of(main), 471) << "a press clicked the arrow";
  EXPECT_TRUE(program().running());
  EXPECT_EQ(x().windows_titled(kCompanionTitle), 0) << "a press clicked the tools image";
  // Last, as the right button opens the web view's context menu.
  for (unsigned button : {1u, 2u, 3u}) {
    expect_press_moves_nothing(main, kWeb.centre(), button, kWeb.name);
  }
}

TEST_F(WhatControlsShow, APressJustRightOfTheVersionLabelDragsTheWindow) {
  const Window main = start_lumesca();
  ASSERT_NE(main, 0u);
  open_menu(main);
  const Rect& label = main_controls::kLabel.rect;
  for (const int outside : {1, 2}) {
    const auto before = x().geometry(main);
    ASSERT_TRUE(before);
    const Point from = on(main, {label.x + label.width - 1 + outside, label.y + 8});
    x().drag(from, from + Point{100, 60}, 1);
    EXPECT_TRUE(desktop::wait_until(
        [&] {
          return x().geometry(main)->origin() == before->origin() + Point{100, 60};
        },
        seconds(5)))
        << outside << " px right of the label: now at " << x().geometry(main)->origin();
  }
}

TEST_F(WhatControlsShow, TheMainWindowShowsEachPictureTheArrowsDirectionAndTheBoxsColours) {
  using namespace main_controls;
  const Image caption = reference_caption("Tjs Vis");
  ASSERT_GT(caption.width, 0);
  const Window main = start_lumesca();
  ASSERT_NE(main, 0u);
  site().wait_for_request(kPlayerPage, seconds(20));
  park_pointer();
  ASSERT_TRUE(desktop::wait_until(
      [&] { return picture_mismatch(main, kQuit, "button_quit.gif").empty(); }, seconds(5)))
      << picture_mismatch(main, kQuit, "button_quit.gif");
  EXPECT_EQ(picture_mismatch(main, kArrow, "button_open_menu.gif"), "");
  EXPECT_EQ(arrow_points_right(main), std::optional<bool>(true)) << "with the menu closed";

  // The box: pure blue, with yellow letters in it right of the square.
  const Point corner = on(main, kCheckBox.rect.origin());
  const Image box = x().capture({corner.x, corner.y, kCheckBox.rect.width, kCheckBox.rect.height});
  int blue = 0;
  int yellow = 0;
  for (int py = 0; py < box.height; ++py) {
    for (int px = 0; px < box.width; ++px) {
      const desktop::Rgb p = box.at(px, py);
      blue += p == 0x0000FF ? 1 : 0;
      const bool yellowish = (p >> 16) > 0xB0 && ((p >> 8) & 0xFF) > 0xB0 && (p & 0xFF) < 0x60;
      yellow += yellowish && px >= 16 ? 1 : 0;
    }
  }
  EXPECT_GT(blue, box.width * box.height / 2) << "the box's back is not blue";
  EXPECT_GT(yellow, 20) << "the caption is not yellow";
  // Right of the square, the caption's letters are GTK's own for "Tjs Vis".
  const Image letters = ink_on_blue(box, 16);
  EXPECT_TRUE(letters.width == caption.width && letters.height == caption.height &&
              letters.pixels == caption.pixels)
      << "the caption (" << letters.width << " x " << letters.height << ") is not \"Tjs Vis\" ("
      << caption.width << " x " << caption.height << ")";

  open_menu(main);
  park_pointer();
  const struct {
    Control control;
    const char* picture;
  } open[] = {{kArrow, "button_close_menu.gif"},
              {kTools, "button_tools.gif"},
              {kMixer, "button_mixer.gif"}};
  ASSERT_TRUE(desktop::wait_until(
      [&] { return picture_mismatch(main, kMixer, "button_mixer.gif").empty(); }, seconds(5)));
  for (const auto& c : open) {
    EXPECT_EQ(picture_mismatch(main, c.control, c.picture), "") << c.control.name;
  }
  EXPECT_EQ(arrow_points_right(main), std::optional<bool>(false)) << "with the menu open";
  expect_text_inside(main, kLabel);
}

TEST_F(WhatControlsShow, TheCompanionWindowShowsEachPictureAndItsVersionInside) {
  using companion_controls::row_button;
  const Window main = start_lumesca();
  ASSERT_NE(main, 0u);
  const Window companion = open_companion(main);
  ASSERT_NE(companion, 0u);
  park_pointer();
  const struct {
    Control control;
    const char* picture;
  } buttons[] = {{row_button("news", 13), "button_news.gif"},
                 {row_button("listing", 74), "button_listing.gif"},
                 {row_button("aide", 135), "button_help.gif"},
                 {row_button("liens", 197), "button_links.gif"},
                 {row_button("ajouter", 259), "button_add.gif"},
                 {row_button("quitter", 402), "button_quit.gif"}};
  ASSERT_TRUE(desktop::wait_until(
      [&] { return picture_mismatch(companion, buttons[0].control, buttons[0].picture).empty(); },
      seconds(5)));
  for (const auto& c : buttons) {
    EXPECT_EQ(picture_mismatch(companion, c.control, c.picture), "") << c.control.name;
  }
  expect_text_inside(companion, companion_controls::kLabel);
}

}  // namespace
}  // namespace lumesca_desktop
