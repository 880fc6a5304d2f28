#pragma once
// The widget of each kind of control, with its look, pointer, tooltip and events.

#include <gtk/gtk.h>

#include "forms/form.h"

namespace forms::gtk {

// The widget for control `index` of `form`, or nullptr for a control that is never shown.
GtkWidget* make_control_widget(Form& form, std::size_t index);

// The widget's size in pixels from the control's rectangle in twips.
void place_control_widget(GtkWidget* layout, GtkWidget* widget, const TwipsRect& rect);

}  // namespace forms::gtk
