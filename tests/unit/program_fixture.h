#pragma once
// Both windows of the program on a recording platform, with their default instances defined.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "both_windows/default_instances.h"
#include "companion_window/form2.h"
#include "forms/runtime.h"
#include "main_window/form1.h"
#include "pixels.h"
#include "tests/support/recording_platform.h"

namespace testing_support {

// The address of a page of the site, as the windows hand it to their web views.
inline std::string address(const std::string& path) {
  return "http://" LUMESCA_SITE_HOST "\\" + path;
}

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() {
    lumesca::Form1.define<main_window::Form1>(runtime);
    lumesca::Form2.define<companion_window::Form2>(runtime);
  }

  // Starts the program as the runtime does: loads the main window and shows it.
  void start() { runtime.start(lumesca::Form1); }

  // A click on a control, as the toolkit raises it.
  void click(forms::DefaultInstance& window, const std::string& control) {
    window->raise_click(window->description().index_of(control));
  }

  RecordingPlatform platform;
  forms::Runtime runtime{platform};
};

// The steps of the six settings that make a picture box ready to be read as a skin mask.
inline std::vector<std::string> skin_mask_settings(const std::string& box) {
  return {box + ".AutoRedraw = True", box + ".AutoSize = True", box + ".BorderStyle = 0",
          box + ".ScaleMode = 3",     box + ".Top = 0",         box + ".Left = 0"};
}

// The steps that cut a window to a skin mask: the settings, the builder's reads, the outline.
inline std::vector<std::string> cut_to_skin_steps(const std::string& window,
                                                  const std::string& box) {
  std::vector<std::string> steps = skin_mask_settings(window + "." + box);
  for (const char* read : {".hDC", ".ScaleWidth", ".ScaleHeight"}) {
    steps.push_back(window + "." + box + read);
  }
  steps.push_back(window + ".hWnd");
  steps.push_back("SetWindowRgn(" + window + ", region, True)");
  return steps;
}

// The pixels of `rectangles` that a window `width` x `height` shows.
inline pixels::Bitmap covered(const std::vector<Rect>& rectangles, int width, int height) {
  pixels::Bitmap bitmap(width, height);
  for (const Rect& r : rectangles) bitmap.fill(r.left, r.top, r.right, r.bottom);
  return bitmap;
}

inline std::vector<std::string> concat(std::vector<std::string> a,
                                       const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace testing_support
