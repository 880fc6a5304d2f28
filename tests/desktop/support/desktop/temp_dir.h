// A fresh folder under the system's temporary folder, removed with its contents at the end.
#pragma once

#include <filesystem>
#include <string>

namespace desktop {

class TempDir {
 public:
  explicit TempDir(const std::string& prefix);
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The whole content of a file, or "" when it cannot be read.
std::string read_file(const std::filesystem::path& path);

}  // namespace desktop
