#include "desktop/site_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <sstream>
#include <stdexcept>

#include "desktop/build_config.h"
#include "desktop/wait.h"

namespace desktop {
namespace {

constexpr auto kStartTimeout = std::chrono::seconds(10);

bool accepts_connections(const std::string& host) {
  const auto [address, port] = split_host(host);
  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_port = htons(static_cast<std::uint16_t>(port));
  if (inet_pton(AF_INET, address.c_str(), &target.sin_addr) != 1) return false;
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const bool connected =
      ::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0;
  ::close(fd);
  return connected;
}

std::string loopback_listen_address() {
  auto [address, port] = split_host(kSiteHost);
  if (address == "localhost") address = "127.0.0.1";
  if (address.rfind("127.", 0) != 0) {
    throw std::runtime_error("LUMESCA_SITE_HOST is " + std::string(kSiteHost) +
                             ": the desktop tests can only serve the site on a loopback address");
  }
  return address + ":" + std::to_string(port);
}

}  // namespace

std::pair<std::string, int> split_host(std::string_view host) {
  const auto colon = host.rfind(':');
  if (colon == std::string_view::npos) return {std::string(host), 80};
  int port = 0;
  const auto text = host.substr(colon + 1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (error != std::errc{} || end != text.data() + text.size() || port < 0 || port > 65535) {
    throw std::invalid_argument("bad port in " + std::string(host));
  }
  return {std::string(host.substr(0, colon)), port};
}

SiteServer::SiteServer() : SiteServer(loopback_listen_address(), std::string(kSiteDir)) {}

SiteServer::SiteServer(const std::string& listen, const std::filesystem::path& root)
    : dir_("desktop-site") {
  SpawnOptions options;
  options.argv = {std::string(kSiteServer),
                  "--root",
                  root.string(),
                  "--listen",
                  listen,
                  "--log",
                  (dir_.path() / "requests.log").string()};
  options.environment = {"PATH=/usr/bin:/bin"};
  options.stdout_path = dir_.path() / "stdout";
  options.stderr_path = dir_.path() / "stderr";
  process_ = std::make_unique<ChildProcess>(options);

  const bool chosen_port = split_host(listen).second == 0;
  const bool ready = wait_until(
      [&] {
        if (!process_->running()) return true;
        if (chosen_port) {
          const std::string out = read_file(dir_.path() / "stdout");
          const std::string prefix = "listening on ";
          if (out.rfind(prefix, 0) != 0 || out.find('\n') == std::string::npos) return false;
          host_ = out.substr(prefix.size(), out.find('\n') - prefix.size());
          return true;
        }
        host_ = listen;
        return accepts_connections(host_);
      },
      kStartTimeout, std::chrono::milliseconds(10));
  if (!ready || !process_->running()) {
    throw std::runtime_error("the site server did not start on " + listen + ": " + stderr_text());
  }
}

SiteServer::~SiteServer() = default;

std::string SiteServer::url(std::string_view path) const {
  return "http://" + host_ + std::string(path);
}

std::vector<std::string> SiteServer::all_requests() const {
  std::string text = read_file(dir_.path() / "requests.log");
  text.erase(text.rfind('\n') == std::string::npos ? 0
                                                   : text.rfind('\n') + 1);  // a line being written
  std::istringstream lines(text);
  std::vector<std::string> paths;
  for (std::string line; std::getline(lines, line);) paths.push_back(line);
  return paths;
}

std::vector<std::string> SiteServer::requests() const {
  auto paths = all_requests();
  paths.erase(paths.begin(),
              paths.begin() + static_cast<std::ptrdiff_t>(std::min(skipped_, paths.size())));
  return paths;
}

int SiteServer::count(std::string_view path) const {
  const auto paths = requests();
  return static_cast<int>(std::count(paths.begin(), paths.end(), path));
}

bool SiteServer::wait_for_request(std::string_view path, std::chrono::milliseconds timeout) const {
  return wait_until([&] { return count(path) > 0; }, timeout);
}

void SiteServer::clear() {
  skipped_ = all_requests().size();
}

std::string SiteServer::stderr_text() const {
  return read_file(dir_.path() / "stderr");
}

}  // namespace desktop
