#pragma once
// Pictures stored in the program's resources, decoded for drawing.

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <string>

#include "forms/gobject_ptr.h"

namespace forms::gtk {

// The decoded picture, or nullptr for an empty name or a picture that cannot be decoded.
GObjectPtr<GdkPixbuf> load_pixbuf(const std::string& resource);

}  // namespace forms::gtk
