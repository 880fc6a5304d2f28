#include "forms/default_instance.h"

#include <stdexcept>

#include "forms/form.h"
#include "forms/runtime.h"

namespace forms {

DefaultInstance::DefaultInstance() = default;
DefaultInstance::~DefaultInstance() = default;

void DefaultInstance::define(Runtime& runtime, Factory factory) {
  instance_.reset();
  runtime_ = &runtime;
  factory_ = std::move(factory);
  runtime.adopt(*this);
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
