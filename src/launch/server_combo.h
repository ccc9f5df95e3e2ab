// The SQL Server field's drop-down list: filled by a discovery the first time it opens empty.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "launch/server_discovery.h"
#include "platform/messages.h"
#include "platform/user_input.h"

namespace bw {

// What the discovery needs of the combo box view.
class ServerComboList {
public:
  virtual ~ServerComboList() = default;
  virtual bool HasEntries() = 0;
  // Replaces the list's entries; the text the user typed into the field stays as it is.
  virtual void SetEntries(const std::vector<std::string>& entries) = 0;
};

// Runs when the drop-down is about to open: nothing when the list has entries, otherwise one
// discovery, under the hourglass cursor, whose replies fill the list as they come. `socket`
// gives the dialog's socket, opening it the first time. A socket failure shows the warning "Cannot discover active SQL
// servers..." and keeps the entries already shown; a network where nobody answers is no error.
void DiscoverServersForList(ServerComboList& list, const std::function<platform::DatagramSocket&()>& socket,
                            platform::Clock& clock, platform::UserInput& input, platform::Messages& messages,
                            const DiscoveryOptions& options = {});

}  // namespace bw
