#include "main_window/page_address.h"

namespace main_window {

std::string page_address(std::string_view path) {
  std::string address = "http://" LUMESCA_SITE_HOST "\\";
  address += path;
  return address;
}

}  // namespace main_window
