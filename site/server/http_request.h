// Parsing of an HTTP/1.x request head (request line and header fields).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace site_server {

struct Request {
  std::string method;
  std::string target;
  int minor_version = 1;  // the x of HTTP/1.x
  bool keep_alive = true;
  std::uint64_t content_length = 0;
  bool chunked = false;
};

// `head` is everything before the blank line that ends the head (lines end in CRLF or LF).
// Empty when the request line is malformed, the version is not HTTP/1.x or a header line has
// no colon.
std::optional<Request> parse_request_head(std::string_view head);

}  // namespace site_server
