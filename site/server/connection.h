// Serves the requests of one accepted connection until the peer closes it, it stays idle too
// long, a request head takes too long to arrive, a response ends it, the listening thread
// evicts it while idle, or the server stops.
#pragma once

#include <filesystem>
#include <stop_token>

#include "connection_slot.h"
#include "request_log.h"

namespace site_server {

// The socket in `slot` must be non-blocking; it is left open for the caller to close.
void serve_connection(ConnectionSlot& slot, const std::filesystem::path& root, RequestLog& log,
                      const std::stop_token& stop);

}  // namespace site_server
