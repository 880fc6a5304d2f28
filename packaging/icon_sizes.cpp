// Writes the program's icon as PNG files for the desktop's icon theme, one file per size.
//
//   icon_sizes ICON SIZE OUTPUT [SIZE OUTPUT]...
//
// ICON is any picture gdk-pixbuf reads (the window icon is a 32 x 32 .ico with a transparency
// mask). Each OUTPUT is a square PNG of SIZE pixels. A size equal to the icon's own size is
// written pixel for pixel; other sizes are scaled by nearest neighbour, so the pixel-art icon
// keeps its hard edges and its sixteen colours instead of being blurred.

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <charconv>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "forms/gobject_ptr.h"

namespace {

using PixbufPtr = forms::GObjectPtr<GdkPixbuf>;
using forms::GErrorPtr;

struct Request {
  int size;
  std::string output;
};

// Icon themes go up to 512 px; anything larger is a typing error.
constexpr int kLargestSize = 1024;

int parse_size(std::string_view text) {
  int size = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
  if (error != std::errc{} || end != text.data() + text.size() || size < 1 || size > kLargestSize) {
    throw std::runtime_error("not a size in pixels: " + std::string(text));
  }
  return size;
}

std::vector<Request> parse_requests(const std::vector<std::string_view>& words) {
  if (words.empty() || words.size() % 2 != 0) {
    throw std::runtime_error("expected pairs of SIZE OUTPUT after the icon");
  }
  std::vector<Request> requests;
  for (std::size_t i = 0; i < words.size(); i += 2) {
    requests.push_back({parse_size(words[i]), std::string(words[i + 1])});
  }
  return requests;
}

PixbufPtr load(const std::string& path) {
  GError* raw_error = nullptr;
  PixbufPtr pixbuf(gdk_pixbuf_new_from_file(path.c_str(), &raw_error));
  const GErrorPtr error(raw_error);
  if (!pixbuf) throw std::runtime_error(path + ": " + (error ? error->message : "cannot read"));
  return pixbuf;
}

PixbufPtr at_size(GdkPixbuf* icon, int size) {
  if (gdk_pixbuf_get_width(icon) == size && gdk_pixbuf_get_height(icon) == size) {
    return PixbufPtr(gdk_pixbuf_copy(icon));
  }
  PixbufPtr scaled(gdk_pixbuf_scale_simple(icon, size, size, GDK_INTERP_NEAREST));
  if (!scaled) throw std::runtime_error("out of memory scaling to " + std::to_string(size));
  return scaled;
}

void save_png(GdkPixbuf* pixbuf, const std::string& path) {
  GError* raw_error = nullptr;
  const gboolean saved = gdk_pixbuf_save(pixbuf, path.c_str(), "png", &raw_error, nullptr);
  const GErrorPtr error(raw_error);
  if (!saved) throw std::runtime_error(path + ": " + (error ? error->message : "cannot write"));
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<std::string_view> args(argv, argv + argc);
    if (args.size() < 2) throw std::runtime_error("usage: icon_sizes ICON SIZE OUTPUT...");
    const auto requests = parse_requests({args.begin() + 2, args.end()});
    const PixbufPtr icon = load(std::string(args[1]));
    for (const auto& request : requests) {
      save_png(at_size(icon.get(), request.size).get(), request.output);
    }
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "icon_sizes: %s\n", error.what());
    return 1;
  }
}
