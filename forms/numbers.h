#pragma once
// Numeric conversions of the forms layer: single to 32-bit integer, checked integer arithmetic,
// and twips to pixels.

#include <cstdint>

namespace forms {

inline constexpr int kTwipsPerPixel = 15;

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4); raises the overflow
// error outside the signed 32-bit range (and for NaN).
std::int32_t to_long(double value);

// a - b and a + b on signed 32-bit integers, raising the overflow error when the result does
// not fit.
std::int32_t checked_sub(std::int32_t a, std::int32_t b);
std::int32_t checked_add(std::int32_t a, std::int32_t b);

// Twips to whole pixels, to the nearest pixel (470.67 -> 471).
int twips_to_pixels(double twips);

}  // namespace forms
