#include "ui/win32/sql_server_dialog_tools.h"

#include <windows.h>

#include "platform/odbc/odbc_sql_connector.h"
#include "ui/win32/frm_available_databases.h"
#include "ui/win32/modal_dialog.h"

namespace bw::ui {

// The pick dialog is owned by the dialog that asks for it (the configuration dialog, the
// innermost one open), so that it stays modal to it; whether that dialog is still the active
// window when a slow listing returns does not matter.
class SqlServerDialogTools::OpenDialogPicker final : public DatabasePicker {
public:
  std::optional<std::string> Pick(const std::vector<std::string>& names) override {
    return TfrmAvailableDatabases(ModalDialog::OpenDialog()).Pick(names);
  }
};

SqlServerDialogTools::SqlServerDialogTools(platform::Messages& messages, DiscoveryOptions options)
    : connector_(platform::MakeOdbcSqlConnector()), picker_(std::make_unique<OpenDialogPicker>()) {
  const bool broadcast = options.target.host == kLimitedBroadcast;
  if (broadcast && options.adapters == nullptr) options.adapters = &adapters_;
  support_ = std::make_unique<SqlServerSupport>([broadcast] { return platform::OpenDatagramSocket(broadcast); },
                                                clock_, *connector_, *picker_, messages, std::move(options));
}

SqlServerDialogTools::~SqlServerDialogTools() = default;

}  // namespace bw::ui
