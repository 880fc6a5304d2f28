#include "socket_io.h"

#include <poll.h>
#include <sys/sendfile.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

namespace site_server {
namespace {

constexpr auto kPollStep = std::chrono::milliseconds(100);
// The largest piece handed to one sendfile call.
constexpr std::uint64_t kFilePiece = 1 << 20;

bool wait_writable(int fd, const std::stop_token& stop) {
  return wait_for(fd, POLLOUT, std::chrono::steady_clock::now() + kStallLimit, stop) ==
         Readiness::kReady;
}

}  // namespace

Readiness wait_for(int fd, short events, std::chrono::steady_clock::time_point deadline,
                   const std::stop_token& stop) {
  while (!stop.stop_requested()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return Readiness::kTimedOut;
    pollfd waiting{fd, events, 0};
    const int ready = ::poll(&waiting, 1, static_cast<int>(std::min(left, kPollStep).count()));
    if (ready > 0) return Readiness::kReady;
    if (ready < 0 && errno != EINTR) return Readiness::kEnded;
  }
  return Readiness::kEnded;
}

bool send_all(int fd, std::string_view data, const std::stop_token& stop) {
  while (!data.empty()) {
    const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN && wait_writable(fd, stop)) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

bool send_file(int fd, int file, std::uint64_t size, const std::stop_token& stop) {
  off_t offset = 0;
  while (static_cast<std::uint64_t>(offset) < size) {
    const auto piece = std::min(size - static_cast<std::uint64_t>(offset), kFilePiece);
    const ssize_t sent = ::sendfile(fd, file, &offset, static_cast<std::size_t>(piece));
    if (sent < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN && wait_writable(fd, stop)) continue;
      return false;
    }
    if (sent == 0) return false;  // the file shrank since it was measured
  }
  return true;
}

}  // namespace site_server
