// lumesca-site-server: serves the demo site's static files on a loopback address.
//
//   lumesca-site-server --root DIR --listen 127.0.0.1:PORT [--log FILE]
//
// Each request's decoded path is logged as one line (to FILE, or to standard output). With
// port 0 the system picks a free port, and the first line on standard output is
// "listening on 127.0.0.1:NNNNN". SIGTERM and SIGINT end the server cleanly.

#include <sys/signalfd.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "listen_address.h"
#include "request_log.h"
#include "server.h"
#include "unique_fd.h"

namespace {

struct Options {
  std::string root;
  std::string listen;
  std::optional<std::string> log;
};

constexpr const char* kUsage =
    "usage: lumesca-site-server --root DIR --listen 127.0.0.1:PORT [--log FILE]\n";

std::optional<Options> parse_options(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view name = argv[i];
    if (i + 1 >= argc) return std::nullopt;
    const char* value = argv[++i];
    if (name == "--root") {
      options.root = value;
    } else if (name == "--listen") {
      options.listen = value;
    } else if (name == "--log") {
      options.log = value;
    } else {
      return std::nullopt;
    }
  }
  if (options.root.empty() || options.listen.empty()) return std::nullopt;
  return options;
}

// SIGTERM and SIGINT are blocked in every thread and read from this descriptor instead.
site_server::UniqueFd stop_signals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  return site_server::UniqueFd(signalfd(-1, &signals, SFD_CLOEXEC));
}

int run(const Options& options) {
  auto parsed = site_server::parse_listen_address(options.listen);
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "lumesca-site-server: %s\n", error->c_str());
    return 2;
  }
  const auto& address = std::get<site_server::ListenAddress>(parsed);

  std::error_code error;
  const auto root = std::filesystem::canonical(options.root, error);
  if (error || !std::filesystem::is_directory(root)) {
    std::fprintf(stderr, "lumesca-site-server: %s is not a directory\n", options.root.c_str());
    return 2;
  }

  const site_server::UniqueFd stop = stop_signals();
  if (!stop) {
    std::perror("lumesca-site-server: signalfd");
    return 1;
  }
  std::optional<site_server::RequestLog> log;
  if (options.log) {
    log.emplace(options.log->c_str());
  } else {
    log.emplace();
  }
  site_server::Server server(address, root, *log);
  if (address.port == 0) {
    std::printf("listening on %s\n",
                site_server::format_listen_address(address, server.port()).c_str());
    std::fflush(stdout);
  }
  server.run(stop.get());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const auto options = parse_options(argc, argv);
  if (!options) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  try {
    return run(*options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "lumesca-site-server: %s (%s)\n", error.what(), options->listen.c_str());
    return 1;
  }
}
