// Polling until a condition holds.
#pragma once

#include <chrono>
#include <thread>

namespace desktop {

// Calls `predicate` until it returns true or `timeout` has passed (it is called at least once,
// and once more at the deadline). Returns its last result.
template <typename Predicate>
bool wait_until(Predicate&& predicate, std::chrono::milliseconds timeout,
                std::chrono::milliseconds interval = std::chrono::milliseconds(20)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (predicate()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return predicate();
    std::this_thread::sleep_for(interval);
  }
}

}  // namespace desktop
