// UDP datagrams over Winsock.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <mstcpip.h>

#include <algorithm>
#include <cstdint>
#include <mutex>

#include "platform/datagram.h"
#include "platform/ipv4_address.h"

#ifndef SIO_UDP_CONNRESET
#define SIO_UDP_CONNRESET _WSAIOW(IOC_VENDOR, 12)
#endif

namespace bw::platform {

namespace {

[[noreturn]] void Fail(const char* what) {
  throw DatagramError(std::string(what) + ": Winsock error " + std::to_string(WSAGetLastError()));
}

// Winsock stays started for the life of the process once a socket was asked for.
void StartWinsock() {
  static std::once_flag started;
  static int result = 0;
  std::call_once(started, [] {
    WSADATA data;
    result = WSAStartup(MAKEWORD(2, 2), &data);
  });
  if (result != 0) throw DatagramError("WSAStartup failed: " + std::to_string(result));
}

class Win32DatagramSocket final : public DatagramSocket {
public:
  explicit Win32DatagramSocket(bool broadcast) {
    StartWinsock();
    socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket_ == INVALID_SOCKET) Fail("socket");
    const BOOL on = TRUE;
    if (broadcast && setsockopt(socket_, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on),
                                sizeof on) != 0) {
      closesocket(socket_);
      Fail("broadcast");
    }
    // Without this, an ICMP "port unreachable" from a host without a server makes the next
    // receive fail with a connection reset. Systems that lack the control just keep failing.
    BOOL reportReset = FALSE;
    DWORD returned = 0;
    WSAIoctl(socket_, SIO_UDP_CONNRESET, &reportReset, sizeof reportReset, nullptr, 0, &returned, nullptr,
             nullptr);
  }
  ~Win32DatagramSocket() override { closesocket(socket_); }
  Win32DatagramSocket(const Win32DatagramSocket&) = delete;
  Win32DatagramSocket& operator=(const Win32DatagramSocket&) = delete;

  void Send(std::span<const std::uint8_t> bytes, const DatagramAddress& to) override {
    const auto address = Ipv4Address(to);
    if (::sendto(socket_, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0,
                 reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR)
      Fail("sendto");
  }

  std::optional<ReceivedDatagram> Receive(std::span<std::uint8_t> buffer, std::chrono::milliseconds wait) override {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
      fd_set readable;
      FD_ZERO(&readable);
      FD_SET(socket_, &readable);
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      const auto ms = std::max<std::int64_t>(0, left.count());
      timeval limit{static_cast<long>(ms / 1000), static_cast<long>((ms % 1000) * 1000)};
      const int n = ::select(0, &readable, nullptr, nullptr, &limit);
      if (n == 0) return std::nullopt;
      if (n == SOCKET_ERROR) Fail("select");
      const int size = static_cast<int>(std::min<std::size_t>(buffer.size(), 0x7fffffff));
      sockaddr_in from{};
      int fromSize = sizeof from;
      const int got = ::recvfrom(socket_, reinterpret_cast<char*>(buffer.data()), size, 0,
                                 reinterpret_cast<sockaddr*>(&from), &fromSize);
      if (got >= 0) return ReceivedDatagram{static_cast<std::size_t>(got), ntohs(from.sin_port)};
      const int error = WSAGetLastError();
      // The buffer holds as much as fits.
      if (error == WSAEMSGSIZE) return ReceivedDatagram{buffer.size(), ntohs(from.sin_port)};
      if (error != WSAECONNRESET) Fail("recv");
    }
  }

private:
  SOCKET socket_ = INVALID_SOCKET;
};

}  // namespace

std::unique_ptr<DatagramSocket> OpenDatagramSocket(bool broadcast) {
  return std::make_unique<Win32DatagramSocket>(broadcast);
}

}  // namespace bw::platform
