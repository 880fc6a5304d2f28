#include "http_request.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace site_server {
namespace {

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

// Splits off the next line (without its CR LF or LF).
std::string_view next_line(std::string_view& rest) {
  const auto end = rest.find('\n');
  std::string_view line = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

bool has_token(std::string_view list, std::string_view token) {
  const std::string lowered = lower(list);
  std::string_view rest = lowered;
  while (!rest.empty()) {
    const auto comma = rest.find(',');
    if (trim(rest.substr(0, comma)) == token) return true;
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return false;
}

}  // namespace

std::optional<Request> parse_request_head(std::string_view head) {
  std::string_view rest = head;
  const std::string_view line = next_line(rest);

  const auto first_space = line.find(' ');
  const auto last_space = line.rfind(' ');
  if (first_space == std::string_view::npos || first_space == last_space) return std::nullopt;

  Request request;
  request.method = std::string(line.substr(0, first_space));
  request.target = std::string(line.substr(first_space + 1, last_space - first_space - 1));
  const std::string_view version = line.substr(last_space + 1);
  if (request.method.empty() || request.target.empty() ||
      request.target.find(' ') != std::string::npos) {
    return std::nullopt;
  }
  if (version == "HTTP/1.1") {
    request.minor_version = 1;
  } else if (version == "HTTP/1.0") {
    request.minor_version = 0;
  } else {
    return std::nullopt;
  }
  request.keep_alive = request.minor_version == 1;

  while (!rest.empty()) {
    const std::string_view field = next_line(rest);
    if (field.empty()) break;
    const auto colon = field.find(':');
    if (colon == std::string_view::npos || colon == 0) return std::nullopt;
    const std::string name = lower(trim(field.substr(0, colon)));
    const std::string_view value = trim(field.substr(colon + 1));
    if (name == "connection") {
      if (has_token(value, "close")) request.keep_alive = false;
      if (has_token(value, "keep-alive")) request.keep_alive = true;
    } else if (name == "content-length") {
      const char* end = value.data() + value.size();
      auto [ptr, ec] = std::from_chars(value.data(), end, request.content_length);
      if (ec != std::errc{} || ptr != end) return std::nullopt;
    } else if (name == "transfer-encoding") {
      request.chunked = has_token(value, "chunked");
    }
  }
  return request;
}

}  // namespace site_server
