// Content type of a served file, chosen by its extension.
#pragma once

#include <string_view>

namespace site_server {

// "text/html; charset=utf-8" for .html, "image/png" for .png and so on;
// "application/octet-stream" for anything unknown. The extension is matched case-blind.
std::string_view content_type_for(std::string_view file_name);

}  // namespace site_server
