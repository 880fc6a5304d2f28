#include "forms/runtime.h"

#include <algorithm>
#include <exception>

#include "forms/default_instance.h"
#include "forms/form.h"
#include "forms/system_calls/platform.h"

namespace forms {

Runtime::Runtime(Platform& platform) : platform_(platform) {}

Runtime::~Runtime() {
  for (DefaultInstance* instance : default_instances_) instance->release();
}

void Runtime::adopt(DefaultInstance& instance) {
  if (std::find(default_instances_.begin(), default_instances_.end(), &instance) ==
      default_instances_.end()) {
    default_instances_.push_back(&instance);
  }
}

void Runtime::start(DefaultInstance& startup) {
  raise([&] { startup->Show(); });
}

int Runtime::run(DefaultInstance& startup) {
  start(startup);
  if (!ended()) {
    in_event_loop_ = true;
    platform_.run_event_loop();
    in_event_loop_ = false;
  }
  return exit_status();
}

void Runtime::raise(const std::function<void()>& handler) {
  if (ended()) return;
  try {
    handler();
  } catch (const RuntimeError& error) {
    fail(error);
  } catch (const std::exception& error) {
    // Handlers run inside the toolkit's C frames, which no exception may cross: any other
    // failure is reported and ends the program as a run-time error does.
    fail(errors::internal(error.what()));
  } catch (...) {
    fail(errors::internal({}));
  }
}

void Runtime::fail(const RuntimeError& error) {
  platform_.report_error(error);
  end(1);
}

void Runtime::reporting_errors(const std::function<void()>& statement) {
  try {
    statement();
  } catch (const RuntimeError& error) {
    platform_.report_error(error);
  }
}

double Runtime::StartProgram(const std::string& command_line, int window_style) {
  platform_.pass(Step{Step::Kind::Call, "Runtime", "StartProgram", command_line}, {});
  return platform_.start_program(command_line, window_style);
}

void Runtime::window_loaded() {
  ++loaded_windows_;
}

void Runtime::window_unloaded() {
  if (--loaded_windows_ == 0) end(0);
}

void Runtime::end(int status) {
  if (ended()) return;
  exit_status_ = status;
  if (in_event_loop_) platform_.quit_event_loop();
}

}  // namespace forms
