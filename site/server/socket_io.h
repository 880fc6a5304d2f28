// Waiting on and sending to a non-blocking socket, in steps short enough that a stop request
// is seen within a tenth of a second, and without letting a peer that stops reading hold the
// thread for ever.
#pragma once

#include <chrono>
#include <cstdint>
#include <stop_token>
#include <string_view>

namespace site_server {

// A send that makes no progress for this long ends the connection.
inline constexpr auto kStallLimit = std::chrono::seconds(10);

enum class Readiness { kReady, kTimedOut, kEnded };  // kEnded: stopping, or poll failed

// Waits until `fd` has one of `events` or `deadline` passes.
Readiness wait_for(int fd, short events, std::chrono::steady_clock::time_point deadline,
                   const std::stop_token& stop);

// False when the peer is gone, stalls or the server stops.
bool send_all(int fd, std::string_view data, const std::stop_token& stop);

// Sends the first `size` bytes of the open file `file` with sendfile(2), so that no more than
// the socket's own buffer is held for it whatever its size. Also false when the file turns out
// shorter than `size`.
bool send_file(int fd, int file, std::uint64_t size, const std::stop_token& stop);

}  // namespace site_server
