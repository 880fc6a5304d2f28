#pragma once
// The platform under the forms layer: a toolkit (forms/toolkit.h, whose operations a concrete
// platform implements) with the part that needs none, the handle tables of windows, device
// contexts and regions, the graphics calls over cairo regions and pictures, and the window
// calls resolved to a form and handed on to the toolkit's operations.

#include <map>

#include "forms/system_calls/picture.h"
#include "forms/system_calls/region_table.h"
#include "forms/system_calls/system_calls.h"
#include "forms/toolkit.h"

namespace forms {

class Platform : public Toolkit, public User32, public Gdi32 {
 public:
  HWnd register_window(Form& form);
  void forget_window(HWnd window);
  Form* window(HWnd handle) const;

  HDC register_device_context(const Picture& picture);
  // The handle then reaches no picture: it reads kInvalidColor from then on.
  void forget_device_context(HDC dc);
  // The picture behind a device context, or nullptr for none or an unknown handle.
  const Picture* device_context_picture(HDC dc) const;

  // The region behind a handle, or nullptr for none or an unknown handle.
  const cairo_region_t* region(HRgn handle) const;
  std::size_t live_regions() const { return regions_.size(); }

  std::int32_t SetWindowRgn(HWnd window, HRgn region, std::int32_t redraw) override;
  std::int32_t SetWindowPos(HWnd window, HWnd insert_after, std::int32_t x, std::int32_t y,
                            std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
  std::int32_t ReleaseCapture() override;
  std::int32_t SendMessageA(HWnd window, std::uint32_t message, std::int32_t wparam,
                            std::int32_t lparam) override;

  HRgn CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                     std::int32_t bottom) override;
  std::int32_t CombineRgn(HRgn destination, HRgn first, HRgn second, std::int32_t mode) override;
  std::int32_t DeleteObject(HRgn region) override;

 protected:
  // Resolves the handle and makes its device context the readable one: a region is built
  // from one mask, pixel by pixel, so nearly every later read is served in place.
  ColorRef read_pixel(HDC dc, std::int32_t x, std::int32_t y) override;

 private:
  std::uint32_t next_handle_ = 0x100;
  std::map<HWnd, Form*> windows_;
  std::map<HDC, const Picture*> device_contexts_;
  RegionTable regions_;
};

}  // namespace forms
