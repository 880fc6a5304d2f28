#include "static_files.h"

#include <algorithm>
#include <system_error>

namespace site_server {
namespace {

bool lies_under(const std::filesystem::path& root, const std::filesystem::path& path) {
  return std::mismatch(root.begin(), root.end(), path.begin(), path.end()).first == root.end();
}

}  // namespace

std::variant<std::filesystem::path, LookupFailure> find_file(const std::filesystem::path& root,
                                                             std::string_view decoded_path) {
  std::error_code error;
  std::filesystem::path candidate = root / std::filesystem::path(decoded_path.substr(1));
  if (std::filesystem::is_directory(candidate, error)) candidate /= "index.html";

  const auto canonical = std::filesystem::canonical(candidate, error);
  if (error) return LookupFailure::kNotFound;
  if (!lies_under(root, canonical)) return LookupFailure::kOutside;
  if (!std::filesystem::is_regular_file(canonical, error)) return LookupFailure::kNotFound;
  return canonical;
}

}  // namespace site_server
