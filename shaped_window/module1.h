#pragma once
// Window shaping and stacking: the region of a skin mask, and the main window's keep-on-top.

#include "forms/controls.h"
#include "forms/system_calls/handles.h"

namespace Module1 {

// The region of the mask's pixels whose colour differs from the key colour, the colour of
// pixel (0, 0): one rectangle per run of such pixels in each row, joined into one region.
// Returns a new region owned by the caller, or the null handle when no pixel differs or the
// mask has no pixel. The mask must be prepared first (AutoRedraw, AutoSize, no border, pixel
// scale, at 0, 0), so that its device context and scale size are its picture's.
forms::HRgn RegionFromPicture(forms::PictureBox& picture);

// Puts the main window above every window that is not topmost, and keeps it there.
void SetTopmost();
// Returns the main window to the normal z-order.
void ClearTopmost();

}  // namespace Module1
