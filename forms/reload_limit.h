#pragma once
// How often a web view loads its page again after the page's process ended: at once, unless
// the process has ended three times within a minute, when a page that keeps killing its own
// process would have the program spinning; the view then stops until asked again.

#include <chrono>
#include <deque>
#include <functional>

namespace forms {

class ReloadLimit {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::size_t kEnds = 3;
  static constexpr Clock::duration kWindow = std::chrono::minutes(1);

  explicit ReloadLimit(std::function<Clock::time_point()> now = &Clock::now);

  // Counts one end of the page's process, now; true when the page is to be loaded again,
  // false on the third end within kWindow (and on every later one within kWindow of the two
  // before it).
  bool reload_after_end();

 private:
  std::function<Clock::time_point()> now_;
  std::deque<Clock::time_point> ends_;  // the latest, oldest first, at most kEnds
};

}  // namespace forms
