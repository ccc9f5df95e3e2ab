// Feeds arbitrary datagrams to the discovery reply walk. The input is split at every 0xFF 0xFE
// pair into several replies of one discovery, since the walk's markers span replies. Every entry
// it adds must be a server name, or server and instance name, of the rules SQL Server has, and
// the list must stay sorted and unique.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "launch/discovery_reply.h"
#include "base/text_case.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bw::ServerList list;
  bw::ReplyFieldWalk walk;
  const std::span<const std::uint8_t> input(data, size);
  std::size_t start = 0;
  for (std::size_t i = 0; i + 1 < size; ++i) {
    if (data[i] == 0xff && data[i + 1] == 0xfe) {
      walk.Walk(input.subspan(start, i - start), list);
      start = i + 2;
    }
  }
  walk.Walk(input.subspan(start), list);

  const auto& entries = list.Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string_view entry = entries[i];
    const auto slash = entry.find('\\');
    if (!bw::IsSqlServerName(entry.substr(0, slash))) __builtin_trap();
    if (slash != std::string_view::npos && !bw::IsSqlInstanceName(entry.substr(slash + 1))) __builtin_trap();
    if (i > 0 && bw::EqualsIgnoringCase(entries[i - 1], entries[i])) __builtin_trap();
  }
  return 0;
}
