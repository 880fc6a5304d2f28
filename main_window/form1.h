#pragma once
// The main player window: its description, its start-up and drag, its slide-out menu and its
// buttons.

#include "forms/description.h"
#include "forms/form.h"

namespace main_window {

// The window and its ten controls as they are built at every load.
forms::FormDescription form1_description();

// Widths in twips of the two states of the slide-out menu.
inline constexpr float kClosedWindowWidth = 4410;
inline constexpr float kClosedWebWidth = 4090;
inline constexpr float kOpenWindowWidth = 7060;
inline constexpr float kOpenWebWidth = 6755;

inline constexpr char kPlayerPage[] = "lumesca3\\TV\\index-lumesca4.html";
// The volume mixer, and the window style it is started with: minimised, with the focus.
inline constexpr char kMixerCommand[] = "sndvol32";
inline constexpr int kMinimizedFocus = 2;

class Form1 : public forms::Form {
 public:
  explicit Form1(forms::Runtime& runtime);

 protected:
  void Form_Load() override;
  void Form_MouseDown(int button, int shift, float x, float y) override;

 private:
  void droit_Click();
  void gauche_Click();
  void Check1_Click();
  void mixer_Click();
  void outil_Click();
  void quitter_Click();

  // Takes the outline of `mask`, the two widths, and swaps the arrow that was clicked for the
  // other one.
  void switch_menu(const char* mask, float window_width, float web_width, const char* clicked,
                   const char* other);
};

}  // namespace main_window
