#pragma once
// The default instance of a window class: one global instance, created on first reference and
// kept for the rest of the run. Unloading the window destroys its widgets, not the instance.

#include <functional>
#include <memory>

namespace forms {

class Form;
class Runtime;

class DefaultInstance {
 public:
  using Factory = std::function<std::unique_ptr<Form>(Runtime&)>;

  // Names the class whose instance this is, for the runtime that will run it.
  void define(Runtime& runtime, Factory factory);
  template <class WindowClass>
  void define(Runtime& runtime) {
    define(runtime, [](Runtime& r) { return std::make_unique<WindowClass>(r); });
  }

  // A reference creates the instance if it does not exist yet.
  Form& operator*();
  Form* operator->() { return &**this; }
  bool exists() const { return instance_ != nullptr; }
  // Drops the instance and its definition; the runtime does this as it ends.
  void release();

 private:
  Runtime* runtime_ = nullptr;
  Factory factory_;
  std::unique_ptr<Form> instance_;
};

// The main window's default instance.
extern DefaultInstance Form1;
// The companion window's default instance.
extern DefaultInstance Form2;

}  // namespace forms
