#include "editor/variable_reset.h"

#include <algorithm>

#include "base/format_text.h"
#include "base/text_case.h"
#include "editor/variable_list.h"

namespace bw {
namespace {

bool NameBefore(const VariableResetList::Row& a, const VariableResetList::Row& b) {
  return LessIgnoringCase(a.name, b.name);
}

}  // namespace

VariableResetList::VariableResetList(const StringList& vars) {
  rows_.reserve(vars.size());
  for (const std::string& line : vars) {
    const auto equals = line.find('=');
    if (equals == std::string::npos)
      rows_.push_back({line, {}, line});
    else
      rows_.push_back({line.substr(0, equals), line.substr(equals + 1), line});
  }
  std::stable_sort(rows_.begin(), rows_.end(), NameBefore);
}

bool VariableResetList::DeleteVariable(std::size_t row, platform::Messages& messages) {
  if (row >= rows_.size()) return false;
  const std::string& name = rows_[row].name;
  if (IsReservedVariable(name)) {
    messages.Show(platform::MessageKind::Warning,
                  FormatText("You cannot remove the %s variable.\r\n"
                             "This is a reserved variable and can be changed in the preferences.",
                             {name}));
    return false;
  }
  if (!messages.Confirm("", FormatText("Are you sure you wish to delete variable \"%s\" ?", {name}))) return false;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
  return true;
}

StringList VariableResetList::Lines() const {
  StringList lines;
  lines.reserve(rows_.size());
  for (const Row& row : rows_) lines.push_back(row.line);
  return lines;
}

void ResetVariables(StringList& vars, const std::function<void(VariableResetList&)>& showModal) {
  VariableResetList list(vars);
  try {
    if (showModal) showModal(list);
  } catch (...) {
    vars = list.Lines();
    throw;
  }
  vars = list.Lines();
}

}  // namespace bw
