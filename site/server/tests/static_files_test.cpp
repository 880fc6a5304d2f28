// File lookup under the root: directories, missing files and links that leave the root.
#include <gtest/gtest.h>

#include "process/temp_dir.h"
#include "static_files.h"

namespace site_server {
namespace {

class FindFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree_.write("root/a.html", "a");
    tree_.write("root/sub/index.html", "index");
    std::filesystem::create_directories(tree_.path() / "root/empty");
    tree_.write("secret.txt", "secret");
    std::filesystem::create_symlink(tree_.path() / "secret.txt", tree_.path() / "root/out.txt");
    std::filesystem::create_symlink(tree_.path(), tree_.path() / "root/up");
    std::filesystem::create_symlink("a.html", tree_.path() / "root/alias.html");
    root_ = std::filesystem::canonical(tree_.path() / "root");
  }

  test_process::TempDir tree_{"site-server"};
  std::filesystem::path root_;
};

TEST_F(FindFileTest, ResolvesFilesAndRefusesEscapes) {
  struct Case {
    const char* path;
    const char* found;  // relative to the root, or null for a failure
    LookupFailure failure;
  };
  const Case cases[] = {
      {"/a.html", "a.html", {}},
      {"/sub", "sub/index.html", {}},
      {"/sub/", "sub/index.html", {}},
      {"/alias.html", "a.html", {}},
      {"/missing.html", nullptr, LookupFailure::kNotFound},
      {"/empty", nullptr, LookupFailure::kNotFound},
      {"/a.html/x", nullptr, LookupFailure::kNotFound},
      {"/out.txt", nullptr, LookupFailure::kOutside},
      {"/up/secret.txt", nullptr, LookupFailure::kOutside},
      {"/up/root/a.html", "a.html", {}},
  };
  for (const auto& c : cases) {
    const auto result = find_file(root_, c.path);
    if (c.found != nullptr) {
      const auto* file = std::get_if<std::filesystem::path>(&result);
      ASSERT_NE(file, nullptr) << c.path;
      EXPECT_EQ(*file, root_ / c.found) << c.path;
    } else {
      const auto* failure = std::get_if<LookupFailure>(&result);
      ASSERT_NE(failure, nullptr) << c.path;
      EXPECT_EQ(*failure, c.failure) << c.path;
    }
  }
}

TEST(FindFile, RootPrefixOfAnotherFolderIsNotInside) {
  test_process::TempDir tree("site-server");
  tree.write("site/a.html", "a");
  tree.write("site2/b.html", "b");
  std::filesystem::create_symlink(tree.path() / "site2/b.html", tree.path() / "site/b.html");
  const auto root = std::filesystem::canonical(tree.path() / "site");
  const auto result = find_file(root, "/b.html");
  ASSERT_TRUE(std::holds_alternative<LookupFailure>(result));
  EXPECT_EQ(std::get<LookupFailure>(result), LookupFailure::kOutside);
}

}  // namespace
}  // namespace site_server
