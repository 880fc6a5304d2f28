#pragma once
// The widget of each kind of control, with its look, pointer, tooltip and events.

#include <gtk/gtk.h>

#include "forms/form.h"
#include "forms/gtk/web_views.h"

namespace forms::gtk {

// The widget for control `index` of `form`, or nullptr for a control that is never shown; a
// web view comes from `web_views`.
GtkWidget* make_control_widget(Form& form, std::size_t index, WebViews& web_views);

// The widget's size in pixels from the control's rectangle in twips.
void place_control_widget(GtkWidget* layout, GtkWidget* widget, const TwipsRect& rect);

}  // namespace forms::gtk
