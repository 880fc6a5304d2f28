// Turning an HTTP request target into a decoded path that is safe to look up under the root.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace site_server {

// Decodes %XX escapes. A '%' not followed by two hexadecimal digits makes the text invalid.
// '+' stays '+': in a path it is an ordinary character.
std::optional<std::string> percent_decode(std::string_view text);

// The decoded path of a request target in origin form ("/a/b?q") or absolute form
// ("http://host/a/b"); query and fragment are dropped. Empty when the target is not one of
// these forms or its escapes are invalid.
std::optional<std::string> decoded_target_path(std::string_view target);

// A decoded path may be looked up under the root when it starts with exactly one '/' (so not
// "//etc/passwd", which would name an absolute path), holds no NUL and no ".." segment (so no
// decoded "%2e%2e" either). Decided from the text alone, before any file is looked at.
bool is_contained_path(std::string_view decoded_path);

// The path with control characters written as %XX, so that one request is one log line.
std::string printable_path(std::string_view decoded_path);

}  // namespace site_server
