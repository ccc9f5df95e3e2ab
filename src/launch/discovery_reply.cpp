#include "launch/discovery_reply.h"

#include <string_view>

namespace bw {

void ReplyFieldWalk::Walk(std::span<const std::uint8_t> datagram, ServerList& list) {
  if (datagram.empty() || datagram[0] != kSsrpResponse) return;
  if (datagram.size() <= 3) return;
  const std::string_view text(reinterpret_cast<const char*>(datagram.data()) + 3, datagram.size() - 3);

  std::string_view server;
  std::string_view instance;
  std::size_t at = 0;
  for (std::size_t end = text.find(';'); end != std::string_view::npos; at = end + 1, end = text.find(';', at)) {
    const std::string_view field = text.substr(at, end - at);
    if (serverNameFollows_) server = field;
    if (instanceNameFollows_) instance = field;
    serverNameFollows_ = field.starts_with("ServerName");
    instanceNameFollows_ = field.starts_with("InstanceName");
    // A new group begins: its entry pairs its own server with its own instance, so the
    // previous group's instance name must not be paired with the coming server name.
    if (serverNameFollows_) instance = {};
    if (!server.empty() && !instance.empty()) {
      if (instance == "MSSQLSERVER")
        list.Add(server);
      else
        list.Add(std::string(server) + "\\" + std::string(instance));
    }
  }
}

}  // namespace bw
