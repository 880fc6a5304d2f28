// An HTTP response and its wire form.
#pragma once

#include <string>
#include <string_view>

namespace site_server {

struct Response {
  int status = 200;
  std::string content_type;
  std::string body;
  bool head_only = false;  // HEAD: send the head with the body's length, but no body
};

std::string_view reason_phrase(int status);

// A small French HTML page for an error status.
Response error_response(int status);

// Status line and header fields, ending with the blank line. Every response forbids caching,
// so that a page asked for twice is fetched twice.
std::string response_head(const Response& response, bool keep_alive);

}  // namespace site_server
