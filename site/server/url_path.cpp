#include "url_path.h"

#include <cstdio>

namespace site_server {
namespace {

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> percent_decode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out.push_back(text[i]);
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = hex_value(text[i + 1]);
    const int low = hex_value(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out.push_back(static_cast<char>(high * 16 + low));
    i += 2;
  }
  return out;
}

std::optional<std::string> decoded_target_path(std::string_view target) {
  constexpr std::string_view kHttp = "http://";
  if (target.substr(0, kHttp.size()) == kHttp) {
    const auto slash = target.find('/', kHttp.size());
    target = slash == std::string_view::npos ? std::string_view("/") : target.substr(slash);
  }
  if (target.empty() || target.front() != '/') return std::nullopt;
  const auto end = target.find_first_of("?#");
  return percent_decode(target.substr(0, end));
}

bool is_contained_path(std::string_view decoded_path) {
  if (decoded_path.empty() || decoded_path.front() != '/') return false;
  // "//etc/passwd" names /etc/passwd once the leading slash is taken off: refuse it here, the
  // same way whether or not such a file exists.
  if (decoded_path.size() > 1 && decoded_path[1] == '/') return false;
  if (decoded_path.find('\0') != std::string_view::npos) return false;
  std::size_t start = 1;
  while (start <= decoded_path.size()) {
    const auto end = decoded_path.find('/', start);
    const auto segment = decoded_path.substr(
        start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (segment == "..") return false;
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return true;
}

std::string printable_path(std::string_view decoded_path) {
  std::string out;
  out.reserve(decoded_path.size());
  for (const char c : decoded_path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
      char escaped[4];
      std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
      out += escaped;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace site_server
