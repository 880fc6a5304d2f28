// An HTTP response and its wire form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "unique_fd.h"

namespace site_server {

struct Response {
  int status = 200;
  std::string content_type;
  std::string body;
  // When open, the file to send instead of `body`: it is sent from the file in pieces, never
  // read into memory whole.
  UniqueFd file;
  std::uint64_t file_size = 0;
  bool head_only = false;  // HEAD: send the head with the body's length, but no body

  std::uint64_t content_length() const { return file ? file_size : body.size(); }
};

std::string_view reason_phrase(int status);

// A small French HTML page for an error status.
Response error_response(int status);

// Status line and header fields, ending with the blank line. Every response forbids caching,
// so that a page asked for twice is fetched twice.
std::string response_head(const Response& response, bool keep_alive);

}  // namespace site_server
