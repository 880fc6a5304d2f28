// Request parsing, path decoding and containment, listen addresses and content types.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "content_type.h"
#include "http_request.h"
#include "listen_address.h"
#include "url_path.h"

namespace site_server {
namespace {

struct DecodeCase {
  const char* target;
  std::optional<std::string> path;
};

TEST(DecodedTargetPath, DecodesAndDropsQuery) {
  const DecodeCase cases[] = {
      {"/lumesca3/liens.html", "/lumesca3/liens.html"},
      {"/lumesca3/soumettre.html?nom=Radio+X&url=http%3A%2F%2F", "/lumesca3/soumettre.html"},
      {"/page.html#haut", "/page.html"},
      {"/a%20b.html", "/a b.html"},
      {"/caf%C3%A9", "/caf\xC3\xA9"},
      {"/lumesca3%5Cliens.html", "/lumesca3\\liens.html"},
      {"/a+b", "/a+b"},
      {"/%2e%2E/x", "/../x"},
      {"http://127.0.0.1:8741/lumesca3/TV/index-lumesca4.html", "/lumesca3/TV/index-lumesca4.html"},
      {"http://127.0.0.1:8741", "/"},
      {"/bad%", std::nullopt},
      {"/bad%4", std::nullopt},
      {"/bad%zz", std::nullopt},
      {"relative.html", std::nullopt},
      {"*", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decoded_target_path(c.target), c.path) << c.target;
  }
}

TEST(IsContainedPath, RefusesParentSegmentsAndNul) {
  const std::pair<std::string, bool> cases[] = {
      {"/", true},
      {"/lumesca3/TV/index-lumesca4.html", true},
      {"/..hidden/..x", true},
      {"/a/./b", true},
      {"/..", false},
      {"/../etc/passwd", false},
      {"/lumesca3/../../etc/passwd", false},
      {"/lumesca3/..", false},
      {"//..//x", false},
      {"//etc/passwd", false},
      {"//", false},
      {"/a//b", true},
      {std::string("/a\0b", 4), false},
      {"", false},
      {"etc/passwd", false},
  };
  for (const auto& [path, contained] : cases) {
    EXPECT_EQ(is_contained_path(path), contained) << path;
  }
}

TEST(PrintablePath, EscapesControlCharacters) {
  EXPECT_EQ(printable_path("/a\nb\r\x7f"), "/a%0Ab%0D%7F");
  EXPECT_EQ(printable_path("/caf\xC3\xA9 x"), "/caf\xC3\xA9 x");
}

TEST(ParseRequestHead, ReadsLineAndConnectionFields) {
  struct Case {
    const char* head;
    bool valid;
    const char* method;
    const char* target;
    bool keep_alive;
  };
  const Case cases[] = {
      {"GET /a HTTP/1.1\r\nHost: x\r\n\r\n", true, "GET", "/a", true},
      {"HEAD /a HTTP/1.1\r\nConnection: close\r\n\r\n", true, "HEAD", "/a", false},
      {"GET /a HTTP/1.1\r\nconnection: Upgrade, Close\r\n\r\n", true, "GET", "/a", false},
      {"GET /a HTTP/1.0\r\n\r\n", true, "GET", "/a", false},
      {"GET /a HTTP/1.0\r\nConnection: keep-alive\r\n\r\n", true, "GET", "/a", true},
      {"GET /a HTTP/1.1\n\n", true, "GET", "/a", true},
      {"GET /a HTTP/2.0\r\n\r\n", false, "", "", false},
      {"GET /a\r\n\r\n", false, "", "", false},
      {"GET  HTTP/1.1\r\n\r\n", false, "", "", false},
      {"GET /a b HTTP/1.1\r\n\r\n", false, "", "", false},
      {"GET /a HTTP/1.1\r\nno colon here\r\n\r\n", false, "", "", false},
  };
  for (const auto& c : cases) {
    const auto request = parse_request_head(c.head);
    ASSERT_EQ(request.has_value(), c.valid) << c.head;
    if (!request) continue;
    EXPECT_EQ(request->method, c.method) << c.head;
    EXPECT_EQ(request->target, c.target) << c.head;
    EXPECT_EQ(request->keep_alive, c.keep_alive) << c.head;
  }
}

TEST(ParseRequestHead, ReadsBodyFraming) {
  const auto sized = parse_request_head("POST /a HTTP/1.1\r\nContent-Length: 12\r\n\r\n");
  ASSERT_TRUE(sized);
  EXPECT_EQ(sized->content_length, 12u);
  const auto chunked = parse_request_head("POST /a HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n");
  ASSERT_TRUE(chunked);
  EXPECT_TRUE(chunked->chunked);
  EXPECT_FALSE(parse_request_head("POST /a HTTP/1.1\r\nContent-Length: 1x\r\n\r\n"));
}

TEST(ParseListenAddress, AcceptsOnlyLoopback) {
  struct Case {
    const char* text;
    bool accepted;
    const char* host;
    std::uint16_t port;
  };
  const Case cases[] = {
      {"127.0.0.1:8741", true, "127.0.0.1", 8741},
      {"127.0.0.1:0", true, "127.0.0.1", 0},
      {"127.1.2.3:65535", true, "127.1.2.3", 65535},
      {"localhost:80", true, "127.0.0.1", 80},
      {"[::1]:8741", true, "[::1]", 8741},
      {"0.0.0.0:8741", false, "", 0},
      {"192.168.1.10:8741", false, "", 0},
      {"10.0.0.1:8741", false, "", 0},
      {"[::]:8741", false, "", 0},
      {"example.org:80", false, "", 0},
      {"127.0.0.1", false, "", 0},
      {"127.0.0.1:", false, "", 0},
      {"127.0.0.1:65536", false, "", 0},
      {"127.0.0.1:80x", false, "", 0},
      {"[::1]8741", false, "", 0},
  };
  for (const auto& c : cases) {
    const auto parsed = parse_listen_address(c.text);
    const auto* address = std::get_if<ListenAddress>(&parsed);
    ASSERT_EQ(address != nullptr, c.accepted) << c.text;
    if (!address) continue;
    EXPECT_EQ(address->host, c.host) << c.text;
    EXPECT_EQ(address->port, c.port) << c.text;
  }
}

TEST(ContentTypeFor, ChoosesByExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"index-lumesca4.html", "text/html; charset=utf-8"},
      {"/lumesca3/PAGE.HTM", "text/html; charset=utf-8"},
      {"style.css", "text/css; charset=utf-8"},
      {"logo.png", "image/png"},
      {"anim.gif", "image/gif"},
      {"favicon.ico", "image/vnd.microsoft.icon"},
      {"photo.jpeg", "image/jpeg"},
      {"archive.tar.gz", "application/octet-stream"},
      {"README", "application/octet-stream"},
      {"dir.html/file", "application/octet-stream"},
  };
  for (const auto& [name, type] : cases) {
    EXPECT_EQ(content_type_for(name), type) << name;
  }
}

}  // namespace
}  // namespace site_server
