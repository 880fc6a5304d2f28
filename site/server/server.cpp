#include "server.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <cerrno>
#include <list>
#include <memory>
#include <system_error>
#include <thread>

#include "connection.h"

namespace site_server {
namespace {

[[noreturn]] void throw_errno(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

std::uint16_t bound_port(int fd) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw_errno("getsockname");
  }
  if (address.ss_family == AF_INET6) {
    return ntohs(reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port);
  }
  return ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
}

struct Worker {
  std::shared_ptr<std::atomic<bool>> done = std::make_shared<std::atomic<bool>>(false);
  std::jthread thread;
};

}  // namespace

Server::Server(const ListenAddress& address, std::filesystem::path root, RequestLog& log)
    : listener_(::socket(address.address.ss_family, SOCK_STREAM | SOCK_CLOEXEC, 0)),
      root_(std::move(root)),
      log_(log) {
  if (!listener_) throw_errno("socket");
  const int on = 1;
  ::setsockopt(listener_.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (::bind(listener_.get(), reinterpret_cast<const sockaddr*>(&address.address),
             address.length) != 0) {
    throw_errno("bind");
  }
  if (::listen(listener_.get(), 64) != 0) throw_errno("listen");
  port_ = bound_port(listener_.get());
}

void Server::run(int stop_fd) {
  std::list<Worker> workers;
  for (;;) {
    workers.remove_if([](const Worker& worker) { return worker.done->load(); });

    const bool room = workers.size() < kMaxConnections;
    pollfd fds[2] = {{stop_fd, POLLIN, 0}, {room ? listener_.get() : -1, POLLIN, 0}};
    const int ready = ::poll(fds, 2, 100);
    if (ready < 0 && errno != EINTR) throw_errno("poll");
    if (fds[0].revents != 0) break;
    if ((fds[1].revents & POLLIN) == 0) continue;

    UniqueFd client(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!client) continue;
    Worker& worker = workers.emplace_back();
    worker.thread = std::jthread(
        [this, done = worker.done](std::stop_token stop, UniqueFd socket) {
          serve_connection(std::move(socket), root_, log_, stop);
          done->store(true);
        },
        std::move(client));
  }
  // Leaving the scope asks every connection thread to stop and joins it.
}

}  // namespace site_server
