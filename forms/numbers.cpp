#include "forms/numbers.h"

#include <cmath>
#include <limits>

#include "forms/run_time_error.h"

namespace forms {

std::int32_t to_long(double value) {
  const double rounded = std::nearbyint(value);  // default rounding mode: to nearest, ties to even
  if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
        rounded <= std::numeric_limits<std::int32_t>::max())) {
    throw errors::overflow();
  }
  return static_cast<std::int32_t>(rounded);
}

std::int32_t checked_sub(std::int32_t a, std::int32_t b) {
  std::int32_t result = 0;
  if (__builtin_sub_overflow(a, b, &result)) throw errors::overflow();
  return result;
}

std::int32_t checked_add(std::int32_t a, std::int32_t b) {
  std::int32_t result = 0;
  if (__builtin_add_overflow(a, b, &result)) throw errors::overflow();
  return result;
}

int twips_to_pixels(double twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

}  // namespace forms
