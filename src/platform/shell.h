// Starting programs and opening documents or web addresses through the shell.
#pragma once

#include <string>
#include <string_view>

namespace bw::platform {

// The request's texts are ANSI, as the settings file holds them.
struct ShellRequest {
  std::string file;        // program, document or web address, environment already expanded
  std::string parameters;  // empty: none
  std::string directory;   // working folder; empty: the shell's choice
};

class Shell {
public:
  virtual ~Shell() = default;
  // Replaces %NAME% references by the values of the environment; unknown names stay as written.
  virtual std::string ExpandEnvironment(std::string_view text) = 0;
  // Starts the request in a normal window, with no error dialog and without waiting for it.
  // True when the shell accepted the request.
  virtual bool Execute(const ShellRequest& request) = 0;
};

}  // namespace bw::platform
