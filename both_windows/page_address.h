#pragma once
// The address of a page of the site: "http://", the site's host, one backslash, then the page's
// path with backslashes. The web view takes the text as it stands.

#include <string>
#include <string_view>

namespace both_windows {

std::string page_address(std::string_view path);

}  // namespace both_windows
