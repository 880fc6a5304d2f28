#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace test_process {
namespace {

int open_output(const std::filesystem::path& path) {
  const char* name = path.empty() ? "/dev/null" : path.c_str();
  const int fd = ::open(name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot open " + std::string(name));
  return fd;
}

std::vector<char*> pointers(std::vector<std::string>& texts) {
  std::vector<char*> result;
  for (auto& text : texts) result.push_back(text.data());
  result.push_back(nullptr);
  return result;
}

}  // namespace

ChildProcess::ChildProcess(const SpawnOptions& options) {
  if (options.argv.empty()) throw std::invalid_argument("ChildProcess: empty argv");
  ::prctl(PR_SET_CHILD_SUBREAPER, 1);

  // Everything the child needs is prepared before fork: after it, only async-signal-safe calls.
  std::vector<std::string> argv_text = options.argv;
  std::vector<std::string> env_text = options.environment;
  const std::vector<char*> argv = pointers(argv_text);
  const std::vector<char*> envp = pointers(env_text);
  const int out = options.stdout_fd >= 0 ? ::fcntl(options.stdout_fd, F_DUPFD_CLOEXEC, 0)
                                         : open_output(options.stdout_path);
  const int err = open_output(options.stderr_path);
  const int in = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  const pid_t parent = ::getpid();

  pid_ = ::fork();
  if (pid_ == 0) {
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(127);
    ::dup2(in, STDIN_FILENO);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    if (options.inherited_fd >= 0) {
      if (options.inherited_fd == options.inherited_as) {
        ::fcntl(options.inherited_fd, F_SETFD, 0);
      } else {
        ::dup2(options.inherited_fd, options.inherited_as);
      }
    }
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execve(argv[0], argv.data(), envp.data());
    static constexpr char kFailed[] = "exec failed\n";
    [[maybe_unused]] const auto written = ::write(STDERR_FILENO, kFailed, sizeof kFailed - 1);
    ::_exit(127);
  }
  const int fork_error = errno;
  ::close(out);
  ::close(err);
  ::close(in);
  if (pid_ < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(fork_error));
  // Also from this side, so that a kill of the group right after the fork cannot miss it.
  ::setpgid(pid_, pid_);
}

ChildProcess::~ChildProcess() {
  stop();
}

void ChildProcess::send(int signal) {
  if (!status_) ::kill(pid_, signal);
}

bool ChildProcess::running() {
  return !wait_exit(std::chrono::milliseconds(0)).has_value();
}

std::optional<int> ChildProcess::wait_exit(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!status_) {
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      status_ = status;
      break;
    }
    if (std::chrono::steady_clock::now() >= deadline) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return status_;
}

void ChildProcess::reap_group() {
  int status = 0;
  for (pid_t done; (done = ::waitpid(-pid_, &status, WNOHANG)) > 0;) {
    if (done == pid_) status_ = status;
  }
}

void ChildProcess::stop(std::chrono::milliseconds grace) {
  if (group_gone_) return;
  ::kill(-pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + grace;
  for (;;) {
    wait_exit(std::chrono::milliseconds(0));
    reap_group();
    // kill(-pgid, 0) fails once no member of the group is left.
    if (status_ && ::kill(-pid_, 0) != 0) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(-pid_, SIGKILL);
      const auto kill_deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
      while ((!status_ || ::kill(-pid_, 0) == 0) &&
             std::chrono::steady_clock::now() < kill_deadline) {
        wait_exit(std::chrono::milliseconds(0));
        reap_group();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  group_gone_ = true;
}

std::vector<std::string> current_environment() {
  std::vector<std::string> result;
  for (char** entry = environ; *entry != nullptr; ++entry) result.emplace_back(*entry);
  return result;
}

std::string describe_wait_status(int status) {
  if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) {
    return "killed by signal " + std::to_string(WTERMSIG(status)) + " (" +
           ::strsignal(WTERMSIG(status)) + ")";
  }
  return "wait status " + std::to_string(status);
}

}  // namespace test_process

namespace test_process {

std::filesystem::path find_executable(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path != nullptr && *path != '\0' ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= folders.size()) {
    const auto end = folders.find(':', start);
    const std::filesystem::path candidate =
        std::filesystem::path(folders.substr(start, end - start)) / name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    if (end == std::string::npos) break;
    start = end + 1;
  }
  throw std::runtime_error(name + " not found on PATH");
}

}  // namespace test_process
