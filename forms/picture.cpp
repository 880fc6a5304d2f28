#include "forms/picture.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include "forms/run_time_error.h"

namespace forms {
namespace {

struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
struct GErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};

}  // namespace

Picture::Picture(int width, int height, std::vector<std::uint8_t> rgba)
    : width_(width), height_(height), rgba_(std::move(rgba)) {}

Picture Picture::from_resource(const std::string& resource_name) {
  GError* raw_error = nullptr;
  std::unique_ptr<GdkPixbuf, GObjectUnref> pixbuf(
      gdk_pixbuf_new_from_resource(resource_name.c_str(), &raw_error));
  std::unique_ptr<GError, GErrorFree> error(raw_error);
  if (!pixbuf) throw errors::file_not_found();

  const int width = gdk_pixbuf_get_width(pixbuf.get());
  const int height = gdk_pixbuf_get_height(pixbuf.get());
  const int channels = gdk_pixbuf_get_n_channels(pixbuf.get());
  const int stride = gdk_pixbuf_get_rowstride(pixbuf.get());
  const bool has_alpha = gdk_pixbuf_get_has_alpha(pixbuf.get());
  const guint8* pixels = gdk_pixbuf_read_pixels(pixbuf.get());

  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    const guint8* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < width; ++x) {
      const guint8* p = row + static_cast<std::ptrdiff_t>(x) * channels;
      std::uint8_t* out = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      out[0] = p[0];
      out[1] = p[1];
      out[2] = p[2];
      out[3] = has_alpha ? p[3] : 255;
    }
  }
  return Picture(width, height, std::move(rgba));
}

Picture Picture::from_colors(int width, int height, std::vector<ColorRef> colors) {
  std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  for (std::size_t i = 0; i < colors.size() && i * 4 < rgba.size(); ++i) {
    rgba[i * 4 + 0] = static_cast<std::uint8_t>(colors[i] & 0xFF);
    rgba[i * 4 + 1] = static_cast<std::uint8_t>((colors[i] >> 8) & 0xFF);
    rgba[i * 4 + 2] = static_cast<std::uint8_t>((colors[i] >> 16) & 0xFF);
    rgba[i * 4 + 3] = 255;
  }
  return Picture(width, height, std::move(rgba));
}

ColorRef Picture::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalidColor;
  const std::uint8_t* p = &rgba_[(static_cast<std::size_t>(y) * width_ + x) * 4];
  return static_cast<ColorRef>(p[0]) | static_cast<ColorRef>(p[1]) << 8 |
         static_cast<ColorRef>(p[2]) << 16;
}

}  // namespace forms
