#pragma once
// The desktop benchmarks serve the demo site on the port compiled into the program.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "desktop/build_config.h"
#include "desktop/site_server.h"

namespace bench {

// Whether something already answers on the site's port: its requests would never reach our
// server, and the measurements would share the machine with whoever runs it.
inline bool site_port_taken() {
  const auto [address, port] = desktop::split_host(desktop::kSiteHost);
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(static_cast<std::uint16_t>(port));
  if (inet_pton(AF_INET, address == "localhost" ? "127.0.0.1" : address.c_str(),
                &target.sin_addr) != 1) {
    return false;
  }
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool connected =
      ::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0;
  ::close(fd);
  return connected;
}

// Whether the site's port is free; when it is not, says so on stderr for `benchmark`.
inline bool site_port_free(const char* benchmark) {
  if (!site_port_taken()) return true;
  std::fprintf(stderr,
               "%s: %s already answers (desktop tests or scripts/run?); run the benchmarks "
               "when it is free\n",
               benchmark, std::string(desktop::kSiteHost).c_str());
  return false;
}

}  // namespace bench
