#include "desktop/display.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <stdexcept>

#include "desktop/wait.h"
#include "desktop/x_client.h"

namespace desktop {
namespace {

constexpr auto kStartTimeout = std::chrono::seconds(15);

std::string base_path() {
  const char* path = std::getenv("PATH");
  return std::string("PATH=") + (path != nullptr ? path : "/usr/bin:/bin");
}

// Reads the display number that Xvfb writes to -displayfd once it accepts connections.
std::string read_display_number(int fd, ChildProcess& x_server) {
  std::string text;
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (text.find('\n') == std::string::npos) {
    if (!x_server.running() || std::chrono::steady_clock::now() >= deadline) return {};
    pollfd waiting{fd, POLLIN, 0};
    if (::poll(&waiting, 1, 100) <= 0) continue;
    char chunk[32];
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got <= 0) return {};
    text.append(chunk, static_cast<std::size_t>(got));
  }
  return text.substr(0, text.find('\n'));
}

}  // namespace

Display::Display() : dir_("desktop-display") {
  start_x_server();
  start_window_manager();
}

Display::~Display() {
  // The window manager first, so that it lets go of its windows while the server still runs.
  window_manager_.reset();
  x_server_.reset();
}

std::string Display::server_errors() const {
  return "Xvfb:\n" + read_file(dir_.path() / "xvfb.log") + "openbox:\n" +
         read_file(dir_.path() / "openbox.log");
}

void Display::start_x_server() {
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe2 failed");
  const int read_end = pipe_fds[0];
  const int write_end = pipe_fds[1];
  const int target = write_end == 3 || read_end == 3 ? 4 : 3;

  SpawnOptions options;
  options.argv = {find_executable("Xvfb").string(),
                  "-displayfd",
                  std::to_string(target),
                  "-screen",
                  "0",
                  std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24",
                  "-nolisten",
                  "tcp",
                  "-noreset"};
  options.environment = {base_path(), "HOME=" + dir_.path().string()};
  options.stderr_path = dir_.path() / "xvfb.log";
  options.inherited_fd = write_end;
  options.inherited_as = target;
  x_server_ = std::make_unique<ChildProcess>(options);
  ::close(write_end);
  const std::string number = read_display_number(read_end, *x_server_);
  ::close(read_end);
  if (number.empty()) throw std::runtime_error("Xvfb did not start\n" + server_errors());
  name_ = ":" + number;
}

void Display::start_window_manager() {
  const auto home = dir_.path() / "home";
  std::filesystem::create_directories(home);
  SpawnOptions options;
  options.argv = {find_executable("openbox").string(), "--config-file", DESKTOP_OPENBOX_CONFIG,
                  "--sm-disable"};
  options.environment = {base_path(),
                         "DISPLAY=" + name_,
                         "HOME=" + home.string(),
                         "XDG_CONFIG_HOME=" + (home / ".config").string(),
                         "XDG_CACHE_HOME=" + (home / ".cache").string(),
                         "XDG_DATA_HOME=" + (home / ".local/share").string(),
                         "DBUS_SESSION_BUS_ADDRESS=disabled:"};
  options.stdout_path = dir_.path() / "openbox.out";
  options.stderr_path = dir_.path() / "openbox.log";
  window_manager_ = std::make_unique<ChildProcess>(options);

  const XClient x(name_);
  const bool up = wait_until(
      [&] { return !window_manager_->running() || x.window_manager_name() == "Openbox"; },
      kStartTimeout, std::chrono::milliseconds(20));
  if (!up || !window_manager_->running()) {
    throw std::runtime_error("openbox did not start on " + name_ + "\n" + server_errors());
  }
}

}  // namespace desktop
