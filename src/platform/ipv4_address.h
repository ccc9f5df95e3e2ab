// The IPv4 socket address of a datagram target: a dotted address as it is, a host name resolved.
// Shared by the Winsock and the POSIX datagram sockets, which call the same resolver functions.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#endif

#include <memory>

#include "platform/datagram.h"

namespace bw::platform {

// Owns a getaddrinfo result list (Winsock and POSIX free it the same way).
struct FreeAddressInfo {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};
using UniqueAddressInfo = std::unique_ptr<addrinfo, FreeAddressInfo>;

inline sockaddr_in Ipv4Address(const DatagramAddress& to) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(to.port);
  if (inet_pton(AF_INET, to.host.c_str(), &address.sin_addr) == 1) return address;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* list = nullptr;
  const int failed = getaddrinfo(to.host.c_str(), nullptr, &hints, &list);
  const UniqueAddressInfo found(failed == 0 ? list : nullptr);
  if (!found) throw DatagramError("unknown host " + to.host);
  address.sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
  return address;
}

}  // namespace bw::platform
