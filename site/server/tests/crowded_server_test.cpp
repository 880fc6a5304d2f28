// Clients that hold on to the server: more idle kept-alive connections than it has places,
// clients that trickle their request heads a byte a second, slow readers of a big file.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "served_tree.h"

namespace site_server {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr std::size_t kCrowd = 40;  // more clients than the server has places
constexpr std::uint64_t kBigSize = 64 << 20;
constexpr int kPatternPeriod = 251;  // prime, so that a piece sent from a wrong offset shows

char pattern_byte(std::uint64_t offset) {
  return static_cast<char>('a' + offset % kPatternPeriod % 26);
}

// Reads until `reply` holds one whole reply (Content-Length framing), the peer closes, or
// `timeout` passes.
std::string read_reply(int fd, milliseconds timeout) {
  const auto deadline = Clock::now() + timeout;
  std::string reply;
  for (;;) {
    const auto replies = split_replies(reply);
    if (!replies.empty() &&
        replies[0].body.size() == std::stoul("0" + header_field(replies[0], "Content-Length"))) {
      return reply;
    }
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - Clock::now());
    pollfd waiting{fd, POLLIN, 0};
    if (left.count() <= 0 || ::poll(&waiting, 1, static_cast<int>(left.count())) <= 0) {
      return reply;
    }
    char chunk[4096];
    const ssize_t got = ::recv(fd, chunk, sizeof chunk, 0);
    if (got <= 0) return reply;
    reply.append(chunk, static_cast<std::size_t>(got));
  }
}

// Takes what has arrived without waiting; false once the peer has closed or reset.
bool drain(int fd, std::string& into) {
  for (;;) {
    char chunk[4096];
    const ssize_t got = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
    if (got > 0) {
      into.append(chunk, static_cast<std::size_t>(got));
      continue;
    }
    return got < 0 && (errno == EAGAIN || errno == EINTR);
  }
}

// The resident memory of a process, in KiB, from /proc.
long resident_kib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

class CrowdedServer : public ServedTree {
 protected:
  void SetUp() override {
    tree_.write("root/index.html", "racine");
    std::ofstream big(tree_.path() / "root/big.bin", std::ios::binary);
    std::string period(kPatternPeriod * 4096, '\0');
    for (std::size_t i = 0; i < period.size(); ++i) period[i] = pattern_byte(i);
    for (std::uint64_t written = 0; written < kBigSize; written += period.size()) {
      big.write(period.data(), static_cast<std::streamsize>(
                                   std::min<std::uint64_t>(period.size(), kBigSize - written)));
    }
    big.close();
    start_server();
  }
};

TEST_F(CrowdedServer, IdleKeptAliveConnectionsGiveWayToANewClient) {
  const std::string kept_alive = "GET /index.html HTTP/1.1\r\nHost: x\r\n\r\n";
  std::vector<UniqueFd> crowd;
  for (std::size_t i = 0; i < kCrowd; ++i) {
    crowd.push_back(connect_loopback(port_));
    ::send(crowd.back().get(), kept_alive.data(), kept_alive.size(), MSG_NOSIGNAL);
  }

  const auto asked = Clock::now();
  const auto replies = split_replies(exchange_raw(
      port_, "GET /index.html HTTP/1.1\r\nConnection: close\r\n\r\n", milliseconds(3000)));
  const auto took = Clock::now() - asked;
  ASSERT_EQ(replies.size(), 1u) << "no answer while the others sit idle";
  EXPECT_EQ(replies[0].body, "racine");
  EXPECT_LT(took, seconds(1));

  // Every client of the crowd had its answer too: those that waited beyond the server's
  // places came in as idle ones gave way.
  std::size_t answered = 0;
  for (const auto& fd : crowd) {
    const auto crowd_replies = split_replies(read_reply(fd.get(), milliseconds(1000)));
    if (crowd_replies.size() == 1 && crowd_replies[0].body == "racine") ++answered;
  }
  EXPECT_EQ(answered, kCrowd);
}

TEST_F(CrowdedServer, HeadsTrickledAByteASecondAreCutOff) {
  struct Trickler {
    UniqueFd fd;
    std::string sent;
    std::optional<Clock::duration> closed_after;
  };
  const std::string endless_head = "GET /index.html HTTP/1.1\r\nX-Slow: " + std::string(64, 'x');
  const auto began = Clock::now();
  std::vector<Trickler> crowd(kCrowd);
  for (auto& client : crowd) client.fd = connect_loopback(port_);

  UniqueFd newcomer;
  std::string newcomer_reply;
  std::optional<Clock::duration> answered_after;
  for (int tick = 0; Clock::now() - began < seconds(25); ++tick) {
    const auto now = Clock::now();
    if (tick == 10) {
      newcomer = connect_loopback(port_);
      const std::string request = "GET /index.html HTTP/1.1\r\nConnection: close\r\n\r\n";
      ::send(newcomer.get(), request.data(), request.size(), MSG_NOSIGNAL);
    }
    bool all_closed = true;
    for (auto& client : crowd) {
      if (client.closed_after) continue;
      std::string ignored;
      const bool byte_due = tick % 10 == 0 && client.sent.size() < endless_head.size();
      if (!drain(client.fd.get(), ignored) ||
          (byte_due &&
           ::send(client.fd.get(), &endless_head[client.sent.size()], 1, MSG_NOSIGNAL) != 1)) {
        client.closed_after = now - began;
        continue;
      }
      if (byte_due) client.sent.push_back(endless_head[client.sent.size()]);
      all_closed = false;
    }
    if (newcomer && !answered_after) {
      drain(newcomer.get(), newcomer_reply);
      const auto replies = split_replies(newcomer_reply);
      if (!replies.empty() && replies[0].body == "racine") answered_after = now - began;
    }
    if (all_closed && answered_after) break;
    std::this_thread::sleep_for(milliseconds(100));
  }

  // The first crowd, as many as the server has places, is cut off about 10 s after its first
  // byte; the newcomer gets in then at the latest; the rest of the crowd, let in then, is cut
  // off 10 s later.
  std::size_t closed_early = 0;
  std::size_t closed = 0;
  for (const auto& client : crowd) {
    if (client.closed_after && *client.closed_after < seconds(12)) ++closed_early;
    if (client.closed_after && *client.closed_after < seconds(23)) ++closed;
  }
  ASSERT_TRUE(answered_after) << "the newcomer was never answered";
  EXPECT_LT(*answered_after, seconds(12));
  EXPECT_GE(closed_early, 32u);
  EXPECT_EQ(closed, kCrowd);
}

TEST_F(CrowdedServer, SlowReadersOfABigFileKeepTheServerSmall) {
  constexpr std::size_t kReaders = 8;
  const std::string request = "GET /big.bin HTTP/1.1\r\nConnection: close\r\n\r\n";
  std::vector<UniqueFd> readers;
  std::vector<std::string> received(kReaders);
  for (std::size_t i = 0; i < kReaders; ++i) {
    readers.push_back(connect_loopback(port_));
    ::send(readers.back().get(), request.data(), request.size(), MSG_NOSIGNAL);
  }
  // Each reader takes a little, a tenth of a second at a time, and lets the rest wait.
  long largest_kib = 0;
  for (int tick = 0; tick < 20; ++tick) {
    for (std::size_t i = 0; i < kReaders; ++i) {
      char chunk[64 * 1024];
      pollfd waiting{readers[i].get(), POLLIN, 0};
      if (::poll(&waiting, 1, tick < 5 ? 2000 : 0) <= 0) continue;
      const ssize_t got = ::recv(readers[i].get(), chunk, sizeof chunk, 0);
      if (got > 0) received[i].append(chunk, static_cast<std::size_t>(got));
    }
    largest_kib = std::max(largest_kib, resident_kib(server_->pid()));
    std::this_thread::sleep_for(milliseconds(100));
  }
  for (std::size_t i = 0; i < kReaders; ++i) {
    ASSERT_FALSE(received[i].empty()) << "reader " << i << " got nothing";
  }
  EXPECT_GT(largest_kib, 0);
  EXPECT_LT(largest_kib, 32 * 1024) << "resident memory of the server, KiB";

  // One of them then reads to the end: the whole file, every piece from its place.
  std::string& whole = received[0];
  const std::size_t at = whole.find("\r\n\r\n");
  ASSERT_NE(at, std::string::npos);
  EXPECT_NE(whole.find("Content-Length: " + std::to_string(kBigSize) + "\r\n"), std::string::npos);
  whole.reserve(at + 4 + kBigSize);
  char chunk[256 * 1024];
  for (ssize_t got; (got = ::recv(readers[0].get(), chunk, sizeof chunk, 0)) > 0;) {
    whole.append(chunk, static_cast<std::size_t>(got));
  }
  ASSERT_EQ(whole.size() - at - 4, kBigSize);
  std::uint64_t wrong = 0;
  for (std::uint64_t offset = 0; offset < kBigSize; ++offset) {
    if (whole[at + 4 + offset] != pattern_byte(offset)) ++wrong;
  }
  EXPECT_EQ(wrong, 0u);
}

}  // namespace
}  // namespace site_server
