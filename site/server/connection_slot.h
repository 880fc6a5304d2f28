// What the listening thread and a connection's own thread share about one connection: its
// socket, and whether it is idle, that is waiting for the first byte of a request. When every
// place is taken, the listening thread ends the connection idle the longest so that a new
// client is not kept waiting by kept-alive connections that have nothing to ask.
#pragma once

#include <chrono>
#include <mutex>
#include <optional>

#include "unique_fd.h"

namespace site_server {

class ConnectionSlot {
 public:
  using Clock = std::chrono::steady_clock;

  explicit ConnectionSlot(UniqueFd socket) : socket_(std::move(socket)) {}

  // The connection thread's side. The socket stays open until close().
  int fd() const { return socket_.get(); }
  void begin_idle();
  // False when the connection was evicted while it was idle: it must end.
  bool end_idle();
  void close();

  // The listening thread's side.
  bool closed() const;
  // Neither closed nor evicted: the connection still takes one of the server's places.
  bool holds_place() const;
  std::optional<Clock::time_point> idle_since() const;
  // Shuts the socket down if the connection is still idle and no request has begun to arrive
  // on it, which wakes its thread at once. True if it did.
  bool evict();

 private:
  enum class State { kBusy, kIdle, kEvicted, kClosed };

  mutable std::mutex mutex_;
  UniqueFd socket_;
  State state_ = State::kBusy;
  Clock::time_point idle_since_{};
};

}  // namespace site_server
