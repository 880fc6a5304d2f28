// One line per request, written and flushed at once, shared by every connection.
#pragma once

#include <cstdio>
#include <memory>
#include <mutex>
#include <string_view>

namespace site_server {

class RequestLog {
 public:
  // Writes to standard output.
  RequestLog();
  // Appends to the file; throws std::system_error when it cannot be opened.
  explicit RequestLog(const char* path);

  void write_line(std::string_view line);

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const {
      if (file != nullptr) std::fclose(file);
    }
  };
  std::unique_ptr<std::FILE, FileCloser> owned_;
  std::FILE* out_;
  std::mutex mutex_;
};

}  // namespace site_server
