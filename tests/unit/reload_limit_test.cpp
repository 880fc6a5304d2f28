#include "forms/reload_limit.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace testing_support {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using Clock = forms::ReloadLimit::Clock;

// Ends of a page's process at the given times (from an arbitrary start), and whether the view
// loads its page again after each.
struct Case {
  const char* what;
  std::vector<milliseconds> ends;
  std::vector<bool> reloads;
  friend void PrintTo(const Case& c, std::ostream* out) { *out << c.what; }
};

class ReloadLimitTest : public ::testing::TestWithParam<Case> {};

TEST_P(ReloadLimitTest, ReloadsUntilTheThirdEndWithinAMinute) {
  const Case& c = GetParam();
  Clock::time_point now{seconds(1000)};
  forms::ReloadLimit limit([&] { return now; });
  std::vector<bool> got;
  for (const milliseconds at : c.ends) {
    now = Clock::time_point{seconds(1000)} + at;
    got.push_back(limit.reload_after_end());
  }
  EXPECT_EQ(got, c.reloads);
}

const Case kCases[] = {
    {"one end", {milliseconds(0)}, {true}},
    {"three ends in a row", {seconds(0), seconds(0), seconds(0)}, {true, true, false}},
    {"three ends within a minute", {seconds(0), seconds(30), seconds(59)}, {true, true, false}},
    {"the third just a minute after the first",
     {seconds(0), seconds(30), seconds(60)},
     {true, true, true}},
    {"the third just under a minute after the first",
     {seconds(0), seconds(30), seconds(60) - milliseconds(1)},
     {true, true, false}},
    {"ends spread out",
     {seconds(0), seconds(40), seconds(80), seconds(120)},
     {true, true, true, true}},
    {"stopped, then ending again soon stays stopped",
     {seconds(0), seconds(1), seconds(2), seconds(10)},
     {true, true, false, false}},
    {"stopped, then calm for a minute, reloads again",
     {seconds(0), seconds(1), seconds(2), seconds(62), seconds(63), seconds(64)},
     {true, true, false, true, true, false}},
    {"a fourth end counts with the two before it only",
     {seconds(0), seconds(50), seconds(100), seconds(101)},
     {true, true, true, false}},
};

INSTANTIATE_TEST_SUITE_P(Ends, ReloadLimitTest, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace testing_support
