// Starting programs, documents and web addresses with ShellExecuteExW.
#pragma once

#include "platform/shell.h"

namespace bw::platform {

class Win32Shell final : public Shell {
public:
  std::string ExpandEnvironment(std::string_view text) override;  // ExpandEnvironmentStringsA
  bool Execute(const ShellRequest& request) override;
};

}  // namespace bw::platform
