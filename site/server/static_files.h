// Looking up a decoded request path as a file under the served root.
#pragma once

#include <filesystem>
#include <string_view>
#include <variant>

namespace site_server {

enum class LookupFailure {
  kNotFound,  // no such regular file (or a directory without index.html)
  kOutside,   // the path, once links are followed, leaves the root
};

// `root` must be canonical. `decoded_path` must have passed is_contained_path(). A directory
// stands for its index.html. Returns the canonical path of the file to send.
std::variant<std::filesystem::path, LookupFailure> find_file(const std::filesystem::path& root,
                                                             std::string_view decoded_path);

}  // namespace site_server
