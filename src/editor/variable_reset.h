// The Reset Variables dialog's logic: a working copy of VarList, one row per line sorted by
// name, rows removed by double-click, and the rows left written back however it is closed.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "settings/storage.h"

namespace bw {

class VariableResetList {
public:
  struct Row {
    std::string name;   // the text before the first "="; the whole line when it has none
    std::string value;  // the text after it
    std::string line;   // the line as stored, written back unchanged
  };

  // Rows sorted by name, letter case ignored; lines with equal names keep their order.
  explicit VariableResetList(const StringList& vars);

  const std::vector<Row>& Rows() const { return rows_; }

  // The double-click on a row: a reserved name ("Author", "Initials", "Company", exactly)
  // gets a warning and stays; any other is removed when the user confirms. True if removed.
  bool DeleteVariable(std::size_t row, platform::Messages& messages);

  // The rows left, in their order, as VarList lines.
  StringList Lines() const;

private:
  std::vector<Row> rows_;
};

// ResetVariables: fills the dialog from VarList, shows it modally through `showModal`, and
// replaces VarList with the rows left, whatever way the dialog was closed.
void ResetVariables(StringList& vars, const std::function<void(VariableResetList&)>& showModal);

}  // namespace bw
