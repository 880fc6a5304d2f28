#pragma once
// The looks that both windows share: the image button, the skin mask box and the version
// label, as entries of a window description.

#include "forms/description.h"

namespace both_windows {

// A picture that reacts to Click, with the pointing-hand pointer and a tooltip.
forms::ControlDescription image_button(const char* name, forms::TwipsRect rect, const char* tooltip,
                                       const char* picture);

// A hidden picture box holding a skin mask; it is read, never shown.
forms::ControlDescription skin_mask(const char* name, forms::TwipsRect rect, int tab_index,
                                    const char* picture);

// A label with a transparent back in "MS Serif" 8.25 pt.
forms::ControlDescription version_label(const char* name, forms::TwipsRect rect, int tab_index,
                                        const char* caption);

// A web view with no page until the window's code navigates it.
forms::ControlDescription web_view(const char* name, forms::TwipsRect rect, int tab_index);

// The pointing-hand pointer of the check box and the image buttons.
extern const char* const kPointingHand;

}  // namespace both_windows
