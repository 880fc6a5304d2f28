// A fresh folder under the system's temporary folder, removed with its contents at the end.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace test_process {

class TempDir {
 public:
  explicit TempDir(const std::string& prefix);
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& path() const { return path_; }

  // Writes `content` to the relative path `name`, creating its folders; the file's path.
  std::filesystem::path write(const std::string& name, std::string_view content) const;

 private:
  std::filesystem::path path_;
};

// The whole content of a file, or "" when it cannot be read.
std::string read_file(const std::filesystem::path& path);

}  // namespace test_process
