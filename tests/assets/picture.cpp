#include "picture.h"

#include <stdexcept>

namespace asset_test {
namespace {

using forms::GErrorPtr;

}  // namespace

std::string describe(const Rgba& c) {
  if (c.a == 0) return "transparent";
  std::string s =
      "RGB(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
  if (c.a != 255) s += " alpha " + std::to_string(c.a);
  return s;
}

std::string resource_path(std::string_view name) {
  return "/org/lumesca/assets/" + std::string(name);
}

Picture::Picture(std::string_view name) : name_(name) {
  GError* raw_error = nullptr;
  pixbuf_.reset(gdk_pixbuf_new_from_resource(resource_path(name).c_str(), &raw_error));
  GErrorPtr error(raw_error);
  if (!pixbuf_) {
    throw std::runtime_error(name_ +
                             ": cannot be decoded: " + (error ? error->message : "unknown error"));
  }
  if (gdk_pixbuf_get_colorspace(pixbuf_.get()) != GDK_COLORSPACE_RGB ||
      gdk_pixbuf_get_bits_per_sample(pixbuf_.get()) != 8) {
    throw std::runtime_error(name_ + ": decoded into an unexpected pixel layout");
  }
}

Rgba Picture::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width() || y >= height()) {
    throw std::out_of_range(name_ + ": pixel outside the picture");
  }
  const guint8* pixels = gdk_pixbuf_read_pixels(pixbuf_.get());
  const int stride = gdk_pixbuf_get_rowstride(pixbuf_.get());
  const int channels = gdk_pixbuf_get_n_channels(pixbuf_.get());
  const guint8* p = pixels + static_cast<std::ptrdiff_t>(y) * stride + x * channels;
  return {p[0], p[1], p[2], static_cast<std::uint8_t>(has_alpha() ? p[3] : 255)};
}

std::optional<std::string> Picture::option(const char* key) const {
  const gchar* value = gdk_pixbuf_get_option(pixbuf_.get(), key);
  if (!value) return std::nullopt;
  return std::string(value);
}

RawBytes::RawBytes(std::string_view name) {
  GError* raw_error = nullptr;
  bytes_.reset(g_resources_lookup_data(resource_path(name).c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE,
                                       &raw_error));
  GErrorPtr error(raw_error);
  if (!bytes_) {
    throw std::runtime_error(std::string(name) +
                             ": no such resource: " + (error ? error->message : "unknown error"));
  }
  gsize size = 0;
  const auto* data = static_cast<const std::uint8_t*>(g_bytes_get_data(bytes_.get(), &size));
  data_ = std::span<const std::uint8_t>(data, size);
}

std::uint8_t RawBytes::u8(std::size_t offset) const {
  if (offset >= data_.size()) throw std::out_of_range("read past the end of the file");
  return data_[offset];
}

std::uint16_t RawBytes::u16(std::size_t offset) const {
  return static_cast<std::uint16_t>(u8(offset) | (u8(offset + 1) << 8));
}

std::uint32_t RawBytes::u32(std::size_t offset) const {
  return static_cast<std::uint32_t>(u16(offset)) |
         (static_cast<std::uint32_t>(u16(offset + 2)) << 16);
}

void Differences::add(int x, int y, std::string expected, std::string got) {
  if (count_ < kShown) {
    first_ += "\n  " + picture_ + ": (" + std::to_string(x) + "," + std::to_string(y) +
              ") expected " + expected + " got " + got;
  }
  ++count_;
}

void Differences::check(int x, int y, const Rgba& expected, const Rgba& got) {
  // Fully transparent pixels are equal whatever colour the decoder leaves in them.
  if (expected == got || (expected.a == 0 && got.a == 0)) return;
  add(x, y, describe(expected), describe(got));
}

std::ostream& operator<<(std::ostream& out, const Differences& d) {
  if (d.count_ == 0) return out << d.picture_ << ": no differences";
  out << d.picture_ << ": " << d.count_ << " pixel(s) differ, the first ones:" << d.first_;
  if (d.count_ > Differences::kShown) out << "\n  ...";
  return out;
}

}  // namespace asset_test
