// A shell that records what it was asked to start, expands %NAME% from a given environment and
// can refuse chosen files.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace bw::platform {

class RecordingShell : public Shell {
public:
  // Like the system: %NAME% of a known variable is replaced (names without regard to case),
  // anything else stays as written.
  std::string ExpandEnvironment(std::string_view text) override;
  bool Execute(const ShellRequest& request) override;

  void SetVariable(const std::string& name, const std::string& value);
  void Refuse(const std::string& file) { refused_.insert(file); }

  std::vector<ShellRequest> started;

private:
  std::map<std::string, std::string> variables_;  // upper-case names
  std::set<std::string> refused_;
};

}  // namespace bw::platform
