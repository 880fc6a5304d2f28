#include "forms/reload_limit.h"

#include <utility>

namespace forms {

ReloadLimit::ReloadLimit(std::function<Clock::time_point()> now) : now_(std::move(now)) {}

bool ReloadLimit::reload_after_end() {
  const Clock::time_point now = now_();
  ends_.push_back(now);
  if (ends_.size() > kEnds) ends_.pop_front();
  return ends_.size() < kEnds || now - ends_.front() >= kWindow;
}

}  // namespace forms
