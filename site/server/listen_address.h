// Parsing of the --listen argument: a loopback address and a port.
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace site_server {

struct ListenAddress {
  sockaddr_storage address{};
  socklen_t length = 0;
  std::string host;  // numeric form, as printed: "127.0.0.1" or "[::1]"
  std::uint16_t port = 0;
};

// Reads "HOST:PORT" where HOST is an IPv4 loopback address (127.0.0.0/8), "localhost" or
// "[::1]". Any other host is refused: the server is only ever meant to be reached from this
// machine. Returns the address or an error text.
std::variant<ListenAddress, std::string> parse_listen_address(std::string_view text);

// "HOST:PORT" for the given address and a (possibly different) port.
std::string format_listen_address(const ListenAddress& address, std::uint16_t port);

}  // namespace site_server
