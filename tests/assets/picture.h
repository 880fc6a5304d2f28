// Access to the stored pictures the way the program loads them: from the GResource, decoded
// by GdkPixbuf, plus the raw bytes for header checks.

#pragma once

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gio/gio.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "forms/gobject_ptr.h"

namespace asset_test {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

constexpr Rgba rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return {r, g, b, 255};
}

// "RGB(0,128,255)", or "transparent" for a pixel whose alpha is 0.
std::string describe(const Rgba& c);

// "/org/lumesca/assets/NAME"
std::string resource_path(std::string_view name);

struct BytesUnref {
  void operator()(GBytes* p) const { g_bytes_unref(p); }
};

// A decoded picture. Throws std::runtime_error naming the picture when it cannot be loaded.
class Picture {
 public:
  explicit Picture(std::string_view name);

  const std::string& name() const { return name_; }
  int width() const { return gdk_pixbuf_get_width(pixbuf_.get()); }
  int height() const { return gdk_pixbuf_get_height(pixbuf_.get()); }
  bool has_alpha() const { return gdk_pixbuf_get_has_alpha(pixbuf_.get()); }
  Rgba at(int x, int y) const;
  // A loader option such as the cursor's "x_hot", if the loader set it.
  std::optional<std::string> option(const char* key) const;

 private:
  std::string name_;
  forms::GObjectPtr<GdkPixbuf> pixbuf_;
};

// The stored bytes of a picture. Throws std::runtime_error when the resource is missing.
class RawBytes {
 public:
  explicit RawBytes(std::string_view name);

  std::span<const std::uint8_t> data() const { return data_; }
  std::size_t size() const { return data_.size(); }
  // Little-endian reads; out-of-range reads throw std::out_of_range.
  std::uint8_t u8(std::size_t offset) const;
  std::uint16_t u16(std::size_t offset) const;
  std::uint32_t u32(std::size_t offset) const;
  std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }

 private:
  std::unique_ptr<GBytes, BytesUnref> bytes_;
  std::span<const std::uint8_t> data_;
};

// Collects the pixels of one picture that differ from what was expected, so that a failing
// check names the picture and the first few differences.
class Differences {
 public:
  explicit Differences(std::string picture) : picture_(std::move(picture)) {}

  void add(int x, int y, std::string expected, std::string got);
  // Adds a difference when got != expected.
  void check(int x, int y, const Rgba& expected, const Rgba& got);
  bool empty() const { return count_ == 0; }
  friend std::ostream& operator<<(std::ostream& out, const Differences& d);

 private:
  static constexpr int kShown = 6;
  std::string picture_;
  int count_ = 0;
  std::string first_;
};

}  // namespace asset_test
