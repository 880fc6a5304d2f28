#include "connection.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <string_view>

#include "http_request.h"
#include "request_handler.h"
#include "socket_io.h"

namespace site_server {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kMaxHeadBytes = 16 * 1024;
// How long a connection may wait for the first byte of its next request.
constexpr auto kIdleLimit = std::chrono::seconds(10);
// How long a request head may take from its first byte to its blank line, however steadily
// its bytes come: a client trickling bytes must not keep its place.
constexpr auto kHeadLimit = std::chrono::seconds(10);

bool send_response(int fd, const Response& response, bool keep_alive, const std::stop_token& stop) {
  if (!send_all(fd, response_head(response, keep_alive), stop)) return false;
  if (response.head_only) return true;
  if (response.file) return send_file(fd, response.file.get(), response.file_size, stop);
  return send_all(fd, response.body, stop);
}

// Length of the head including its blank line, or 0 while it is incomplete.
std::size_t head_length(std::string_view buffer) {
  const auto crlf = buffer.find("\r\n\r\n");
  const auto lf = buffer.find("\n\n");
  if (crlf != std::string_view::npos && (lf == std::string_view::npos || crlf < lf)) {
    return crlf + 4;
  }
  return lf == std::string_view::npos ? 0 : lf + 2;
}

enum class Received { kMore, kClosed, kTimedOut };

Received receive_more(int fd, std::string& buffer, Clock::time_point deadline,
                      const std::stop_token& stop) {
  for (;;) {
    const Readiness readiness = wait_for(fd, POLLIN, deadline, stop);
    if (readiness == Readiness::kTimedOut) return Received::kTimedOut;
    if (readiness == Readiness::kEnded) return Received::kClosed;
    char chunk[4096];
    const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (got <= 0) return Received::kClosed;
    buffer.append(chunk, static_cast<std::size_t>(got));
    return Received::kMore;
  }
}

// Waits for the first byte of the next request. A kept-alive connection waits marked idle, so
// that the listening thread may end it to make room for a new client; a new connection keeps
// its place until its first request, which is what it was let in for. The connection is busy
// again before it reads: bytes taken off the socket while it was still marked idle would be
// lost with it. False when the connection is over.
bool await_request(ConnectionSlot& slot, bool kept_alive, std::string& buffer,
                   const std::stop_token& stop) {
  if (kept_alive) slot.begin_idle();
  const Readiness readiness = wait_for(slot.fd(), POLLIN, Clock::now() + kIdleLimit, stop);
  if ((kept_alive && !slot.end_idle()) || readiness != Readiness::kReady) return false;
  return receive_more(slot.fd(), buffer, Clock::now() + kIdleLimit, stop) == Received::kMore;
}

// Reads until `buffer` holds a whole head, which must come within kHeadLimit of now, when its
// first byte is in. The head's length, or 0 when the connection is over (a head too long or
// too slow is answered first).
std::size_t read_head(int fd, std::string& buffer, const std::stop_token& stop) {
  const auto deadline = Clock::now() + kHeadLimit;
  for (;;) {
    if (const std::size_t length = head_length(buffer)) return length;
    if (buffer.size() > kMaxHeadBytes) {
      send_response(fd, error_response(431), false, stop);
      return 0;
    }
    switch (receive_more(fd, buffer, deadline, stop)) {
      case Received::kMore:
        break;
      case Received::kTimedOut:
        send_response(fd, error_response(408), false, stop);
        return 0;
      case Received::kClosed:
        return 0;
    }
  }
}

}  // namespace

void serve_connection(ConnectionSlot& slot, const std::filesystem::path& root, RequestLog& log,
                      const std::stop_token& stop) {
  const int fd = slot.fd();
  std::string buffer;
  bool kept_alive = false;
  for (; !stop.stop_requested(); kept_alive = true) {
    if (buffer.empty() && !await_request(slot, kept_alive, buffer, stop)) return;
    const std::size_t length = read_head(fd, buffer, stop);
    if (length == 0) return;

    const auto request = parse_request_head(std::string_view(buffer).substr(0, length));
    buffer.erase(0, length);
    if (!request) {
      send_response(fd, error_response(400), false, stop);
      return;
    }
    const Handled handled = handle_request(root, *request);
    log.write_line(handled.logged_path);
    // A request body is never expected; rather than skip one, end the connection after it.
    const bool keep_alive =
        request->keep_alive && request->content_length == 0 && !request->chunked;
    if (!send_response(fd, handled.response, keep_alive, stop) || !keep_alive) return;
  }
}

}  // namespace site_server
