// A fixture that serves a temporary tree with the server as a child process on a port the
// system picks, logging to a file in the tree.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "process/temp_dir.h"
#include "server_process.h"

namespace site_server {

class ServedTree : public ::testing::Test {
 protected:
  // Serves tree_.path() / "root"; write the files first.
  void start_server() {
    server_ = std::make_unique<ServerProcess>(
        std::vector<std::string>{"--root", (tree_.path() / "root").string(), "--listen",
                                 "127.0.0.1:0", "--log", log_path().string()});
    const auto line = server_->read_line(std::chrono::milliseconds(5000));
    ASSERT_TRUE(line) << server_->stderr_text();
    const std::string prefix = "listening on 127.0.0.1:";
    ASSERT_EQ(line->substr(0, prefix.size()), prefix);
    port_ = static_cast<std::uint16_t>(std::stoi(line->substr(prefix.size())));
    ASSERT_NE(port_, 0);
  }

  std::filesystem::path log_path() const { return tree_.path() / "requests.log"; }

  std::vector<std::string> logged() const {
    std::ifstream in(log_path());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  test_process::TempDir tree_{"site-server"};
  std::unique_ptr<ServerProcess> server_;
  std::uint16_t port_ = 0;
};

}  // namespace site_server
