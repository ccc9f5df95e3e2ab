// bwconfig discover: lists the SQL Servers that answer on the network, as the dialog would.
#include <charconv>

#include "command.h"
#include "command_line.h"
#include "launch/discovery_reply.h"
#include "launch/server_discovery.h"

namespace bw::bwconfig {

namespace {

long Number(std::string_view text, long low, long high, std::string_view what) {
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    throw UsageError(std::string(what) + " must be a number from " + std::to_string(low) + " to " +
                     std::to_string(high));
  return value;
}

platform::DatagramAddress Target(std::string_view text) {
  platform::DatagramAddress target{std::string(text), kSsrpPort};
  if (const auto colon = text.rfind(':'); colon != std::string_view::npos) {
    target.host = std::string(text.substr(0, colon));
    target.port = static_cast<std::uint16_t>(Number(text.substr(colon + 1), 1, 65535, "the port"));
  }
  if (target.host.empty()) throw UsageError("name the host of --target");
  return target;
}

int RunDiscover(ToolContext& context, CommandArgs args) {
  const auto line = ParseCommandLine(args, {}, {"--target", "--wait"});
  if (!line.operands.empty()) throw UsageError("discover takes no operands");
  DiscoveryOptions options;
  const auto target = line.values.find("--target");
  if (target != line.values.end()) {
    options.target = Target(target->second);
    options.request = kSsrpUnicastRequest;
  }
  if (const auto wait = line.values.find("--wait"); wait != line.values.end())
    options.wait = std::chrono::milliseconds(Number(wait->second, 0, 60000, "the wait"));

  std::vector<std::string> found;
  try {
    const auto socket = platform::OpenDatagramSocket(target == line.values.end());
    found = DiscoverSqlServers(*socket, *context.services.clock, options);
  } catch (const platform::DatagramError& error) {
    context.err << kCannotDiscover << "\n" << "bwconfig: " << error.what() << "\n";
    return 1;
  }
  for (const auto& entry : found) context.out << entry << "\n";
  context.out.flush();
  if (!context.out) throw ToolError("cannot write to standard output");
  return 0;
}

const RegisterCommand kRegistered{{
    "discover",
    "[--target HOST[:PORT]] [--wait MS]",
    "Asks the network which SQL Server instances exist and prints them, one a line, sorted\n"
    "as the configuration dialog lists them (\"server\" for a default instance, else\n"
    "\"server\\instance\"). Without --target the question is broadcast to port 1434; with it,\n"
    "only HOST is asked (PORT defaults to 1434). Replies are read until none came for MS\n"
    "milliseconds (default 3000). Exits 0 also when nobody answered.",
    RunDiscover,
}};

}  // namespace

}  // namespace bw::bwconfig
