#include "launch/server_combo.h"

namespace bw {

void DiscoverServersForList(ServerComboList& list, const std::function<platform::DatagramSocket&()>& socket,
                            platform::Clock& clock, platform::Messages& messages, const DiscoveryOptions& options) {
  if (list.HasEntries()) return;
  try {
    DiscoverSqlServers(socket(), clock, options, [&list](const std::vector<std::string>& entries) {
      list.SetEntries(entries);
    });
  } catch (const platform::DatagramError&) {
    messages.Show(platform::MessageKind::Warning, kCannotDiscover);
  }
}

}  // namespace bw
