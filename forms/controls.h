#pragma once
// The controls as the program's code reaches them: each property read or write and each method
// call is one step on the platform, which may fail.

#include <cstddef>
#include <cstdint>
#include <string>

#include "forms/step.h"
#include "forms/system_calls/handles.h"
#include "forms/system_calls/system_calls.h"

namespace forms {

class Form;
struct ControlState;
class Picture;

class Control {
 public:
  Control(Form& form, std::size_t index) : form_(&form), index_(index) {}
  std::size_t index() const { return index_; }

 protected:
  Value pass(Step::Kind kind, const std::string& member, Value value = {});
  ControlState& state();
  void changed();
  Form& form() { return *form_; }

 private:
  Form* form_;
  std::size_t index_;
};

class PictureBox : public Control {
 public:
  using Control::Control;
  void set_AutoRedraw(bool value);
  void set_AutoSize(bool value);
  void set_BorderStyle(std::int32_t value);
  void set_ScaleMode(std::int32_t value);
  void set_Top(float twips);
  void set_Left(float twips);
  void set_Picture(const Picture& picture);
  HDC hDC();
  float ScaleWidth();
  float ScaleHeight();

  // The graphics calls that read this box's device context.
  Gdi32& gdi32();
};

class Image : public Control {
 public:
  using Control::Control;
  void set_Visible(bool value);
};

class CheckBox : public Control {
 public:
  using Control::Control;
  std::int32_t Value();
};

class WebBrowser : public Control {
 public:
  using Control::Control;
  void Navigate(const std::string& address);
  void set_Width(float twips);
};

}  // namespace forms
