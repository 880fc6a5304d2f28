#include "listen_address.h"

#include <arpa/inet.h>

#include <charconv>
#include <cstring>

namespace site_server {
namespace {

std::variant<std::uint16_t, std::string> parse_port(std::string_view text) {
  unsigned value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc{} || ptr != end || value > 65535) {
    return std::string("invalid port \"") + std::string(text) + "\"";
  }
  return static_cast<std::uint16_t>(value);
}

}  // namespace

std::variant<ListenAddress, std::string> parse_listen_address(std::string_view text) {
  std::string_view host;
  std::string_view port_text;
  if (!text.empty() && text.front() == '[') {
    const auto close = text.find(']');
    if (close == std::string_view::npos || close + 1 >= text.size() || text[close + 1] != ':') {
      return std::string("expected [ADDRESS]:PORT, got \"") + std::string(text) + "\"";
    }
    host = text.substr(1, close - 1);
    port_text = text.substr(close + 2);
  } else {
    const auto colon = text.rfind(':');
    if (colon == std::string_view::npos) {
      return std::string("expected HOST:PORT, got \"") + std::string(text) + "\"";
    }
    host = text.substr(0, colon);
    port_text = text.substr(colon + 1);
  }

  auto port = parse_port(port_text);
  if (auto* error = std::get_if<std::string>(&port)) return *error;

  ListenAddress result;
  result.port = std::get<std::uint16_t>(port);
  const std::string host_text = host == "localhost" ? std::string("127.0.0.1") : std::string(host);

  in_addr v4{};
  in6_addr v6{};
  if (inet_pton(AF_INET, host_text.c_str(), &v4) == 1) {
    if ((ntohl(v4.s_addr) >> 24) != 127) {
      return "refusing to listen on " + host_text + ": not a loopback address";
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr = v4;
    address.sin_port = htons(result.port);
    std::memcpy(&result.address, &address, sizeof address);
    result.length = sizeof address;
    result.host = host_text;
    return result;
  }
  if (inet_pton(AF_INET6, host_text.c_str(), &v6) == 1) {
    if (!IN6_IS_ADDR_LOOPBACK(&v6)) {
      return "refusing to listen on " + host_text + ": not a loopback address";
    }
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_addr = v6;
    address.sin6_port = htons(result.port);
    std::memcpy(&result.address, &address, sizeof address);
    result.length = sizeof address;
    result.host = "[::1]";
    return result;
  }
  return "refusing to listen on \"" + host_text + "\": not a numeric loopback address";
}

std::string format_listen_address(const ListenAddress& address, std::uint16_t port) {
  return address.host + ":" + std::to_string(port);
}

}  // namespace site_server
