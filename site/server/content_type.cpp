#include "content_type.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace site_server {

std::string_view content_type_for(std::string_view file_name) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 16> kTypes{{
      {"html", "text/html; charset=utf-8"},
      {"htm", "text/html; charset=utf-8"},
      {"css", "text/css; charset=utf-8"},
      {"js", "text/javascript; charset=utf-8"},
      {"txt", "text/plain; charset=utf-8"},
      {"json", "application/json"},
      {"xml", "application/xml"},
      {"png", "image/png"},
      {"gif", "image/gif"},
      {"jpg", "image/jpeg"},
      {"jpeg", "image/jpeg"},
      {"bmp", "image/bmp"},
      {"ico", "image/vnd.microsoft.icon"},
      {"svg", "image/svg+xml"},
      {"webp", "image/webp"},
      {"woff2", "font/woff2"},
  }};
  const auto slash = file_name.rfind('/');
  const auto base = slash == std::string_view::npos ? file_name : file_name.substr(slash + 1);
  const auto dot = base.rfind('.');
  if (dot == std::string_view::npos) return "application/octet-stream";
  std::string extension(base.substr(dot + 1));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const auto& [known, type] : kTypes) {
    if (extension == known) return type;
  }
  return "application/octet-stream";
}

}  // namespace site_server
