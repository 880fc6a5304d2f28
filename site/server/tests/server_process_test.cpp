// The server as a process: port 0, files and types, refusals, HEAD, keep-alive, the request
// log, more connections than threads, signals and refused listen addresses.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <fstream>
#include <memory>
#include <sstream>

#include "served_tree.h"

namespace site_server {
namespace {

using std::chrono::milliseconds;

constexpr const char kPage[] = "<!DOCTYPE html><p>Bienvenue à bord</p>\n";

std::string get(std::uint16_t port, const std::string& target, const std::string& method = "GET") {
  return exchange_raw(port,
                      method + " " + target + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
}

class RunningServer : public ServedTree {
 protected:
  void SetUp() override {
    tree_.write("root/lumesca3/page.html", kPage);
    tree_.write("root/lumesca3/style.css", "p { color: red }");
    tree_.write("root/lumesca3/image.png", std::string("\x89PNG\r\n\x1a\n\0\0", 10));
    tree_.write("root/lumesca3/a b.html", "espace");
    tree_.write("root/index.html", "racine");
    tree_.write("secret.txt", "TOP-SECRET");
    start_server();
  }
};

TEST_F(RunningServer, ServesFilesWithTheirTypes) {
  struct Case {
    const char* target;
    int status;
    const char* type;
    std::string body;
  };
  const Case cases[] = {
      {"/lumesca3/page.html", 200, "text/html; charset=utf-8", kPage},
      {"/lumesca3/page.html?x=1#top", 200, "text/html; charset=utf-8", kPage},
      {"/lumesca3/%70age.html", 200, "text/html; charset=utf-8", kPage},
      {"/lumesca3/style.css", 200, "text/css; charset=utf-8", "p { color: red }"},
      {"/lumesca3/image.png", 200, "image/png", std::string("\x89PNG\r\n\x1a\n\0\0", 10)},
      {"/lumesca3/a%20b.html", 200, "text/html; charset=utf-8", "espace"},
      {"/", 200, "text/html; charset=utf-8", "racine"},
      {"/lumesca3/missing.html", 404, "text/html; charset=utf-8", ""},
      {"/lumesca3", 404, "text/html; charset=utf-8", ""},
      {"/lumesca3%5Cpage.html", 404, "text/html; charset=utf-8", ""},
  };
  for (const auto& c : cases) {
    const auto replies = split_replies(get(port_, c.target));
    ASSERT_EQ(replies.size(), 1u) << c.target;
    EXPECT_EQ(replies[0].status, c.status) << c.target;
    EXPECT_EQ(header_field(replies[0], "Content-Type"), c.type) << c.target;
    EXPECT_EQ(header_field(replies[0], "Cache-Control"), "no-store") << c.target;
    if (c.status == 200) {
      EXPECT_EQ(replies[0].body, c.body) << c.target;
    }
  }
}

TEST_F(RunningServer, RefusesPathsThatLeaveTheRoot) {
  const std::pair<const char*, int> cases[] = {
      {"/../secret.txt", 403},
      {"/lumesca3/../../secret.txt", 403},
      {"/%2e%2e/secret.txt", 403},
      {"/lumesca3/%2E%2E/%2e%2e/secret.txt", 403},
      {"/..%2fsecret.txt", 403},
      {"/%2e%2e%2fsecret.txt", 403},
      {"/lumesca3/%00page.html", 403},
      {"/bad%zz", 400},
      {"secret.txt", 400},
  };
  for (const auto& [target, status] : cases) {
    const auto raw = get(port_, target);
    const auto replies = split_replies(raw);
    ASSERT_EQ(replies.size(), 1u) << target;
    EXPECT_EQ(replies[0].status, status) << target;
    EXPECT_EQ(raw.find("TOP-SECRET"), std::string::npos) << target;
  }
}

// A target that names an absolute path gets one answer, decided before any file is looked
// at: whether the file exists outside the root must not show.
TEST_F(RunningServer, AbsoluteTargetsGetOneAnswerWhetherTheirFileExistsOrNot) {
  const std::string secret = (tree_.path() / "secret.txt").string();
  const std::string targets[] = {
      "//etc/passwd",   "//no/such/file",   "/" + secret, "/" + secret + ".no",
      "/%2Fetc/passwd", "/%2Fno/such/file", "//",         "http://x//etc/passwd",
  };
  const std::string first = get(port_, targets[0]);
  const auto replies = split_replies(first);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].status, 403);
  for (const auto& target : targets) {
    const std::string raw = get(port_, target);
    EXPECT_EQ(raw, first) << target;
    EXPECT_EQ(raw.find("TOP-SECRET"), std::string::npos) << target;
  }
}

TEST_F(RunningServer, HeadSendsTheLengthButNoBody) {
  const auto raw = get(port_, "/lumesca3/page.html", "HEAD");
  const auto replies = split_replies(raw, false);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].status, 200);
  EXPECT_EQ(header_field(replies[0], "Content-Length"), std::to_string(sizeof kPage - 1));
  EXPECT_EQ(raw.size(), replies[0].head.size() + 4) << "no body after the head";
}

TEST_F(RunningServer, OtherMethodsAndMalformedRequestsAreRefused) {
  const std::pair<std::string, int> cases[] = {
      {"POST /lumesca3/page.html HTTP/1.1\r\nContent-Length: 0\r\nConnection: close\r\n\r\n", 405},
      {"DELETE /lumesca3/page.html HTTP/1.1\r\nConnection: close\r\n\r\n", 405},
      {"GET /lumesca3/page.html HTTP/9.9\r\n\r\n", 400},
      {"nonsense\r\n\r\n", 400},
      {"GET / HTTP/1.1\r\n" + std::string(20000, 'x'), 431},
  };
  for (const auto& [raw, status] : cases) {
    const auto replies = split_replies(exchange_raw(port_, raw));
    ASSERT_EQ(replies.size(), 1u) << raw.substr(0, 40);
    EXPECT_EQ(replies[0].status, status) << raw.substr(0, 40);
    if (status == 405) {
      EXPECT_EQ(header_field(replies[0], "Allow"), "GET, HEAD");
    }
  }
}

TEST_F(RunningServer, KeepsTheConnectionForSeveralRequests) {
  const auto raw = exchange_raw(port_,
                                "GET /lumesca3/page.html HTTP/1.1\r\nHost: x\r\n\r\n"
                                "GET /lumesca3/style.css HTTP/1.1\r\nHost: x\r\n\r\n"
                                "GET /index.html HTTP/1.1\r\nConnection: close\r\n\r\n");
  const auto replies = split_replies(raw);
  ASSERT_EQ(replies.size(), 3u);
  EXPECT_EQ(header_field(replies[0], "Connection"), "keep-alive");
  EXPECT_EQ(replies[0].body, kPage);
  EXPECT_EQ(replies[1].body, "p { color: red }");
  EXPECT_EQ(header_field(replies[2], "Connection"), "close");
  EXPECT_EQ(replies[2].body, "racine");
}

TEST_F(RunningServer, LogsEachDecodedPathInOrder) {
  get(port_, "/lumesca3/page.html");
  get(port_, "/lumesca3/a%20b.html?q=1");
  get(port_, "/nowhere.html");
  get(port_, "/%2e%2e/secret.txt");
  get(port_, "/line%0Abreak");
  get(port_, "/lumesca3/style.css", "HEAD");
  const std::vector<std::string> expected{
      "/lumesca3/page.html", "/lumesca3/a b.html", "/nowhere.html",
      "/../secret.txt",      "/line%0Abreak",      "/lumesca3/style.css",
  };
  EXPECT_EQ(logged(), expected);
  EXPECT_EQ(server_->read_line(milliseconds(200)), std::nullopt) << "nothing else on stdout";
}

TEST_F(RunningServer, ServesMoreConnectionsThanItHasThreads) {
  constexpr int kConnections = 48;
  std::vector<UniqueFd> sockets;
  for (int i = 0; i < kConnections; ++i) sockets.push_back(connect_loopback(port_));
  const std::string request = "GET /index.html HTTP/1.1\r\nConnection: close\r\n\r\n";
  for (const auto& fd : sockets) ::send(fd.get(), request.data(), request.size(), MSG_NOSIGNAL);
  int answered = 0;
  for (const auto& fd : sockets) {
    std::string reply;
    char chunk[1024];
    for (ssize_t got; (got = ::recv(fd.get(), chunk, sizeof chunk, 0)) > 0;) {
      reply.append(chunk, static_cast<std::size_t>(got));
    }
    const auto replies = split_replies(reply);
    if (replies.size() == 1 && replies[0].body == "racine") ++answered;
  }
  EXPECT_EQ(answered, kConnections);
}

TEST_F(RunningServer, StopsOnSigterm) {
  const auto status = server_->stop(SIGTERM, milliseconds(3000));
  ASSERT_TRUE(status);
  EXPECT_TRUE(WIFEXITED(*status));
  EXPECT_EQ(WEXITSTATUS(*status), 0);
  EXPECT_EQ(server_->stderr_text(), "");
}

TEST_F(RunningServer, StopsOnSigintWithAConnectionOpen) {
  // An idle keep-alive connection must not hold the server up.
  const UniqueFd connection = connect_loopback(port_);
  const auto status = server_->stop(SIGINT, milliseconds(3000));
  ASSERT_TRUE(status);
  EXPECT_TRUE(WIFEXITED(*status));
  EXPECT_EQ(WEXITSTATUS(*status), 0);
}

TEST_F(RunningServer, SecondServerOnTheSamePortFails) {
  ServerProcess second(
      {"--root", tree_.path().string(), "--listen", "127.0.0.1:" + std::to_string(port_)});
  const auto status = second.wait_exit(milliseconds(3000));
  ASSERT_TRUE(status);
  EXPECT_EQ(WEXITSTATUS(*status), 1);
  EXPECT_NE(second.stderr_text().find("Address already in use"), std::string::npos)
      << second.stderr_text();
}

TEST(ServerArguments, RefusesWhatItCannotServe) {
  test_process::TempDir tree("site-server");
  const std::string root = tree.path().string();
  struct Case {
    std::vector<std::string> arguments;
    const char* message;
  };
  const Case cases[] = {
      {{"--root", root, "--listen", "0.0.0.0:0"}, "not a loopback address"},
      {{"--root", root, "--listen", "192.168.0.1:8741"}, "not a loopback address"},
      {{"--root", root, "--listen", "[::]:0"}, "not a loopback address"},
      {{"--root", root, "--listen", "127.0.0.1"}, "expected HOST:PORT"},
      {{"--root", root + "/missing", "--listen", "127.0.0.1:0"}, "is not a directory"},
      {{"--root", root}, "usage:"},
      {{"--listen", "127.0.0.1:0"}, "usage:"},
      {{"--root", root, "--listen", "127.0.0.1:0", "--verbose", "1"}, "usage:"},
  };
  for (const auto& c : cases) {
    ServerProcess server(c.arguments);
    const auto status = server.wait_exit(milliseconds(3000));
    ASSERT_TRUE(status) << c.message;
    EXPECT_EQ(WEXITSTATUS(*status), 2) << c.message;
    EXPECT_NE(server.stderr_text().find(c.message), std::string::npos) << server.stderr_text();
    EXPECT_EQ(server.read_line(milliseconds(50)), std::nullopt) << c.message;
  }
}

}  // namespace
}  // namespace site_server
