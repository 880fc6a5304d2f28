#include "shaped_window/skin.h"

#include "forms/control_state.h"
#include "shaped_window/module1.h"

namespace shaped_window {

void prepare_skin_mask(forms::PictureBox& mask) {
  mask.set_AutoRedraw(true);
  mask.set_AutoSize(true);
  mask.set_BorderStyle(forms::kBorderNone);
  mask.set_ScaleMode(forms::kScalePixels);
  mask.set_Top(0);
  mask.set_Left(0);
}

void cut_to_skin(forms::Form& window, forms::PictureBox& mask) {
  prepare_skin_mask(mask);
  const forms::HRgn region = Module1::RegionFromPicture(mask);
  const forms::HWnd handle = window.hWnd();
  window.user32().SetWindowRgn(handle, region, forms::kTrue);
}

void drag_window(forms::Form& window) {
  forms::User32& user32 = window.user32();
  user32.ReleaseCapture();
  const forms::HWnd handle = window.hWnd();
  user32.SendMessageA(handle, forms::WM_NCLBUTTONDOWN, forms::HTCAPTION, 0);
}

}  // namespace shaped_window
