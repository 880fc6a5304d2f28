#pragma once
// Window, device-context and region handles: 32-bit values that the forms layer resolves.

#include <compare>
#include <cstdint>

namespace forms {

template <class Tag>
struct Handle {
  std::uint32_t value = 0;

  constexpr Handle() = default;
  constexpr explicit Handle(std::uint32_t v) : value(v) {}
  constexpr explicit operator bool() const { return value != 0; }
  friend constexpr auto operator<=>(Handle, Handle) = default;
};

using HWnd = Handle<struct WindowTag>;
using HDC = Handle<struct DeviceContextTag>;
using HRgn = Handle<struct RegionTag>;

// A colour as the platform gives it: 0x00BBGGRR.
using ColorRef = std::uint32_t;
inline constexpr ColorRef kInvalidColor = 0xFFFFFFFFu;

// Booleans handed to the platform. Named apart from Xlib's True and False macros, so that both
// can be in scope together.
inline constexpr std::int32_t kTrue = -1;
inline constexpr std::int32_t kFalse = 0;

}  // namespace forms
