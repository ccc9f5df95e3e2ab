// The question for a template variable's value (the "Enter a value for..." dialog).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bw {

class VariableAsker {
public:
  virtual ~VariableAsker() = default;
  // Shows the variable's name with the offered value in the edit box. The typed text on OK
  // (possibly empty); nullopt on Cancel, which abandons the whole template silently.
  virtual std::optional<std::string> AskVariable(std::string_view name, std::string_view offered) = 0;
};

}  // namespace bw
