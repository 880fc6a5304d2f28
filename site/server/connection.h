// Serves the requests of one accepted connection until the peer closes it, it stays idle too
// long, a response ends it, or the server stops.
#pragma once

#include <filesystem>
#include <stop_token>

#include "request_log.h"
#include "unique_fd.h"

namespace site_server {

void serve_connection(UniqueFd socket, const std::filesystem::path& root, RequestLog& log,
                      std::stop_token stop);

}  // namespace site_server
