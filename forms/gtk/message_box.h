#pragma once
// The runtime's report of an error: a modal message box.

#include <string>

namespace forms::gtk {

void show_error_message(const std::string& text);

}  // namespace forms::gtk
