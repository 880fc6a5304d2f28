#pragma once
// The forms runtime: starts the program with its start-up window, raises events one at a time,
// reports the errors that no code handled and ends the program, and ends it too when the last
// window is unloaded.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace forms {

class DefaultInstance;
class Platform;
class RuntimeError;

class Runtime {
 public:
  explicit Runtime(Platform& platform);
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  Platform& platform() { return platform_; }

  // Loads the start-up window (raising its Form_Load), shows it, and runs the event loop until
  // the program ends; returns the program's exit status.
  int run(DefaultInstance& startup);
  // Loads and shows the start-up window, as run() does, without entering the event loop.
  void start(DefaultInstance& startup);

  // Runs an event handler. A run-time error that leaves it is reported, and ends the program;
  // so does any other exception, reported as an internal error: none leaves this call.
  void raise(const std::function<void()>& handler);

  // Runs one statement whose run-time error is reported to the user but ends nothing.
  void reporting_errors(const std::function<void()>& statement);

  // Starts a program from a command line without waiting for it; returns its task id.
  double StartProgram(const std::string& command_line, int window_style);

  // Called by a default instance as it is defined for this runtime: the runtime releases it
  // as it ends, so that no window outlives the runtime that runs it.
  void adopt(DefaultInstance& instance);

  // Called by the forms as they load and unload; the program ends when none is left loaded.
  void window_loaded();
  void window_unloaded();

  bool ended() const { return exit_status_.has_value(); }
  int exit_status() const { return exit_status_.value_or(0); }
  int loaded_windows() const { return loaded_windows_; }

 private:
  void end(int status);
  // Reports an error that no code handled and ends the program with status 1.
  void fail(const RuntimeError& error);

  Platform& platform_;
  int loaded_windows_ = 0;
  std::optional<int> exit_status_;
  bool in_event_loop_ = false;
  std::vector<DefaultInstance*> default_instances_;
};

}  // namespace forms
