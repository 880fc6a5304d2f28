// A program under test, started on a Display with a fresh home of its own.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "desktop/child_process.h"
#include "desktop/temp_dir.h"

namespace desktop {

class Display;

struct ProgramOptions {
  std::vector<std::string> arguments;
  // Added to (or replacing) the environment the harness sets up.
  std::vector<std::pair<std::string, std::string>> environment;
};

// The environment, besides PATH and LANG=C.UTF-8:
//   DISPLAY                         the test display
//   HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME, XDG_DATA_HOME, XDG_STATE_HOME, XDG_RUNTIME_DIR
//                                   fresh folders of this run (WebKit writes its caches there)
//   G_DEBUG=fatal-criticals         a GLib/GTK critical ends the program (and fails the test)
//   DBUS_SESSION_BUS_ADDRESS=disabled:
//                                   no session bus; without it GLib would autolaunch one
//                                   through dbus-launch, which outlives the program
//   NO_AT_BRIDGE=1                  no accessibility bus either
//   GSETTINGS_BACKEND=memory        no dconf
//   WEBKIT_DISABLE_COMPOSITING_MODE=1
//                                   pages drawn without GL compositing (no GPU here; the
//                                   software GL path works too, but costs more and adds a
//                                   moving part)
class Program {
 public:
  Program(const Display& display, const std::filesystem::path& executable,
          const ProgramOptions& options = {});
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  // Ends the program and every process it started (WebKit's web and network processes).
  ~Program();

  pid_t pid() const { return process_->pid(); }
  bool running() { return process_->running(); }
  // The raw wait status once it has ended (WIFEXITED / WEXITSTATUS), waiting at most
  // `timeout`; empty while it still runs.
  std::optional<int> wait_exit(std::chrono::milliseconds timeout) {
    return process_->wait_exit(timeout);
  }
  // SIGTERM, then SIGKILL after `grace`.
  void stop(std::chrono::milliseconds grace = std::chrono::milliseconds(3000)) {
    process_->stop(grace);
  }

  std::string stdout_text() const;
  std::string stderr_text() const;
  const std::filesystem::path& home() const { return home_; }

 private:
  TempDir dir_;
  std::filesystem::path home_;
  std::unique_ptr<ChildProcess> process_;
};

}  // namespace desktop
