#include "forms/default_instance.h"

#include <stdexcept>

#include "forms/form.h"

namespace forms {

DefaultInstance Form1;
DefaultInstance Form2;

void DefaultInstance::define(Runtime& runtime, Factory factory) {
  instance_.reset();
  runtime_ = &runtime;
  factory_ = std::move(factory);
}

Form& DefaultInstance::operator*() {
  if (!instance_) {
    if (!factory_) throw std::logic_error("window class used before it was defined");
    instance_ = factory_(*runtime_);
  }
  return *instance_;
}

void DefaultInstance::release() {
  instance_.reset();
  factory_ = nullptr;
  runtime_ = nullptr;
}

}  // namespace forms
