#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "forms/numbers.h"
#include "forms/run_time_error.h"

namespace {

TEST(ToLong, RoundsToNearestWithHalvesToEven) {
  const struct {
    double in;
    std::int32_t out;
  } cases[] = {{2.5, 2},
               {3.5, 4},
               {-2.5, -2},
               {-3.5, -4},
               {0.49, 0},
               {0.51, 1},
               {300.0, 300},
               {-0.5, 0},
               {2147483647.0, 2147483647},
               {-2147483648.0, std::numeric_limits<std::int32_t>::min()}};
  for (const auto& c : cases) EXPECT_EQ(forms::to_long(c.in), c.out) << c.in;
}

TEST(ToLong, OutOfRangeRaisesOverflow) {
  for (double in : {2147483647.5 + 1, 3e9, -2147483649.0, -1e12, std::nan("")}) {
    try {
      forms::to_long(in);
      ADD_FAILURE() << in << " converted";
    } catch (const forms::RuntimeError& error) {
      EXPECT_EQ(error.number(), 6) << in;
    }
  }
}

TEST(CheckedArithmetic, OverflowRaisesTheOverflowError) {
  constexpr auto min = std::numeric_limits<std::int32_t>::min();
  constexpr auto max = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(forms::checked_sub(0, 1), -1);
  EXPECT_EQ(forms::checked_add(max - 1, 1), max);
  EXPECT_THROW(forms::checked_sub(min, 1), forms::RuntimeError);
  EXPECT_THROW(forms::checked_add(max, 1), forms::RuntimeError);
}

TEST(Twips, BecomeTheNearestWholePixel) {
  const struct {
    double twips;
    int pixels;
  } cases[] = {{4410, 294}, {7060, 471}, {4090, 273}, {6755, 450}, {7155, 477},
               {4500, 300}, {165, 11},   {7.4, 0},    {7.6, 1}};
  for (const auto& c : cases) EXPECT_EQ(forms::twips_to_pixels(c.twips), c.pixels) << c.twips;
}

}  // namespace
