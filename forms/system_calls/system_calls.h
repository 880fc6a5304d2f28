#pragma once
// The window and graphics calls of the platform, under their own names, as the program's code
// calls them. Results are returned as the platform gives them; callers never test them.

#include <cstdint>

#include "forms/system_calls/handles.h"
#include "forms/system_calls/picture.h"

namespace forms {

inline constexpr HWnd HWND_TOPMOST{0xFFFFFFFFu};    // -1
inline constexpr HWnd HWND_NOTOPMOST{0xFFFFFFFEu};  // -2
inline constexpr std::uint32_t SWP_NOSIZE = 0x0001;
inline constexpr std::uint32_t SWP_NOMOVE = 0x0002;
inline constexpr std::uint32_t WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr std::int32_t HTCAPTION = 2;
inline constexpr std::int32_t RGN_OR = 2;

// Window calls.
class User32 {
 public:
  virtual ~User32() = default;
  // The window's visible area becomes the region (window coordinates); the region then belongs
  // to the window. Region 0 takes the outline away.
  virtual std::int32_t SetWindowRgn(HWnd window, HRgn region, std::int32_t redraw) = 0;
  // Only the z-order change (HWND_TOPMOST, HWND_NOTOPMOST) is supported.
  virtual std::int32_t SetWindowPos(HWnd window, HWnd insert_after, std::int32_t x, std::int32_t y,
                                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) = 0;
  virtual std::int32_t ReleaseCapture() = 0;
  // WM_NCLBUTTONDOWN with HTCAPTION starts the window manager's interactive move of the window.
  virtual std::int32_t SendMessageA(HWnd window, std::uint32_t message, std::int32_t wparam,
                                    std::int32_t lparam) = 0;
};

// Graphics calls.
//
// GetPixel is read once per pixel of a mask, so its common case is served here, inline: the
// platform may make one device context readable in place (its picture's rows of colours),
// and a read of that device context costs a compare of the handle, one of the bounds and a
// load. Every other read goes to read_pixel, which resolves the handle and may make its device
// context the readable one. A platform that must see every read simply never makes one
// readable.
class Gdi32 {
 public:
  virtual ~Gdi32() = default;
  // The colour of pixel (x, y) of the device context's picture; kInvalidColor outside the
  // picture or for a handle that reaches no picture.
  ColorRef GetPixel(HDC dc, std::int32_t x, std::int32_t y) {
    if (dc != readable_dc_) return read_pixel(dc, x, y);
    return readable_.pixel(x, y);
  }
  // A new rectangular region; the right and bottom edges are excluded.
  virtual HRgn CreateRectRgn(std::int32_t left, std::int32_t top, std::int32_t right,
                             std::int32_t bottom) = 0;
  // destination = first source OR second source (mode RGN_OR); destination may be a source.
  virtual std::int32_t CombineRgn(HRgn destination, HRgn first, HRgn second, std::int32_t mode) = 0;
  virtual std::int32_t DeleteObject(HRgn region) = 0;

 protected:
  // A read that GetPixel cannot serve in place.
  virtual ColorRef read_pixel(HDC dc, std::int32_t x, std::int32_t y) = 0;
  // Reads of `dc` are served from `pixels` until another device context is made readable or
  // `dc` stops being readable; the pixels must stay valid until then.
  void make_readable(HDC dc, PixelView pixels) {
    readable_dc_ = dc;
    readable_ = pixels;
  }
  void stop_reading(HDC dc) {
    if (dc != readable_dc_) return;
    readable_dc_ = HDC{};
    readable_ = PixelView{};
  }

 private:
  // The null handle is readable and has no pixel: it reads kInvalidColor in place.
  HDC readable_dc_;
  PixelView readable_;
};

}  // namespace forms
