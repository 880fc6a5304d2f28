#include "server_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace site_server {

ServerProcess::ServerProcess(const std::vector<std::string>& arguments) {
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
  stdout_fd_ = pipe_fds[0];

  char stderr_template[] = "/tmp/site-server-stderr-XXXXXX";
  const int stderr_fd = ::mkostemp(stderr_template, O_CLOEXEC);
  stderr_path_ = stderr_template;

  std::vector<std::string> argv_text{SITE_SERVER_PATH};
  argv_text.insert(argv_text.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& argument : argv_text) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, stderr_fd, STDERR_FILENO);
  const int spawned = ::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_fds[1]);
  ::close(stderr_fd);
  if (spawned != 0) throw std::runtime_error("cannot start " + argv_text[0]);
}

ServerProcess::~ServerProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  ::close(stdout_fd_);
  std::error_code ignored;
  std::filesystem::remove(stderr_path_, ignored);
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
    pollfd waiting{stdout_fd_, POLLIN, 0};
    if (::poll(&waiting, 1, static_cast<int>(left.count())) <= 0) continue;
    char chunk[512];
    const ssize_t got = ::read(stdout_fd_, chunk, sizeof chunk);
    if (got <= 0) return std::nullopt;
    pending_.append(chunk, static_cast<std::size_t>(got));
  }
}

std::optional<int> ServerProcess::wait_exit(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (pid_ > 0) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return status;
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return std::nullopt;
}

std::optional<int> ServerProcess::stop(int signal, std::chrono::milliseconds timeout) {
  if (pid_ > 0) ::kill(pid_, signal);
  return wait_exit(timeout);
}

std::string ServerProcess::stderr_text() const {
  std::ifstream in(stderr_path_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
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
