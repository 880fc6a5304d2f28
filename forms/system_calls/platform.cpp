#include "forms/system_calls/platform.h"

namespace forms {
namespace {

constexpr std::int32_t kError = 0;
constexpr std::int32_t kSimpleRegion = 2;
constexpr std::int32_t kComplexRegion = 3;

std::int32_t region_kind(const cairo_region_t* region) {
  return cairo_region_num_rectangles(region) > 1 ? kComplexRegion : kSimpleRegion;
}

}  // namespace

HWnd Platform::register_window(Form& form) {
  const HWnd handle{next_handle_++};
  windows_[handle] = &form;
  return handle;
}

void Platform::forget_window(HWnd window) {
  windows_.erase(window);
}

Form* Platform::window(HWnd handle) const {
  const auto found = windows_.find(handle);
  return found == windows_.end() ? nullptr : found->second;
}

HDC Platform::register_device_context(const Picture& picture) {
  const HDC handle{next_handle_++};
  device_contexts_[handle] = &picture;
  return handle;
}

void Platform::forget_device_context(HDC dc) {
  stop_reading(dc);
  device_contexts_.erase(dc);
}

const Picture* Platform::device_context_picture(HDC dc) const {
  const auto found = device_contexts_.find(dc);
  return found == device_contexts_.end() ? nullptr : found->second;
}

const cairo_region_t* Platform::region(HRgn handle) const {
  return regions_.find(handle);
}

std::int32_t Platform::SetWindowRgn(HWnd window_handle, HRgn region_handle, std::int32_t redraw) {
  Form* form = window(window_handle);
  if (form == nullptr) return 0;
  apply_shape(*form, regions_.take(region_handle), redraw != kFalse);
  return 1;
}

std::int32_t Platform::SetWindowPos(HWnd window_handle, HWnd insert_after, std::int32_t,
                                    std::int32_t, std::int32_t, std::int32_t, std::uint32_t) {
  Form* form = window(window_handle);
  if (form == nullptr) return 0;
  if (insert_after == HWND_TOPMOST) {
    set_topmost(*form, true);
  } else if (insert_after == HWND_NOTOPMOST) {
    set_topmost(*form, false);
  }
  return 1;
}

std::int32_t Platform::ReleaseCapture() {
  release_pointer_capture();
  return 1;
}

std::int32_t Platform::SendMessageA(HWnd window_handle, std::uint32_t message, std::int32_t wparam,
                                    std::int32_t) {
  Form* form = window(window_handle);
  if (form != nullptr && message == WM_NCLBUTTONDOWN && wparam == HTCAPTION) begin_move(*form);
  return 0;
}

ColorRef Platform::read_pixel(HDC dc, std::int32_t x, std::int32_t y) {
  const Picture* picture = device_context_picture(dc);
  if (picture == nullptr) return kInvalidColor;
  make_readable(dc, picture->pixels());
  return picture->pixel(x, y);
}

HRgn Platform::CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                             std::int32_t bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  const cairo_rectangle_int_t rectangle{left, top, right - left, bottom - top};
  const HRgn handle{next_handle_++};
  if (rectangle.width > 0 && rectangle.height > 0) {
    regions_.add(handle, rectangle);
    return handle;
  }
  Region region(cairo_region_create_rectangle(&rectangle));  // empty
  if (cairo_region_status(region.get()) != CAIRO_STATUS_SUCCESS) return HRgn{};
  regions_.add(handle, std::move(region));
  return handle;
}

std::int32_t Platform::CombineRgn(HRgn destination, HRgn first, HRgn second, std::int32_t mode) {
  if (mode != RGN_OR || !regions_.contains(destination) || !regions_.contains(first) ||
      !regions_.contains(second)) {
    return kError;
  }
  // The usual case: a rectangle after the others joins the outline being built, in place.
  if (destination == first) {
    if (const auto simple = regions_.append(destination, second)) {
      return *simple ? kSimpleRegion : kComplexRegion;
    }
  }
  cairo_region_t* dest = regions_.find(destination);
  const cairo_region_t* a = regions_.find(first);
  const cairo_region_t* b = regions_.find(second);
  if (dest == a) {  // the destination grows in place
    if (cairo_region_union(dest, b) != CAIRO_STATUS_SUCCESS) return kError;
  } else {
    Region result(cairo_region_copy(a));
    if (cairo_region_union(result.get(), b) != CAIRO_STATUS_SUCCESS) return kError;
    dest = result.get();
    regions_.replace(destination, std::move(result));
  }
  return region_kind(dest);
}

std::int32_t Platform::DeleteObject(HRgn region_handle) {
  return regions_.erase(region_handle) ? 1 : 0;
}

}  // namespace forms
