#include "both_windows/default_instances.h"
#include "forms/form.h"
#include "shaped_window/module1.h"

namespace Module1 {
namespace {

// Moves the main window in the z-order only: SWP_NOSIZE and SWP_NOMOVE keep its place and size.
void place_main_window(forms::HWnd insert_after) {
  forms::Form& main_window = *lumesca::Form1;
  const forms::HWnd window = main_window.hWnd();
  main_window.user32().SetWindowPos(window, insert_after, 0, 0, 0, 0,
                                    forms::SWP_NOSIZE | forms::SWP_NOMOVE);
}

}  // namespace

void SetTopmost() {
  place_main_window(forms::HWND_TOPMOST);
}

void ClearTopmost() {
  place_main_window(forms::HWND_NOTOPMOST);
}

}  // namespace Module1
