#include "editor/variable_list.h"

#include <algorithm>

#include "base/text_case.h"

namespace bw {

bool IsReservedVariable(std::string_view name) {
  return std::find(kReservedVariables.begin(), kReservedVariables.end(), name) != kReservedVariables.end();
}

std::optional<std::size_t> FindVariable(const StringList& vars, std::string_view name) {
  for (std::size_t i = 0; i < vars.size(); ++i) {
    const std::string_view line = vars[i];
    const auto equals = line.find('=');
    if (equals != std::string_view::npos && EqualsIgnoringCase(line.substr(0, equals), name)) return i;
  }
  return std::nullopt;
}

std::string VariableValue(const StringList& vars, std::string_view name) {
  const auto index = FindVariable(vars, name);
  if (!index) return {};
  const std::string& line = vars[*index];
  return line.substr(line.find('=') + 1);
}

bool StoreVariable(StringList& vars, std::string_view name, std::string_view value) {
  if (name.find('=') != std::string_view::npos) return false;
  const auto index = FindVariable(vars, name);
  if (value.empty()) {
    if (index) vars.erase(vars.begin() + static_cast<std::ptrdiff_t>(*index));
    return true;
  }
  std::string line;
  line.reserve(name.size() + 1 + value.size());
  line.append(name).append(1, '=').append(value);
  if (index)
    vars[*index] = std::move(line);
  else
    vars.push_back(std::move(line));
  return true;
}

void SetReservedVariables(TBrackwaterStorage& general) {
  StoreVariable(general.VarList, "Author", general.Author);
  StoreVariable(general.VarList, "Initials", general.Initials);
  StoreVariable(general.VarList, "Company", general.Company);
}

}  // namespace bw
