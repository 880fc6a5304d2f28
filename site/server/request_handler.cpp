#include "request_handler.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "content_type.h"
#include "static_files.h"
#include "url_path.h"

namespace site_server {
namespace {

// The file is opened here and measured once open, so that the length sent is the length of
// what is sent. O_NONBLOCK keeps a FIFO put in the file's place from blocking the open; it
// changes nothing for a regular file.
Response file_response(const std::filesystem::path& file) {
  UniqueFd opened(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat status {};
  if (!opened || ::fstat(opened.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return error_response(404);
  }
  Response response;
  response.content_type = std::string(content_type_for(file.filename().string()));
  response.file = std::move(opened);
  response.file_size = static_cast<std::uint64_t>(status.st_size);
  return response;
}

Response lookup(const std::filesystem::path& root, const std::string& path) {
  if (!is_contained_path(path)) return error_response(403);
  const auto found = find_file(root, path);
  if (const auto* failure = std::get_if<LookupFailure>(&found)) {
    return error_response(*failure == LookupFailure::kOutside ? 403 : 404);
  }
  return file_response(std::get<std::filesystem::path>(found));
}

}  // namespace

Handled handle_request(const std::filesystem::path& root, const Request& request) {
  Handled handled;
  const auto decoded = decoded_target_path(request.target);
  handled.logged_path = printable_path(decoded ? *decoded : request.target);

  if (request.method != "GET" && request.method != "HEAD") {
    handled.response = error_response(405);
  } else if (!decoded) {
    handled.response = error_response(400);
  } else {
    handled.response = lookup(root, *decoded);
  }
  handled.response.head_only = request.method == "HEAD";
  return handled;
}

}  // namespace site_server
