// UDP datagrams over POSIX sockets.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/datagram.h"
#include "platform/ipv4_address.h"

namespace bw::platform {

namespace {

[[noreturn]] void Fail(const char* what) {
  throw DatagramError(std::string(what) + ": " + std::strerror(errno));
}

class PosixDatagramSocket final : public DatagramSocket {
public:
  explicit PosixDatagramSocket(bool broadcast) : socket_(::socket(AF_INET, SOCK_DGRAM, 0)) {
    if (socket_ < 0) Fail("socket");
    const int on = 1;
    if (broadcast && setsockopt(socket_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0) {
      ::close(socket_);
      Fail("broadcast");
    }
  }
  ~PosixDatagramSocket() override { ::close(socket_); }
  PosixDatagramSocket(const PosixDatagramSocket&) = delete;
  PosixDatagramSocket& operator=(const PosixDatagramSocket&) = delete;

  void Send(std::span<const std::uint8_t> bytes, const DatagramAddress& to) override {
    const auto address = Ipv4Address(to);
    if (::sendto(socket_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&address),
                 sizeof address) < 0)
      Fail("sendto");
  }

  std::optional<ReceivedDatagram> Receive(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait) override {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd ready{socket_, POLLIN, 0};
      const int n = ::poll(&ready, 1, static_cast<int>(std::max<std::int64_t>(0, left.count())));
      if (n == 0) return std::nullopt;
      if (n < 0) {
        if (errno == EINTR) continue;
        Fail("poll");
      }
      sockaddr_in from{};
      socklen_t fromSize = sizeof from;
      const auto got = ::recvfrom(socket_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
      if (got >= 0) return ReceivedDatagram{static_cast<std::size_t>(got), ntohs(from.sin_port)};
      // A "port unreachable" answer from a host without a server is no failure of the socket.
      if (errno != ECONNREFUSED && errno != EINTR) Fail("recv");
    }
  }

private:
  int socket_;
};

}  // namespace

std::unique_ptr<DatagramSocket> OpenDatagramSocket(bool broadcast) {
  return std::make_unique<PosixDatagramSocket>(broadcast);
}

}  // namespace bw::platform
