// Runs lumesca-site-server as a child process for a test, and talks HTTP to it.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "process/child_process.h"
#include "process/temp_dir.h"
#include "unique_fd.h"

namespace site_server {

class ServerProcess {
 public:
  // Starts the server with these arguments after the program name; its stdout is read through
  // a pipe, its stderr goes to a file. The server is killed at the end if it still runs.
  explicit ServerProcess(const std::vector<std::string>& arguments);
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;
  ~ServerProcess();

  // The next line of standard output, waiting at most `timeout`.
  std::optional<std::string> read_line(std::chrono::milliseconds timeout);

  // Sends `signal` and waits for the exit; the wait status, or empty after `timeout`.
  std::optional<int> stop(int signal, std::chrono::milliseconds timeout);
  std::optional<int> wait_exit(std::chrono::milliseconds timeout);

  std::string stderr_text() const;
  pid_t pid() const { return process_->pid(); }

 private:
  test_process::TempDir dir_{"site-server-process"};
  UniqueFd stdout_;
  std::string pending_;
  std::unique_ptr<test_process::ChildProcess> process_;
  bool exited_ = false;
};

struct HttpReply {
  int status = 0;
  std::string head;  // status line and fields
  std::string body;
};

// A blocking connection to 127.0.0.1:port; throws when it cannot be made.
UniqueFd connect_loopback(std::uint16_t port);

// Sends `raw` on a new connection to 127.0.0.1:port and reads until the server closes it, or
// until nothing has come for `quiet`.
std::string exchange_raw(std::uint16_t port, const std::string& raw,
                         std::chrono::milliseconds quiet = std::chrono::milliseconds(5000));

// Splits every reply found in `raw` (Content-Length framing). Replies to HEAD carry no body:
// pass with_bodies = false for them.
std::vector<HttpReply> split_replies(const std::string& raw, bool with_bodies = true);

// Field value of `name` (case-blind) in a reply head, or empty.
std::string header_field(const HttpReply& reply, const std::string& name);

}  // namespace site_server
