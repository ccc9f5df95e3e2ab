// TfrmAvailableDatabases: "Available Databases", the pick dialog of a SQL Server's databases.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "launch/database_listing.h"

namespace bw::ui {

class TfrmAvailableDatabases final : public DatabasePicker {
public:
  explicit TfrmAvailableDatabases(HWND owner = nullptr) : owner_(owner) {}

  // The names in the order given; the selected line on OK (or a double click), an empty text on
  // OK with no line selected, nullopt on Cancel, Escape or closing.
  std::optional<std::string> Pick(const std::vector<std::string>& names) override;

private:
  HWND owner_;
};

}  // namespace bw::ui
