// What the server answers to one parsed request, and what it logs for it.
#pragma once

#include <filesystem>
#include <string>

#include "http_request.h"
#include "http_response.h"

namespace site_server {

struct Handled {
  std::string logged_path;  // the decoded path (control characters escaped), or the raw target
  Response response;
};

// GET and HEAD of files under `root` (canonical); 405 for other methods, 400 for a target that
// does not decode, 403 for a path that would leave the root, 404 for anything missing.
Handled handle_request(const std::filesystem::path& root, const Request& request);

}  // namespace site_server
