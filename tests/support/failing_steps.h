#pragma once
// "A failure at each step stops the handler there": which steps of a handler can be made to
// fail, and what must hold once one of them has failed.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "forms/runtime.h"
#include "tests/support/recording_platform.h"

namespace testing_support {

// SetWindowRgn is a window call: it returns its result and raises nothing, so a failure set on
// it has no effect.
inline constexpr std::string_view kSetWindowRgn = "SetWindowRgn(";

// The position of the first of `steps` that starts with `prefix`, or steps.size() when none
// does.
inline std::size_t position_of(const std::vector<std::string>& steps, std::string_view prefix) {
  const auto found = std::find_if(steps.begin(), steps.end(), [&](const std::string& step) {
    return step.starts_with(prefix);
  });
  return static_cast<std::size_t>(found - steps.begin());
}

// The positions of the first `count` of `steps` (all of them by default) that report a failure:
// every one but SetWindowRgn.
inline std::vector<std::size_t> failable_steps(const std::vector<std::string>& steps,
                                               std::size_t count = std::string::npos) {
  std::vector<std::size_t> positions;
  for (std::size_t i = 0; i < std::min(count, steps.size()); ++i) {
    if (!steps[i].starts_with(kSetWindowRgn)) positions.push_back(i);
  }
  return positions;
}

// Once steps[failing] has failed: the log holds the steps up to it and none after, one error
// was reported, and the program ended with a failure status.
inline void expect_stopped_at(const RecordingPlatform& platform, const forms::Runtime& runtime,
                              const std::vector<std::string>& steps, std::size_t failing) {
  ASSERT_LT(failing, steps.size());
  const auto end = steps.begin() + static_cast<std::ptrdiff_t>(failing) + 1;
  EXPECT_THAT(platform.steps(),
              ::testing::ElementsAreArray(std::vector<std::string>(steps.begin(), end)))
      << "failing step " << failing << ": " << steps[failing];
  EXPECT_EQ(platform.reports().size(), 1u);
  EXPECT_TRUE(runtime.ended());
  EXPECT_EQ(runtime.exit_status(), 1);
}

// A test name for a case failing at `position`: "Step11".
inline std::string step_name(std::size_t position) {
  return "Step" + std::to_string(position);
}

}  // namespace testing_support
