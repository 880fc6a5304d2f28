#include "server_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>

namespace site_server {

ServerProcess::ServerProcess(const std::vector<std::string>& arguments) {
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
  stdout_ = UniqueFd(pipe_fds[0]);
  const UniqueFd write_end(pipe_fds[1]);

  test_process::SpawnOptions options;
  options.argv = {SITE_SERVER_PATH};
  options.argv.insert(options.argv.end(), arguments.begin(), arguments.end());
  options.environment = test_process::current_environment();
  options.stdout_fd = write_end.get();
  options.stderr_path = dir_.path() / "stderr";
  process_ = std::make_unique<test_process::ChildProcess>(options);
}

ServerProcess::~ServerProcess() {
  process_->stop(std::chrono::milliseconds(0));
}

std::optional<std::string> ServerProcess::read_line(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const auto newline = pending_.find('\n');
    if (newline != std::string::npos) {
      std::string line = pending_.substr(0, newline);
      pending_.erase(0, newline + 1);
      return line;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd waiting{stdout_.get(), POLLIN, 0};
    if (::poll(&waiting, 1, static_cast<int>(left.count())) <= 0) continue;
    char chunk[512];
    const ssize_t got = ::read(stdout_.get(), chunk, sizeof chunk);
    if (got <= 0) return std::nullopt;
    pending_.append(chunk, static_cast<std::size_t>(got));
  }
}

std::optional<int> ServerProcess::wait_exit(std::chrono::milliseconds timeout) {
  // The status once: a server already waited for has nothing more to report.
  if (exited_) return std::nullopt;
  const auto status = process_->wait_exit(timeout);
  exited_ = status.has_value();
  return status;
}

std::optional<int> ServerProcess::stop(int signal, std::chrono::milliseconds timeout) {
  process_->send(signal);
  return wait_exit(timeout);
}

std::string ServerProcess::stderr_text() const {
  return test_process::read_file(dir_.path() / "stderr");
}

UniqueFd connect_loopback(std::uint16_t port) {
  UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (!fd ||
      ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    throw std::runtime_error("cannot connect");
  }
  return fd;
}

std::string exchange_raw(std::uint16_t port, const std::string& raw,
                         std::chrono::milliseconds quiet) {
  const UniqueFd fd = connect_loopback(port);
  ::send(fd.get(), raw.data(), raw.size(), MSG_NOSIGNAL);
  std::string reply;
  for (;;) {
    pollfd waiting{fd.get(), POLLIN, 0};
    if (::poll(&waiting, 1, static_cast<int>(quiet.count())) <= 0) break;
    char chunk[4096];
    const ssize_t got = ::recv(fd.get(), chunk, sizeof chunk, 0);
    if (got <= 0) break;
    reply.append(chunk, static_cast<std::size_t>(got));
  }
  return reply;
}

std::string header_field(const HttpReply& reply, const std::string& name) {
  std::istringstream lines(reply.head);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto colon = line.find(':');
    if (colon == std::string::npos || colon != name.size()) continue;
    if (std::equal(name.begin(), name.end(), line.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        })) {
      auto value = line.substr(colon + 1);
      value.erase(0, value.find_first_not_of(' '));
      return value;
    }
  }
  return {};
}

std::vector<HttpReply> split_replies(const std::string& raw, bool with_bodies) {
  std::vector<HttpReply> replies;
  std::size_t at = 0;
  while (at < raw.size()) {
    const auto end = raw.find("\r\n\r\n", at);
    if (end == std::string::npos) break;
    HttpReply reply;
    reply.head = raw.substr(at, end - at);
    reply.status = std::atoi(reply.head.substr(9, 3).c_str());
    const auto length = std::stoul("0" + header_field(reply, "Content-Length"));
    reply.body = with_bodies ? raw.substr(end + 4, length) : std::string();
    at = end + 4 + reply.body.size();
    replies.push_back(std::move(reply));
  }
  return replies;
}

}  // namespace site_server
