#include "connection_slot.h"

#include <sys/socket.h>

namespace site_server {

void ConnectionSlot::begin_idle() {
  const std::lock_guard lock(mutex_);
  if (state_ != State::kBusy) return;
  state_ = State::kIdle;
  idle_since_ = Clock::now();
}

bool ConnectionSlot::end_idle() {
  const std::lock_guard lock(mutex_);
  if (state_ != State::kIdle) return false;
  state_ = State::kBusy;
  return true;
}

void ConnectionSlot::close() {
  const std::lock_guard lock(mutex_);
  state_ = State::kClosed;
  socket_.reset();
}

bool ConnectionSlot::closed() const {
  const std::lock_guard lock(mutex_);
  return state_ == State::kClosed;
}

bool ConnectionSlot::holds_place() const {
  const std::lock_guard lock(mutex_);
  return state_ == State::kBusy || state_ == State::kIdle;
}

std::optional<ConnectionSlot::Clock::time_point> ConnectionSlot::idle_since() const {
  const std::lock_guard lock(mutex_);
  if (state_ != State::kIdle) return std::nullopt;
  return idle_since_;
}

bool ConnectionSlot::evict() {
  const std::lock_guard lock(mutex_);
  if (state_ != State::kIdle) return false;
  // Bytes already waiting are a request its thread has not woken up for yet: the connection
  // is about to be busy, not idle.
  char byte;
  if (::recv(socket_.get(), &byte, 1, MSG_PEEK | MSG_DONTWAIT) > 0) return false;
  state_ = State::kEvicted;
  ::shutdown(socket_.get(), SHUT_RDWR);
  return true;
}

}  // namespace site_server
