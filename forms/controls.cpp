#include "forms/controls.h"

#include "forms/form.h"
#include "forms/system_calls/platform.h"

namespace forms {

Value Control::pass(Step::Kind kind, const std::string& member, Value value) {
  return form_->pass(kind, form_->name() + "." + form_->description().controls[index_].name, member,
                     std::move(value));
}

ControlState& Control::state() {
  return form_->control_state(index_);
}

void Control::changed() {
  form_->platform().update_control(*form_, index_);
}

void PictureBox::set_AutoRedraw(bool value) {
  pass(Step::Kind::Put, "AutoRedraw", value);
  state().auto_redraw = value;
}

void PictureBox::set_AutoSize(bool value) {
  pass(Step::Kind::Put, "AutoSize", value);
  state().auto_size = value;
  if (value) state().fit_to_picture();
  changed();
}

void PictureBox::set_BorderStyle(std::int32_t value) {
  pass(Step::Kind::Put, "BorderStyle", value);
  state().border_style = value;
  if (state().auto_size) state().fit_to_picture();
  changed();
}

void PictureBox::set_ScaleMode(std::int32_t value) {
  pass(Step::Kind::Put, "ScaleMode", value);
  state().scale_mode = value;
}

void PictureBox::set_Top(float twips) {
  pass(Step::Kind::Put, "Top", twips);
  state().rect.top = twips;
  changed();
}

void PictureBox::set_Left(float twips) {
  pass(Step::Kind::Put, "Left", twips);
  state().rect.left = twips;
  changed();
}

void PictureBox::set_Picture(const Picture& picture) {
  pass(Step::Kind::Put, "Picture");
  ControlState& box = state();
  box.picture = picture;
  Platform& platform = form().platform();
  if (box.device_context) platform.forget_device_context(box.device_context);
  box.device_context = platform.register_device_context(*box.picture);
  if (box.auto_size) box.fit_to_picture();
  changed();
}

HDC PictureBox::hDC() {
  pass(Step::Kind::Get, "hDC");
  return state().device_context;
}

float PictureBox::ScaleWidth() {
  const Value value = pass(Step::Kind::Get, "ScaleWidth", state().scale_width());
  return std::get<float>(value);
}

float PictureBox::ScaleHeight() {
  const Value value = pass(Step::Kind::Get, "ScaleHeight", state().scale_height());
  return std::get<float>(value);
}

Gdi32& PictureBox::gdi32() {
  return form().platform();
}

void Image::set_Visible(bool value) {
  pass(Step::Kind::Put, "Visible", value);
  state().visible = value;
  changed();
}

std::int32_t CheckBox::Value() {
  const forms::Value value = pass(Step::Kind::Get, "Value", state().value);
  return std::get<std::int32_t>(value);
}

void WebBrowser::Navigate(const std::string& address) {
  pass(Step::Kind::Call, "Navigate", address);
  form().platform().navigate(form(), index(), address);
}

void WebBrowser::set_Width(float twips) {
  pass(Step::Kind::Put, "Width", twips);
  state().rect.width = twips;
  changed();
}

}  // namespace forms
