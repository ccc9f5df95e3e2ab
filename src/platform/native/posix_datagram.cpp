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

namespace bw::platform {

namespace {

[[noreturn]] void Fail(const char* what) {
  throw DatagramError(std::string(what) + ": " + std::strerror(errno));
}

sockaddr_in Resolve(const DatagramAddress& to) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(to.port);
  if (inet_pton(AF_INET, to.host.c_str(), &address.sin_addr) == 1) return address;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(to.host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr)
    throw DatagramError("unknown host " + to.host);
  address.sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
  freeaddrinfo(found);
  return address;
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
    const auto address = Resolve(to);
    if (::sendto(socket_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&address),
                 sizeof address) < 0)
      Fail("sendto");
  }

  std::optional<std::size_t> Receive(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait) override {
    pollfd ready{socket_, POLLIN, 0};
    for (;;) {
      const int n = ::poll(&ready, 1, static_cast<int>(std::max<std::int64_t>(0, wait.count())));
      if (n == 0) return std::nullopt;
      if (n > 0) break;
      if (errno != EINTR) Fail("poll");
    }
    for (;;) {
      // A "port unreachable" answer from a host without a server is not a failure of discovery.
      const auto n = ::recv(socket_, buffer.data(), buffer.size(), 0);
      if (n >= 0) return static_cast<std::size_t>(n);
      if (errno == ECONNREFUSED) return Receive(buffer, wait);
      if (errno != EINTR) Fail("recv");
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
