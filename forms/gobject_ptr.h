#pragma once
// Owning pointers for GLib objects and errors. GLib and GObject only, no toolkit: the forms
// layer, its GTK implementation, the packaging tools and the tests all own GLib objects this
// way.

#include <glib-object.h>

#include <memory>

namespace forms {

struct GObjectUnref {
  void operator()(gpointer object) const {
    if (object != nullptr) g_object_unref(object);
  }
};

template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

// Text that GLib allocated (gchar*), freed with g_free.
struct GFree {
  void operator()(gpointer memory) const { g_free(memory); }
};
using GTextPtr = std::unique_ptr<gchar, GFree>;

struct GErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

}  // namespace forms
