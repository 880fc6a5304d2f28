#pragma once
// What a toolkit must provide to the forms layer, in one list: every operation below is called
// by the forms layer and implemented by the toolkit (GTK for the desktop, a recording
// implementation for headless tests). The toolkit-free rest, the handle tables and the window
// and graphics calls of the program's code, is forms::Platform (forms/system_calls/), which
// resolves each call to a form and hands it to these operations.
//
// All operations run on the event loop's thread. A Form& stays valid from build_window until
// destroy_window returns; a control is its index in the form's description.

#include <cstddef>
#include <string>

#include "forms/run_time_error.h"
#include "forms/step.h"
#include "forms/system_calls/region.h"

namespace forms {

class Form;

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // Every step of the program's code on a window or control passes here before it takes
  // effect; a read yields the value returned. Raising RuntimeError makes the step fail, and
  // the step then has no effect. By default every step passes unchanged.
  virtual Value pass(const Step& /*step*/, Value value) { return value; }

  // Builds the window and its controls, hidden, from the form's description and state
  // (Form::control_state). Called once per load, before any other operation on the form.
  virtual void build_window(Form& form) = 0;
  // Shows the built window, modeless and without owner, in front of the other windows.
  virtual void show_window(Form& form) = 0;
  // Destroys the window and its controls; the form may be built again later.
  virtual void destroy_window(Form& form) = 0;
  // The form's width (Form::width, twips) changed: the left edge, top edge and height stay.
  virtual void update_window_width(Form& form) = 0;
  // A control's visibility or geometry in its state changed.
  virtual void update_control(Form& form, std::size_t control) = 0;
  // The web view `control` loads `address`, taken as it stands.
  virtual void navigate(Form& form, std::size_t control, const std::string& address) = 0;

  // Starts a program from a command line without waiting for it, in the window style asked
  // for; returns its task id. Raises RuntimeError when no program can be started for it.
  virtual double start_program(const std::string& command_line, int window_style) = 0;
  // Tells the user of an error that no code handled; returns once the user has seen it.
  virtual void report_error(const RuntimeError& error) = 0;

  // Runs the events of every window until quit_event_loop is called.
  virtual void run_event_loop() = 0;
  // Makes run_event_loop return once the event being handled is done.
  virtual void quit_event_loop() = 0;

 protected:
  // The operations behind the window calls of the program's code (forms::User32), called by
  // forms::Platform once it has resolved the window handle to a form.

  // The window's outline becomes `shape` (window coordinates), which the toolkit now owns;
  // nullptr removes the outline. With `redraw`, the window is drawn again at once.
  virtual void apply_shape(Form& form, Region shape, bool redraw) = 0;
  // Puts the window above every window that is not topmost and keeps it there, or returns it
  // to the normal z-order.
  virtual void set_topmost(Form& form, bool topmost) = 0;
  // Ends any pointer grab that a press on a window started.
  virtual void release_pointer_capture() = 0;
  // The window manager's interactive move of the window, following the pointer from the
  // press under way until the button is released.
  virtual void begin_move(Form& form) = 0;
};

}  // namespace forms
