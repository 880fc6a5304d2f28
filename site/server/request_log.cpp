#include "request_log.h"

#include <cerrno>
#include <string>
#include <system_error>

namespace site_server {

RequestLog::RequestLog() : out_(stdout) {}

RequestLog::RequestLog(const char* path) : owned_(std::fopen(path, "a")), out_(owned_.get()) {
  if (out_ == nullptr) {
    throw std::system_error(errno, std::generic_category(), std::string("cannot open ") + path);
  }
}

void RequestLog::write_line(std::string_view line) {
  const std::lock_guard lock(mutex_);
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
}

}  // namespace site_server
