// The listening socket and the connections it accepts, one thread each, at most
// kMaxConnections at a time. When all places are taken, a new client takes the place of the
// connection that has been idle the longest; while none is idle, new clients wait in the
// listen backlog.
#pragma once

#include <cstdint>
#include <filesystem>

#include "listen_address.h"
#include "request_log.h"
#include "unique_fd.h"

namespace site_server {

class Server {
 public:
  static constexpr std::size_t kMaxConnections = 32;

  // Binds and listens; throws std::system_error when that fails. `root` must be canonical.
  Server(const ListenAddress& address, std::filesystem::path root, RequestLog& log);

  // The bound port (the one the system chose when 0 was asked for).
  std::uint16_t port() const { return port_; }

  // Accepts and serves until `stop_fd` becomes readable, then ends every connection.
  void run(int stop_fd);

 private:
  UniqueFd listener_;
  std::filesystem::path root_;
  RequestLog& log_;
  std::uint16_t port_ = 0;
};

}  // namespace site_server
