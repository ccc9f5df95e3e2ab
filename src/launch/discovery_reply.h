// Reading SQL Server Resolution Protocol replies: the instances a server names in its answer.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "launch/server_list.h"

namespace bw {

inline constexpr std::uint8_t kSsrpBroadcastRequest = 0x02;  // CLNT_BCAST_EX: every server, all instances
inline constexpr std::uint8_t kSsrpUnicastRequest = 0x03;    // CLNT_UCAST_EX: one server, all instances
inline constexpr std::uint8_t kSsrpResponse = 0x05;          // SVR_RESP
inline constexpr std::uint16_t kSsrpPort = 1434;

// Names a SQL Server can have: a server name of 1 to 255 letters, digits, "-", "_" and ".";
// an instance name of 1 to 16 letters, digits, "_", "$" and "#". An entry goes unquoted into the
// client's command line, so a reply's name outside these rules is never listed.
bool IsSqlServerName(std::string_view name);
bool IsSqlInstanceName(std::string_view name);

// Walks the "key;value;" fields of the replies of one discovery. The two markers (the next
// field is a server name, the next field is an instance name) live as long as the walker, so
// one walker serves one discovery; server and instance texts start empty in every reply.
class ReplyFieldWalk {
public:
  // Adds the entries that `datagram` names: "server" for a default instance (instance name
  // exactly "MSSQLSERVER"), "server\instance" otherwise. An instance name read before the
  // server name pairs with it; a different server name read later drops the instance, so a
  // group never borrows the previous group's. A datagram whose first byte is not the response
  // type is ignored; three bytes or fewer hold no text; only the bytes given are read, and a
  // last piece not ended by ";" is not visited.
  void Walk(std::span<const std::uint8_t> datagram, ServerList& list);

private:
  bool serverNameFollows_ = false;
  bool instanceNameFollows_ = false;
};

}  // namespace bw
