// The SQL Server side of the configuration dialog on Windows: discovery over Winsock (the whole
// network by broadcast, also to every adapter's network, or the one host the options name), listing and the connection test over
// ODBC, and the "Available Databases" pick dialog over the dialog that asks for it.
#pragma once

#include <memory>

#include "launch/sql_server_tools.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_network_adapters.h"

namespace bw::ui {

class SqlServerDialogTools final : public SqlServerTools {
public:
  explicit SqlServerDialogTools(platform::Messages& messages, DiscoveryOptions options = {});
  ~SqlServerDialogTools() override;

  DiscoveredServers DiscoverServers(const std::function<void(const std::vector<std::string>&)>& update) override {
    return support_->DiscoverServers(update);
  }
  std::optional<std::string> PickDatabase(const platform::SqlLogin& login) override {
    return support_->PickDatabase(login);
  }
  void TestConnection(const platform::SqlLogin& login) override { support_->TestConnection(login); }

private:
  class OpenDialogPicker;

  platform::Win32Clock clock_;
  platform::Win32NetworkAdapters adapters_;
  std::unique_ptr<platform::SqlConnector> connector_;
  std::unique_ptr<OpenDialogPicker> picker_;
  std::unique_ptr<SqlServerSupport> support_;
};

}  // namespace bw::ui
