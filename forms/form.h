#pragma once
// A window of the program: built from its description at every load, with its controls'
// run-time state, the steps its code takes on it, and the events it raises.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "forms/control_state.h"
#include "forms/controls.h"
#include "forms/description.h"
#include "forms/system_calls/handles.h"

namespace forms {

class Platform;
class Runtime;
class User32;

class Form {
 public:
  Form(Runtime& runtime, FormDescription description);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const FormDescription& description() const { return description_; }
  const std::string& name() const { return description_.name; }
  bool loaded() const { return loaded_; }

  // Loads the window if needed (raising Form_Load), then shows it, modeless and without owner.
  void Show();
  // Destroys the window and its controls; the form object stays and can be loaded again.
  void Unload();
  HWnd hWnd();
  // Outer width in twips; the left edge, top edge and height stay.
  void set_Width(float twips);

  PictureBox picture_box(const std::string& control);
  Image image(const std::string& control);
  CheckBox check_box(const std::string& control);
  WebBrowser web_browser(const std::string& control);

  // For the platform: the state it draws, and the events it raises.
  float width() const { return width_; }
  HWnd window_handle() const { return window_; }
  ControlState& control_state(std::size_t control) { return controls_.at(control); }
  const ControlState& control_state(std::size_t control) const { return controls_.at(control); }
  // A press on the window's own surface; button 1 left, 2 right, 4 middle; x, y in twips.
  void raise_mouse_down(int button, int shift, float x, float y);
  void raise_click(std::size_t control);
  // The desktop asks the window to close: it is unloaded.
  void raise_close();

  // For the controls: every step on this window or its controls goes through here, loading
  // the window first where it is not loaded.
  Value pass(Step::Kind kind, const std::string& object, const std::string& member,
             Value value = {});
  Platform& platform();
  // The window calls, as the window's code and the shaping module make them.
  User32& user32();

 protected:
  virtual void Form_Load() {}
  virtual void Form_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  // Binds a control's Click to its handler.
  void on_click(const std::string& control, std::function<void()> handler);

  Runtime& runtime() { return runtime_; }

 private:
  void load();
  // What Unload does once its step has passed, and what destroying a loaded form does: the
  // window, its device contexts and its handle go, and the runtime counts one window less.
  void tear_down();

  Runtime& runtime_;
  FormDescription description_;
  bool loaded_ = false;
  float width_ = 0;
  HWnd window_;
  std::vector<ControlState> controls_;
  std::map<std::size_t, std::function<void()>> click_handlers_;
};

}  // namespace forms
