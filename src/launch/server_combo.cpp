#include "launch/server_combo.h"

#include <optional>

#include "editor/input_guard.h"

namespace bw {

void DiscoverServersForList(ServerComboList& list, const std::function<platform::DatagramSocket&()>& socket,
                            platform::Clock& clock, platform::UserInput& input, platform::Messages& messages,
                            const DiscoveryOptions& options) {
  if (list.HasEntries()) return;
  std::optional<BusyCursor> busy(std::in_place, input);
  try {
    DiscoverSqlServers(socket(), clock, options, [&list](const std::vector<std::string>& entries) {
      list.SetEntries(entries);
    });
  } catch (const platform::DatagramError&) {
    busy.reset();
    messages.Show(platform::MessageKind::Warning, kCannotDiscover);
  }
}

}  // namespace bw
