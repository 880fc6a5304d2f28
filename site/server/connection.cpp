#include "connection.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <string_view>

#include "http_request.h"
#include "request_handler.h"

namespace site_server {
namespace {

constexpr std::size_t kMaxHeadBytes = 16 * 1024;
constexpr auto kIdleLimit = std::chrono::seconds(10);
constexpr int kPollMilliseconds = 100;

bool send_all(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (sent < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN) {
        pollfd waiting{fd, POLLOUT, 0};
        if (::poll(&waiting, 1, 1000) <= 0) return false;
        continue;
      }
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(sent));
  }
  return true;
}

bool send_response(int fd, const Response& response, bool keep_alive) {
  if (!send_all(fd, response_head(response, keep_alive))) return false;
  return response.head_only || send_all(fd, response.body);
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

// Waits for more bytes; false when the connection is over (closed, idle, stopping, error).
bool receive_more(int fd, std::string& buffer, const std::stop_token& stop) {
  const auto deadline = std::chrono::steady_clock::now() + kIdleLimit;
  while (!stop.stop_requested()) {
    pollfd waiting{fd, POLLIN, 0};
    const int ready = ::poll(&waiting, 1, kPollMilliseconds);
    if (ready < 0 && errno != EINTR) return false;
    if (ready > 0) {
      char chunk[4096];
      const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
      if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      if (got <= 0) return false;
      buffer.append(chunk, static_cast<std::size_t>(got));
      return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) return false;
  }
  return false;
}

}  // namespace

void serve_connection(UniqueFd socket, const std::filesystem::path& root, RequestLog& log,
                      std::stop_token stop) {
  const int fd = socket.get();
  std::string buffer;
  while (!stop.stop_requested()) {
    const std::size_t length = head_length(buffer);
    if (length == 0) {
      if (buffer.size() > kMaxHeadBytes) {
        send_response(fd, error_response(431), false);
        return;
      }
      if (!receive_more(fd, buffer, stop)) return;
      continue;
    }

    const auto request = parse_request_head(std::string_view(buffer).substr(0, length));
    buffer.erase(0, length);
    if (!request) {
      send_response(fd, error_response(400), false);
      return;
    }
    const Handled handled = handle_request(root, *request);
    log.write_line(handled.logged_path);
    // A request body is never expected; rather than skip one, end the connection after it.
    const bool keep_alive =
        request->keep_alive && request->content_length == 0 && !request->chunked;
    if (!send_response(fd, handled.response, keep_alive) || !keep_alive) return;
  }
}

}  // namespace site_server
