#include "platform/win32/win32_service_ports.h"

#include <winsock2.h>

namespace bw::platform {
namespace {

class SocketLibrary {
public:
  SocketLibrary() {
    WSADATA data{};
    started_ = WSAStartup(MAKEWORD(2, 0), &data) == 0;
  }
  SocketLibrary(const SocketLibrary&) = delete;
  SocketLibrary& operator=(const SocketLibrary&) = delete;
  ~SocketLibrary() {
    if (started_) WSACleanup();
  }
  bool Started() const { return started_; }

private:
  bool started_ = false;
};

}  // namespace

std::optional<int> Win32ServicePorts::TcpPort(const std::string& name) {
  if (name.empty()) return std::nullopt;
  const SocketLibrary library;
  if (!library.Started()) return std::nullopt;
  const servent* entry = getservbyname(name.c_str(), "tcp");
  if (entry == nullptr) return std::nullopt;
  return static_cast<int>(ntohs(static_cast<u_short>(entry->s_port)));
}

}  // namespace bw::platform
