#include "forms/system_calls/picture.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <limits>
#include <stdexcept>

#include "forms/gobject_ptr.h"
#include "forms/run_time_error.h"

namespace forms {
Picture::Picture(int width, int height, std::vector<ColorRef> colors)
    : width_(width), height_(height), colors_(std::move(colors)) {
  // A pixel's index is worked out in 32 bits (PixelView::pixel).
  if (colors_.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("a picture of 2^32 pixels or more");
  }
}

Picture Picture::from_resource(const std::string& resource_name) {
  GError* raw_error = nullptr;
  GObjectPtr<GdkPixbuf> pixbuf(gdk_pixbuf_new_from_resource(resource_name.c_str(), &raw_error));
  GErrorPtr error(raw_error);
  if (!pixbuf) throw errors::file_not_found();

  const int width = gdk_pixbuf_get_width(pixbuf.get());
  const int height = gdk_pixbuf_get_height(pixbuf.get());
  const int channels = gdk_pixbuf_get_n_channels(pixbuf.get());
  const int stride = gdk_pixbuf_get_rowstride(pixbuf.get());
  const guint8* pixels = gdk_pixbuf_read_pixels(pixbuf.get());

  std::vector<ColorRef> colors;
  colors.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const guint8* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      const guint8* p = row + static_cast<std::ptrdiff_t>(x) * channels;
      colors.push_back(static_cast<ColorRef>(p[0]) | static_cast<ColorRef>(p[1]) << 8 |
                       static_cast<ColorRef>(p[2]) << 16);
    }
  }
  return Picture(width, height, std::move(colors));
}

Picture Picture::from_colors(int width, int height, std::vector<ColorRef> colors) {
  colors.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (ColorRef& color : colors) color &= 0x00FFFFFFu;
  return Picture(width, height, std::move(colors));
}

}  // namespace forms
