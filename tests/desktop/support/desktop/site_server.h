// The demo site's loopback server, run for the tests, with the paths it was asked for.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/child_process.h"
#include "desktop/temp_dir.h"

namespace desktop {

class SiteServer {
 public:
  // Serves the demo site on the port of LUMESCA_SITE_HOST, whose host must be a loopback
  // address: that is where the programs under test look for their pages.
  SiteServer();
  // Serves `root` on `listen` ("127.0.0.1:PORT"; port 0 picks a free one).
  SiteServer(const std::string& listen, const std::filesystem::path& root);
  SiteServer(const SiteServer&) = delete;
  SiteServer& operator=(const SiteServer&) = delete;
  ~SiteServer();

  // "127.0.0.1:PORT", the address it listens on.
  const std::string& host() const { return host_; }
  // "http://" + host + path (path starting with '/').
  std::string url(std::string_view path) const;

  // Decoded paths of the requests since the last clear(), in arrival order (query dropped).
  std::vector<std::string> requests() const;
  // How many requests since the last clear() were for exactly `path`.
  int count(std::string_view path) const;
  // Waits until a request for `path` has come in since the last clear().
  bool wait_for_request(std::string_view path, std::chrono::milliseconds timeout) const;
  // Forgets the requests so far.
  void clear();

  bool running() { return process_->running(); }
  std::string stderr_text() const;

 private:
  std::vector<std::string> all_requests() const;

  TempDir dir_;
  std::string host_;
  std::unique_ptr<ChildProcess> process_;
  std::size_t skipped_ = 0;
};

// Splits "host[:port]" (port 80 when absent). Throws std::invalid_argument on a bad port.
std::pair<std::string, int> split_host(std::string_view host);

}  // namespace desktop
