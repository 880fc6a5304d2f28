#pragma once
// Cutting a window to the outline of its skin mask, and dragging a borderless window.

#include "forms/controls.h"
#include "forms/form.h"

namespace shaped_window {

// Readies a skin mask for the region builder: a persistent image, sized to its picture, no
// border, pixel scale, at the window's top-left corner.
void prepare_skin_mask(forms::PictureBox& mask);

// Prepares the mask, builds its region and makes it the window's outline, redrawn at once.
// The region then belongs to the window.
void cut_to_skin(forms::Form& window, forms::PictureBox& mask);

// Hands the press that is under way to the window manager as a move of the window: the window
// follows the pointer until the button is released.
void drag_window(forms::Form& window);

}  // namespace shaped_window
