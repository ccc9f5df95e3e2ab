// TfrmAskVar: the "Enter a value for..." question for one template variable.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "editor/variable_asker.h"

namespace bw::ui {

class TfrmAskVar final : public VariableAsker {
public:
  // `owner` may be null: the question then stands on its own, above the Navision client.
  explicit TfrmAskVar(HWND owner = nullptr) : owner_(owner) {}

  // Shows the name over an edit box holding the offered value; the typed text on OK, nullopt
  // on Cancel, Escape or closing.
  std::optional<std::string> AskVariable(std::string_view name, std::string_view offered) override;

private:
  HWND owner_;
};

}  // namespace bw::ui
