#include "launch/discovery_reply.h"

#include <algorithm>
#include <string_view>

namespace bw {

namespace {

bool IsAsciiLetterOrDigit(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool MadeOf(std::string_view name, std::size_t longest, std::string_view others) {
  return !name.empty() && name.size() <= longest && std::ranges::all_of(name, [others](char c) {
    return IsAsciiLetterOrDigit(c) || others.find(c) != std::string_view::npos;
  });
}

}  // namespace

bool IsSqlServerName(std::string_view name) { return MadeOf(name, 255, "-_."); }
bool IsSqlInstanceName(std::string_view name) { return MadeOf(name, 16, "_$#"); }

void ReplyFieldWalk::Walk(std::span<const std::uint8_t> datagram, ServerList& list) {
  if (datagram.empty() || datagram[0] != kSsrpResponse) return;
  if (datagram.size() <= 3) return;
  const std::string_view text(reinterpret_cast<const char*>(datagram.data()) + 3, datagram.size() - 3);

  std::string_view server;
  std::string_view instance;
  std::size_t at = 0;
  for (std::size_t end = text.find(';'); end != std::string_view::npos; at = end + 1, end = text.find(';', at)) {
    const std::string_view field = text.substr(at, end - at);
    if (serverNameFollows_) {
      // Another server's group begins: the instance read so far is not one of its own.
      if (!server.empty() && field != server) instance = {};
      server = field;
    }
    if (instanceNameFollows_) instance = field;
    serverNameFollows_ = field.starts_with("ServerName");
    instanceNameFollows_ = field.starts_with("InstanceName");
    if (IsSqlServerName(server) && IsSqlInstanceName(instance)) {
      if (instance == "MSSQLSERVER")
        list.Add(server);
      else
        list.Add(std::string(server) + "\\" + std::string(instance));
    }
  }
}

}  // namespace bw
