// A private X display: Xvfb (1024 x 768 x 24, no TCP) and openbox on it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "desktop/child_process.h"
#include "desktop/temp_dir.h"

namespace desktop {

class Display {
 public:
  static constexpr int kWidth = 1024;
  static constexpr int kHeight = 768;

  // Starts Xvfb on a free display number and openbox with the harness's own configuration,
  // and returns once the window manager has announced itself on the root window. Throws
  // std::runtime_error (with the servers' error output) when either fails to come up.
  Display();
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;
  // Stops openbox and Xvfb, and every process they started.
  ~Display();

  // ":N", for DISPLAY.
  const std::string& name() const { return name_; }

  // Whether openbox is still running.
  bool window_manager_running() { return window_manager_ && window_manager_->running(); }

  // Error output of both servers so far, for failure messages.
  std::string server_errors() const;

 private:
  void start_x_server();
  void start_window_manager();

  TempDir dir_;
  std::string name_;
  std::unique_ptr<ChildProcess> x_server_;
  std::unique_ptr<ChildProcess> window_manager_;
};

}  // namespace desktop
