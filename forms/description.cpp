#include "forms/description.h"

#include <stdexcept>

namespace forms {

std::size_t FormDescription::index_of(const std::string& control_name) const {
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].name == control_name) return i;
  }
  throw std::out_of_range(name + " has no control " + control_name);
}

}  // namespace forms
