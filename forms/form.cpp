#include "forms/form.h"

#include "forms/numbers.h"
#include "forms/runtime.h"
#include "forms/system_calls/platform.h"

namespace forms {

Form::Form(Runtime& runtime, FormDescription description)
    : runtime_(runtime), description_(std::move(description)) {}

Form::~Form() {
  if (loaded_) tear_down();
}

Platform& Form::platform() {
  return runtime_.platform();
}

User32& Form::user32() {
  return platform();
}

Value Form::pass(Step::Kind kind, const std::string& object, const std::string& member,
                 Value value) {
  if (!loaded_) load();
  return runtime_.platform().pass(Step{kind, object, member, value}, value);
}

void Form::load() {
  loaded_ = true;
  width_ = description_.client_width;
  controls_.clear();
  controls_.reserve(description_.controls.size());
  for (const ControlDescription& control : description_.controls) {
    controls_.emplace_back(control);
  }
  Platform& platform = runtime_.platform();
  window_ = platform.register_window(*this);
  for (ControlState& control : controls_) {
    if (control.picture)
      control.device_context = platform.register_device_context(*control.picture);
  }
  platform.build_window(*this);
  runtime_.window_loaded();
  Form_Load();
}

void Form::Show() {
  pass(Step::Kind::Call, name(), "Show");
  runtime_.platform().show_window(*this);
}

void Form::Unload() {
  if (!loaded_) return;
  runtime_.platform().pass(Step{Step::Kind::Call, name(), "Unload", {}}, {});
  tear_down();
}

void Form::tear_down() {
  Platform& platform = runtime_.platform();
  platform.destroy_window(*this);
  for (ControlState& control : controls_) {
    if (control.device_context) platform.forget_device_context(control.device_context);
  }
  platform.forget_window(window_);
  controls_.clear();
  loaded_ = false;
  runtime_.window_unloaded();
}

HWnd Form::hWnd() {
  pass(Step::Kind::Get, name(), "hWnd");
  return window_;
}

void Form::set_Width(float twips) {
  pass(Step::Kind::Put, name(), "Width", twips);
  width_ = twips;
  runtime_.platform().update_window_width(*this);
}

PictureBox Form::picture_box(const std::string& control) {
  return {*this, description_.index_of(control)};
}
Image Form::image(const std::string& control) {
  return {*this, description_.index_of(control)};
}
CheckBox Form::check_box(const std::string& control) {
  return {*this, description_.index_of(control)};
}
WebBrowser Form::web_browser(const std::string& control) {
  return {*this, description_.index_of(control)};
}

void Form::on_click(const std::string& control, std::function<void()> handler) {
  click_handlers_[description_.index_of(control)] = std::move(handler);
}

void Form::raise_mouse_down(int button, int shift, float x, float y) {
  runtime_.raise([&] { Form_MouseDown(button, shift, x, y); });
}

void Form::raise_close() {
  runtime_.raise([this] { Unload(); });
}

void Form::raise_click(std::size_t control) {
  const auto handler = click_handlers_.find(control);
  if (handler == click_handlers_.end()) return;
  runtime_.raise(handler->second);
}

}  // namespace forms
