#pragma once
// Starting a program without waiting for it.

#include <string>

namespace forms::gtk {

// Starts the program that stands for `command_line` and returns its process id; raises
// RuntimeError 53 when no program can be found or started. The started program is reaped by
// GLib and never waited for. The window style cannot be imposed on another program's window
// here, so it is not used.
double start_program(const std::string& command_line, int window_style);

}  // namespace forms::gtk
