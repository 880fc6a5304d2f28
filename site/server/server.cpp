#include "server.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <list>
#include <memory>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "connection.h"
#include "connection_slot.h"

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
  std::shared_ptr<ConnectionSlot> slot;
  std::jthread thread;  // declared last: joined before the slot is let go
};

// The idle connections, the one idle the longest first.
std::vector<ConnectionSlot*> idle_by_age(const std::list<Worker>& workers) {
  std::vector<std::pair<ConnectionSlot::Clock::time_point, ConnectionSlot*>> idle;
  for (const Worker& worker : workers) {
    if (const auto since = worker.slot->idle_since()) idle.emplace_back(*since, worker.slot.get());
  }
  std::sort(idle.begin(), idle.end());
  std::vector<ConnectionSlot*> slots;
  for (const auto& entry : idle) slots.push_back(entry.second);
  return slots;
}

// Ends the connection idle the longest that can still be ended; false when none could.
bool evict_an_idle_connection(const std::list<Worker>& workers) {
  const auto idle = idle_by_age(workers);
  return std::any_of(idle.begin(), idle.end(), [](ConnectionSlot* slot) { return slot->evict(); });
}

}  // namespace

Server::Server(const ListenAddress& address, std::filesystem::path root, RequestLog& log)
    : listener_(::socket(address.address.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)),
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
    workers.remove_if([](const Worker& worker) { return worker.slot->closed(); });

    const auto places = std::count_if(workers.begin(), workers.end(), [](const Worker& worker) {
      return worker.slot->holds_place();
    });
    const bool full = static_cast<std::size_t>(places) >= kMaxConnections;
    // When full, a new client is let in only in place of an idle connection.
    const bool room = !full || !idle_by_age(workers).empty();
    pollfd fds[2] = {{stop_fd, POLLIN, 0}, {room ? listener_.get() : -1, POLLIN, 0}};
    const int ready = ::poll(fds, 2, 100);
    if (ready < 0 && errno != EINTR) throw_errno("poll");
    if (fds[0].revents != 0) break;
    if ((fds[1].revents & POLLIN) == 0) continue;
    if (full) {
      if (!evict_an_idle_connection(workers)) continue;  // they have just become busy
    }

    UniqueFd client(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (!client) continue;
    Worker& worker = workers.emplace_back();
    worker.slot = std::make_shared<ConnectionSlot>(std::move(client));
    worker.thread = std::jthread([this, slot = worker.slot](const std::stop_token& stop) {
      serve_connection(*slot, root_, log_, stop);
      slot->close();
    });
  }
  // Leaving the scope asks every connection thread to stop and joins it.
}

}  // namespace site_server
