#pragma once
// The default instance of a window class: one global instance, created on first reference and
// kept for the rest of the run. Unloading the window destroys its widgets, not the instance.
// The program defines one for each of its window classes; the runtime that runs them releases
// them as it ends.

#include <functional>
#include <memory>

namespace forms {

class Form;
class Runtime;

class DefaultInstance {
 public:
  using Factory = std::function<std::unique_ptr<Form>(Runtime&)>;

  DefaultInstance();
  ~DefaultInstance();
  DefaultInstance(const DefaultInstance&) = delete;
  DefaultInstance& operator=(const DefaultInstance&) = delete;

  // Names the class whose instance this is, for the runtime that will run it; the runtime
  // releases the instance as it ends.
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

}  // namespace forms
