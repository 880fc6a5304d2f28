// A child process in its own process group, ended with that whole group.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace test_process {

struct SpawnOptions {
  std::vector<std::string> argv;         // argv[0] is the executable's path
  std::vector<std::string> environment;  // the child's whole environment, "NAME=value"
  std::filesystem::path stdout_path;     // empty: /dev/null (unless stdout_fd is given)
  int stdout_fd = -1;                    // when given, the child's stdout (a pipe's end, say)
  std::filesystem::path stderr_path;     // empty: /dev/null
  int inherited_fd = -1;                 // handed to the child as descriptor inherited_as
  int inherited_as = -1;
};

// Starts the child in a new process group. The child gets SIGTERM if the thread that started
// it ends (a crashed test leaves no display behind). The test process becomes a child
// subreaper, so that descendants orphaned by the child are reaped here too, not left as
// zombies.
class ChildProcess {
 public:
  explicit ChildProcess(const SpawnOptions& options);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  pid_t pid() const { return pid_; }
  bool running();

  // Sends `signal` to the child alone, while it has not been reaped.
  void send(int signal);

  // The raw wait status (see WIFEXITED, WEXITSTATUS, WIFSIGNALED) once the child has ended,
  // waiting at most `timeout`; empty while it still runs.
  std::optional<int> wait_exit(std::chrono::milliseconds timeout);

  // SIGTERM to the whole group, SIGKILL after `grace`, and every member reaped.
  void stop(std::chrono::milliseconds grace = std::chrono::milliseconds(3000));

 private:
  void reap_group();

  pid_t pid_ = -1;
  std::optional<int> status_;
  bool group_gone_ = false;
};

// This process's own environment, "NAME=value" each, for a child that needs no other.
std::vector<std::string> current_environment();

// "killed by signal 11", "exit status 3".
std::string describe_wait_status(int status);

}  // namespace test_process

namespace test_process {

// The full path of `name` found on PATH (or in /usr/bin and /bin when PATH is unset);
// throws std::runtime_error when it is nowhere.
std::filesystem::path find_executable(const std::string& name);

}  // namespace test_process
