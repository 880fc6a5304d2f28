#include "both_windows/page_address.h"

namespace both_windows {

std::string page_address(std::string_view path) {
  std::string address = "http://" LUMESCA_SITE_HOST "\\";
  address += path;
  return address;
}

}  // namespace both_windows
