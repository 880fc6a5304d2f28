#pragma once
// What the forms layer needs of a toolkit: windows built from their descriptions, the effects
// of property changes, web views, starting programs, error reports, the event loop, and the
// window and graphics calls. Implemented over GTK for the desktop and by a recording
// implementation for headless tests.

#include <cstddef>
#include <string>

#include "forms/region.h"
#include "forms/run_time_error.h"
#include "forms/step.h"
#include "forms/system_calls.h"

namespace forms {

class Form;

class Platform : public User32, public Gdi32 {
 public:
  // Every step of the program's code on a window or control passes here before it takes
  // effect; a read yields the value returned. Raising RuntimeError makes the step fail.
  virtual Value pass(const Step& /*step*/, Value value) { return value; }

  // Builds the window and its controls, hidden, from the form's description and state.
  virtual void build_window(Form& form) = 0;
  virtual void show_window(Form& form) = 0;
  virtual void destroy_window(Form& form) = 0;
  // The form's width, or a control's visibility or geometry, changed.
  virtual void update_window_width(Form& form) = 0;
  virtual void update_control(Form& form, std::size_t control) = 0;
  virtual void navigate(Form& form, std::size_t control, const std::string& address) = 0;

  // Starts a program without waiting; returns its task id. Raises RuntimeError when it can't.
  virtual double start_program(const std::string& command_line, int window_style) = 0;
  // Tells the user of an error that no code handled.
  virtual void report_error(const RuntimeError& error) = 0;

  virtual void run_event_loop() = 0;
  virtual void quit_event_loop() = 0;
};

}  // namespace forms
