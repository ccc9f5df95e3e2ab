// The SQL Server field's drop-down list as the discovery fills it: an editable combo box.
#pragma once

#include <windows.h>

#include "launch/server_combo.h"

namespace bw::ui {

class ServerComboView final : public ServerComboList {
public:
  explicit ServerComboView(HWND combo) : combo_(combo) {}

  bool HasEntries() override;
  // Replaces the list; the field keeps the text the user typed, and its caret.
  void SetEntries(const std::vector<std::string>& entries) override;

private:
  HWND combo_;
};

}  // namespace bw::ui
