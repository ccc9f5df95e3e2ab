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

#include "platform/datagram.h"

namespace bw::platform {

inline sockaddr_in Ipv4Address(const DatagramAddress& to) {
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

}  // namespace bw::platform
