#include "forms/gtk/pictures.h"

namespace forms::gtk {

GObjectPtr<GdkPixbuf> load_pixbuf(const std::string& resource) {
  if (resource.empty()) return nullptr;
  GError* raw_error = nullptr;
  GObjectPtr<GdkPixbuf> pixbuf(gdk_pixbuf_new_from_resource(resource.c_str(), &raw_error));
  GErrorPtr error(raw_error);
  return pixbuf;
}

}  // namespace forms::gtk
